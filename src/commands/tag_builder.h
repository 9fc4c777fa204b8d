#pragma once

#include "commands/snippet.h"
#include "platform/asker.h"

#include <QString>
#include <QStringList>

// Builds an opening text piece by piece, following the rules every tag command
// shares: optional attributes are written only when the trimmed answer is not
// empty (and then untrimmed), numeric attributes only when the number read is
// greater than 0.
class TagBuilder {
  public:
    TagBuilder(Asker& asker, QString start) : asker_(asker), text_(std::move(start)) {}

    // Appends `lead` + answer + "\"" when the trimmed answer is not empty.
    // Returns the raw answer.
    QString optional(const QString& lead, const QString& answer);

    // Input box; optional attribute.
    QString ask_optional(const QString& lead, const QString& prompt,
                         const QString& default_text = {});
    // Input box read as a number; the attribute is written when it is above 0.
    QString ask_number(const QString& lead, const QString& prompt);
    // Picker question; optional attribute. Returns the choice.
    QString pick_optional(const QString& lead, const QString& title, const QStringList& items);
    // Colour question; optional attribute. Returns the colour text.
    QString colour_optional(const QString& lead, const QString& prompt);
    // Input box whose raw answer is appended as it is, even when empty.
    QString ask_content(const QString& prompt, const QString& default_text = {});
    // Input box that must not be empty after trimming. Returns false (and
    // appends nothing) when it is; otherwise appends `lead` + answer + `tail`.
    bool ask_required(const QString& lead, const QString& prompt, const QString& tail,
                      const QString& default_text = {});
    // Yes/No box: appends `text` when the answer equals `when_yes`.
    bool ask_flag(const QString& question, const QString& title, bool when_yes,
                  const QString& text);

    void append(const QString& text) { text_ += text; }
    const QString& text() const { return text_; }
    Asker& asker() { return asker_; }

    Snippet finish(const QString& close) const { return Snippet{text_, close}; }

  private:
    Asker& asker_;
    QString text_;
};

// True when the answer counts as given: not empty after trimming.
inline bool answered(const QString& answer) {
    return !answer.trimmed().isEmpty();
}

// The picker items shared by every target question.
inline const QStringList kTargetItems = {QStringLiteral("_blank"), QStringLiteral("_parent"),
                                         QStringLiteral("_self"), QStringLiteral("_top")};
inline const QString kTargetTitle = QStringLiteral("Seleziona Destinazione Link");
