#include "writing_help/completion.h"

#include "html/chars.h"
#include "html/elements.h"
#include "html/tokenizer.h"
#include "writing_help/vocabulary.h"

#include <algorithm>
#include <vector>

namespace {

using Kind = CompletionContext::Kind;

using html::chars::is_letter;
using html::chars::is_name_char;
using html::chars::is_space;

// What may stand in an attribute's name.
bool is_attribute_char(char c) {
    return !is_space(c) && c != '"' && c != '\'' && c != '>' && c != '/' && c != '=' && c != '<';
}

bool all_capitals(QByteArrayView text) {
    bool letters = false;
    for (const char c : text) {
        if (c >= 'a' && c <= 'z')
            return false;
        letters = letters || is_letter(c);
    }
    return letters;
}

bool has_letters(QByteArrayView text) {
    return std::any_of(text.begin(), text.end(), is_letter);
}

} // namespace

CompletionContext completion_context(QByteArrayView text) {
    const qsizetype lt = text.lastIndexOf('<');
    if (lt < 0 || lt + 1 >= text.size() || !is_letter(text[lt + 1]))
        return {};
    const qsizetype n = text.size();
    qsizetype i = lt + 1;
    while (i < n && is_name_char(text[i]))
        ++i;
    CompletionContext context;
    context.element = text.sliced(lt + 1, i - lt - 1).toByteArray();
    if (i == n) {
        context.kind = Kind::Element;
        context.prefix = context.element;
        context.element.clear();
        return context;
    }
    // The attributes, one after the other, each after a space.
    bool spaced = false;
    for (;;) {
        const qsizetype blank = i;
        while (i < n && is_space(text[i]))
            ++i;
        spaced = spaced || i > blank;
        if (i == n || text[i] == '/') {
            if (i == n && !spaced)
                return {};
            if (i == n) {
                context.kind = Kind::Attribute;
                return context;
            }
            ++i; // "/" of "/>"
            spaced = false;
            continue;
        }
        if (!spaced)
            return {};
        const qsizetype name = i;
        while (i < n && is_attribute_char(text[i]))
            ++i;
        if (i == name)
            return {};
        if (i == n) {
            context.kind = Kind::Attribute;
            context.prefix = text.sliced(name, i - name).toByteArray();
            return context;
        }
        const QByteArrayView attribute = text.sliced(name, i - name);
        qsizetype j = i;
        while (j < n && is_space(text[j]))
            ++j;
        if (j == n || text[j] != '=') {
            // A name without a value: the next attribute may follow.
            spaced = j > i;
            i = j;
            continue;
        }
        ++j;
        while (j < n && is_space(text[j]))
            ++j;
        if (j == n)
            return {};
        if (text[j] == '"' || text[j] == '\'') {
            const qsizetype close = text.indexOf(text[j], j + 1);
            if (close < 0) {
                context.kind = Kind::Value;
                context.attribute = attribute.toByteArray();
                context.quote = text[j];
                context.prefix = text.sliced(j + 1).toByteArray();
                return context;
            }
            i = close + 1;
        } else {
            while (j < n && !is_space(text[j]) && text[j] != '>')
                ++j;
            if (j == n)
                return {};
            i = j;
        }
        spaced = false;
    }
}

QStringList completion_items(const CompletionContext& context) {
    QStringList pool;
    switch (context.kind) {
    case Kind::None:
        return {};
    case Kind::Element:
        pool = vocabulary::element_names();
        break;
    case Kind::Attribute:
        pool = vocabulary::attribute_names(context.element);
        break;
    case Kind::Value:
        pool = vocabulary::attribute_values(context.element, context.attribute);
        break;
    }
    const QString prefix = QString::fromUtf8(context.prefix);
    const bool capitals = has_letters(context.prefix)
                              ? all_capitals(context.prefix)
                              : context.kind == Kind::Attribute && all_capitals(context.element);
    QStringList items;
    for (const QString& item : std::as_const(pool))
        if (item.startsWith(prefix, Qt::CaseInsensitive))
            items << (capitals ? item.toUpper() : item);
    // A name typed out in full needs no list.
    if (items.size() == 1 && items.front().compare(prefix, Qt::CaseInsensitive) == 0)
        return {};
    return items;
}

