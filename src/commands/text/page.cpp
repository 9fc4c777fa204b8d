#include "commands/text/page.h"

#include "commands/tag_builder.h"

namespace commands {

std::optional<Snippet> pgtag_complete(Asker&) {
    return Snippet{QStringLiteral("<html>\r\n<head>\r\n<title></title>\r\n</head>\r\n<body>\r\n\t"),
                   QStringLiteral("\r\n</body>\r\n</html>")};
}

std::optional<Snippet> corpo(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<body"));
    tag.ask_optional(QStringLiteral(" background=\""),
                     QStringLiteral("Percorso immagine di sfondo"));
    struct PageColour {
        const char16_t* lead;
        const char16_t* prompt;
    };
    static constexpr PageColour kColours[] = {
        {u" bgcolor=\"", u"Seleziona il colore di sfondo della pagina"},
        {u" text=\"", u"Seleziona il colore del testo della pagina"},
        {u" link=\"", u"Seleziona il colore per i link della pagina"},
        {u" vlink=\"", u"Seleziona il colore per i link visitati della pagina"},
        {u" alink=\"", u"Seleziona il colore per i link attivati della pagina"},
    };
    for (const PageColour& colour : kColours)
        tag.colour_optional(QString::fromUtf16(colour.lead), QString::fromUtf16(colour.prompt));
    tag.pick_optional(QStringLiteral(" target=\""), kTargetTitle, kTargetItems);
    tag.append(QStringLiteral(">\r\n\t"));
    return tag.finish(QStringLiteral("\r\n</body>"));
}

} // namespace commands
