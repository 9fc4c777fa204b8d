#include "commands/text/lists.h"

#include "commands/tag_builder.h"

namespace commands {

namespace {

const QString kNumberingTitle = QStringLiteral("Seleziona il tipo di numerazione");

// Asks for entries until the first blank or cancelled one, writing each as an
// indented "<li>" line. Returns how many entries were given.
int ask_items(TagBuilder& tag, const QString& prompt) {
    int count = 0;
    for (;;) {
        const QString item = tag.asker().input(prompt, kInputTitle, {});
        if (!answered(item))
            return count;
        tag.append(QStringLiteral("\t<li>") + item + QStringLiteral("</li>\r\n"));
        ++count;
    }
}

std::optional<Snippet> whole_list(const TagBuilder& tag, int entries) {
    if (entries == 0)
        return std::nullopt;
    return tag.finish({});
}

} // namespace

std::optional<Snippet> numbered_list(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<ol"));
    tag.ask_number(QStringLiteral(" start=\""),
                   QStringLiteral("Numero dell'elenco da cui partire "));
    tag.pick_optional(QStringLiteral(" type=\""), kNumberingTitle,
                      {QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("A"),
                       QStringLiteral("i"), QStringLiteral("I")});
    tag.append(QStringLiteral(">\r\n"));
    const int entries = ask_items(tag, QStringLiteral("Inserire un elemento dell'elenco"));
    tag.append(QStringLiteral("</ol>\r\n"));
    return whole_list(tag, entries);
}

std::optional<Snippet> unumberd_list(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<ul"));
    tag.pick_optional(QStringLiteral(" type=\""), kNumberingTitle,
                      {QStringLiteral("circle"), QStringLiteral("disc"), QStringLiteral("square")});
    tag.append(QStringLiteral(">\r\n"));
    const int entries = ask_items(tag, QStringLiteral("Inserisce un elemento dell'elenco"));
    tag.append(QStringLiteral("</ul>\r\n"));
    return whole_list(tag, entries);
}

std::optional<Snippet> list_definition(Asker& asker) {
    TagBuilder tag(asker, QStringLiteral("<dl>\r\n"));
    int entries = 0;
    for (;;) {
        const QString term = asker.input(QStringLiteral("Termine "), kInputTitle, {});
        if (!answered(term))
            break;
        tag.append(QStringLiteral("\t<dt>") + term + QStringLiteral("</dt>"));
        const QString definition =
            asker.input(QStringLiteral("Definizione di ") + term, kInputTitle, {});
        tag.append(QStringLiteral("<dd>") + definition + QStringLiteral("</dd>\r\n"));
        ++entries;
    }
    // Unlike the other lists, no line break after the closing tag.
    tag.append(QStringLiteral("</dl>"));
    return whole_list(tag, entries);
}

} // namespace commands
