#include "command_case.h"

namespace {

using command_case::Case;
using command_case::input;

class PhraseCommand : public testing::TestWithParam<Case> {};

TEST_P(PhraseCommand, AsksItsQuestionsAndWrapsTheSelection) {
    command_case::check(GetParam());
}

const QString kLongForm = input("Forma Estesa(apparirà come tooltip)", "Forma estesa");
const QString kComment = input("Testo da commentare");

INSTANTIATE_TEST_SUITE_P(SingleQuestion, PhraseCommand,
                         testing::Values(Case{"CitationTextBeforeSelection",
                                              "citazione",
                                              {"x"},
                                              {input("Testo della citazione")},
                                              Snippet{"<cite>x", "</cite>"}},
                                         Case{"CodeCancelledKeepsBareTags",
                                              "codice",
                                              {""},
                                              {input("Testo del codice")},
                                              Snippet{"<code>", "</code>"}},
                                         Case{"SampleCodeDefaultConfirmed",
                                              "sample_code",
                                              {"Codice"},
                                              {input("Testo esempio del codice", "Codice")},
                                              Snippet{"<samp>Codice", "</samp>"}},
                                         Case{"VariableCancelled",
                                              "variabile",
                                              {""},
                                              {input("Variabile")},
                                              Snippet{"<var>", "</var>"}},
                                         Case{"Definition",
                                              "definizione",
                                              {"d"},
                                              {input("Testo della definizione")},
                                              Snippet{"<dfn>d", "</dfn>"}},
                                         Case{"KeyboardInput",
                                              "txt_user",
                                              {"ls -l"},
                                              {input("Testo che l'utente dovrebbe digitare")},
                                              Snippet{"<kbd>ls -l", "</kbd>"}},
                                         Case{"Address",
                                              "indirizzo",
                                              {"Via Roma 1"},
                                              {input("Indirizzo")},
                                              Snippet{"<address>Via Roma 1", "</address>"}},
                                         Case{"OneLineDefaultConfirmed",
                                              "one_line",
                                              {"Testo"},
                                              {input("Testo da inserire su una linea unica",
                                                     "Testo")},
                                              Snippet{"<nobr>Testo", "</nobr>"}},
                                         Case{"PreformattedHasNoLineBreaks",
                                              "space_pre",
                                              {"  a  b"},
                                              {input("Testo di cui preservare la spaziatura")},
                                              Snippet{"<pre>  a  b", "</pre>"}},
                                         Case{"PageTitle",
                                              "tile",
                                              {"Home"},
                                              {input("Titolo della pagina")},
                                              Snippet{"<title>Home", "</title>"}},
                                         // Content is written raw, blank or not, and never escaped.
                                         Case{"BlankContentIsKept",
                                              "citazione",
                                              {"   "},
                                              {input("Testo della citazione")},
                                              Snippet{"<cite>   ", "</cite>"}},
                                         Case{"MarkupInContentAsTyped",
                                              "codice",
                                              {"<a href=\"x\">&amp;"},
                                              {input("Testo del codice")},
                                              Snippet{"<code><a href=\"x\">&amp;", "</code>"}}),
                         command_case::case_name);

INSTANTIATE_TEST_SUITE_P(
    LongForm, PhraseCommand,
    testing::Values(Case{"AbbreviationDefaultsConfirmed",
                         "abbreviazione",
                         {"Forma estesa", "Abbreviazione"},
                         {kLongForm, input("Abbreviazione", "Abbreviazione")},
                         Snippet{"<abbr title=\"Forma estesa\">Abbreviazione", "</abbr>"}},
                    Case{"AcronymWithoutLongForm",
                         "acronimo",
                         {"", "NATO"},
                         {kLongForm, input("Acronimo", "Acronimo")},
                         Snippet{"<acronym>NATO", "</acronym>"}},
                    Case{"AcronymLongFormGiven",
                         "acronimo",
                         {"North Atlantic", "NATO"},
                         {kLongForm, input("Acronimo", "Acronimo")},
                         Snippet{"<acronym title=\"North Atlantic\">NATO", "</acronym>"}},
                    Case{"AbbreviationBlankLongFormLeftOut",
                         "abbreviazione",
                         {"  ", ""},
                         {kLongForm, input("Abbreviazione", "Abbreviazione")},
                         Snippet{"<abbr>", "</abbr>"}},
                    Case{"AbbreviationLongFormKeepsItsSpaces",
                         "abbreviazione",
                         {" x ", "ab"},
                         {kLongForm, input("Abbreviazione", "Abbreviazione")},
                         Snippet{"<abbr title=\" x \">ab", "</abbr>"}}),
    command_case::case_name);

INSTANTIATE_TEST_SUITE_P(
    Comment, PhraseCommand,
    testing::Values(
        Case{"BlankTextDropped", "commento", {"   "}, {kComment}, Snippet{"<!--", "-->"}},
        Case{"CancelledText", "commento", {""}, {kComment}, Snippet{"<!--", "-->"}},
        Case{"TextRightAfterOpening", "commento", {"a b"}, {kComment}, Snippet{"<!--a b", "-->"}},
        Case{
            "GivenTextKeepsItsSpaces", "commento", {" a "}, {kComment}, Snippet{"<!-- a ", "-->"}}),
    command_case::case_name);

} // namespace
