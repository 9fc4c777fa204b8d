#include "commands/text/phrase.h"

#include "commands/tag_builder.h"

namespace commands {

namespace {

// One input box whose raw answer follows the opening tag, even when empty.
Snippet with_content(Asker& asker, const QString& open, const QString& prompt,
                     const QString& default_text, const QString& close) {
    TagBuilder tag(asker, open);
    tag.ask_content(prompt, default_text);
    return tag.finish(close);
}

Snippet with_long_form(Asker& asker, const QString& element, const QString& short_form) {
    TagBuilder tag(asker, u'<' + element);
    tag.ask_optional(QStringLiteral(" title=\""),
                     QStringLiteral("Forma Estesa(apparirà come tooltip)"),
                     QStringLiteral("Forma estesa"));
    tag.append(QStringLiteral(">"));
    tag.ask_content(short_form, short_form);
    return tag.finish(QStringLiteral("</") + element + u'>');
}

} // namespace

std::optional<Snippet> citazione(Asker& asker) {
    return with_content(asker, QStringLiteral("<cite>"), QStringLiteral("Testo della citazione"),
                        {}, QStringLiteral("</cite>"));
}

std::optional<Snippet> codice(Asker& asker) {
    return with_content(asker, QStringLiteral("<code>"), QStringLiteral("Testo del codice"), {},
                        QStringLiteral("</code>"));
}

std::optional<Snippet> sample_code(Asker& asker) {
    return with_content(asker, QStringLiteral("<samp>"), QStringLiteral("Testo esempio del codice"),
                        QStringLiteral("Codice"), QStringLiteral("</samp>"));
}

std::optional<Snippet> variabile(Asker& asker) {
    return with_content(asker, QStringLiteral("<var>"), QStringLiteral("Variabile"), {},
                        QStringLiteral("</var>"));
}

std::optional<Snippet> definizione(Asker& asker) {
    return with_content(asker, QStringLiteral("<dfn>"), QStringLiteral("Testo della definizione"),
                        {}, QStringLiteral("</dfn>"));
}

std::optional<Snippet> txt_user(Asker& asker) {
    return with_content(asker, QStringLiteral("<kbd>"),
                        QStringLiteral("Testo che l'utente dovrebbe digitare"), {},
                        QStringLiteral("</kbd>"));
}

std::optional<Snippet> indirizzo(Asker& asker) {
    return with_content(asker, QStringLiteral("<address>"), QStringLiteral("Indirizzo"), {},
                        QStringLiteral("</address>"));
}

std::optional<Snippet> one_line(Asker& asker) {
    return with_content(asker, QStringLiteral("<nobr>"),
                        QStringLiteral("Testo da inserire su una linea unica"),
                        QStringLiteral("Testo"), QStringLiteral("</nobr>"));
}

std::optional<Snippet> space_pre(Asker& asker) {
    // No line breaks: "<pre>" and "</pre>" stand directly against the text.
    return with_content(asker, QStringLiteral("<pre>"),
                        QStringLiteral("Testo di cui preservare la spaziatura"), {},
                        QStringLiteral("</pre>"));
}

std::optional<Snippet> tile(Asker& asker) {
    return with_content(asker, QStringLiteral("<title>"), QStringLiteral("Titolo della pagina"), {},
                        QStringLiteral("</title>"));
}

std::optional<Snippet> abbreviazione(Asker& asker) {
    return with_long_form(asker, QStringLiteral("abbr"), QStringLiteral("Abbreviazione"));
}

std::optional<Snippet> acronimo(Asker& asker) {
    return with_long_form(asker, QStringLiteral("acronym"), QStringLiteral("Acronimo"));
}

std::optional<Snippet> commento(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<!--"));
    const QString text = asker.input(QStringLiteral("Testo da commentare"), kInputTitle, {});
    if (answered(text))
        tag.append(text);
    return tag.finish(QStringLiteral("-->"));
}

} // namespace commands
