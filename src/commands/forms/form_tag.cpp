#include "commands/forms/form_commands.h"
#include "commands/tag_builder.h"

namespace commands {

std::optional<Snippet> form_tag(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<form"));
    tag.ask_optional(QStringLiteral(" action=\""), QStringLiteral("Destinazione della form (URL)"));
    tag.pick_optional(QStringLiteral(" method=\""), QStringLiteral("Seleziona Metodo invio Dati"),
                      {QStringLiteral("get"), QStringLiteral("post")});
    tag.ask_optional(QStringLiteral(" enctype=\""), QStringLiteral("Tipo di codifica"));
    tag.pick_optional(QStringLiteral(" target=\""), kTargetTitle, kTargetItems);
    tag.append(QStringLiteral(">\r\n\t"));
    return tag.finish(QStringLiteral("\r\n</form>"));
}

} // namespace commands
