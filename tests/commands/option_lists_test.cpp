#include "command_case.h"

namespace {

using asked::Case;
using asked::input;
using asked::yes_no;

const QString kEnabled = yes_no("Controllo abilitato ?", "Abilitazione");
const QStringList kMenuHead = {kEnabled, input("Nome identificativo menu"),
                               yes_no("Selezione multipla ?", "Selezione"),
                               input("Numero Opzioni da visualizzare")};

// The head's questions, then a value and a label per option, then the value
// that ends the loop.
QStringList asked_with(const QStringList& head, int options) {
    QStringList questions = head;
    for (int i = 0; i < options; ++i)
        questions << input("Valore restituito da questa opzione")
                  << input("Etichetta per questa opzione");
    return questions << input("Valore restituito da questa opzione");
}

Case menu(std::string name, QStringList answers, int options, const char* element) {
    return Case{std::move(name), "menu_t", std::move(answers), asked_with(kMenuHead, options),
                Snippet{element, {}}};
}
Case group(std::string name, QStringList answers, int options, const char* element) {
    return Case{std::move(name), "elenco", std::move(answers), asked_with({kEnabled}, options),
                Snippet{element, {}}};
}

class OptionListCommand : public testing::TestWithParam<Case> {};

TEST_P(OptionListCommand, LoopsUntilAnEmptyValue) {
    asked::check(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    MenuAndGroup, OptionListCommand,
    testing::Values(
        menu("MenuEveryHeadAttributeSizeReadAsNumber",
             {"No", "scelta", "Yes", "3 righe", "1", "Uno", ""}, 1,
             "<select disabled name=\"scelta\" multiple size=\"3\">\r\n"
             "\t<option value=\"1\">Uno</option>\r\n</select>"),
        Case{"MenuBlankValueEndsTheLoop",
             "menu_t",
             {"Yes", "", "No", "", "   ", "never asked"},
             asked_with(kMenuHead, 0),
             std::nullopt,
             {"never asked"}},
        menu("MenuUnlabelledOptionRunsOn", {"Yes", "", "No", "", "a", "", "b", "B", ""}, 2,
             "<select>\r\n\t<option value=\"a\">\t<option value=\"b\">B</option>\r\n</select>"),
        menu("MenuBlanksKeptInValueAndLabelBlankLabelIsNone",
             {"Yes", "", "No", "", " a ", " A ", " b ", "  ", ""}, 2,
             "<select>\r\n\t<option value=\" a \"> A </option>\r\n"
             "\t<option value=\" b \"></select>"),
        group("GroupWithoutOptionStillInserted", {"Yes", ""}, 0, "<optgroup>\r\n</optgroup>"),
        group("GroupDisabledWithOneOption", {"No", "x", "X", ""}, 1,
              "<optgroup disabled>\r\n\t<option value=\"x\">X</option>\r\n</optgroup>"),
        group("GroupUnlabelledOptionsRunOnToTheEndTag", {"Yes", "1", "Uno", "2", "", "3", "", ""},
              3,
              "<optgroup>\r\n\t<option value=\"1\">Uno</option>\r\n"
              "\t<option value=\"2\">\t<option value=\"3\"></optgroup>")),
    asked::case_name);

} // namespace
