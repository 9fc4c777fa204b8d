#include "commands/forms/form_commands.h"
#include "commands/tag_builder.h"

namespace commands {

namespace {

void ask_enabled(TagBuilder& tag) {
    tag.ask_flag(QStringLiteral("Controllo abilitato ?"), QStringLiteral("Abilitazione"), false,
                 QStringLiteral(" disabled"));
}

// Asks for options until a value is left empty; appends one "\t<option ...>"
// per option, closed and ended by a line break only when it has a label.
// Returns the number of options added.
int ask_options(TagBuilder& tag) {
    Asker& asker = tag.asker();
    int count = 0;
    for (;;) {
        const QString value =
            asker.input(QStringLiteral("Valore restituito da questa opzione"), kInputTitle, {});
        if (!answered(value))
            return count;
        tag.append(QStringLiteral("\t<option value=\"") + value + QStringLiteral("\">"));
        ++count;
        const QString label =
            asker.input(QStringLiteral("Etichetta per questa opzione"), kInputTitle, {});
        if (answered(label))
            tag.append(label + QStringLiteral("</option>\r\n"));
    }
}

} // namespace

std::optional<Snippet> menu_t(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<select"));
    ask_enabled(tag);
    tag.ask_optional(QStringLiteral(" name=\""), QStringLiteral("Nome identificativo menu"));
    tag.ask_flag(QStringLiteral("Selezione multipla ?"), QStringLiteral("Selezione"), true,
                 QStringLiteral(" multiple"));
    tag.ask_number(QStringLiteral(" size=\""), QStringLiteral("Numero Opzioni da visualizzare"));
    tag.append(QStringLiteral(">\r\n"));
    const int options = ask_options(tag);
    tag.append(QStringLiteral("</select>"));
    if (options == 0)
        return std::nullopt;
    return tag.finish({});
}

std::optional<Snippet> elenco(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<optgroup"));
    ask_enabled(tag);
    tag.append(QStringLiteral(">\r\n"));
    ask_options(tag);
    tag.append(QStringLiteral("</optgroup>"));
    return tag.finish({});
}

} // namespace commands
