#include "writing_help/vocabulary.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>

namespace vocabulary {

namespace {

constexpr unsigned V = Void, I = Inline, O = OptionalEnd, R = RawText;

// HTML 5 and the older elements pages still use (and the tag commands
// write): center, font, big, strike, tt, acronym, frames, nobr.
constexpr Element kElements[] = {
    {"a", I,
     "href target name rel hreflang type download ping referrerpolicy charset coords shape"},
    {"abbr", I, ""},
    {"acronym", I, ""},
    {"address", 0, ""},
    {"area", V | I, "alt coords shape href target download rel hreflang type nohref ping"},
    {"article", 0, ""},
    {"aside", 0, ""},
    {"audio", I, "src controls autoplay loop muted preload crossorigin"},
    {"b", I, ""},
    {"base", V, "href target"},
    {"basefont", V, "color face size"},
    {"bdi", I, ""},
    {"bdo", I, ""},
    {"big", I, ""},
    {"blockquote", 0, "cite"},
    {"body", O,
     "onload onunload onbeforeunload onhashchange onresize bgcolor background text link "
     "vlink alink"},
    {"br", V | I, "clear"},
    {"button", I,
     "type name value disabled form formaction formenctype formmethod formnovalidate "
     "formtarget autofocus"},
    {"canvas", I, "width height"},
    {"caption", 0, "align"},
    {"center", 0, ""},
    {"cite", I, ""},
    {"code", I, ""},
    {"col", V, "span width align valign char charoff"},
    {"colgroup", O, "span width align valign char charoff"},
    {"data", I, "value"},
    {"datalist", I, ""},
    {"dd", O, ""},
    {"del", I, "cite datetime"},
    {"details", 0, "open"},
    {"dfn", I, ""},
    {"dialog", 0, "open"},
    {"div", 0, "align"},
    {"dl", 0, "compact"},
    {"dt", O, ""},
    {"em", I, ""},
    {"embed", V | I, "src type width height"},
    {"fieldset", 0, "disabled form name"},
    {"figcaption", 0, ""},
    {"figure", 0, ""},
    {"font", I, "color face size"},
    {"footer", 0, ""},
    {"form", 0, "action method enctype target name accept-charset autocomplete novalidate rel"},
    {"frame", V, "src name frameborder marginwidth marginheight noresize scrolling longdesc"},
    {"frameset", 0, "rows cols onload onunload"},
    {"h1", 0, "align"},
    {"h2", 0, "align"},
    {"h3", 0, "align"},
    {"h4", 0, "align"},
    {"h5", 0, "align"},
    {"h6", 0, "align"},
    {"head", O, "profile"},
    {"header", 0, ""},
    {"hgroup", 0, ""},
    {"hr", V, "align noshade size width"},
    {"html", O, "manifest version xmlns"},
    {"i", I, ""},
    {"iframe", I,
     "src srcdoc name width height allow allowfullscreen loading referrerpolicy "
     "sandbox frameborder scrolling marginwidth marginheight align longdesc"},
    {"img", V | I,
     "src alt width height srcset sizes usemap ismap loading decoding crossorigin "
     "referrerpolicy align border hspace vspace longdesc name"},
    {"input", V | I,
     "type name value checked disabled readonly size maxlength minlength min max "
     "step pattern placeholder required autofocus autocomplete list multiple "
     "accept alt src form formaction formenctype formmethod formnovalidate "
     "formtarget width height align"},
    {"ins", I, "cite datetime"},
    {"kbd", I, ""},
    {"label", I, "for form"},
    {"legend", 0, "align"},
    {"li", O, "value type"},
    {"link", V,
     "href rel type media hreflang sizes crossorigin integrity as referrerpolicy charset"},
    {"main", 0, ""},
    {"map", I, "name"},
    {"mark", I, ""},
    {"menu", 0, ""},
    {"meta", V, "name content http-equiv charset scheme"},
    {"meter", I, "value min max low high optimum"},
    {"nav", 0, ""},
    {"nobr", I, ""},
    {"noframes", 0, ""},
    {"noscript", 0, ""},
    {"object", I,
     "data type name width height usemap form classid codebase archive declare "
     "standby border hspace vspace align"},
    {"ol", 0, "type start reversed compact"},
    {"optgroup", O, "label disabled"},
    {"option", O, "value label selected disabled"},
    {"output", I, "for form name"},
    {"p", O, "align"},
    {"param", V, "name value type valuetype"},
    {"picture", I, ""},
    {"pre", 0, "width"},
    {"progress", I, "value max"},
    {"q", I, "cite"},
    {"rp", I | O, ""},
    {"rt", I | O, ""},
    {"ruby", I, ""},
    {"s", I, ""},
    {"samp", I, ""},
    {"script", I | R,
     "src type async defer crossorigin integrity nomodule referrerpolicy charset "
     "language"},
    {"search", 0, ""},
    {"section", 0, ""},
    {"select", I, "name size multiple disabled required autofocus form autocomplete"},
    {"slot", I, "name"},
    {"small", I, ""},
    {"source", V, "src srcset type media sizes"},
    {"span", I, ""},
    {"strike", I, ""},
    {"strong", I, ""},
    {"style", R, "type media"},
    {"sub", I, ""},
    {"summary", 0, ""},
    {"sup", I, ""},
    {"table", 0, "border cellpadding cellspacing width align bgcolor summary frame rules"},
    {"tbody", O, "align valign char charoff"},
    {"td", O,
     "colspan rowspan headers scope abbr align valign width height bgcolor nowrap axis "
     "char charoff"},
    {"template", 0, ""},
    {"textarea", I | R,
     "name rows cols wrap disabled readonly required placeholder maxlength "
     "minlength autofocus form autocomplete"},
    {"tfoot", O, "align valign char charoff"},
    {"th", O,
     "colspan rowspan headers scope abbr align valign width height bgcolor nowrap axis "
     "char charoff"},
    {"thead", O, "align valign char charoff"},
    {"time", I, "datetime"},
    {"title", R, ""},
    {"tr", O, "align valign bgcolor char charoff"},
    {"track", V, "src kind srclang label default"},
    {"tt", I, ""},
    {"u", I, ""},
    {"ul", 0, "type compact"},
    {"var", I, ""},
    {"video", I,
     "src poster width height controls autoplay loop muted preload playsinline "
     "crossorigin"},
    {"wbr", V | I, ""},
};

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

std::span<const Element> elements() {
    return kElements;
}

const Element* find_element(QByteArrayView name) {
    // Looked up for every tag when "</" looks back for an open element.
    static const auto index = [] {
        std::unordered_map<std::string_view, const Element*> made;
        for (const Element& element : kElements)
            made.emplace(element.name, &element);
        return made;
    }();
    std::array<char, 16> lower;
    if (name.size() > qsizetype(lower.size()))
        return nullptr;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char c = name[i];
        lower[size_t(i)] = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    }
    const auto found = index.find(std::string_view(lower.data(), size_t(name.size())));
    return found == index.end() ? nullptr : found->second;
}

bool is_void(QByteArrayView element) {
    const Element* found = find_element(element);
    return found && (found->flags & Void);
}

QStringList element_names() {
    QStringList names;
    for (const Element& element : kElements)
        names << QString::fromLatin1(element.name);
    return sorted_unique(names);
}

QStringList attribute_names(QByteArrayView element) {
    QStringList names;
    add_words(names, kGlobalAttributes);
    if (const Element* found = find_element(element))
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
    const Element* found = find_element(element);
    return found && listed(found->attributes, attribute);
}

} // namespace vocabulary
