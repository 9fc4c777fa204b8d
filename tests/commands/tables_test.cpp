#include "command_case.h"

namespace {

using asked::Case;
using asked::colour;
using asked::input;
using asked::pick;

const QStringList kTableQuestions = {
    pick("Allineamento della tabella", {"center", "left", "right"}),
    input("Percorso immagine di sfondo della tabella"),
    colour("Seleziona il colore di sfondo della tabella"),
    input("Spessore Bordo Tabella"),
    input("Distanza in px tra contenuto cella e bordi interni"),
    input("Distanza in px tra i bordi delle celle della tabella"),
    input("Larghezza tabella, in numero oppure in percentuale (ex: 34%)"),
};

const QStringList kRowQuestions = {
    pick("Allineamento delle celle della riga", {"center", "left", "right"}),
    input("Percorso immagine di sfondo della riga"),
    colour("Seleziona il colore di sfondo della riga"),
    input("Spessore Bordo Riga"),
    pick("Allineamento verticale delle celle della riga", {"baseline", "bottom", "top", "middle"}),
};

const QStringList kCellQuestions = {
    pick("Allineamento delle cella", {"center", "left", "right"}),
    input("Percorso immagine di sfondo della cella"),
    colour("Seleziona il colore di sfondo della cella"),
    input("Spessore Bordo Cella"),
    input("Su quante colonne deve estendersi la cella ?"),
    input("Altezza Cella"),
    input("Su quante righe deve estendersi la cella ?"),
    input("Larghezza cella, in numero oppure in percentuale (es. 72%)"),
    pick("Allineamento verticale della cella", {"baseline", "bottom", "top", "middle"}),
};

Snippet table(const char* open) {
    return Snippet{open, "\r\n</table>"};
}
Snippet row(const char* open) {
    return Snippet{open, "\r\n</tr>"};
}
Snippet cell(const char* open) {
    return Snippet{open, "\r\n</td>"};
}

class TableCommand : public testing::TestWithParam<Case> {};

TEST_P(TableCommand, WrapsTheSelectionOnAnIndentedLine) {
    asked::check(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    TableRowCell, TableCommand,
    testing::Values(
        Case{"TableEveryAnswerEmpty", "tabella", {}, kTableQuestions, table("<table>\r\n\t")},
        Case{"TableAttributesInQuestionOrder",
             "tabella",
             {"center", "sfondo.gif", "#FF0000", "1", "4", "", "34%"},
             kTableQuestions,
             table("<table align=\"center\" background=\"sfondo.gif\" bgcolor=\"#FF0000\" "
                   "border=\"1\" cellpadding=\"4\" width=\"34%\">\r\n\t")},
        Case{"TableSpacingsBeforeWidth",
             "tabella",
             {"", "", "", "3px", "4", "2", " 50% "},
             kTableQuestions,
             table("<table border=\"3\" cellpadding=\"4\" cellspacing=\"2\" width=\" 50% \">"
                   "\r\n\t")},
        Case{"TableNumbersNotAboveZeroAndBlankWidthLeftOut",
             "tabella",
             {"", "   ", "", "0", "-2", "abc", "   "},
             kTableQuestions,
             table("<table>\r\n\t")},
        Case{"RowEveryAnswerEmpty", "ins_riga", {}, kRowQuestions, row("<tr>\r\n\t")},
        Case{"RowAlignments",
             "ins_riga",
             {"right", "", "", "", "middle"},
             kRowQuestions,
             row("<tr align=\"right\" valign=\"middle\">\r\n\t")},
        Case{"RowEveryAttribute",
             "ins_riga",
             {"left", "riga.png", "#00FF00", "2", "baseline"},
             kRowQuestions,
             row("<tr align=\"left\" background=\"riga.png\" bgcolor=\"#00FF00\" border=\"2\" "
                 "valign=\"baseline\">\r\n\t")},
        Case{"CellEveryAnswerEmpty", "ins_cella", {}, kCellQuestions, cell("<td>\r\n\t")},
        Case{"CellSpansHeightWidth",
             "ins_cella",
             {"left", "", "", "0", "2", "30", "3", "50%", "top"},
             kCellQuestions,
             cell("<td align=\"left\" colspan=\"2\" height=\"30\" rowspan=\"3\" width=\"50%\" "
                  "valign=\"top\">\r\n\t")},
        Case{"CellEveryAttribute",
             "ins_cella",
             {"center", "c.gif", "#0000FF", "1", "2 colonne", "20px", "4 righe", " 72% ", "bottom"},
             kCellQuestions,
             cell("<td align=\"center\" background=\"c.gif\" bgcolor=\"#0000FF\" border=\"1\" "
                  "colspan=\"2\" height=\"20\" rowspan=\"4\" width=\" 72% \" "
                  "valign=\"bottom\">\r\n\t")},
        Case{"CellBlankAnswersLeftOut",
             "ins_cella",
             {"", "  ", "", "-1", "abc", "", "0", "  ", ""},
             kCellQuestions,
             cell("<td>\r\n\t")}),
    asked::case_name);

TEST(TableCommands, RegisteredUnderTheirMenuItems) {
    QStringList names = asked::names(table_commands());
    names.sort();
    EXPECT_EQ(asked::lines(names),
              asked::lines({"immagine", "ins_cella", "ins_riga", "script", "tabella"}));
}

} // namespace
