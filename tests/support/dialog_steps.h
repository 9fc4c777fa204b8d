#pragma once

#include "support/modal_script.h"

#include <QComboBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

// Steps for ModalScript that answer the real dialogs of the program.
namespace steps {

// Input box: types the text and confirms with OK.
inline ModalScript::Step type(const QString& text) {
    return [text](QWidget* dialog) {
        auto* box = qobject_cast<QInputDialog*>(dialog);
        QVERIFY2(box, qPrintable(dialog->windowTitle()));
        box->setTextValue(text);
        box->accept();
    };
}

// Any dialog: Cancel, Escape or the close box.
inline ModalScript::Step cancel() {
    return [](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); };
}

// Option picker: chooses the entry at `index` and presses OK.
inline ModalScript::Step choose(int index) {
    return [index](QWidget* dialog) {
        auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("Combo1"));
        QVERIFY2(combo, qPrintable(dialog->windowTitle()));
        combo->setCurrentIndex(index);
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    };
}

// Message box: presses the standard button, keeping the text it showed.
inline ModalScript::Step press(QMessageBox::StandardButton which, QString* text = nullptr) {
    return [which, text](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        QVERIFY2(box, qPrintable(dialog->windowTitle()));
        if (text)
            *text = box->text();
        box->button(which)->click();
    };
}

// Message box: presses the standard button once its caption is checked to
// carry an access key (a letter after '&', chosen with Alt), keeping the
// text the box showed.
inline ModalScript::Step press_key(QMessageBox::StandardButton which, QString* text = nullptr) {
    return [which, text](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        QVERIFY2(box, qPrintable(dialog->windowTitle()));
        const QString caption = box->button(which)->text();
        const qsizetype amp = caption.indexOf(u'&');
        QVERIFY2(amp >= 0 && amp + 1 < caption.size() && caption[amp + 1].isLetter(),
                 qPrintable(caption));
        press(which, text)(dialog);
    };
}

} // namespace steps
