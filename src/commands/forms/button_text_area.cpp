#include "commands/forms/form_commands.h"
#include "commands/tag_builder.h"

namespace commands {

std::optional<Snippet> tasto(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<button"));
    tag.ask_optional(QStringLiteral(" name=\""), QStringLiteral("Nome identificativo tasto"));
    tag.ask_optional(QStringLiteral(" value=\""), QStringLiteral("Valore tasto"));
    const QString type =
        asker.pick(QStringLiteral("Seleziona il tipo del tasto"),
                   {QStringLiteral("submit"), QStringLiteral("reset"), QStringLiteral("button")});
    // The chosen type is shown as soon as the picker closes, before it is written.
    asker.inform(type);
    tag.optional(QStringLiteral(" type=\""), type);
    tag.append(QStringLiteral(">"));
    tag.ask_content(QStringLiteral("Testo Tasto"));
    return tag.finish(QStringLiteral("</button>"));
}

std::optional<Snippet> text_area(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<textarea"));
    tag.ask_number(QStringLiteral(" cols=\""), QStringLiteral("Larghezza area di testo"));
    tag.ask_number(QStringLiteral(" rows=\""), QStringLiteral("Lunghezza area di testo"));
    tag.ask_flag(QStringLiteral("Controllo abilitato ?"), QStringLiteral("Abilitazione"), false,
                 QStringLiteral(" disabled"));
    tag.pick_optional(
        QStringLiteral(" wrap=\""),
        QStringLiteral("Seleziona il tipo di ritorno a capo automatico"),
        {QStringLiteral("off"), QStringLiteral("phisical"), QStringLiteral("virtual")});
    tag.append(QStringLiteral(">"));
    tag.ask_content(QStringLiteral("Testo Area di testo"));
    return tag.finish(QStringLiteral("</textarea>"));
}

} // namespace commands
