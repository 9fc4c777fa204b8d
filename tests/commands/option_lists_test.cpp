#include "command_case.h"

namespace {

using asked::Case;
using asked::input;
using asked::yes_no;

const QString kEnabled = yes_no("Controllo abilitato ?", "Abilitazione");
const QStringList kMenuHead = {kEnabled, input("Nome identificativo menu"),
                               yes_no("Selezione multipla ?", "Selezione"),
                               input("Numero Opzioni da visualizzare")};
const QString kValue = input("Valore restituito da questa opzione");
const QString kLabel = input("Etichetta per questa opzione");

// The head's questions, then a value and a label per option, then the value
// that ends the loop.
QStringList asked_with(const QStringList& head, int options) {
    QStringList questions = head;
    for (int i = 0; i < options; ++i)
        questions << kValue << kLabel;
    return questions << kValue;
}

Snippet element(const char* text) {
    return Snippet{text, {}};
}

class OptionListCommand : public testing::TestWithParam<Case> {};

TEST_P(OptionListCommand, LoopsUntilAnEmptyValue) {
    asked::check(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    MenuAndGroup, OptionListCommand,
    testing::Values(
        Case{"MenuTwoLabelledOptions",
             "menu_t",
             {"Yes", "", "No", "", "a", "A", "b", "B", ""},
             asked_with(kMenuHead, 2),
             element("<select>\r\n\t<option value=\"a\">A</option>\r\n"
                     "\t<option value=\"b\">B</option>\r\n</select>")},
        Case{"MenuEveryHeadAttribute",
             "menu_t",
             {"No", "scelta", "Yes", "3", "1", "Uno", ""},
             asked_with(kMenuHead, 1),
             element("<select disabled name=\"scelta\" multiple size=\"3\">\r\n"
                     "\t<option value=\"1\">Uno</option>\r\n</select>")},
        Case{"MenuSizeReadAsNumber",
             "menu_t",
             {"Yes", "", "No", "4 righe", "1", "Uno", ""},
             asked_with(kMenuHead, 1),
             element("<select size=\"4\">\r\n\t<option value=\"1\">Uno</option>\r\n</select>")},
        Case{"MenuWithoutOptionInsertsNothingAfterAllQuestions",
             "menu_t",
             {"No", "scelta", "Yes", "3", ""},
             asked_with(kMenuHead, 0),
             std::nullopt},
        Case{"MenuBlankValueEndsTheLoop",
             "menu_t",
             {"Yes", "", "No", "", "   ", "never asked"},
             asked_with(kMenuHead, 0),
             std::nullopt,
             {"never asked"}},
        Case{"MenuUnlabelledOptionRunsOn",
             "menu_t",
             {"Yes", "", "No", "", "a", "", "b", "B", ""},
             asked_with(kMenuHead, 2),
             element("<select>\r\n\t<option value=\"a\">\t<option value=\"b\">B</option>\r\n"
                     "</select>")},
        Case{"MenuUnlabelledLastOptionMeetsTheEndTag",
             "menu_t",
             {"Yes", "", "No", "", "a", "", ""},
             asked_with(kMenuHead, 1),
             element("<select>\r\n\t<option value=\"a\"></select>")},
        Case{"MenuBlanksKeptInValueAndLabelBlankLabelIsNone",
             "menu_t",
             {"Yes", "", "No", "", " a ", " A ", " b ", "  ", ""},
             asked_with(kMenuHead, 2),
             element("<select>\r\n\t<option value=\" a \"> A </option>\r\n"
                     "\t<option value=\" b \"></select>")},
        Case{"GroupWithoutOptionStillInserted",
             "elenco",
             {"Yes", ""},
             asked_with({kEnabled}, 0),
             element("<optgroup>\r\n</optgroup>")},
        Case{"GroupDisabledWithOneOption",
             "elenco",
             {"No", "x", "X", ""},
             asked_with({kEnabled}, 1),
             element("<optgroup disabled>\r\n\t<option value=\"x\">X</option>\r\n</optgroup>")},
        Case{"GroupLabelCancelDoesNotEndTheLoop",
             "elenco",
             {"Yes", "1", "Uno", "2", "", "3", "Tre", ""},
             asked_with({kEnabled}, 3),
             element("<optgroup>\r\n\t<option value=\"1\">Uno</option>\r\n"
                     "\t<option value=\"2\">\t<option value=\"3\">Tre</option>\r\n</optgroup>")},
        Case{"GroupUnlabelledLastOption",
             "elenco",
             {"Yes", "x", "", ""},
             asked_with({kEnabled}, 1),
             element("<optgroup>\r\n\t<option value=\"x\"></optgroup>")}),
    asked::case_name);

} // namespace
