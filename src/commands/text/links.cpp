#include "commands/text/links.h"

#include "commands/tag_builder.h"

namespace commands {

namespace {

const QString kLinkTextPrompt = QStringLiteral("Testo del collegamento");
const QString kAnchorClose = QStringLiteral("</a>");

} // namespace

std::optional<Snippet> anchor(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<A name=\""));
    if (!tag.ask_required({}, QStringLiteral("Nome Ancora"), QStringLiteral("\">"),
                          QStringLiteral("ancora")))
        return std::nullopt;
    tag.ask_content(QStringLiteral("Testo Ancora"), QStringLiteral("testo"));
    return tag.finish(kAnchorClose);
}

std::optional<Snippet> link(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<A href=\""));
    if (!tag.ask_required({}, QStringLiteral("Nome URL, dare #nome_ancora per la stessa pagina"),
                          QStringLiteral("\"")))
        return std::nullopt;
    tag.pick_optional(QStringLiteral(" target=\""), kTargetTitle, kTargetItems);
    tag.ask_optional(QStringLiteral(" title=\""), QStringLiteral("ToolTip link"));
    tag.append(QStringLiteral(">"));
    tag.ask_content(kLinkTextPrompt);
    return tag.finish(kAnchorClose);
}

std::optional<Snippet> link_mail(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<A href=\"mailto:"));
    if (!tag.ask_required({}, QStringLiteral("Indirizzo di posta del destinatario"), {}))
        return std::nullopt;
    // The subject goes into the address as typed, not encoded.
    const QString subject = asker.input(QStringLiteral("Oggetto della mail"), kInputTitle, {});
    if (answered(subject))
        tag.append(QStringLiteral("?subject=") + subject);
    tag.append(QStringLiteral("\">"));
    tag.ask_content(kLinkTextPrompt);
    return tag.finish(kAnchorClose);
}

} // namespace commands
