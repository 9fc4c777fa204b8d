#include "css_editor/catalogue.h"

namespace {

using K = ValueKind;

constexpr CatalogueFrame frames[] = {
    {u"Frame1", u"Caratteri", 120, 600, 4095, 2895},
    {u"Frame2", u"Testo", 4320, 600, 4095, 2895},
    {u"Frame3", u"Posizione", 120, 3480, 4095, 2895},
    {u"Frame4", u"Colore e Sfondo", 4320, 3480, 4095, 2895},
};

// Common font-family stacks: a named font, its usual stand-ins, a generic family.
constexpr QStringView font_families[] = {
    u"Arial, Helvetica, sans-serif",
    u"\"Times New Roman\", Times, serif",
    u"\"Courier New\", Courier, monospace",
    u"Georgia, serif",
    u"Verdana, Geneva, sans-serif",
    u"Tahoma, Geneva, sans-serif",
    u"\"Trebuchet MS\", Helvetica, sans-serif",
    u"system-ui, sans-serif",
};
constexpr QStringView font_styles[] = {u"italic", u"normal", u"oblique"};
constexpr QStringView font_variants[] = {u"normal", u"small-caps"};
constexpr QStringView font_weights[] = {u"bold", u"bolder", u"lighter", u"normal"};
constexpr QStringView text_aligns[] = {u"center", u"left", u"right", u"justify"};
constexpr QStringView decorations[] = {u"overline", u"underline", u"line-through", u"none"};
constexpr QStringView transforms[] = {u"capitalize", u"uppercase", u"lowercase", u"none"};
constexpr QStringView vertical_aligns[] = {u"baseline", u"sub",    u"super",    u"top",
                                           u"middle",   u"bottom", u"text-top", u"text-bottom"};
constexpr QStringView positions[] = {u"absolute", u"relative"};
constexpr QStringView visibilities[] = {u"visible", u"hidden", u"inherit"};
constexpr QStringView repeats[] = {u"repeat", u"repeat-x", u"repeat-y", u"no-repeat"};
constexpr QStringView attachments[] = {u"scroll", u"fixed"};

constexpr std::span<const QStringView> none;

// clang-format off
constexpr CatalogueRow rows[] = {
    {0, 0, u"ctipo_c", u"ctipo", u"Tipo", K::List, font_families, -1, u"font-family: "},
    {0, 1, u"cdimensione_c", u"cdimensione", u"Dimensione", K::Text, none, -1, u"font-size: "},
    {0, 2, u"cstile_c", u"cstile", u"Stile", K::List, font_styles, 1, u"font-style: "},
    {0, 3, u"cvariante_c", u"cvariante", u"Variante", K::List, font_variants, 1, u"font-variant: "},
    {0, 4, u"cspessore_c", u"cspessore", u"Spessore", K::List, font_weights, 1, u"font-weight: "},

    {1, 0, u"tallineamento_c", u"tallineamento", u"Allineamento", K::List, text_aligns, 1,
     u"text-align: "},
    {1, 1, u"tdecorazione_c", u"tdecorazione", u"Decorazione", K::List, decorations, 1,
     u"text-decoration: "},
    {1, 2, u"trientro_c", u"trientro", u"Rientro", K::Text, none, -1, u"text-indent: "},
    {1, 3, u"ttrasformazione_c", u"ttrasformazione", u"Trasformazione", K::List, transforms, 1,
     u"text-transform: "},
    {1, 4, u"taltezza_c", u"taltezza", u"Altezza", K::Text, none, -1, u"line-height: "},
    {1, 5, u"tspaziamento_c", u"tspaziamento", u"Spaziamento", K::Text, none, -1,
     u"letter-spacing: "},
    {1, 6, u"tallineamento_verticale_c", u"tallineamento_verticale", u"Allineamento Verticale",
     K::List, vertical_aligns, 1, u"vertical-align: "},

    {2, 0, u"pposizione_c", u"pposizione", u"Posizione", K::List, positions, 1, u"position: "},
    {2, 1, u"pmargine_superiore_c", u"pmargine_superiore", u"Margine superiore", K::Text, none, -1,
     u"top: "},
    {2, 2, u"pmargine_sinistro_c", u"pmargine_sinistro", u"Margine sinistro", K::Text, none, -1,
     u"left: "},
    {2, 3, u"plarghezza_c", u"plarghezza", u"Larghezza", K::Text, none, -1, u"width: "},
    {2, 4, u"paltezza_c", u"paltezza", u"Altezza", K::Text, none, -1, u"height: "},
    {2, 5, u"pvisibilita_c", u"pvisibilita", u"Visibilità", K::List, visibilities, 1,
     u"visibility: "},
    {2, 6, u"pprofondita_c", u"pprofondita", u"Profondità", K::Text, none, -1, u"z-index: "},

    {3, 0, u"scolore_c", u"scolore", u"Colore", K::Colour, none, -1, u"color: "},
    {3, 1, u"scolore_sfondo_c", u"scolore_sfondo", u"Colore Sfondo", K::Colour, none, -1,
     u"background-color: "},
    {3, 2, u"simmagine_sfondo_c", u"simmagine_sfondo", u"Immagine Sfondo", K::Text, none, -1,
     u"background-image: "},
    {3, 3, u"sripetizione_sfondo_c", u"sripetizione_sfondo", u"Ripetizione Sfondo", K::List,
     repeats, 1, u"background-repeat: "},
    {3, 4, u"sposizione_sfondo_c", u"sposizione_sfondo", u"Posizione Sfondo", K::Text, none, -1,
     u"background-position: "},
    {3, 5, u"sscrolling_sfondo_c", u"sscrolling_sfondo", u"Scrolling Sfondo", K::List,
     attachments, 1, u"background-attachment: "},
};
// clang-format on

constexpr QStringView selectors[] = {
    u" B", u" I", u" p", u"A:HOVER", u"A:LINK", u"A:VISITED", u"BODY",
    u"H1", u"H2", u"H3", u"H4",      u"TD",     u"TR",
};

} // namespace

std::span<const CatalogueFrame> catalogue_frames() {
    return frames;
}

std::span<const CatalogueRow> catalogue() {
    return rows;
}

std::span<const QStringView> selector_items() {
    return selectors;
}
