// Tag commands, looked up by their menu item name: the markup built from the
// answers (every attribute, in order), where a missing answer stops the
// command, and the few questions whose defaults or order the user meets.

#include "commands/registry.h"
#include "support/scripted_asker.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <optional>
#include <ostream>
#include <string>

namespace {

struct Case {
    std::string name;    // test name
    const char* command; // menu item name
    QStringList answers; // replayed in order, each one asked for
    std::optional<Snippet> result;
    QStringList unused = {}; // answers the command must never ask for
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class TagCommandCase : public testing::TestWithParam<Case> {};

TEST_P(TagCommandCase, BuildsTheMarkupFromTheAnswers) {
    const Case& c = GetParam();
    const TagCommand command = find_command(QLatin1StringView(c.command));
    ASSERT_NE(command, nullptr) << c.command;
    ScriptedAsker asker(c.answers);
    const std::optional<Snippet> result = command(asker);
    EXPECT_EQ(asker.unused().join(u'|').toStdString(), c.unused.join(u'|').toStdString());
    // No question beyond the answers given (one past them would be recorded;
    // a message shown asks nothing).
    const auto shown =
        asker.questions().filter(QRegularExpression(QStringLiteral("^inform\\|"))).size();
    EXPECT_EQ(asker.questions().size() - shown, c.answers.size() - c.unused.size());
    EXPECT_TRUE(asker.bad_answers().isEmpty());
    ASSERT_EQ(result.has_value(), c.result.has_value());
    if (result) {
        EXPECT_EQ(result->open.toStdString(), c.result->open.toStdString());
        EXPECT_EQ(result->close.toStdString(), c.result->close.toStdString());
    }
}

Case built(std::string name, const char* command, QStringList answers, const QString& open,
           const QString& close = {}) {
    return Case{std::move(name), command, std::move(answers), Snippet{open, close}};
}
// A required answer missing at question `asked`: nothing more asked, nothing built.
Case stops(std::string name, const char* command, QStringList answers, qsizetype asked) {
    return Case{std::move(name), command, answers, std::nullopt, answers.mid(asked)};
}
std::string case_name(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(BlocksAndHead, TagCommandCase, testing::Values(
    built("ParagraphCentred", "paragrafo", {"center"}, "<p align=\"center\">\r\n\t", "\r\n</p>"),
    built("DivBlankClassLeftOut", "container_div", {"  "}, "<div>\r\n\t", "\r\n</div>"),
    built("SpanClassAndId", "container_span", {"c", "i"}, "<span class=\"c\" id=\"i\">", "</span>"),
    built("RuleEveryAttributeInOrder", "div_line", {"left", "#FF0000", "3", "50%", "No"}, "<hr align=\"left\" color=\"#FF0000\" size=\"3\" width=\"50%\" noshade>"),
    built("RuleSizeReadAsNumberWidthAsTyped", "div_line", {"", "", "3px", " 34 % ", "Yes"}, "<hr size=\"3\" width=\" 34 % \">"),
    built("BaseAddressAndTarget", "base_addr", {"/docs/", "_top"}, "<base href=\"/docs/\" target=\"_top\">"),
    stops("BaseAddressBlankNoPicker", "base_addr", {"  ", "_top"}, 1),
    built("LinkEveryAttributeInOrder", "lnk_tag", {"a.html", "utf-8", "it", "next", "prev"}, "<link href=\"a.html\" charset=\"utf-8\" hreflang=\"it\" rel=\"next\" rev=\"prev\">"),
    stops("LinkAddressEmptyStops", "lnk_tag", {"", "utf-8", "it", "next", "prev"}, 1),
    built("MetaEveryAttribute", "meta_tag", {"description", "0; url=a.html", "refresh"}, "<meta name=\"description\" content=\"0; url=a.html\" http-equiv=\"refresh\">"),
    built("ExtEveryAttribute", "ext_file", {"a.css", "stylesheet", "text/css"}, "<link href=\"a.css\" rel=\"stylesheet\" type=\"text/css\">"),
    built("ImageEveryAnswerEmpty", "immagine", QStringList(10, QString()), "<img>"),
    built("ImageEveryAttributeInOrderNumbersRead", "immagine", {"absmiddle", "a.png", "A", "1px", "desc.html", "logo", "10px", "2 px", "20%", "3e0"},
          "<img align=\"absmiddle\" src=\"a.png\" alt=\"A\" border=\"1\" longdesc=\"desc.html\" name=\"logo\" height=\"10\" hspace=\"2\" width=\"20\" vspace=\"3\">"),
    built("ScriptSourceAndType", "script", {" lib.vbs ", "text/vbscript"}, "<script src=\" lib.vbs \" type=\"text/vbscript\">\r\n\t", "\r\n</script>"),
    built("WholeSkeletonAsksNothing", "pgtag_complete", {}, "<html>\r\n<head>\r\n<title></title>\r\n</head>\r\n<body>\r\n\t", "\r\n</body>\r\n</html>"),
    built("BodyEveryAttributeInOrder", "corpo", {"sfondo.gif", "#FFFFFF", "#000000", "#0000FF", "#800080", "#FF0000", "_self"},
          "<body background=\"sfondo.gif\" bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#0000FF\" vlink=\"#800080\" alink=\"#FF0000\" target=\"_self\">\r\n\t", "\r\n</body>")),
    case_name);

INSTANTIATE_TEST_SUITE_P(LinksAndPhrases, TagCommandCase, testing::Values(
    built("AnchorDefaultsConfirmed", "anchor", {"ancora", "testo"}, "<A name=\"ancora\">testo", "</a>"),
    stops("AnchorBlankNameStops", "anchor", {"   ", "testo"}, 1),
    built("LinkEveryAnswerGiven", "link", {"p", "_blank", "t", "x"}, "<A href=\"p\" target=\"_blank\" title=\"t\">x", "</a>"),
    stops("LinkAddressCancelledStops", "link", {"", "_top", "t", "x"}, 1),
    built("MailSubjectNotEncoded", "link_mail", {"x", "y z", "t"}, "<A href=\"mailto:x?subject=y z\">t", "</a>"),
    built("MailBlankSubjectLeftOut", "link_mail", {"x", "  ", ""}, "<A href=\"mailto:x\">", "</a>"),
    // Content is written raw, blank or not, and never escaped.
    built("ContentRawNeverEscaped", "codice", {"<a href=\"x\">&amp;"}, "<code><a href=\"x\">&amp;", "</code>"),
    built("BlankContentKept", "citazione", {"   "}, "<cite>   ", "</cite>"),
    built("BlankCommentIsEmpty", "commento", {"   "}, "<!--", "-->"),
    built("CommentKeepsItsSpaces", "commento", {" a "}, "<!-- a ", "-->"),
    built("AcronymLongFormGiven", "acronimo", {"North Atlantic", "NATO"}, "<acronym title=\"North Atlantic\">NATO", "</acronym>"),
    built("AbbreviationBlankLongFormLeftOut", "abbreviazione", {"  ", ""}, "<abbr>", "</abbr>"),
    built("FixedPairRightAsEverWritten", "al_dx", {}, "<rigth>", "</rigth>"),
    built("FixedLineBreakHasNoEnd", "lineacapo", {}, "<br>"),
    built("FixedBlockOnItsOwnLines", "alt_script", {}, "<noscript>\r\n", "\r\n</noscript>")),
    case_name);

INSTANTIATE_TEST_SUITE_P(TablesAndForms, TagCommandCase, testing::Values(
    built("TableEveryAttributeInOrder", "tabella", {"center", "sfondo.gif", "#FF0000", "3px", "4px", "2px", " 50% "},
          "<table align=\"center\" background=\"sfondo.gif\" bgcolor=\"#FF0000\" border=\"3\" cellpadding=\"4\" cellspacing=\"2\" width=\" 50% \">\r\n\t", "\r\n</table>"),
    built("RowEveryAttribute", "ins_riga", {"left", "riga.png", "#00FF00", "2px", "baseline"},
          "<tr align=\"left\" background=\"riga.png\" bgcolor=\"#00FF00\" border=\"2\" valign=\"baseline\">\r\n\t", "\r\n</tr>"),
    built("CellEveryAttribute", "ins_cella", {"center", "c.gif", "#0000FF", "1px", "2 colonne", "20px", "4 righe", " 72% ", "bottom"},
          "<td align=\"center\" background=\"c.gif\" bgcolor=\"#0000FF\" border=\"1\" colspan=\"2\" height=\"20\" rowspan=\"4\" width=\" 72% \" valign=\"bottom\">\r\n\t", "\r\n</td>"),
    built("FormEveryAttributeInOrder", "form_tag", {"a.php", "get", "multipart/form-data", "_blank"},
          "<form action=\"a.php\" method=\"get\" enctype=\"multipart/form-data\" target=\"_blank\">\r\n\t", "\r\n</form>"),
    built("InputTextSizesReadAsNumbers", "input_t", {"Yes", "text", "20px", " 5 ", "a", "b"}, "<input type=\"text\" maxlength=\"20\" size=\"5\" name=\"a\" value=\"b\">"),
    built("InputDisabledCheckedCheckbox", "input_t", {"No", "checkbox", "Yes", "ok", "1"}, "<input disabled type=\"checkbox\" checked name=\"ok\" value=\"1\">"),
    built("InputPasswordAsksNoLengthOrSize", "input_t", {"No", "password", "pw", "x"}, "<input disabled type=\"password\" name=\"pw\" value=\"x\">"),
    built("InputPickerClosedBlanksKept", "input_t", {"Yes", "", " a ", " b "}, "<input name=\" a \" value=\" b \">"),
    stops("InputBlankNameStopsBeforeTheValue", "input_t", {"No", "checkbox", "Yes", "   ", "x"}, 4),
    stops("InputBlankValueInsertsNothing", "input_t", {"Yes", "", "a", " \t "}, 4),
    built("ButtonNameValueTypeCaption", "tasto", {"invia", "1", "submit", "Invia"}, "<button name=\"invia\" value=\"1\" type=\"submit\">Invia", "</button>"),
    built("TextAreaEveryAttributeSizesReadAsNumbers", "text_area", {"40col", "5 righe", "Yes", "virtual", " Scrivi qui "},
          "<textarea cols=\"40\" rows=\"5\" wrap=\"virtual\"> Scrivi qui ", "</textarea>"),
    built("MenuEveryHeadAttributeSizeReadAsNumber", "menu_t", {"No", "scelta", "Yes", "3 righe", "1", "Uno", ""},
          "<select disabled name=\"scelta\" multiple size=\"3\">\r\n\t<option value=\"1\">Uno</option>\r\n</select>"),
    Case{"MenuBlankValueEndsTheLoop", "menu_t", {"Yes", "", "No", "", "   ", "never asked"}, std::nullopt, {"never asked"}},
    built("MenuUnlabelledOptionRunsOn", "menu_t", {"Yes", "", "No", "", "a", "", "b", "B", ""},
          "<select>\r\n\t<option value=\"a\">\t<option value=\"b\">B</option>\r\n</select>"),
    built("GroupDisabledWithOneOption", "elenco", {"No", "x", "X", ""}, "<optgroup disabled>\r\n\t<option value=\"x\">X</option>\r\n</optgroup>")),
    case_name);

INSTANTIATE_TEST_SUITE_P(Lists, TagCommandCase, testing::Values(
    built("OrderedStartReadAsNumberItemsAsTyped", "numbered_list", {"3rd", "i", " a ", "<b>b</b>", ""}, "<ol start=\"3\" type=\"i\">\r\n\t<li> a </li>\r\n\t<li><b>b</b></li>\r\n</ol>\r\n"),
    Case{"OrderedFirstItemCancelledInsertsNothing", "numbered_list", {"3", "i", ""}, std::nullopt},
    Case{"OrderedBlankItemEndsKeepingEarlierOnes", "numbered_list", {"", "", "a", "   ", "b"}, Snippet{"<ol>\r\n\t<li>a</li>\r\n</ol>\r\n", ""}, {"b"}},
    built("UnorderedSquareBullets", "unumberd_list", {"square", "x", "y", ""}, "<ul type=\"square\">\r\n\t<li>x</li>\r\n\t<li>y</li>\r\n</ul>\r\n"),
    built("DefinitionTwoEntries", "list_definition", {"HTML", "Linguaggio", " CSS ", "Stili", " "},
          "<dl>\r\n\t<dt>HTML</dt><dd>Linguaggio</dd>\r\n\t<dt> CSS </dt><dd>Stili</dd>\r\n</dl>"),
    Case{"DefinitionFirstTermBlankInsertsNothing", "list_definition", {"  ", "d"}, std::nullopt, {"d"}}),
    case_name);
// clang-format on

// What the user reads in the boxes: defaults offered, the picker's entries,
// the type chosen shown back, the term named in the next question.
TEST(TagCommandQuestions, OfferTheirDefaultsAndEntries) {
    const auto ask = [](const char* command, const QStringList& answers) {
        ScriptedAsker asker(answers);
        find_command(QLatin1StringView(command))(asker);
        return asker.questions().join(u'\n').toStdString();
    };
    EXPECT_EQ(ask("anchor", {"a", "b"}), "input|Nome Ancora|Immisione parametro|ancora\n"
                                         "input|Testo Ancora|Immisione parametro|testo");
    EXPECT_EQ(ask("tasto", {"n", "v", "reset", "T"}),
              "input|Nome identificativo tasto|Immisione parametro|\n"
              "input|Valore tasto|Immisione parametro|\n"
              "pick|Seleziona il tipo del tasto|submit,reset,button\n"
              "inform|reset\n"
              "input|Testo Tasto|Immisione parametro|");
    EXPECT_EQ(ask("list_definition", {" CSS ", "Stili", ""}),
              "input|Termine |Immisione parametro|\n"
              "input|Definizione di  CSS |Immisione parametro|\n"
              "input|Termine |Immisione parametro|");
}

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
