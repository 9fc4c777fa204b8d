#include "document/browser_copy.h"

#include "html/chars.h"
#include <cctype>

namespace {

using html::chars::is_space;
using html::chars::lower;
using html::chars::word_at;

// Where the <base> goes: just after the opening <head> tag; without one,
// after a leading <!DOCTYPE>, which must stay first; else at the start.
qsizetype base_position(QByteArrayView text) {
    for (qsizetype at = text.indexOf('<'); at >= 0; at = text.indexOf('<', at + 1)) {
        if (word_at(text, at, "<head") && (at + 5 == text.size() || is_space(text[at + 5]) ||
                                           text[at + 5] == '>' || text[at + 5] == '/')) {
            const qsizetype end = text.indexOf('>', at);
            return end < 0 ? text.size() : end + 1;
        }
    }
    qsizetype start = 0;
    while (start < text.size() && is_space(text[start]))
        ++start;
    if (word_at(text, start, "<!doctype")) {
        const qsizetype end = text.indexOf('>', start);
        return end < 0 ? text.size() : end + 1;
    }
    return 0;
}

// An address as the value of an attribute, whatever its quotes.
QByteArray attribute_url(const QUrl& url) {
    return url.toEncoded()
        .replace('&', "&amp;")
        .replace('"', "%22")
        .replace('\'', "%27")
        .replace(' ', "%20");
}

// The offset of the '#' that starts the value of an href (or xlink:href)
// attribute found at `at` (the 'h'), or -1 when the value is not an in-page
// address.
qsizetype fragment_value_at(QByteArrayView text, qsizetype at) {
    if (at == 0 || !(is_space(text[at - 1]) || text[at - 1] == ':'))
        return -1;
    qsizetype i = at + 4;
    while (i < text.size() && is_space(text[i]))
        ++i;
    if (i >= text.size() || text[i] != '=')
        return -1;
    ++i;
    while (i < text.size() && is_space(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '"' || text[i] == '\''))
        ++i;
    return i < text.size() && text[i] == '#' ? i : -1;
}

// <folder>/run-<letters, digits, dashes>/tmp.css made <folder>/tmp.css.
void fix_stylesheet_links(QByteArray& text, const QString& stylesheet) {
    const QByteArray fixed = stylesheet.toUtf8();
    const qsizetype slash = fixed.lastIndexOf('/');
    if (slash < 0)
        return;
    const QByteArray run = fixed.left(slash) + "/run-";
    const QByteArray name = fixed.mid(slash);
    for (qsizetype at = text.indexOf(run); at >= 0; at = text.indexOf(run, at + 1)) {
        qsizetype end = at + run.size();
        while (end < text.size() && (std::isalnum(uchar(text[end])) || text[end] == '-'))
            ++end;
        if (QByteArrayView(text).sliced(end).startsWith(name))
            text.replace(at, end + name.size() - at, fixed);
    }
}

} // namespace

QByteArray browser_copy(QByteArrayView text, const QUrl& document_url, const QUrl& copy_url,
                        const QString& stylesheet) {
    const QByteArray base = "<base href=\"" + attribute_url(document_url) + "\">";
    const QByteArray self = attribute_url(copy_url);
    const qsizetype base_at = base_position(text);
    QByteArray copy;
    copy.reserve(text.size() + base.size() + 256);
    qsizetype done = 0;
    bool based = false;
    auto copy_until = [&](qsizetype end) {
        if (!based && base_at <= end) {
            copy.append(text.sliced(done, base_at - done)).append(base);
            done = base_at;
            based = true;
        }
        copy.append(text.sliced(done, end - done));
        done = end;
    };
    for (qsizetype i = 0; i + 4 <= text.size(); ++i) {
        if (lower(text[i]) != 'h' || !word_at(text, i, "href"))
            continue;
        const qsizetype hash = fragment_value_at(text, i);
        if (hash < 0)
            continue;
        copy_until(hash);
        copy.append(self);
        i = hash;
    }
    copy_until(text.size());
    fix_stylesheet_links(copy, stylesheet);
    return copy;
}
