#include "dialogs/message_box.h"

#include <QAbstractButton>
#include <QKeySequence>

void give_access_keys(QMessageBox& box) {
    const QList<QAbstractButton*> buttons = box.buttons();
    QList<QKeySequence> taken;
    for (const QAbstractButton* button : buttons)
        if (const QKeySequence key = QKeySequence::mnemonic(button->text()); !key.isEmpty())
            taken << key;
    for (QAbstractButton* button : buttons) {
        const QString caption = button->text();
        if (!QKeySequence::mnemonic(caption).isEmpty())
            continue;
        QString escaped = caption;
        escaped.replace(QStringLiteral("&"), QStringLiteral("&&"));
        // Each '&' before a letter became two: the letter moved by their count.
        for (qsizetype i = 0, at = 0; i < caption.size(); ++i, ++at) {
            if (caption[i] == u'&')
                ++at;
            if (!caption[i].isLetter())
                continue;
            const QString keyed = QString(escaped).insert(at, u'&');
            const QKeySequence key = QKeySequence::mnemonic(keyed);
            if (key.isEmpty() || taken.contains(key))
                continue;
            button->setText(keyed);
            taken << key;
            break;
        }
    }
}

QMessageBox::StandardButton ask_message(QWidget* parent, const QString& name,
                                        QMessageBox::Icon icon, const QString& title,
                                        const QString& text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton default_button) {
    QMessageBox box(icon, title, text, buttons, parent);
    box.setObjectName(name);
    box.setTextFormat(Qt::PlainText);
    if (buttons.testFlag(default_button))
        box.setDefaultButton(default_button);
    give_access_keys(box);
    return QMessageBox::StandardButton(box.exec());
}
