#include "commands/forms/form_commands.h"
#include "commands/tag_builder.h"

namespace commands {

namespace {

const QStringList kInputTypes = {
    QStringLiteral("button"), QStringLiteral("checkbox"), QStringLiteral("file"),
    QStringLiteral("hidden"), QStringLiteral("image"),    QStringLiteral("password"),
    QStringLiteral("radio"),  QStringLiteral("reset"),    QStringLiteral("submit"),
    QStringLiteral("text"),
};

// The questions that only one type of control has.
void ask_type_details(TagBuilder& tag, const QString& type) {
    if (type == u"checkbox") {
        tag.ask_flag(QStringLiteral("Vuoi che la casella di controllo sia selezionata?"),
                     kInputTitle, true, QStringLiteral(" checked"));
    } else if (type == u"text") {
        tag.ask_number(QStringLiteral(" maxlength=\""),
                       QStringLiteral("Lunghezza massima casella di testo"));
        tag.ask_number(QStringLiteral(" size=\""), QStringLiteral("Larghezza casella di testo"));
    }
}

} // namespace

std::optional<Snippet> input_t(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<input"));
    tag.ask_flag(QStringLiteral("Controllo abilitato ?"), QStringLiteral("Abilitazione"), false,
                 QStringLiteral(" disabled"));
    const QString type = tag.pick_optional(QStringLiteral(" type=\""),
                                           QStringLiteral("Seleziona Tipo di input"), kInputTypes);
    ask_type_details(tag, type);
    if (!tag.ask_required(QStringLiteral(" name=\""), QStringLiteral("Nome dell'input"),
                          QStringLiteral("\"")))
        return std::nullopt;
    if (!tag.ask_required(QStringLiteral(" value=\""), QStringLiteral("Valore di default"),
                          QStringLiteral("\"")))
        return std::nullopt;
    tag.append(QStringLiteral(">"));
    return tag.finish({});
}

} // namespace commands