namespace {

struct Tag {
    enum Kind { Other, Start, End } kind = Other;
    QByteArrayView name;
    bool self_closing = false;
};

// The tag from "<" to ">" inclusive.
Tag read_tag(QByteArrayView tag) {
    qsizetype i = 1;
    Tag read;
    read.kind = Tag::Start;
    if (i < tag.size() && tag[i] == '/') {
        read.kind = Tag::End;
        ++i;
    }
    const qsizetype start = i;
    if (i >= tag.size() || !is_letter(tag[i]))
        return {};
    while (i < tag.size() && is_name_char(tag[i]))
        ++i;
    read.name = tag.sliced(start, i - start);
    read.self_closing = read.kind == Tag::Start && tag.size() >= 2 && tag[tag.size() - 2] == '/';
    return read;
}

// Where the start tag of `name` begins, searching back from `before`; -1
// when it is not there.
qsizetype start_tag_before(QByteArrayView text, qsizetype before, QByteArrayView name) {
    for (qsizetype p = before; p > 0;) {
        p = text.lastIndexOf('<', p - 1);
        if (p < 0)
            return -1;
        const qsizetype end = p + 1 + name.size();
        if (end <= text.size() &&
            text.sliced(p + 1, name.size()).compare(name, Qt::CaseInsensitive) == 0 &&
            (end == text.size() || !is_name_char(text[end])))
            return p;
    }
    return -1;
}

// A text-only element (a text area, a title, a script, a style) left open at
// the end of `text`, as written: nothing in its text is markup, so only its
// own end tag closes anything there. Empty when there is none.
QByteArray open_text_element(QByteArrayView text) {
    html::TagNames names;
    html::Tokenizer tokenizer(text.data(), 0, text.size(), names);
    QByteArrayView open;
    for (html::Token t = tokenizer.next(); t.kind != html::Token::End; t = tokenizer.next()) {
        if (!open.isEmpty() && !(t.kind == html::Token::Text && t.cut))
            open = {};
        if (t.kind != html::Token::StartTag || t.cut)
            continue;
        const QByteArrayView name = read_tag(text.sliced(t.start, t.end - t.start)).name;
        const html::Element* element = vocabulary::find_element(name);
        if (!element || !element->text_only())
            continue;
        using Content = html::Tokenizer::Content;
        tokenizer.set_content(t.tag == html::script                          ? Content::ScriptData
                              : element->is(html::Element::EscapableRawText) ? Content::Rcdata
                                                                             : Content::Rawtext,
                              t.tag);
        open = name;
    }
    return open.toByteArray();
}

} // namespace

QByteArray open_element_before(QByteArrayView text) {
    if (text.size() > kOpenElementWindow)
        text = text.last(kOpenElementWindow);
    if (QByteArray raw = open_text_element(text); !raw.isEmpty())
        return raw;
    // Not from inside a tag or a comment.
    const qsizetype last_open = text.lastIndexOf('<');
    if (last_open >= 0 && text.indexOf('>', last_open) < 0)
        return {};
    if (text.lastIndexOf("<!--") > text.lastIndexOf("-->"))
        return {};

    // Walk back tag by tag. `closed` holds the end tags met whose start tags
    // are still ahead (further back), innermost last.
    std::vector<QByteArrayView> closed;
    const auto same = [](QByteArrayView a, QByteArrayView b) {
        return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
    };
    for (qsizetype i = text.size(); i > 0;) {
        const qsizetype gt = text.lastIndexOf('>', i - 1);
        if (gt < 0)
            break;
        if (gt >= 2 && text[gt - 1] == '-' && text[gt - 2] == '-') {
            i = text.lastIndexOf("<!--", gt);
            if (i < 0)
                break;
            continue;
        }
        i = text.lastIndexOf('<', gt);
        if (i < 0)
            break;
        const Tag tag = read_tag(text.sliced(i, gt - i + 1));
        if (tag.kind == Tag::Other)
            continue;
        const QByteArrayView name = tag.name;
        const html::Element* element = vocabulary::find_element(name);
        if (element && element->is(html::Element::Void))
            continue;
        if (tag.kind == Tag::End) {
            if (element && element->text_only()) {
                // Script or style: its content is no markup; go straight to its start.
                i = start_tag_before(text, i, name);
                if (i < 0)
                    break;
                continue;
            }
            closed.push_back(name);
            continue;
        }
        if (tag.self_closing)
            continue;
        const auto match = std::find_if(closed.rbegin(), closed.rend(),
                                        [&](QByteArrayView end) { return same(end, name); });
        if (match != closed.rend()) {
            closed.erase(std::prev(match.base()), closed.end());
            continue;
        }
        if (!closed.empty() && element && element->is(html::Element::OptionalEnd))
            continue;
        return tag.name.toByteArray();
    }
    return {};
}
