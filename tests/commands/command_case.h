#pragma once

// Table rows for tag commands: the answers to replay, the exact questions
// expected (with their defaults), and the exact result or none.

#include "commands/registry.h"
#include "support/scripted_asker.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace command_case {

// The recorded line of each kind of question.
inline QString input(const QString& prompt, const QString& default_text = {}) {
    return QStringLiteral("input|%1|Immisione parametro|%2").arg(prompt, default_text);
}
inline QString pick(const QString& title, const QStringList& items) {
    return QStringLiteral("pick|%1|%2").arg(title, items.join(u','));
}
inline QString colour(const QString& prompt) {
    return QStringLiteral("colour|%1").arg(prompt);
}
inline QString yes_no(const QString& question, const QString& title) {
    return QStringLiteral("yesno|%1|%2").arg(question, title);
}
inline QString inform(const QString& text) {
    return QStringLiteral("inform|%1").arg(text);
}

inline const QStringList kTargets = {QStringLiteral("_blank"), QStringLiteral("_parent"),
                                     QStringLiteral("_self"), QStringLiteral("_top")};
inline const QString kTargetPick = pick(QStringLiteral("Seleziona Destinazione Link"), kTargets);

struct Case {
    std::string name;    // test name
    const char* command; // menu item name
    QStringList answers; // replayed in order
    QStringList questions;
    std::optional<Snippet> result;
    QStringList unused = {}; // answers the command must never ask for
};

inline void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

inline std::string lines(const QStringList& list) {
    return list.join(u'\n').toStdString();
}

// Runs the row's command, looked up by its menu item name, and checks the
// questions asked, the answers left over and the texts built.
inline void check(const Case& c) {
    const TagCommand command = find_command(QLatin1StringView(c.command));
    ASSERT_NE(command, nullptr) << c.command;
    ScriptedAsker asker(c.answers);
    const std::optional<Snippet> result = command(asker);
    EXPECT_EQ(lines(asker.questions()), lines(c.questions));
    EXPECT_EQ(lines(asker.unused()), lines(c.unused));
    EXPECT_TRUE(asker.bad_answers().isEmpty());
    ASSERT_EQ(result.has_value(), c.result.has_value());
    if (result) {
        EXPECT_EQ(result->open.toStdString(), c.result->open.toStdString());
        EXPECT_EQ(result->close.toStdString(), c.result->close.toStdString());
    }
}

// The rows of one command whose questions do not depend on its answers.
struct Rows {
    const char* command;
    QStringList questions; // all of them, as asked when no required answer is missing
    QString close = {};

    // Every question asked; the opening text built.
    Case operator()(std::string name, QStringList answers, const QString& open) const {
        return Case{std::move(name), command, std::move(answers), questions, Snippet{open, close}};
    }
    // A required answer missing at question `asked`: nothing more asked, nothing built.
    Case stop(std::string name, QStringList answers, qsizetype asked) const {
        return Case{std::move(name),        command,      answers,
                    questions.first(asked), std::nullopt, answers.mid(asked)};
    }
};

inline std::string case_name(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

} // namespace command_case

namespace asked = command_case;
