#include "command_case.h"

namespace {

using command_case::Case;
using command_case::input;

class PhraseCommand : public testing::TestWithParam<Case> {};

TEST_P(PhraseCommand, AsksItsQuestionsAndWrapsTheSelection) {
    command_case::check(GetParam());
}

// A command of one input box whose answer, raw, opens the element.
Case content(const char* command, const QString& question, const QString& answer,
             const QString& open, const QString& close) {
    return Case{command, command, {answer}, {question}, Snippet{open, close}};
}

const QString kLongForm = input("Forma Estesa(apparirà come tooltip)", "Forma estesa");
const QString kComment = input("Testo da commentare");

INSTANTIATE_TEST_SUITE_P(
    SingleQuestion, PhraseCommand,
    testing::Values(
        content("sample_code", input("Testo esempio del codice", "Codice"), "Codice",
                "<samp>Codice", "</samp>"),
        content("variabile", input("Variabile"), "", "<var>", "</var>"),
        content("definizione", input("Testo della definizione"), "d", "<dfn>d", "</dfn>"),
        content("txt_user", input("Testo che l'utente dovrebbe digitare"), "ls -l", "<kbd>ls -l",
                "</kbd>"),
        content("indirizzo", input("Indirizzo"), "Via Roma 1", "<address>Via Roma 1", "</address>"),
        content("one_line", input("Testo da inserire su una linea unica", "Testo"), "Testo",
                "<nobr>Testo", "</nobr>"),
        content("space_pre", input("Testo di cui preservare la spaziatura"), "  a  b",
                "<pre>  a  b", "</pre>"),
        content("tile", input("Titolo della pagina"), "Home", "<title>Home", "</title>"),
        // Content is written raw, blank or not, and never escaped.
        content("citazione", input("Testo della citazione"), "   ", "<cite>   ", "</cite>"),
        content("codice", input("Testo del codice"), "<a href=\"x\">&amp;",
                "<code><a href=\"x\">&amp;", "</code>")),
    command_case::case_name);

INSTANTIATE_TEST_SUITE_P(
    LongFormAndComment, PhraseCommand,
    testing::Values(
        Case{"AbbreviationDefaultsConfirmed",
             "abbreviazione",
             {"Forma estesa", "Abbreviazione"},
             {kLongForm, input("Abbreviazione", "Abbreviazione")},
             Snippet{"<abbr title=\"Forma estesa\">Abbreviazione", "</abbr>"}},
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
        content("commento", kComment, "   ", "<!--", "-->"),
        Case{"CommentKeepsItsSpaces", "commento", {" a "}, {kComment}, Snippet{"<!-- a ", "-->"}}),
    command_case::case_name);

} // namespace
