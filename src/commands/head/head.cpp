#include "commands/head/head.h"

#include "commands/tag_builder.h"

namespace commands {

namespace {

const QString kHrefLead = QStringLiteral(" href=\"");
const QString kRelLead = QStringLiteral(" rel=\"");
const QString kQuote = QStringLiteral("\"");
const QString kTagEnd = QStringLiteral(">");

} // namespace

std::optional<Snippet> base_addr(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<base"));
    if (!tag.ask_required(kHrefLead, QStringLiteral("URL di base, suffisso degli URL relativi"),
                          kQuote, QStringLiteral("URL")))
        return std::nullopt;
    tag.pick_optional(QStringLiteral(" target=\""), kTargetTitle, kTargetItems);
    tag.append(kTagEnd);
    return tag.finish({});
}

std::optional<Snippet> lnk_tag(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<link"));
    if (!tag.ask_required(kHrefLead, QStringLiteral("URL del file da includere"), kQuote))
        return std::nullopt;
    tag.ask_optional(QStringLiteral(" charset=\""), QStringLiteral("Set di caratteri del link"));
    tag.ask_optional(QStringLiteral(" hreflang=\""), QStringLiteral("Linguaggio in uso nel link"));
    // "lik" is the prompt's own spelling.
    tag.ask_optional(kRelLead, QStringLiteral("Relazione tra la pagina attuale ed il lik"));
    tag.ask_optional(QStringLiteral(" rev=\""), QStringLiteral("Link di ritorno per il link"));
    tag.append(kTagEnd);
    return tag.finish({});
}

std::optional<Snippet> meta_tag(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<meta"));
    tag.ask_optional(QStringLiteral(" name=\""),
                     QStringLiteral("Nome del contenuto che si vuole restituire"));
    tag.ask_optional(QStringLiteral(" content=\""), QStringLiteral("Valore del contenuto"));
    tag.ask_optional(QStringLiteral(" http-equiv=\""), QStringLiteral("HTTP-EQUIV"));
    tag.append(kTagEnd);
    return tag.finish({});
}

std::optional<Snippet> ext_file(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<link"));
    if (!tag.ask_required(kHrefLead, QStringLiteral("Url del file esterno"), kQuote))
        return std::nullopt;
    tag.ask_optional(kRelLead, QStringLiteral("Relazione del file esterno"));
    tag.ask_optional(QStringLiteral(" type=\""), QStringLiteral("Tipo del file esterno"));
    tag.append(kTagEnd);
    return tag.finish({});
}

} // namespace commands
