#include "command_case.h"

namespace {

using asked::Case;
using asked::input;
using asked::pick;
using asked::Rows;
using asked::yes_no;

class FormCommand : public testing::TestWithParam<Case> {};

TEST_P(FormCommand, AsksItsQuestionsAndBuildsTheControl) {
    asked::check(GetParam());
}

const Rows kForm{"form_tag",
                 {input("Destinazione della form (URL)"),
                  pick("Seleziona Metodo invio Dati", {"get", "post"}), input("Tipo di codifica"),
                  pick("Seleziona Destinazione Link", {"_blank", "_parent", "_self", "_top"})},
                 "\r\n</form>"};

// input_t: the questions of each branch on the type chosen.
const QString kEnabled = yes_no("Controllo abilitato ?", "Abilitazione");
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

// tasto shows the type chosen before asking its caption.
QStringList button_questions(const QString& shown) {
    return {input("Nome identificativo tasto"), input("Valore tasto"),
            pick("Seleziona il tipo del tasto", {"submit", "reset", "button"}),
            asked::inform(shown), input("Testo Tasto")};
}

const Rows kTextArea{
    "text_area",
    {input("Larghezza area di testo"), input("Lunghezza area di testo"),
     yes_no("Controllo abilitato ?", "Abilitazione"),
     pick("Seleziona il tipo di ritorno a capo automatico", {"off", "phisical", "virtual"}),
     input("Testo Area di testo")},
    "</textarea>"};

INSTANTIATE_TEST_SUITE_P(
    Forms, FormCommand,
    testing::Values(
        kForm("FormEveryAnswerEmpty", {}, "<form>\r\n\t"),
        kForm("FormEveryAttributeInQuestionOrder",
              {"a.php", "get", "multipart/form-data", "_blank"},
              "<form action=\"a.php\" method=\"get\" enctype=\"multipart/form-data\" "
              "target=\"_blank\">\r\n\t"),
        kText("InputTextAsksLengthAndSizeReadAsNumbers", {"Yes", "text", "20px", " 5 ", "a", "b"},
              "<input type=\"text\" maxlength=\"20\" size=\"5\" name=\"a\" value=\"b\">"),
        kCheckbox("InputDisabledCheckedCheckbox", {"No", "checkbox", "Yes", "ok", "1"},
                  "<input disabled type=\"checkbox\" checked name=\"ok\" value=\"1\">"),
        kCheckbox("InputUncheckedCheckbox", {"Yes", "checkbox", "No", "ok", "1"},
                  "<input type=\"checkbox\" name=\"ok\" value=\"1\">"),
        kOtherType("InputPasswordAsksNoLengthOrSize", {"No", "password", "pw", "x"},
                   "<input disabled type=\"password\" name=\"pw\" value=\"x\">"),
        kOtherType("InputTypeMustMatchExactly", {"Yes", "Text", "a", "b"},
                   "<input type=\"Text\" name=\"a\" value=\"b\">"),
        kOtherType("InputPickerClosedBlanksKept", {"Yes", "", " a ", " b "},
                   "<input name=\" a \" value=\" b \">"),
        kCheckbox.stop("InputBlankNameStopsBeforeTheValue", {"No", "checkbox", "Yes", "   ", "x"},
                       4),
        kOtherType.stop("InputBlankValueInsertsNothing", {"Yes", "", "a", " \t "}, 4),
        Case{"ButtonShowsChosenTypeThenAsksCaption",
             "tasto",
             {"invia", "1", "submit", "Invia"},
             button_questions("submit"),
             Snippet{"<button name=\"invia\" value=\"1\" type=\"submit\">Invia", "</button>"}},
        Case{"ButtonEveryAnswerEmptyShowsEmptyText",
             "tasto",
             {},
             button_questions(""),
             Snippet{"<button>", "</button>"}},
        kTextArea("TextAreaEveryAttributeSizesReadAsNumbers",
                  {"40col", "5 righe", "Yes", "virtual", " Scrivi qui "},
                  "<textarea cols=\"40\" rows=\"5\" wrap=\"virtual\"> Scrivi qui "),
        kTextArea("TextAreaDisabledOnly", {"", "", "No", "", ""}, "<textarea disabled>")),
    asked::case_name);

} // namespace
