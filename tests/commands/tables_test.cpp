#include "command_case.h"

namespace {

using asked::Case;
using asked::colour;
using asked::input;
using asked::pick;
using asked::Rows;

const Rows kTable{"tabella",
                  {
                      pick("Allineamento della tabella", {"center", "left", "right"}),
                      input("Percorso immagine di sfondo della tabella"),
                      colour("Seleziona il colore di sfondo della tabella"),
                      input("Spessore Bordo Tabella"),
                      input("Distanza in px tra contenuto cella e bordi interni"),
                      input("Distanza in px tra i bordi delle celle della tabella"),
                      input("Larghezza tabella, in numero oppure in percentuale (ex: 34%)"),
                  },
                  "\r\n</table>"};

const Rows kRow{"ins_riga",
                {
                    pick("Allineamento delle celle della riga", {"center", "left", "right"}),
                    input("Percorso immagine di sfondo della riga"),
                    colour("Seleziona il colore di sfondo della riga"),
                    input("Spessore Bordo Riga"),
                    pick("Allineamento verticale delle celle della riga",
                         {"baseline", "bottom", "top", "middle"}),
                },
                "\r\n</tr>"};

const Rows kCell{
    "ins_cella",
    {
        pick("Allineamento delle cella", {"center", "left", "right"}),
        input("Percorso immagine di sfondo della cella"),
        colour("Seleziona il colore di sfondo della cella"),
        input("Spessore Bordo Cella"),
        input("Su quante colonne deve estendersi la cella ?"),
        input("Altezza Cella"),
        input("Su quante righe deve estendersi la cella ?"),
        input("Larghezza cella, in numero oppure in percentuale (es. 72%)"),
        pick("Allineamento verticale della cella", {"baseline", "bottom", "top", "middle"}),
    },
    "\r\n</td>"};

class TableCommand : public testing::TestWithParam<Case> {};

TEST_P(TableCommand, WrapsTheSelectionOnAnIndentedLine) {
    asked::check(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    TableRowCell, TableCommand,
    testing::Values(
        kTable("TableEveryAnswerEmpty", {}, "<table>\r\n\t"),
        kTable("TableEveryAttributeInQuestionOrder",
               {"center", "sfondo.gif", "#FF0000", "3px", "4px", "2px", " 50% "},
               "<table align=\"center\" background=\"sfondo.gif\" bgcolor=\"#FF0000\" "
               "border=\"3\" cellpadding=\"4\" cellspacing=\"2\" width=\" 50% \">\r\n\t"),
        kRow("RowEveryAnswerEmpty", {}, "<tr>\r\n\t"),
        kRow("RowEveryAttribute", {"left", "riga.png", "#00FF00", "2px", "baseline"},
             "<tr align=\"left\" background=\"riga.png\" bgcolor=\"#00FF00\" border=\"2\" "
             "valign=\"baseline\">\r\n\t"),
        kCell("CellEveryAnswerEmpty", {}, "<td>\r\n\t"),
        kCell(
            "CellEveryAttribute",
            {"center", "c.gif", "#0000FF", "1px", "2 colonne", "20px", "4 righe", " 72% ",
             "bottom"},
            "<td align=\"center\" background=\"c.gif\" bgcolor=\"#0000FF\" border=\"1\" "
            "colspan=\"2\" height=\"20\" rowspan=\"4\" width=\" 72% \" valign=\"bottom\">\r\n\t")),
    asked::case_name);

} // namespace
