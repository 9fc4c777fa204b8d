// Every prompted tag command, looked up by its menu item name: the answers
// replayed, the exact questions asked (with their defaults), the texts built.

// Table rows for tag commands: the answers to replay, the exact questions
// expected (with their defaults), and the exact result or none.

#include "commands/registry.h"
#include "support/scripted_asker.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace command_case {

// The recorded line of each kind of question.
inline QString input(const QString& prompt, const QString& default_text = {}) {
    return QStringLiteral("input|%1|Immisione parametro|%2").arg(prompt, default_text);
}
inline QString pick(const QString& title, const QStringList& items) {
    return QStringLiteral("pick|%1|%2").arg(title, items.join(u','));
}
inline QString colour(const QString& prompt) {
    return QStringLiteral("colour|%1").arg(prompt);
}
inline QString yes_no(const QString& question, const QString& title) {
    return QStringLiteral("yesno|%1|%2").arg(question, title);
}
inline QString inform(const QString& text) {
    return QStringLiteral("inform|%1").arg(text);
}

inline const QStringList kTargets = {QStringLiteral("_blank"), QStringLiteral("_parent"),
                                     QStringLiteral("_self"), QStringLiteral("_top")};
inline const QString kTargetPick = pick(QStringLiteral("Seleziona Destinazione Link"), kTargets);

struct Case {
    std::string name;    // test name
    const char* command; // menu item name
    QStringList answers; // replayed in order
    QStringList questions;
    std::optional<Snippet> result;
    QStringList unused = {}; // answers the command must never ask for
};

inline void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

inline std::string lines(const QStringList& list) {
    return list.join(u'\n').toStdString();
}

// Runs the row's command, looked up by its menu item name, and checks the
// questions asked, the answers left over and the texts built.
inline void check(const Case& c) {
    const TagCommand command = find_command(QLatin1StringView(c.command));
    ASSERT_NE(command, nullptr) << c.command;
    ScriptedAsker asker(c.answers);
    const std::optional<Snippet> result = command(asker);
    EXPECT_EQ(lines(asker.questions()), lines(c.questions));
    EXPECT_EQ(lines(asker.unused()), lines(c.unused));
    EXPECT_TRUE(asker.bad_answers().isEmpty());
    ASSERT_EQ(result.has_value(), c.result.has_value());
    if (result) {
        EXPECT_EQ(result->open.toStdString(), c.result->open.toStdString());
        EXPECT_EQ(result->close.toStdString(), c.result->close.toStdString());
    }
}

// The rows of one command whose questions do not depend on its answers.
struct Rows {
    const char* command;
    QStringList questions; // all of them, as asked when no required answer is missing
    QString close = {};

    // Every question asked; the opening text built.
    Case operator()(std::string name, QStringList answers, const QString& open) const {
        return Case{std::move(name), command, std::move(answers), questions, Snippet{open, close}};
    }
    // A required answer missing at question `asked`: nothing more asked, nothing built.
    Case stop(std::string name, QStringList answers, qsizetype asked) const {
        return Case{std::move(name),        command,      answers,
                    questions.first(asked), std::nullopt, answers.mid(asked)};
    }
};

inline std::string case_name(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

} // namespace command_case

