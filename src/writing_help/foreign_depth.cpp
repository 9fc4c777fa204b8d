// How deep SVG and MathML nest in a page, read as libtidy reads them: tags
// end at ">" or at the next "<", quoted attribute values are passed over
// whole, comments, CDATA sections and the content of scripts and styles
// count for nothing.

#include "html/chars.h"
#include "writing_help/page_check.h"

#include <QHash>
#include <vector>

namespace {

using html::chars::is_letter;
using html::chars::is_name_char;
using html::chars::is_space;
using html::chars::lower;

struct ForeignTag {
    QByteArray name; // lower case
    bool end = false;
    bool self_closing = false;
};

class Reader {
  public:
    explicit Reader(QByteArrayView text) : text_(text) {}

    // The next start or end tag from here; false at the end of the text.
    bool next(ForeignTag& tag) {
        const qsizetype n = text_.size();
        while ((at_ = text_.indexOf('<', at_)) >= 0) {
            if (skip_unless_tag())
                continue;
            tag = ForeignTag();
            tag.end = text_[at_ + 1] == '/';
            at_ += tag.end ? 2 : 1;
            while (at_ < n && is_name_char(text_[at_]))
                tag.name += lower(text_[at_++]);
            tag.self_closing = skip_attributes();
            return true;
        }
        at_ = n;
        return false;
    }

    // Passes over raw text up to "</name" (a script's, a style's).
    void skip_raw(QByteArrayView name) {
        for (at_ = text_.indexOf("</", at_); at_ >= 0; at_ = text_.indexOf("</", at_ + 2))
            if (at_ + 2 + name.size() <= text_.size() &&
                text_.sliced(at_ + 2, name.size()).compare(name, Qt::CaseInsensitive) == 0)
                return;
        at_ = text_.size();
    }

  private:
    // At a "<": passes over a comment, a CDATA section, a declaration or a
    // processing instruction, or a "<" that starts nothing; false at a tag.
    bool skip_unless_tag() {
        const QByteArrayView rest = text_.sliced(at_);
        const auto past = [&](QByteArrayView end, qsizetype from) {
            const qsizetype found = text_.indexOf(end, at_ + from);
            at_ = found < 0 ? text_.size() : found + end.size();
            return true;
        };
        if (rest.startsWith("<!--"))
            return past("-->", 4);
        if (rest.startsWith("<![CDATA["))
            return past("]]>", 9);
        if (rest.startsWith("<!") || rest.startsWith("<?"))
            return past(">", 2);
        const bool tag =
            rest.size() > 1 &&
            (is_letter(rest[1]) || (rest[1] == '/' && rest.size() > 2 && is_letter(rest[2])));
        if (!tag)
            ++at_;
        return !tag;
    }

    // After a tag's name: up to its ">" (or the "<" of the next tag). True
    // when it ends in "/>".
    bool skip_attributes() {
        const qsizetype n = text_.size();
        while (at_ < n) {
            const char c = text_[at_];
            if (c == '>') {
                ++at_;
                return false;
            }
            if (c == '<')
                return false;
            if (c == '/' && at_ + 1 < n && text_[at_ + 1] == '>') {
                at_ += 2;
                return true;
            }
            if (c != '=') {
                ++at_;
                continue;
            }
            // A value: quoted ones are passed over whole.
            ++at_;
            while (at_ < n && is_space(text_[at_]))
                ++at_;
            if (at_ < n && (text_[at_] == '"' || text_[at_] == '\'')) {
                const qsizetype close = text_.indexOf(text_[at_], at_ + 1);
                at_ = close < 0 ? n : close + 1;
            }
        }
        return false;
    }

    QByteArrayView text_;
    qsizetype at_ = 0;
};

} // namespace

int foreign_depth(QByteArrayView utf8, int limit) {
    Reader reader(utf8);
    std::vector<QByteArray> open; // inside <svg> or <math>, the outermost first
    QHash<QByteArray, int> count; // of each name in `open`
    int deepest = 0;
    for (ForeignTag tag; reader.next(tag) && deepest <= limit;) {
        if (open.empty()) {
            if (tag.end || tag.self_closing)
                continue;
            if (tag.name == "script" || tag.name == "style")
                reader.skip_raw(tag.name);
            if (tag.name != "svg" && tag.name != "math")
                continue;
        }
        if (!tag.end) {
            if (!tag.self_closing) {
                open.push_back(tag.name);
                ++count[tag.name];
                deepest = std::max(deepest, int(open.size()));
            }
            continue;
        }
        if (count[tag.name] == 0)
            continue;
        for (bool closed = false; !closed;) {
            closed = open.back() == tag.name;
            --count[open.back()];
            open.pop_back();
        }
    }
    return deepest;
}
