#include "command_case.h"

namespace {

using command_case::Case;
using command_case::input;
using command_case::pick;

class ListCommand : public testing::TestWithParam<Case> {};

TEST_P(ListCommand, AsksUntilAnEmptyEntryAndWritesTheWholeList) {
    command_case::check(GetParam());
}

const QString kStart = input("Numero dell'elenco da cui partire ");
const QString kOlType = pick("Seleziona il tipo di numerazione", {"1", "a", "A", "i", "I"});
const QString kOlItem = input("Inserire un elemento dell'elenco");
const QString kUlType = pick("Seleziona il tipo di numerazione", {"circle", "disc", "square"});
const QString kUlItem = input("Inserisce un elemento dell'elenco");
const QString kTerm = input("Termine ");

INSTANTIATE_TEST_SUITE_P(
    Ordered, ListCommand,
    testing::Values(
        Case{"StartReadAsNumberTypeAndItemsAsTyped",
             "numbered_list",
             {"3rd", "i", " a ", "<b>b</b>", ""},
             {kStart, kOlType, kOlItem, kOlItem, kOlItem},
             Snippet{"<ol start=\"3\" type=\"i\">\r\n\t<li> a </li>\r\n\t<li><b>b</b></li>\r\n"
                     "</ol>\r\n",
                     ""}},
        Case{"FirstItemCancelledInsertsNothing",
             "numbered_list",
             {"3", "i", ""},
             {kStart, kOlType, kOlItem},
             std::nullopt},
        Case{"BlankItemEndsTheLoopKeepingEarlierOnes",
             "numbered_list",
             {"", "", "a", "   ", "b"},
             {kStart, kOlType, kOlItem, kOlItem},
             Snippet{"<ol>\r\n\t<li>a</li>\r\n</ol>\r\n", ""},
             {"b"}}),
    command_case::case_name);

INSTANTIATE_TEST_SUITE_P(
    Unordered, ListCommand,
    testing::Values(
        Case{"SquareBullets",
             "unumberd_list",
             {"square", "x", "y", ""},
             {kUlType, kUlItem, kUlItem, kUlItem},
             Snippet{"<ul type=\"square\">\r\n\t<li>x</li>\r\n\t<li>y</li>\r\n</ul>\r\n", ""}},
        Case{"FirstItemCancelledInsertsNothing",
             "unumberd_list",
             {"square", "", "x"},
             {kUlType, kUlItem},
             std::nullopt,
             {"x"}}),
    command_case::case_name);

INSTANTIATE_TEST_SUITE_P(
    Definition, ListCommand,
    testing::Values(Case{"DefinitionCancelled",
                         "list_definition",
                         {"T", "", ""},
                         {kTerm, input("Definizione di T"), kTerm},
                         Snippet{"<dl>\r\n\t<dt>T</dt><dd></dd>\r\n</dl>", ""}},
                    Case{"TwoEntriesOneLineEach",
                         "list_definition",
                         {"HTML", "Linguaggio", " CSS ", "Stili", " "},
                         {kTerm, input("Definizione di HTML"), kTerm, input("Definizione di  CSS "),
                          kTerm},
                         Snippet{"<dl>\r\n\t<dt>HTML</dt><dd>Linguaggio</dd>\r\n"
                                 "\t<dt> CSS </dt><dd>Stili</dd>\r\n</dl>",
                                 ""}},
                    Case{"FirstTermBlankInsertsNothing",
                         "list_definition",
                         {"  ", "d"},
                         {kTerm},
                         std::nullopt,
                         {"d"}}),
    command_case::case_name);

// Entries are never limited: every one given is written, in order.
class ListLength : public testing::TestWithParam<const char*> {};

TEST_P(ListLength, WritesEveryEntryGiven) {
    const TagCommand command = find_command(QLatin1StringView(GetParam()));
    ASSERT_NE(command, nullptr);
    const bool ordered = QLatin1StringView(GetParam()) == u"numbered_list";
    QStringList answers;
    if (ordered)
        answers << "";
    answers << "";
    QString entries;
    for (int i = 1; i <= 500; ++i) {
        answers << QString::number(i);
        entries += QStringLiteral("\t<li>%1</li>\r\n").arg(i);
    }
    ScriptedAsker asker(answers);
    const auto snippet = command(asker);
    ASSERT_TRUE(snippet.has_value());
    const QString tag = ordered ? QStringLiteral("ol") : QStringLiteral("ul");
    EXPECT_EQ(snippet->open,
              QStringLiteral("<%1>\r\n").arg(tag) + entries + QStringLiteral("</%1>\r\n").arg(tag));
    EXPECT_EQ(asker.questions().size(), answers.size() + 1); // the last box ends the list
}

INSTANTIATE_TEST_SUITE_P(OrderedAndUnordered, ListLength,
                         testing::Values("numbered_list", "unumberd_list"));

} // namespace
