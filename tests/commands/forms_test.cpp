#include "command_case.h"

namespace {

using asked::Case;
using asked::input;
using asked::pick;
using asked::yes_no;

// form_tag
const QStringList kFormQuestions = {
    input("Destinazione della form (URL)"),
    pick("Seleziona Metodo invio Dati", {"get", "post"}),
    input("Tipo di codifica"),
    pick("Seleziona Destinazione Link", {"_blank", "_parent", "_self", "_top"}),
};

class FormCommand : public testing::TestWithParam<Case> {};

TEST_P(FormCommand, AsksFourAttributesAndWrapsTheSelection) {
    asked::check(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Form, FormCommand,
    testing::Values(
        Case{"EveryAnswerEmpty",
             "form_tag",
             {},
             kFormQuestions,
             Snippet{"<form>\r\n\t", "\r\n</form>"}},
        Case{"ActionMethodAndTarget",
             "form_tag",
             {"invia.asp", "post", "", "_self"},
             kFormQuestions,
             Snippet{"<form action=\"invia.asp\" method=\"post\" target=\"_self\">\r\n\t",
                     "\r\n</form>"}},
        Case{"EveryAttributeInQuestionOrder",
             "form_tag",
             {"a.php", "get", "multipart/form-data", "_blank"},
             kFormQuestions,
             Snippet{"<form action=\"a.php\" method=\"get\" enctype=\"multipart/form-data\" "
                     "target=\"_blank\">\r\n\t",
                     "\r\n</form>"}},
        Case{"BlanksAroundActionKeptBlankEncodingLeftOut",
             "form_tag",
             {" invia.asp ", "", "   ", ""},
             kFormQuestions,
             Snippet{"<form action=\" invia.asp \">\r\n\t", "\r\n</form>"}}),
    asked::case_name);

// input_t
const QString kEnabled = yes_no("Controllo abilitato ?", "Abilitazione");
const QString kType =
    pick("Seleziona Tipo di input", {"button", "checkbox", "file", "hidden", "image", "password",
                                     "radio", "reset", "submit", "text"});
const QString kChecked =
    yes_no("Vuoi che la casella di controllo sia selezionata?", "Immisione parametro");
const QString kMaxLength = input("Lunghezza massima casella di testo");
const QString kSize = input("Larghezza casella di testo");
const QString kName = input("Nome dell'input");
const QString kValue = input("Valore di default");

Snippet tag(const char* open) {
    return Snippet{open, {}};
}

class InputCommand : public testing::TestWithParam<Case> {};

TEST_P(InputCommand, BranchesOnTypeAndNeedsNameAndValue) {
    asked::check(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Input, InputCommand,
    testing::Values(
        Case{"TextAsksLengthAndSize",
             "input_t",
             {"Yes", "text", "20", "10", "nome", "x"},
             {kEnabled, kType, kMaxLength, kSize, kName, kValue},
             tag("<input type=\"text\" maxlength=\"20\" size=\"10\" name=\"nome\" value=\"x\">")},
        Case{"TextLengthAndSizeReadAsNumbers",
             "input_t",
             {"Yes", "text", "20px", " 5 ", "a", "b"},
             {kEnabled, kType, kMaxLength, kSize, kName, kValue},
             tag("<input type=\"text\" maxlength=\"20\" size=\"5\" name=\"a\" value=\"b\">")},
        Case{"TextNumbersNotAboveZeroLeftOut",
             "input_t",
             {"Yes", "text", "0", "abc", "a", "b"},
             {kEnabled, kType, kMaxLength, kSize, kName, kValue},
             tag("<input type=\"text\" name=\"a\" value=\"b\">")},
        Case{"DisabledCheckedCheckbox",
             "input_t",
             {"No", "checkbox", "Yes", "ok", "1"},
             {kEnabled, kType, kChecked, kName, kValue},
             tag("<input disabled type=\"checkbox\" checked name=\"ok\" value=\"1\">")},
        Case{"UncheckedCheckbox",
             "input_t",
             {"Yes", "checkbox", "No", "ok", "1"},
             {kEnabled, kType, kChecked, kName, kValue},
             tag("<input type=\"checkbox\" name=\"ok\" value=\"1\">")},
        Case{"PickerClosedAsksNoTypeQuestion",
             "input_t",
             {"Yes", "", "a", "b"},
             {kEnabled, kType, kName, kValue},
             tag("<input name=\"a\" value=\"b\">")},
        Case{"RadioAsksNoCheckedQuestion",
             "input_t",
             {"Yes", "radio", "r", "1"},
             {kEnabled, kType, kName, kValue},
             tag("<input type=\"radio\" name=\"r\" value=\"1\">")},
        Case{"PasswordAsksNoLengthOrSize",
             "input_t",
             {"No", "password", "pw", "x"},
             {kEnabled, kType, kName, kValue},
             tag("<input disabled type=\"password\" name=\"pw\" value=\"x\">")},
        Case{"TypeMustMatchExactly",
             "input_t",
             {"Yes", "Text", "a", "b"},
             {kEnabled, kType, kName, kValue},
             tag("<input type=\"Text\" name=\"a\" value=\"b\">")},
        Case{"NameAndValueKeepTheirBlanks",
             "input_t",
             {"Yes", "", " a ", " b "},
             {kEnabled, kType, kName, kValue},
             tag("<input name=\" a \" value=\" b \">")},
        Case{"EmptyNameStopsBeforeTheValue",
             "input_t",
             {"Yes", "text", "20", "10", "", "x"},
             {kEnabled, kType, kMaxLength, kSize, kName},
             std::nullopt,
             {"x"}},
        Case{"BlankNameStopsBeforeTheValue",
             "input_t",
             {"No", "checkbox", "Yes", "   ", "x"},
             {kEnabled, kType, kChecked, kName},
             std::nullopt,
             {"x"}},
        Case{"EmptyValueInsertsNothing",
             "input_t",
             {"Yes", "hidden", "a", ""},
             {kEnabled, kType, kName, kValue},
             std::nullopt},
        Case{"BlankValueInsertsNothing",
             "input_t",
             {"Yes", "", "a", " \t "},
             {kEnabled, kType, kName, kValue},
             std::nullopt}),
    asked::case_name);

// tasto
QStringList button_questions(const QString& shown) {
    return {input("Nome identificativo tasto"), input("Valore tasto"),
            pick("Seleziona il tipo del tasto", {"submit", "reset", "button"}),
            asked::inform(shown), input("Testo Tasto")};
}

// text_area
const QStringList kTextAreaQuestions = {
    input("Larghezza area di testo"),
    input("Lunghezza area di testo"),
    yes_no("Controllo abilitato ?", "Abilitazione"),
    pick("Seleziona il tipo di ritorno a capo automatico", {"off", "phisical", "virtual"}),
    input("Testo Area di testo"),
};

class ContentCommand : public testing::TestWithParam<Case> {};

TEST_P(ContentCommand, PutsItsContentBeforeTheSelection) {
    asked::check(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    ButtonAndTextArea, ContentCommand,
    testing::Values(Case{"ButtonShowsChosenTypeThenAsksCaption",
                         "tasto",
                         {"invia", "1", "submit", "Invia"},
                         button_questions("submit"),
                         Snippet{"<button name=\"invia\" value=\"1\" type=\"submit\">Invia",
                                 "</button>"}},
                    Case{"ButtonEveryAnswerEmptyShowsEmptyText",
                         "tasto",
                         {},
                         button_questions(""),
                         Snippet{"<button>", "</button>"}},
                    Case{"ButtonCaptionWrittenRawEvenBlank",
                         "tasto",
                         {"  ", "  ", "reset", "  "},
                         button_questions("reset"),
                         Snippet{"<button type=\"reset\">  ", "</button>"}},
                    Case{"TextAreaEveryAttribute",
                         "text_area",
                         {"40", "5", "Yes", "virtual", "Scrivi qui"},
                         kTextAreaQuestions,
                         Snippet{"<textarea cols=\"40\" rows=\"5\" wrap=\"virtual\">Scrivi qui",
                                 "</textarea>"}},
                    Case{"TextAreaDisabledOnly",
                         "text_area",
                         {"", "", "No", "", ""},
                         kTextAreaQuestions,
                         Snippet{"<textarea disabled>", "</textarea>"}},
                    Case{"TextAreaSizesNotAboveZeroLeftOut",
                         "text_area",
                         {"0", "abc", "Yes", "", ""},
                         kTextAreaQuestions,
                         Snippet{"<textarea>", "</textarea>"}},
                    Case{"TextAreaSizesReadAsNumbersTextRaw",
                         "text_area",
                         {"40col", "-5", "Yes", "phisical", " x "},
                         kTextAreaQuestions,
                         Snippet{"<textarea cols=\"40\" wrap=\"phisical\"> x ", "</textarea>"}}),
    asked::case_name);

TEST(FormCommands, RegisteredUnderTheirMenuItems) {
    QStringList names = asked::names(form_commands());
    names.sort();
    EXPECT_EQ(asked::lines(names),
              asked::lines({"elenco", "form_tag", "input_t", "menu_t", "tasto", "text_area"}));
}

} // namespace
