#include "commands/tables/table_commands.h"
#include "commands/tag_builder.h"

namespace commands {

std::optional<Snippet> immagine(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<img"));
    tag.pick_optional(QStringLiteral(" align=\""), QStringLiteral("Allineamento dell'immagine"),
                      {QStringLiteral("absbottom"), QStringLiteral("absmiddle"),
                       QStringLiteral("baseline"), QStringLiteral("bottom"), QStringLiteral("left"),
                       QStringLiteral("middle"), QStringLiteral("right"), QStringLiteral("texttop"),
                       QStringLiteral("top")});
    tag.ask_optional(QStringLiteral(" src=\""), QStringLiteral("Url dell'immagine"));
    tag.ask_optional(QStringLiteral(" alt=\""),
                     QStringLiteral("Testo alternativo all'immagine, usato anche come tooltip"));
    tag.ask_number(QStringLiteral(" border=\""), QStringLiteral("Spessore Bordo"));
    tag.ask_optional(QStringLiteral(" longdesc=\""),
                     QStringLiteral("Url per la descrizione dell'immagine"));
    tag.ask_optional(QStringLiteral(" name=\""),
                     QStringLiteral("Nome per la manipolazione dell'immagine"));
    tag.ask_number(QStringLiteral(" height=\""), QStringLiteral("Altezza immagine"));
    tag.ask_number(QStringLiteral(" hspace=\""),
                   QStringLiteral("Margine sinistro e destro dell'immagine"));
    tag.ask_number(QStringLiteral(" width=\""), QStringLiteral("Larghezza immagine"));
    tag.ask_number(QStringLiteral(" vspace=\""),
                   QStringLiteral("Margine superiore e inferiore dell'immagine"));
    tag.append(QStringLiteral(">"));
    return tag.finish({});
}

std::optional<Snippet> script(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<script"));
    tag.ask_optional(QStringLiteral(" src=\""), QStringLiteral("Url dello script"));
    tag.pick_optional(QStringLiteral(" type=\""), QStringLiteral("Seleziona il tipo di script"),
                      {QStringLiteral("text/javascript"), QStringLiteral("text/jscript"),
                       QStringLiteral("text/vbscript"), QStringLiteral("text/ecmascript")});
    tag.append(QStringLiteral(">\r\n\t"));
    return tag.finish(QStringLiteral("\r\n</script>"));
}

} // namespace commands
