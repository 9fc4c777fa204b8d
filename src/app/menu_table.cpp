#include "app/menu_table.h"

#include <array>

namespace {

constexpr MenuItemDef kLink[] = {
    {"anchor", u"Ancora (Segnalibro della pagina)"},
    {"link", u"Collegamento"},
    {"link_mail", u"Collegamento di posta"},
};

constexpr MenuItemDef kSpecial[] = {
    {"abbreviazione", u"&Abbreviazione"},
    {"acronimo", u"A&cronimo"},
    {"indirizzo", u"&Indirizzo"},
    {"citazione", u"&Citazione"},
    {"codice", u"C&odice"},
    {"sample_code", u"&Esempio Codice"},
    {"variabile", u"&Variabile"},
    {"definizione", u"&Definizione"},
    {"txt_user", u"&Testo da digitare"},
    {"list_definition", u"&Elenco Definizione"},
};

constexpr MenuItemDef kTextFormat[] = {
    {"grassetto", u"&Grassetto"},
    {"corsivo", u"C&orsivo"},
    {"underline", u"&Barrato"},
    {"sottolineato", u"&Sottolineato"},
    {"bigtxt", u"&Testo Grande"},
    {"littletxt", u"T&esto Piccolo"},
    {"container_div", u"&Contenitore Testo Formattato : div"},
    {"container_span", u"&Contenitore Testo Formattato : span"},
    {"enfasi", u"&Enfasi"},
    {"enf_fort", u"&Forte enfasi"},
    {"apice", u"&Apice"},
    {"pedice", u"&Pedice"},
    {"one_line", u"&Forza Testo su una linea"},
    {"fixed_spac", u"&Carattere a spaziatura fissa"},
    {"space_pre", u"&Preserva Spaziatura"},
    {"paragrafo", u"&Paragrafo"},
    {"numbered_list", u"&Elenco numerato"},
    {"unumberd_list", u"E&lenco non numerato"},
};

constexpr MenuItemDef kTextPos[] = {
    {"lineacapo", u"&Linea a Capo"},        {"div_line", u"L&inea di divisione"},
    {"al_sx", u"Allineamento a &Sinistra"}, {"al_dx", u"Allineamento a &Destra"},
    {"al_cnt", u"Allineamento al &Centro"},
};

constexpr MenuItemDef kForm[] = {
    {"form_tag", u"&Form"},         {"tasto", u"&Tasto"},
    {"input_t", u"&Input"},         {"elenco", u"&Elenco Opzioni"},
    {"menu_t", u"&Menu a tendina"}, {"text_area", u"&Area di Testo"},
};

constexpr MenuItemDef kVarie[] = {
    {"immagine", u"&Immagine"},
    {"alt_frame", u"&Contenuto alternativo Frame"},
    {"script", u"&Script"},
    {"alt_script", u"C&ontenuto alternativo script"},
    {"commento", u"Co&mmento"},
    {"base_addr", u"I&ndirizzo Base"},
    {"lnk_tag", u"&Tag LINK"},
    {"meta_tag", u"T&ag META"},
    {"ext_file", u"&Includi File Esterno"},
};

constexpr MenuItemDef kSection[] = {
    {"html_blk", u"&Blocco HTML"},
    {"intestazione", u"&Intestazione"},
    {"tile", u"&Titolo"},
    {"corpo", u"&Corpo"},
    {"pgtag_complete", u"&Tag Pagina Completo"},
};

constexpr MenuItemDef kTool[] = {
    {"colore", u"&Seleziona Colore"}, {"tabella", u"&Inserisci Tabella"},
    {"ins_riga", u"&Inserisci Riga"}, {"ins_cella", u"I&nserisci Cella"},
    {"css_editor", u"&Editor CSS"},   {"tmp_stylesheet", u"&Applica foglio di stile temporaneo"},
};

constexpr MenuDef kMenus[] = {
    {"link_menu", u"&Link", kLink},
    {"special", u"&Speciali", kSpecial},
    {"txt_form", u"&Formattazione", kTextFormat},
    {"txt_pos", u"&Posizione Elementi", kTextPos},
    {"form_html", u"&Form", kForm},
    {"varie", u"&Varie", kVarie},
    {"section", u"&Sezioni Pagina", kSection},
    {"tool", u"&Tool", kTool},
};

constexpr int kSmall = 375;
constexpr int kRow1 = 120;
constexpr int kRow2 = 600;

constexpr ToolButtonDef kButtons[] = {
    {"Command5", "Command5", 0, kRow1, kSmall, kSmall, "open", u"Apri un file HTML", u"Apri", true,
     25},
    {"Command1", "Command1", 360, kRow1, kSmall, kSmall, "save", u"Salva il file corrente",
     u"Salva", true},
    {"Command6", "link", 840, kRow1, kSmall, kSmall, "link", u"Collegamento", u"Collegamento",
     true},
    {"Command7", "grassetto", 1320, kRow1, kSmall, kSmall, "bold", u"Grassetto", u"Grassetto",
     true},
    {"Command8", "corsivo", 1680, kRow1, kSmall, kSmall, "italic", u"Corsivo", u"Corsivo", true},
    {"Command9", "sottolineato", 2040, kRow1, kSmall, kSmall, "underline", u"Sottolineato",
     u"Sottolineato", true},
    {"Command10", "apice", 2520, kRow1, kSmall, kSmall, "superscript", u"Apice", u"Apice", true},
    {"Command11", "pedice", 2880, kRow1, kSmall, kSmall, "subscript", u"Pedice", u"Pedice", true},
    {"Command12", "numbered_list", 3360, kRow1, kSmall, kSmall, "numbered_list", u"Elenco numerato",
     u"Elenco numerato", true},
    {"Command13", "unumberd_list", 3720, kRow1, kSmall, kSmall, "bullet_list",
     u"Elenco non numerato", u"Elenco non numerato", true},
    {"Command14", "al_sx", 4200, kRow1, kSmall, kSmall, "align_left", u"Allineamento a sinistra",
     u"Allineamento a sinistra", true},
    {"Command15", "al_cnt", 4560, kRow1, kSmall, kSmall, "align_center", u"Allineamento al centro",
     u"Allineamento al centro", true},
    {"Command16", "al_dx", 4920, kRow1, kSmall, kSmall, "align_right", u"Allineamento a destra",
     u"Allineamento a destra", true},
    {"Command17", "paragrafo", 5400, kRow1, kSmall, kSmall, "paragraph", u"Paragrafo", u"Paragrafo",
     true},
    {"Command18", "container_div", 5760, kRow1, kSmall, kSmall, "div", u"Contenitore div",
     u"Contenitore div", true},
    {"Command19", "lineacapo", 6240, kRow1, kSmall, kSmall, "line_break", u"Linea a capo",
     u"Linea a capo", true},
    {"Command27", "colore", 6720, kRow1, kSmall, kSmall, "colour", u"Seleziona colore",
     u"Seleziona colore", true},
    {"Command20", "form_tag", 0, kRow2, kSmall, kSmall, "form", u"Form", u"Form", true},
    {"Command21", "menu_t", 360, kRow2, kSmall, kSmall, "dropdown", u"Menu a tendina",
     u"Menu a tendina", true},
    {"Command23", "elenco", 720, kRow2, kSmall, kSmall, "listbox", u"Elenco opzioni",
     u"Elenco opzioni", true},
    {"Command24", "input_t", 1080, kRow2, kSmall, kSmall, "checkbox", u"Input", u"Input", true},
    {"Command25", "tasto", 1440, kRow2, kSmall, kSmall, "button", u"Tasto", u"Tasto", true},
    {"Command22", "text_area", 1800, kRow2, kSmall, kSmall, "textarea", u"Area di testo",
     u"Area di testo", true},
    {"Command26", "immagine", 2280, kRow2, kSmall, kSmall, "image", u"Immagine", u"Immagine", true},
    {"Command2", "Command2", 120, 1080, 735, kSmall, "preview",
     u"Attiva/Disattiva anteprima interna", u"Anteprima interna", false},
    {"Command3", "Command3", 960, 1080, 735, kSmall, "preview_default_browser",
     u"Anteprima nel browser predefinito", u"Anteprima nel browser predefinito", false, 44},
    {"Command4", "Command4", 1800, 1080, 735, kSmall, "preview_firefox",
     u"Anteprima in Mozilla Firefox", u"Anteprima in Mozilla Firefox", false, 44},
};

constexpr KeyDef kKeys[] = {
    {"new_document", u"Ctrl+N", u"Nuovo documento"},
    {"Command5", u"Ctrl+O", u"Apri un file HTML"},
    {"save_action", u"Ctrl+S", u"Salva"},
    {"save_as_action", u"Ctrl+Shift+S", u"Salva con nome"},
    {"quit", u"Ctrl+Q", u"Chiudi Marklet"},
    {"undo", u"Ctrl+Z", u"Annulla", KeyDef::EditArea},
    {"redo", u"Ctrl+Y; Ctrl+Shift+Z", u"Rifai", KeyDef::EditArea},
    {"cut", u"Ctrl+X", u"Taglia", KeyDef::EditArea},
    {"copy", u"Ctrl+C", u"Copia", KeyDef::EditArea},
    {"paste", u"Ctrl+V", u"Incolla", KeyDef::EditArea},
    {"select_all", u"Ctrl+A", u"Seleziona tutto", KeyDef::EditArea},
    {"find_action", u"Ctrl+F", u"Trova"},
    {"replace_action", u"Ctrl+H", u"Sostituisci"},
    {"find_next_action", u"F3", u"Trova successivo"},
    {"find_previous_action", u"Shift+F3", u"Trova precedente"},
    {"next_finding", u"F8", u"Problema successivo della pagina"},
    {"previous_finding", u"Shift+F8", u"Problema precedente della pagina"},
    {"file_change_focus_action", u"F6", u"Vai all'avviso di file cambiato su disco"},
    {"zoom_in", u"Ctrl++; Ctrl+=",
     u"Ingrandisci il testo, o l'anteprima quando ha lo stato attivo"},
    {"zoom_out", u"Ctrl+-", u"Riduci il testo, o l'anteprima quando ha lo stato attivo"},
    {"zoom_reset", u"Ctrl+0", u"Dimensione normale del testo, o dell'anteprima"},
    {"zoom_wheel", u"Ctrl+rotellina del mouse", u"Ingrandisci o riduci dove è il puntatore",
     KeyDef::Note},
    {"pane_click", u"Ctrl+clic nell'anteprima", u"Vai all'elemento nel testo", KeyDef::Note},
    {"menu_keys", u"F10, Alt", u"Barra dei menu: poi le frecce, o la lettera sottolineata",
     KeyDef::Note},
    {"close_bar", u"Esc", u"Chiudi la barra di ricerca, o questo elenco", KeyDef::Note},
    {"keys_window", u"F1", u"Questo elenco dei tasti"},
};

constexpr std::array<const char*, 59> kTagNames = {
    "A",        "ABBR",     "ACRONYM", "ADDRESS", "B",   "BIG",   "BODY",   "BUTTON",   "CITE",
    "CODE",     "DD",       "DFN",     "DIV",     "DL",  "DT",    "EM",     "FONT",     "FORM",
    "FRAMESET", "H1",       "H2",      "H3",      "H4",  "H5",    "H6",     "HEAD",     "HR",
    "HTML",     "I",        "IFRAME",  "KBD",     "LI",  "MAP",   "NOBR",   "NOFRAMES", "NOSCRIPT",
    "OL",       "OPTGROUP", "OPTION",  "P",       "PRE", "SAMP",  "SCRIPT", "SELECT",   "SMALL",
    "SPAN",     "STRIKE",   "STRONG",  "SUB",     "SUP", "TABLE", "TD",     "TEXTAREA", "TITLE",
    "TR",       "TT",       "U",       "UL",      "VAR",
};

} // namespace

std::span<const MenuDef> menu_table() {
    return kMenus;
}
std::span<const ToolButtonDef> toolbar_table() {
    return kButtons;
}
std::span<const KeyDef> key_table() {
    return kKeys;
}
std::span<const char* const> tag_names() {
    return kTagNames;
}
