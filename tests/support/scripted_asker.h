#pragma once

#include "platform/asker.h"

#include <QString>
#include <QStringList>

// An asker that replays scripted answers and records every question, so a test
// can check what was asked, in which order, and the exact output.
//
// Each recorded question is one line:
//   input|<prompt>|<title>|<default>
//   pick|<title>|<item>,<item>,...
//   colour|<prompt>
//   yesno|<question>|<title>
//   inform|<text>
// Answers are consumed in order; a yes/no question takes "Yes" or "No".
// A question asked after the script has run out gets an empty answer (No),
// and is recorded like any other, so an unexpected extra question shows up
// in the recorded list.
class ScriptedAsker : public Asker {
  public:
    explicit ScriptedAsker(QStringList answers = {}) : answers_(std::move(answers)) {}

    QString input(const QString& prompt, const QString& title,
                  const QString& default_text) override {
        questions_ << QStringLiteral("input|%1|%2|%3").arg(prompt, title, default_text);
        return next();
    }
    QString pick(const QString& title, const QStringList& items) override {
        questions_ << QStringLiteral("pick|%1|%2").arg(title, items.join(u','));
        return next();
    }
    QString colour(const QString& prompt) override {
        questions_ << QStringLiteral("colour|%1").arg(prompt);
        return next();
    }
    bool yes_no(const QString& question, const QString& title) override {
        questions_ << QStringLiteral("yesno|%1|%2").arg(question, title);
        const QString answer = next();
        if (!answer.isEmpty() && answer != u"Yes" && answer != u"No")
            bad_answers_ << answer;
        return answer == u"Yes";
    }
    void inform(const QString& text) override {
        questions_ << QStringLiteral("inform|%1").arg(text);
    }

    const QStringList& questions() const { return questions_; }
    // Answers never consumed: a command that stopped early leaves some here.
    QStringList unused() const { return answers_.mid(position_); }
    // Answers given to a yes/no question that were neither "Yes" nor "No".
    const QStringList& bad_answers() const { return bad_answers_; }

  private:
    QString next() { return position_ < answers_.size() ? answers_[position_++] : QString(); }

    QStringList answers_;
    qsizetype position_ = 0;
    QStringList questions_;
    QStringList bad_answers_;
};
