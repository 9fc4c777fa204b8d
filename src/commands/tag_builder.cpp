#include "commands/tag_builder.h"

#include "commands/number.h"

QString TagBuilder::optional(const QString& lead, const QString& answer) {
    if (answered(answer))
        text_ += lead + answer + u'"';
    return answer;
}

QString TagBuilder::ask_optional(const QString& lead, const QString& prompt,
                                 const QString& default_text) {
    return optional(lead, asker_.input(prompt, kInputTitle, default_text));
}

QString TagBuilder::ask_number(const QString& lead, const QString& prompt) {
    const QString answer = asker_.input(prompt, kInputTitle, {});
    if (const auto value = numeric_value(answer))
        text_ += lead + *value + u'"';
    return answer;
}

QString TagBuilder::pick_optional(const QString& lead, const QString& title,
                                  const QStringList& items) {
    return optional(lead, asker_.pick(title, items));
}

QString TagBuilder::colour_optional(const QString& lead, const QString& prompt) {
    return optional(lead, asker_.colour(prompt));
}

QString TagBuilder::ask_content(const QString& prompt, const QString& default_text) {
    const QString answer = asker_.input(prompt, kInputTitle, default_text);
    text_ += answer;
    return answer;
}

bool TagBuilder::ask_required(const QString& lead, const QString& prompt, const QString& tail,
                              const QString& default_text) {
    const QString answer = asker_.input(prompt, kInputTitle, default_text);
    if (!answered(answer))
        return false;
    text_ += lead + answer + tail;
    return true;
}

bool TagBuilder::ask_flag(const QString& question, const QString& title, bool when_yes,
                          const QString& text) {
    const bool yes = asker_.yes_no(question, title);
    if (yes == when_yes)
        text_ += text;
    return yes;
}
