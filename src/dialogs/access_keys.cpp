#include "dialogs/access_keys.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace {

// The letter after a single '&' in the caption, or a null character.
QChar access_key(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1].toLower();
        ++i; // "&&" is a literal ampersand
    }
    return {};
}

} // namespace

void give_access_keys(QMessageBox& box) {
    const QList<QAbstractButton*> buttons = box.buttons();
    QString taken;
    for (const QAbstractButton* button : buttons)
        if (const QChar key = access_key(button->text()); !key.isNull())
            taken += key;
    for (QAbstractButton* button : buttons) {
        const QString caption = button->text();
        if (!access_key(caption).isNull())
            continue;
        for (qsizetype i = 0; i < caption.size(); ++i) {
            const QChar letter = caption[i].toLower();
            if (!letter.isLetter() || taken.contains(letter))
                continue;
            QString keyed = caption;
            keyed.replace(QStringLiteral("&"), QStringLiteral("&&"));
            // Each '&' before i became two: the letter moved by their count.
            keyed.insert(i + caption.left(i).count(u'&'), u'&');
            button->setText(keyed);
            taken += letter;
            break;
        }
    }
}
