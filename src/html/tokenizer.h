#pragma once

#include "html/tags.h"

#include <QtGlobal>

namespace html {

// One token of HTML source, as the browser's tokenizer splits it. Offsets
// are bytes of the UTF-8 source. Only what the tree model needs is kept:
// tag names, the self-closing flag and a few facts about attributes; the
// text of attributes and character data is never decoded.
struct Token {
    enum Kind : unsigned char { Text, Comment, Doctype, StartTag, EndTag, End };
    Kind kind = End;
    qsizetype start = 0;
    qsizetype end = 0;
    // Text: where the first character that is not white space stands; -1
    // when the text is all white space. (A character reference counts as
    // not white space.)
    qsizetype solid = -1;
    int tag = kNoTag;
    bool self_closing = false;
    // An attribute whose name starts with "on" (an event handler).
    bool handler = false;
    // input: the first type attribute says "hidden".
    bool hidden = false;
    // Doctype: the plain "<!DOCTYPE html>" (no legacy identifiers).
    bool standard = false;
    // The token runs into the end of the input unfinished: at the end of a
    // document it ends there (a tag is then dropped); inside a document it
    // would have gone on past this piece of it.
    bool cut = false;
};

// The browser's tokenizer over bytes [begin, end) of `data`. The tree model
// switches it into the text-only states after the start tags that need them.
class Tokenizer {
  public:
    enum class Content { Data, Rcdata, Rawtext, ScriptData, Plaintext };

    Tokenizer(const char* data, qsizetype begin, qsizetype end, TagNames& names)
        : s_(data), pos_(begin), end_(end), names_(names) {}

    Token next();
    // Text-only content up to the end tag of `tag` (not for Data).
    void set_content(Content content, int tag) {
        content_ = content;
        raw_tag_ = tag;
    }
    qsizetype position() const { return pos_; }

  private:
    Token text_from(qsizetype start);
    Token raw_text();
    Token tag(qsizetype start, bool end_tag);
    Token comment(qsizetype start, qsizetype body);
    // A token of `kind` from `start` to the first '>' from `from` on (to the
    // end of the input, cut, when there is none).
    Token to_greater_than(Token::Kind kind, qsizetype start, qsizetype from);
    Token bogus_comment(qsizetype start);
    Token doctype(qsizetype start);
    bool starts_markup(qsizetype at) const;
    bool appropriate_end_tag(qsizetype at) const;
    qsizetype script_data_end() const;
    int read_name(qsizetype* at);

    const char* s_;
    qsizetype pos_;
    qsizetype end_;
    TagNames& names_;
    Content content_ = Content::Data;
    int raw_tag_ = kNoTag;
};

} // namespace html
