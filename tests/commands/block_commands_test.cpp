#include "command_case.h"

namespace {

using command_case::Case;
using command_case::colour;
using command_case::input;
using command_case::pick;
using command_case::yes_no;

class BlockCommand : public testing::TestWithParam<Case> {};

TEST_P(BlockCommand, AsksItsQuestionsAndBuildsTheElement) {
    command_case::check(GetParam());
}

const QString kParagraphPick =
    pick("Allineamento del paragrafo", {"justify", "center", "left", "right"});
const QString kClass = input("Classe di formattazione");
const QString kId = input("ID di formattazione");

INSTANTIATE_TEST_SUITE_P(ParagraphAndContainers, BlockCommand,
                         testing::Values(Case{"ParagraphWithoutAlignment",
                                              "paragrafo",
                                              {""},
                                              {kParagraphPick},
                                              Snippet{"<p>\r\n\t", "\r\n</p>"}},
                                         Case{"ParagraphCentred",
                                              "paragrafo",
                                              {"center"},
                                              {kParagraphPick},
                                              Snippet{"<p align=\"center\">\r\n\t", "\r\n</p>"}},
                                         Case{"DivWithClass",
                                              "container_div",
                                              {"box"},
                                              {kClass},
                                              Snippet{"<div class=\"box\">\r\n\t", "\r\n</div>"}},
                                         Case{"DivBlankClassLeftOut",
                                              "container_div",
                                              {"  "},
                                              {kClass},
                                              Snippet{"<div>\r\n\t", "\r\n</div>"}},
                                         Case{"SpanBothCancelled",
                                              "container_span",
                                              {"", ""},
                                              {kClass, kId},
                                              Snippet{"<span>", "</span>"}},
                                         Case{"SpanClassAndId",
                                              "container_span",
                                              {"c", "i"},
                                              {kClass, kId},
                                              Snippet{"<span class=\"c\" id=\"i\">", "</span>"}},
                                         Case{"SpanOnlyId",
                                              "container_span",
                                              {"", "i"},
                                              {kClass, kId},
                                              Snippet{"<span id=\"i\">", "</span>"}}),
                         command_case::case_name);

const QStringList kRuleQuestions = {
    pick("Allineamento della linea", {"center", "left", "right"}),
    colour("Seleziona il colore della linea"),
    input("Dimensione linea"),
    input("Larghezza linea, in numero oppure in percentuale (ex: 34%)"),
    yes_no("Desideri che la linea sia ombreggiata ?", "Ombreggiatura"),
};

// A rule whose only answers are the size and the shading.
Case rule_with_size(std::string name, const QString& size, const QString& open) {
    return Case{
        std::move(name), "div_line", {"", "", size, "", "Yes"}, kRuleQuestions, Snippet{open, ""}};
}

INSTANTIATE_TEST_SUITE_P(
    Rule, BlockCommand,
    testing::Values(
        Case{"ShadedRuleAloneBeforeSelection",
             "div_line",
             {"", "", "", "", "Yes"},
             kRuleQuestions,
             Snippet{"<hr>", ""}},
        Case{"UnshadedRule",
             "div_line",
             {"", "", "", "", "No"},
             kRuleQuestions,
             Snippet{"<hr noshade>", ""}},
        Case{"EveryAttributeInOrder",
             "div_line",
             {"left", "#FF0000", "3", "50%", "No"},
             kRuleQuestions,
             Snippet{"<hr align=\"left\" color=\"#FF0000\" size=\"3\" width=\"50%\" noshade>", ""}},
        Case{"WidthKeptAsTyped",
             "div_line",
             {"", "", "", " 34 % ", "Yes"},
             kRuleQuestions,
             Snippet{"<hr width=\" 34 % \">", ""}},
        rule_with_size("SizeWithUnit", "3px", "<hr size=\"3\">"),
        rule_with_size("SizeZero", "0", "<hr>"), rule_with_size("SizeNegative", "-2", "<hr>"),
        rule_with_size("SizeLetters", "abc", "<hr>"),
        rule_with_size("SizeBeyondRange", "1e999", "<hr>"),
        rule_with_size("SizeFraction", "2.50", "<hr size=\"2.5\">"),
        rule_with_size("SizeWithBlanks", " 1 2 ", "<hr size=\"12\">")),
    command_case::case_name);

} // namespace
