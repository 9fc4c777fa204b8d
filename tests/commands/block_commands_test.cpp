#include "command_case.h"

namespace {

using command_case::Case;
using command_case::colour;
using command_case::input;
using command_case::pick;
using command_case::Rows;
using command_case::yes_no;

class BlockCommand : public testing::TestWithParam<Case> {};

TEST_P(BlockCommand, AsksItsQuestionsAndBuildsTheElement) {
    command_case::check(GetParam());
}

const QString kClass = input("Classe di formattazione");
const Rows kParagraph{"paragrafo",
                      {pick("Allineamento del paragrafo", {"justify", "center", "left", "right"})},
                      "\r\n</p>"};
const Rows kDiv{"container_div", {kClass}, "\r\n</div>"};
const Rows kSpan{"container_span", {kClass, input("ID di formattazione")}, "</span>"};
const Rows kRule{"div_line",
                 {
                     pick("Allineamento della linea", {"center", "left", "right"}),
                     colour("Seleziona il colore della linea"),
                     input("Dimensione linea"),
                     input("Larghezza linea, in numero oppure in percentuale (ex: 34%)"),
                     yes_no("Desideri che la linea sia ombreggiata ?", "Ombreggiatura"),
                 }};

INSTANTIATE_TEST_SUITE_P(
    Blocks, BlockCommand,
    testing::Values(kParagraph("ParagraphWithoutAlignment", {""}, "<p>\r\n\t"),
                    kParagraph("ParagraphCentred", {"center"}, "<p align=\"center\">\r\n\t"),
                    kDiv("DivWithClass", {"box"}, "<div class=\"box\">\r\n\t"),
                    kDiv("DivBlankClassLeftOut", {"  "}, "<div>\r\n\t"),
                    kSpan("SpanClassAndId", {"c", "i"}, "<span class=\"c\" id=\"i\">"),
                    kSpan("SpanBothCancelled", {"", ""}, "<span>"),
                    kRule("RuleShadedAloneBeforeSelection", {"", "", "", "", "Yes"}, "<hr>"),
                    kRule("RuleUnshadedSizeNotAboveZeroLeftOut", {"", "", "-2", "", "No"},
                          "<hr noshade>"),
                    kRule("RuleEveryAttributeInOrder", {"left", "#FF0000", "3", "50%", "No"},
                          "<hr align=\"left\" color=\"#FF0000\" size=\"3\" width=\"50%\" noshade>"),
                    kRule("RuleSizeReadAsNumberWidthKeptAsTyped", {"", "", "3px", " 34 % ", "Yes"},
                          "<hr size=\"3\" width=\" 34 % \">")),
    command_case::case_name);

} // namespace
