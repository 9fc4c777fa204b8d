#include "writing_help/vocabulary.h"

#include <algorithm>
#include <string_view>

namespace vocabulary {

namespace {

constexpr const char* kGlobalAttributes =
    "accesskey class contenteditable dir draggable hidden id lang role spellcheck style tabindex "
    "title translate onblur onchange onclick ondblclick onfocus oninput onkeydown onkeypress "
    "onkeyup onmousedown onmousemove onmouseout onmouseover onmouseup";

constexpr const char* kBooleanAttributes =
    "allowfullscreen async autofocus autoplay checked compact controls declare default defer "
    "disabled formnovalidate hidden ismap loop multiple muted nohref nomodule noresize noshade "
    "novalidate nowrap open playsinline readonly required reversed selected";

struct Values {
    const char* element; // "" for every element that takes the attribute
    const char* attribute;
    const char* values;
};

// An element's own entry wins over the one for every element.
constexpr Values kValues[] = {
    {"", "target", "_blank _parent _self _top"},
    {"form", "method", "get post dialog"},
    {"", "formmethod", "get post"},
    {"form", "enctype", "application/x-www-form-urlencoded multipart/form-data text/plain"},
    {"input", "type",
     "button checkbox color date datetime-local email file hidden image month number password "
     "radio range reset search submit tel text time url week"},
    {"button", "type", "button reset submit"},
    {"script", "type", "module text/javascript"},
    {"style", "type", "text/css"},
    {"link", "type", "text/css"},
    {"", "align", "center justify left right"},
    {"img", "align", "bottom left middle right top"},
    {"iframe", "align", "bottom left middle right top"},
    {"object", "align", "bottom left middle right top"},
    {"input", "align", "bottom left middle right top"},
    {"table", "align", "center left right"},
    {"caption", "align", "bottom left right top"},
    {"", "valign", "baseline bottom middle top"},
    {"", "rel",
     "alternate author bookmark external help icon license manifest next nofollow noopener "
     "noreferrer preconnect prefetch preload prev search stylesheet tag"},
    {"meta", "http-equiv",
     "content-language content-security-policy content-type default-style expires pragma "
     "refresh set-cookie x-ua-compatible"},
    {"", "dir", "auto ltr rtl"},
    {"", "shape", "circle default poly rect"},
    {"", "scope", "col colgroup row rowgroup"},
    {"", "loading", "eager lazy"},
    {"", "decoding", "async auto sync"},
    {"", "preload", "auto metadata none"},
    {"", "crossorigin", "anonymous use-credentials"},
    {"", "autocomplete", "off on"},
    {"textarea", "wrap", "hard off soft"},
    {"", "scrolling", "auto no yes"},
    {"", "frameborder", "0 1"},
    {"br", "clear", "all left none right"},
    {"track", "kind", "captions chapters descriptions metadata subtitles"},
    {"", "contenteditable", "false true"},
    {"", "draggable", "false true"},
    {"", "spellcheck", "false true"},
    {"", "translate", "no yes"},
};

bool same_name(QByteArrayView a, QByteArrayView b) {
    return a.size() == b.size() && QByteArrayView(a).compare(b, Qt::CaseInsensitive) == 0;
}

// Whether `name` is one of the space-separated words of `list`.
bool listed(const char* list, QByteArrayView name) {
    const QByteArrayView words(list);
    for (qsizetype start = 0; start < words.size();) {
        qsizetype end = words.indexOf(' ', start);
        if (end < 0)
            end = words.size();
        if (same_name(words.sliced(start, end - start), name))
            return true;
        start = end + 1;
    }
    return false;
}

void add_words(QStringList& out, const char* list) {
    for (const QByteArray& word : QByteArray(list).split(' '))
        if (!word.isEmpty())
            out << QString::fromLatin1(word);
}

QStringList sorted_unique(QStringList list) {
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
    return list;
}

} // namespace

const html::Element* find_element(QByteArrayView name) {
    return html::find_element(std::string_view(name.data(), size_t(name.size())));
}

QStringList element_names() {
    QStringList names;
    for (const html::Element& element : html::elements())
        names << QString::fromLatin1(element.name);
    return sorted_unique(names);
}

QStringList attribute_names(QByteArrayView element) {
    QStringList names;
    add_words(names, kGlobalAttributes);
    if (const html::Element* found = find_element(element))
        add_words(names, found->attributes);
    return sorted_unique(names);
}

QStringList attribute_values(QByteArrayView element, QByteArrayView attribute) {
    const Values* general = nullptr;
    for (const Values& entry : kValues) {
        if (!same_name(QByteArrayView(entry.attribute), attribute))
            continue;
        if (same_name(QByteArrayView(entry.element), element)) {
            general = &entry;
            break;
        }
        if (!*entry.element && !general)
            general = &entry;
    }
    // A general entry applies only where the element takes the attribute.
    QStringList values;
    if (general && (*general->element || knows_attribute(element, attribute)))
        add_words(values, general->values);
    return sorted_unique(values);
}

bool is_boolean_attribute(QByteArrayView attribute) {
    return listed(kBooleanAttributes, attribute);
}

bool knows_attribute(QByteArrayView element, QByteArrayView attribute) {
    const auto prefixed = [&](const char* prefix) {
        return attribute.size() > qsizetype(qstrlen(prefix)) &&
               attribute.first(qstrlen(prefix)).compare(prefix, Qt::CaseInsensitive) == 0;
    };
    if (prefixed("on") || prefixed("data-") || prefixed("aria-"))
        return true;
    if (listed(kGlobalAttributes, attribute))
        return true;
    const html::Element* found = find_element(element);
    return found && listed(found->attributes, attribute);
}

} // namespace vocabulary
