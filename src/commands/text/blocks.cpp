#include "commands/text/blocks.h"

#include "commands/tag_builder.h"

namespace commands {

namespace {

const QString kBlockOpenEnd = QStringLiteral(">\r\n\t");
const QString kClassLead = QStringLiteral(" class=\"");
const QString kClassPrompt = QStringLiteral("Classe di formattazione");

} // namespace

std::optional<Snippet> paragrafo(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<p"));
    tag.pick_optional(QStringLiteral(" align=\""), QStringLiteral("Allineamento del paragrafo"),
                      {QStringLiteral("justify"), QStringLiteral("center"), QStringLiteral("left"),
                       QStringLiteral("right")});
    tag.append(kBlockOpenEnd);
    return tag.finish(QStringLiteral("\r\n</p>"));
}

std::optional<Snippet> container_div(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<div"));
    tag.ask_optional(kClassLead, kClassPrompt);
    tag.append(kBlockOpenEnd);
    return tag.finish(QStringLiteral("\r\n</div>"));
}

std::optional<Snippet> container_span(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<span"));
    tag.ask_optional(kClassLead, kClassPrompt);
    tag.ask_optional(QStringLiteral(" id=\""), QStringLiteral("ID di formattazione"));
    tag.append(QStringLiteral(">"));
    return tag.finish(QStringLiteral("</span>"));
}

std::optional<Snippet> div_line(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<hr"));
    tag.pick_optional(QStringLiteral(" align=\""), QStringLiteral("Allineamento della linea"),
                      {QStringLiteral("center"), QStringLiteral("left"), QStringLiteral("right")});
    tag.colour_optional(QStringLiteral(" color=\""),
                        QStringLiteral("Seleziona il colore della linea"));
    tag.ask_number(QStringLiteral(" size=\""), QStringLiteral("Dimensione linea"));
    tag.ask_optional(QStringLiteral(" width=\""),
                     QStringLiteral("Larghezza linea, in numero oppure in percentuale (ex: 34%)"));
    // The question asks whether the rule is shaded: "No" means noshade.
    tag.ask_flag(QStringLiteral("Desideri che la linea sia ombreggiata ?"),
                 QStringLiteral("Ombreggiatura"), false, QStringLiteral(" noshade"));
    tag.append(QStringLiteral(">"));
    return tag.finish({});
}

} // namespace commands