namespace {

using namespace command_case;

class TagCommandCase : public testing::TestWithParam<Case> {};

TEST_P(TagCommandCase, AsksItsQuestionsAndBuildsTheTexts) {
    check(GetParam());
}

const QString kClass = input("Classe di formattazione");
const QString kEnabled = yes_no("Controllo abilitato ?", "Abilitazione");
const QString kLinkText = input("Testo del collegamento");
const QString kLongForm = input("Forma Estesa(apparirà come tooltip)", "Forma estesa");
const QString kComment = input("Testo da commentare");
const QStringList kAlign3 = {"center", "left", "right"};
const QStringList kValign = {"baseline", "bottom", "top", "middle"};

const Rows kParagraph{"paragrafo",
                      {pick("Allineamento del paragrafo", {"justify", "center", "left", "right"})},
                      "\r\n</p>"};
const Rows kDiv{"container_div", {kClass}, "\r\n</div>"};
const Rows kSpan{"container_span", {kClass, input("ID di formattazione")}, "</span>"};
const Rows kRule{"div_line",
                 {pick("Allineamento della linea", kAlign3),
                  colour("Seleziona il colore della linea"), input("Dimensione linea"),
                  input("Larghezza linea, in numero oppure in percentuale (ex: 34%)"),
                  yes_no("Desideri che la linea sia ombreggiata ?", "Ombreggiatura")}};
const Rows kBase{"base_addr",
                 {input("URL di base, suffisso degli URL relativi", "URL"), kTargetPick}};
const Rows kHeadLink{"lnk_tag",
                     {input("URL del file da includere"), input("Set di caratteri del link"),
                      input("Linguaggio in uso nel link"),
                      input("Relazione tra la pagina attuale ed il lik"),
                      input("Link di ritorno per il link")}};
const Rows kMeta{"meta_tag",
                 {input("Nome del contenuto che si vuole restituire"),
                  input("Valore del contenuto"), input("HTTP-EQUIV")}};
const Rows kExt{"ext_file",
                {input("Url del file esterno"), input("Relazione del file esterno"),
                 input("Tipo del file esterno")}};
const Rows kImage{
    "immagine",
    {pick("Allineamento dell'immagine", {"absbottom", "absmiddle", "baseline", "bottom", "left",
                                         "middle", "right", "texttop", "top"}),
     input("Url dell'immagine"), input("Testo alternativo all'immagine, usato anche come tooltip"),
     input("Spessore Bordo"), input("Url per la descrizione dell'immagine"),
     input("Nome per la manipolazione dell'immagine"), input("Altezza immagine"),
     input("Margine sinistro e destro dell'immagine"), input("Larghezza immagine"),
     input("Margine superiore e inferiore dell'immagine")}};
const Rows kScript{"script",
                   {input("Url dello script"),
                    pick("Seleziona il tipo di script",
                         {"text/javascript", "text/jscript", "text/vbscript", "text/ecmascript"})},
                   "\r\n</script>"};
const Rows kAnchor{
    "anchor", {input("Nome Ancora", "ancora"), input("Testo Ancora", "testo")}, "</a>"};
const Rows kLink{"link",
                 {input("Nome URL, dare #nome_ancora per la stessa pagina"), kTargetPick,
                  input("ToolTip link"), kLinkText},
                 "</a>"};
const Rows kMail{
    "link_mail",
    {input("Indirizzo di posta del destinatario"), input("Oggetto della mail"), kLinkText},
    "</a>"};
const Rows kBody{"corpo",
                 {input("Percorso immagine di sfondo"),
                  colour("Seleziona il colore di sfondo della pagina"),
                  colour("Seleziona il colore del testo della pagina"),
                  colour("Seleziona il colore per i link della pagina"),
                  colour("Seleziona il colore per i link visitati della pagina"),
                  colour("Seleziona il colore per i link attivati della pagina"), kTargetPick},
                 "\r\n</body>"};
const Rows kTable{"tabella",
                  {pick("Allineamento della tabella", kAlign3),
                   input("Percorso immagine di sfondo della tabella"),
                   colour("Seleziona il colore di sfondo della tabella"),
                   input("Spessore Bordo Tabella"),
                   input("Distanza in px tra contenuto cella e bordi interni"),
                   input("Distanza in px tra i bordi delle celle della tabella"),
                   input("Larghezza tabella, in numero oppure in percentuale (ex: 34%)")},
                  "\r\n</table>"};
const Rows kRow{"ins_riga",
                {pick("Allineamento delle celle della riga", kAlign3),
                 input("Percorso immagine di sfondo della riga"),
                 colour("Seleziona il colore di sfondo della riga"), input("Spessore Bordo Riga"),
                 pick("Allineamento verticale delle celle della riga", kValign)},
                "\r\n</tr>"};
const Rows kCell{
    "ins_cella",
    {pick("Allineamento delle cella", kAlign3), input("Percorso immagine di sfondo della cella"),
     colour("Seleziona il colore di sfondo della cella"), input("Spessore Bordo Cella"),
     input("Su quante colonne deve estendersi la cella ?"), input("Altezza Cella"),
     input("Su quante righe deve estendersi la cella ?"),
     input("Larghezza cella, in numero oppure in percentuale (es. 72%)"),
     pick("Allineamento verticale della cella", kValign)},
    "\r\n</td>"};
const Rows kForm{"form_tag",
                 {input("Destinazione della form (URL)"),
                  pick("Seleziona Metodo invio Dati", {"get", "post"}), input("Tipo di codifica"),
                  kTargetPick},
                 "\r\n</form>"};
// input_t asks by the type chosen.
const QString kType =
    pick("Seleziona Tipo di input", {"button", "checkbox", "file", "hidden", "image", "password",
                                     "radio", "reset", "submit", "text"});
const QString kName = input("Nome dell'input");
const QString kValue = input("Valore di default");
const Rows kText{"input_t",
                 {kEnabled, kType, input("Lunghezza massima casella di testo"),
                  input("Larghezza casella di testo"), kName, kValue}};
const Rows kCheckbox{
    "input_t",
    {kEnabled, kType,
     yes_no("Vuoi che la casella di controllo sia selezionata?", "Immisione parametro"), kName,
     kValue}};
const Rows kOtherType{"input_t", {kEnabled, kType, kName, kValue}};
const Rows kTextArea{
    "text_area",
    {input("Larghezza area di testo"), input("Lunghezza area di testo"), kEnabled,
     pick("Seleziona il tipo di ritorno a capo automatico", {"off", "phisical", "virtual"}),
     input("Testo Area di testo")},
    "</textarea>"};

// tasto shows the type chosen before asking its caption.
QStringList button_questions(const QString& shown) {
    return {input("Nome identificativo tasto"), input("Valore tasto"),
            pick("Seleziona il tipo del tasto", {"submit", "reset", "button"}), inform(shown),
            input("Testo Tasto")};
}
// Option lists: the head's questions, a value and a label per option, then the value ending the
// loop.
const QStringList kMenuHead = {kEnabled, input("Nome identificativo menu"),
                               yes_no("Selezione multipla ?", "Selezione"),
                               input("Numero Opzioni da visualizzare")};
QStringList options(QStringList head, int options) {
    for (int i = 0; i < options; ++i)
        head << input("Valore restituito da questa opzione")
             << input("Etichetta per questa opzione");
    return head << input("Valore restituito da questa opzione");
}
Case menu(std::string name, QStringList answers, int n, const char* element) {
    return Case{std::move(name), "menu_t", std::move(answers), options(kMenuHead, n),
                Snippet{element, {}}};
}
Case group(std::string name, QStringList answers, int n, const char* element) {
    return Case{std::move(name), "elenco", std::move(answers), options({kEnabled}, n),
                Snippet{element, {}}};
}
// A command of one input box whose answer, raw, opens the element.
Case content(const char* command, const QString& question, const QString& answer,
             const QString& open, const QString& close) {
    return Case{command, command, {answer}, {question}, Snippet{open, close}};
}
// Lists: asked until an empty entry.
const QString kStart = input("Numero dell'elenco da cui partire ");
const QString kOlType = pick("Seleziona il tipo di numerazione", {"1", "a", "A", "i", "I"});
const QString kOlItem = input("Inserire un elemento dell'elenco");
const QString kUlType = pick("Seleziona il tipo di numerazione", {"circle", "disc", "square"});
const QString kUlItem = input("Inserisce un elemento dell'elenco");
const QString kTerm = input("Termine ");

// clang-format off
INSTANTIATE_TEST_SUITE_P(Blocks, TagCommandCase, testing::Values(
    kParagraph("ParagraphWithoutAlignment", {""}, "<p>\r\n\t"),
    kParagraph("ParagraphCentred", {"center"}, "<p align=\"center\">\r\n\t"),
    kDiv("DivBlankClassLeftOut", {"  "}, "<div>\r\n\t"),
    kSpan("SpanClassAndId", {"c", "i"}, "<span class=\"c\" id=\"i\">"),
    kRule("RuleEveryAttributeInOrder", {"left", "#FF0000", "3", "50%", "No"}, "<hr align=\"left\" color=\"#FF0000\" size=\"3\" width=\"50%\" noshade>"),
    kRule("RuleSizeReadAsNumberWidthAsTyped", {"", "", "3px", " 34 % ", "Yes"}, "<hr size=\"3\" width=\" 34 % \">")),
    case_name);

INSTANTIATE_TEST_SUITE_P(HeadAndPage, TagCommandCase, testing::Values(
    kBase("BaseAddressAndTarget", {"/docs/", "_top"}, "<base href=\"/docs/\" target=\"_top\">"),
    kBase.stop("BaseAddressBlankNoPicker", {"  ", "_top"}, 1),
    kHeadLink("LinkEveryAttributeInOrder", {"a.html", "utf-8", "it", "next", "prev"}, "<link href=\"a.html\" charset=\"utf-8\" hreflang=\"it\" rel=\"next\" rev=\"prev\">"),
    kHeadLink.stop("LinkAddressEmptyStops", {"", "utf-8", "it", "next", "prev"}, 1),
    kMeta("MetaEveryAttribute", {"description", "0; url=a.html", "refresh"}, "<meta name=\"description\" content=\"0; url=a.html\" http-equiv=\"refresh\">"),
    kExt("ExtEveryAttribute", {"a.css", "stylesheet", "text/css"}, "<link href=\"a.css\" rel=\"stylesheet\" type=\"text/css\">"),
    kExt.stop("ExtAddressEmptyStops", {"", "stylesheet", "text/css"}, 1),
    kImage("ImageEveryAnswerEmpty", {}, "<img>"),
    kImage("ImageEveryAttributeInOrderNumbersRead", {"absmiddle", "a.png", "A", "1px", "desc.html", "logo", "10px", "2 px", "20%", "3e0"},
           "<img align=\"absmiddle\" src=\"a.png\" alt=\"A\" border=\"1\" longdesc=\"desc.html\" name=\"logo\" height=\"10\" hspace=\"2\" width=\"20\" vspace=\"3\">"),
    kScript("ScriptSourceAndType", {" lib.vbs ", "text/vbscript"}, "<script src=\" lib.vbs \" type=\"text/vbscript\">\r\n\t"),
    Case{"WholeSkeletonAsksNothing", "pgtag_complete", {}, {}, Snippet{"<html>\r\n<head>\r\n<title></title>\r\n</head>\r\n<body>\r\n\t", "\r\n</body>\r\n</html>"}},
    kBody("BodyEveryAttributeInOrder", {"sfondo.gif", "#FFFFFF", "#000000", "#0000FF", "#800080", "#FF0000", "_self"},
          "<body background=\"sfondo.gif\" bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#0000FF\" vlink=\"#800080\" alink=\"#FF0000\" target=\"_self\">\r\n\t")),
    case_name);

INSTANTIATE_TEST_SUITE_P(Links, TagCommandCase, testing::Values(
    kAnchor("AnchorDefaultsConfirmed", {"ancora", "testo"}, "<A name=\"ancora\">testo"),
    kAnchor.stop("AnchorBlankNameStops", {"   ", "testo"}, 1),
    kLink("LinkEveryAnswerGiven", {"p", "_blank", "t", "x"}, "<A href=\"p\" target=\"_blank\" title=\"t\">x"),
    kLink.stop("LinkAddressCancelledStops", {"", "_top", "t", "x"}, 1),
    kMail("MailSubjectNotEncoded", {"x", "y z", "t"}, "<A href=\"mailto:x?subject=y z\">t"),
    kMail("MailBlankSubjectLeftOut", {"x", "  ", ""}, "<A href=\"mailto:x\">"),
    kMail.stop("MailAddressBlankStops", {" ", "y", "t"}, 1)),
    case_name);

INSTANTIATE_TEST_SUITE_P(Phrases, TagCommandCase, testing::Values(
    content("sample_code", input("Testo esempio del codice", "Codice"), "Codice", "<samp>Codice", "</samp>"),
    content("variabile", input("Variabile"), "", "<var>", "</var>"),
    content("definizione", input("Testo della definizione"), "d", "<dfn>d", "</dfn>"),
    content("txt_user", input("Testo che l'utente dovrebbe digitare"), "ls -l", "<kbd>ls -l", "</kbd>"),
    content("indirizzo", input("Indirizzo"), "Via Roma 1", "<address>Via Roma 1", "</address>"),
    content("one_line", input("Testo da inserire su una linea unica", "Testo"), "Testo", "<nobr>Testo", "</nobr>"),
    content("space_pre", input("Testo di cui preservare la spaziatura"), "  a  b", "<pre>  a  b", "</pre>"),
    content("tile", input("Titolo della pagina"), "Home", "<title>Home", "</title>"),
    // Content is written raw, blank or not, and never escaped.
    content("citazione", input("Testo della citazione"), "   ", "<cite>   ", "</cite>"),
    content("codice", input("Testo del codice"), "<a href=\"x\">&amp;", "<code><a href=\"x\">&amp;", "</code>"),
    content("commento", kComment, "   ", "<!--", "-->"),
    Case{"CommentKeepsItsSpaces", "commento", {" a "}, {kComment}, Snippet{"<!-- a ", "-->"}},
    Case{"AbbreviationDefaultsConfirmed", "abbreviazione", {"Forma estesa", "Abbreviazione"}, {kLongForm, input("Abbreviazione", "Abbreviazione")},
         Snippet{"<abbr title=\"Forma estesa\">Abbreviazione", "</abbr>"}},
    Case{"AcronymLongFormGiven", "acronimo", {"North Atlantic", "NATO"}, {kLongForm, input("Acronimo", "Acronimo")},
         Snippet{"<acronym title=\"North Atlantic\">NATO", "</acronym>"}},
    Case{"AbbreviationBlankLongFormLeftOut", "abbreviazione", {"  ", ""}, {kLongForm, input("Abbreviazione", "Abbreviazione")}, Snippet{"<abbr>", "</abbr>"}}),
    case_name);

INSTANTIATE_TEST_SUITE_P(Tables, TagCommandCase, testing::Values(
    kTable("TableEveryAttributeInOrder", {"center", "sfondo.gif", "#FF0000", "3px", "4px", "2px", " 50% "},
           "<table align=\"center\" background=\"sfondo.gif\" bgcolor=\"#FF0000\" border=\"3\" cellpadding=\"4\" cellspacing=\"2\" width=\" 50% \">\r\n\t"),
    kRow("RowEveryAttribute", {"left", "riga.png", "#00FF00", "2px", "baseline"},
         "<tr align=\"left\" background=\"riga.png\" bgcolor=\"#00FF00\" border=\"2\" valign=\"baseline\">\r\n\t"),
    kCell("CellEveryAttribute", {"center", "c.gif", "#0000FF", "1px", "2 colonne", "20px", "4 righe", " 72% ", "bottom"},
          "<td align=\"center\" background=\"c.gif\" bgcolor=\"#0000FF\" border=\"1\" colspan=\"2\" height=\"20\" rowspan=\"4\" width=\" 72% \" valign=\"bottom\">\r\n\t")),
    case_name);

INSTANTIATE_TEST_SUITE_P(Forms, TagCommandCase, testing::Values(
    kForm("FormEveryAttributeInOrder", {"a.php", "get", "multipart/form-data", "_blank"},
          "<form action=\"a.php\" method=\"get\" enctype=\"multipart/form-data\" target=\"_blank\">\r\n\t"),
    kText("InputTextSizesReadAsNumbers", {"Yes", "text", "20px", " 5 ", "a", "b"}, "<input type=\"text\" maxlength=\"20\" size=\"5\" name=\"a\" value=\"b\">"),
    kCheckbox("InputDisabledCheckedCheckbox", {"No", "checkbox", "Yes", "ok", "1"}, "<input disabled type=\"checkbox\" checked name=\"ok\" value=\"1\">"),
    kOtherType("InputPasswordAsksNoLengthOrSize", {"No", "password", "pw", "x"}, "<input disabled type=\"password\" name=\"pw\" value=\"x\">"),
    kOtherType("InputTypeMustMatchExactly", {"Yes", "Text", "a", "b"}, "<input type=\"Text\" name=\"a\" value=\"b\">"),
    kOtherType("InputPickerClosedBlanksKept", {"Yes", "", " a ", " b "}, "<input name=\" a \" value=\" b \">"),
    kCheckbox.stop("InputBlankNameStopsBeforeTheValue", {"No", "checkbox", "Yes", "   ", "x"}, 4),
    kOtherType.stop("InputBlankValueInsertsNothing", {"Yes", "", "a", " \t "}, 4),
    Case{"ButtonShowsChosenTypeThenAsksCaption", "tasto", {"invia", "1", "submit", "Invia"}, button_questions("submit"),
         Snippet{"<button name=\"invia\" value=\"1\" type=\"submit\">Invia", "</button>"}},
    kTextArea("TextAreaEveryAttributeSizesReadAsNumbers", {"40col", "5 righe", "Yes", "virtual", " Scrivi qui "},
              "<textarea cols=\"40\" rows=\"5\" wrap=\"virtual\"> Scrivi qui "),
    menu("MenuEveryHeadAttributeSizeReadAsNumber", {"No", "scelta", "Yes", "3 righe", "1", "Uno", ""}, 1,
         "<select disabled name=\"scelta\" multiple size=\"3\">\r\n\t<option value=\"1\">Uno</option>\r\n</select>"),
    Case{"MenuBlankValueEndsTheLoop", "menu_t", {"Yes", "", "No", "", "   ", "never asked"}, options(kMenuHead, 0), std::nullopt, {"never asked"}},
    menu("MenuUnlabelledOptionRunsOn", {"Yes", "", "No", "", "a", "", "b", "B", ""}, 2,
         "<select>\r\n\t<option value=\"a\">\t<option value=\"b\">B</option>\r\n</select>"),
    menu("MenuBlanksKeptBlankLabelIsNone", {"Yes", "", "No", "", " a ", " A ", " b ", "  ", ""}, 2,
         "<select>\r\n\t<option value=\" a \"> A </option>\r\n\t<option value=\" b \"></select>"),
    group("GroupDisabledWithOneOption", {"No", "x", "X", ""}, 1, "<optgroup disabled>\r\n\t<option value=\"x\">X</option>\r\n</optgroup>"),
    group("GroupUnlabelledOptionsRunOn", {"Yes", "1", "Uno", "2", "", "3", "", ""}, 3,
          "<optgroup>\r\n\t<option value=\"1\">Uno</option>\r\n\t<option value=\"2\">\t<option value=\"3\"></optgroup>")),
    case_name);

INSTANTIATE_TEST_SUITE_P(Lists, TagCommandCase, testing::Values(
    Case{"OrderedStartReadAsNumberItemsAsTyped", "numbered_list", {"3rd", "i", " a ", "<b>b</b>", ""}, {kStart, kOlType, kOlItem, kOlItem, kOlItem},
         Snippet{"<ol start=\"3\" type=\"i\">\r\n\t<li> a </li>\r\n\t<li><b>b</b></li>\r\n</ol>\r\n", ""}},
    Case{"OrderedFirstItemCancelledInsertsNothing", "numbered_list", {"3", "i", ""}, {kStart, kOlType, kOlItem}, std::nullopt},
    Case{"OrderedBlankItemEndsKeepingEarlierOnes", "numbered_list", {"", "", "a", "   ", "b"}, {kStart, kOlType, kOlItem, kOlItem},
         Snippet{"<ol>\r\n\t<li>a</li>\r\n</ol>\r\n", ""}, {"b"}},
    Case{"UnorderedSquareBullets", "unumberd_list", {"square", "x", "y", ""}, {kUlType, kUlItem, kUlItem, kUlItem},
         Snippet{"<ul type=\"square\">\r\n\t<li>x</li>\r\n\t<li>y</li>\r\n</ul>\r\n", ""}},
    Case{"DefinitionTwoEntries", "list_definition", {"HTML", "Linguaggio", " CSS ", "Stili", " "},
         {kTerm, input("Definizione di HTML"), kTerm, input("Definizione di  CSS "), kTerm},
         Snippet{"<dl>\r\n\t<dt>HTML</dt><dd>Linguaggio</dd>\r\n\t<dt> CSS </dt><dd>Stili</dd>\r\n</dl>", ""}},
    Case{"DefinitionFirstTermBlankInsertsNothing", "list_definition", {"  ", "d"}, {kTerm}, std::nullopt, {"d"}}),
    case_name);
// clang-format on

// The nineteen commands that ask nothing (their captions are checked with the
// whole menu bar).
Case pair(const char* command, const char* open, const char* close) {
    return Case{
        command, command, {}, {}, Snippet{QString::fromUtf8(open), QString::fromUtf8(close)}};
}

TEST(FindCommand, UnknownNameHasNoCommand) {
    EXPECT_EQ(find_command(u"nessuno"), nullptr);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(FixedPairs, TagCommandCase, testing::Values(
    pair("grassetto", "<b>", "</b>"),
    pair("corsivo", "<i>", "</i>"),
    pair("underline", "<strike>", "</strike>"),
    pair("sottolineato", "<u>", "</u>"),
    pair("bigtxt", "<big>", "</big>"),
    pair("littletxt", "<small>", "</small>"),
    pair("enfasi", "<em>", "</em>"),
    pair("enf_fort", "<strong>", "</strong>"),
    pair("apice", "<sup>", "</sup>"),
    pair("pedice", "<sub>", "</sub>"),
    pair("fixed_spac", "<tt>", "</tt>"),
    pair("lineacapo", "<br>", ""),
    pair("al_sx", "<left>", "</left>"),
    pair("al_dx", "<rigth>", "</rigth>"),
    pair("al_cnt", "<center>", "</center>"),
    pair("alt_frame", "<noframe>\r\n", "\r\n</noframe>"),
    pair("alt_script", "<noscript>\r\n", "\r\n</noscript>"),
    pair("html_blk", "<html>\r\n", "\r\n</html>"),
    pair("intestazione", "<head>\r\n", "\r\n</head>")),
    case_name);
// clang-format on

// Entries are never limited: every one given is written, in order.
TEST(ListLength, WritesEveryEntryGiven) {
    for (const bool ordered : {true, false}) {
        QStringList answers = ordered ? QStringList{"", ""} : QStringList{""};
        QString entries;
        for (int i = 1; i <= 500; ++i) {
            answers << QString::number(i);
            entries += QStringLiteral("\t<li>%1</li>\r\n").arg(i);
        }
        ScriptedAsker asker(answers);
        const auto snippet = find_command(ordered ? u"numbered_list" : u"unumberd_list")(asker);
        ASSERT_TRUE(snippet.has_value());
        const QString tag = ordered ? QStringLiteral("ol") : QStringLiteral("ul");
        EXPECT_EQ(snippet->open, "<" + tag + ">\r\n" + entries + "</" + tag + ">\r\n");
        EXPECT_EQ(asker.questions().size(), answers.size() + 1); // the last box ends the list
    }
}

} // namespace
