#include "commands/tables/table_commands.h"
#include "commands/tag_builder.h"

namespace commands {

namespace {

// The wordings in which the row and the cell commands differ.
struct PartWording {
    QString start;
    QString align_title;
    QString background_prompt;
    QString colour_prompt;
    QString border_prompt;
    QString valign_title;
    QString close;
};

const QStringList kAlignItems = {QStringLiteral("center"), QStringLiteral("left"),
                                 QStringLiteral("right")};
const QStringList kValignItems = {QStringLiteral("baseline"), QStringLiteral("bottom"),
                                  QStringLiteral("top"), QStringLiteral("middle")};

// The cell's own questions between the border and the vertical alignment.
void ask_cell_extent(TagBuilder& tag) {
    tag.ask_number(QStringLiteral(" colspan=\""),
                   QStringLiteral("Su quante colonne deve estendersi la cella ?"));
    tag.ask_number(QStringLiteral(" height=\""), QStringLiteral("Altezza Cella"));
    tag.ask_number(QStringLiteral(" rowspan=\""),
                   QStringLiteral("Su quante righe deve estendersi la cella ?"));
    tag.ask_optional(QStringLiteral(" width=\""),
                     QStringLiteral("Larghezza cella, in numero oppure in percentuale (es. 72%)"));
}

// Row and cell share their skeleton; only the cell asks for its extent.
Snippet table_part(Asker& asker, const PartWording& words, bool cell) {
    TagBuilder tag(asker, words.start);
    tag.pick_optional(QStringLiteral(" align=\""), words.align_title, kAlignItems);
    tag.ask_optional(QStringLiteral(" background=\""), words.background_prompt);
    tag.colour_optional(QStringLiteral(" bgcolor=\""), words.colour_prompt);
    tag.ask_number(QStringLiteral(" border=\""), words.border_prompt);
    if (cell)
        ask_cell_extent(tag);
    tag.pick_optional(QStringLiteral(" valign=\""), words.valign_title, kValignItems);
    tag.append(QStringLiteral(">\r\n\t"));
    return tag.finish(words.close);
}

} // namespace

std::optional<Snippet> tabella(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<table"));
    tag.pick_optional(QStringLiteral(" align=\""), QStringLiteral("Allineamento della tabella"),
                      kAlignItems);
    tag.ask_optional(QStringLiteral(" background=\""),
                     QStringLiteral("Percorso immagine di sfondo della tabella"));
    tag.colour_optional(QStringLiteral(" bgcolor=\""),
                        QStringLiteral("Seleziona il colore di sfondo della tabella"));
    tag.ask_number(QStringLiteral(" border=\""), QStringLiteral("Spessore Bordo Tabella"));
    tag.ask_number(QStringLiteral(" cellpadding=\""),
                   QStringLiteral("Distanza in px tra contenuto cella e bordi interni"));
    tag.ask_number(QStringLiteral(" cellspacing=\""),
                   QStringLiteral("Distanza in px tra i bordi delle celle della tabella"));
    tag.ask_optional(
        QStringLiteral(" width=\""),
        QStringLiteral("Larghezza tabella, in numero oppure in percentuale (ex: 34%)"));
    tag.append(QStringLiteral(">\r\n\t"));
    return tag.finish(QStringLiteral("\r\n</table>"));
}

std::optional<Snippet> ins_riga(Asker& asker) {
    static const PartWording row = {
        QStringLiteral("<tr"),
        QStringLiteral("Allineamento delle celle della riga"),
        QStringLiteral("Percorso immagine di sfondo della riga"),
        QStringLiteral("Seleziona il colore di sfondo della riga"),
        QStringLiteral("Spessore Bordo Riga"),
        QStringLiteral("Allineamento verticale delle celle della riga"),
        QStringLiteral("\r\n</tr>"),
    };
    return table_part(asker, row, false);
}

std::optional<Snippet> ins_cella(Asker& asker) {
    static const PartWording cell = {
        QStringLiteral("<td"),
        QStringLiteral("Allineamento delle cella"),
        QStringLiteral("Percorso immagine di sfondo della cella"),
        QStringLiteral("Seleziona il colore di sfondo della cella"),
        QStringLiteral("Spessore Bordo Cella"),
        QStringLiteral("Allineamento verticale della cella"),
        QStringLiteral("\r\n</td>"),
    };
    return table_part(asker, cell, true);
}

} // namespace commands
