#include "html/elements.h"

#include "html/chars.h"

#include <array>
#include <unordered_map>

namespace html {

namespace {

constexpr unsigned V = Element::Void, I = Element::Phrase, O = Element::OptionalEnd,
                   R = Element::RawText, E = Element::EscapableRawText;

// The older elements among them: center, font, big, strike, tt, acronym,
// frames, nobr.
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
    {"textarea", I | E,
     "name rows cols wrap disabled readonly required placeholder maxlength "
     "minlength autofocus form autocomplete"},
    {"tfoot", O, "align valign char charoff"},
    {"th", O,
     "colspan rowspan headers scope abbr align valign width height bgcolor nowrap axis "
     "char charoff"},
    {"thead", O, "align valign char charoff"},
    {"time", I, "datetime"},
    {"title", E, ""},
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

} // namespace

std::span<const Element> elements() {
    return kElements;
}

const Element* find_element(std::string_view name) {
    // Looked up for every tag when "</" looks back for an open element.
    static const auto index = [] {
        std::unordered_map<std::string_view, const Element*> made;
        for (const Element& element : kElements)
            made.emplace(element.name, &element);
        return made;
    }();
    std::array<char, 16> lowered;
    if (name.size() > lowered.size())
        return nullptr;
    for (size_t i = 0; i < name.size(); ++i)
        lowered[i] = chars::lower(name[i]);
    const auto found = index.find(std::string_view(lowered.data(), name.size()));
    return found == index.end() ? nullptr : found->second;
}

} // namespace html
