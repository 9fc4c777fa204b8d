#include "app/form1_asker.h"

#include "app/form1.h"
#include "dialogs/select_opt.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

QString Form1Asker::input(const QString& prompt, const QString& title,
                          const QString& default_text) {
    QInputDialog box(&window_);
    box.setObjectName(QStringLiteral("input_box"));
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(title);
    // The prompt is shown as plain text: it may hold the user's own answers
    // (a term "R&D" or "<b>x</b>"). The label names the text field as its
    // buddy, which would take a single "&" for an access key.
    box.setLabelText(QString(prompt).replace(u'&', QStringLiteral("&&")));
    if (auto* label = box.findChild<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    box.setTextValue(default_text);
    if (box.exec() != QDialog::Accepted)
        return {};
    return box.textValue();
}

QString Form1Asker::pick(const QString& title, const QStringList& items) {
    window_.svuota();
    window_.tmp_lst.append(items);
    select_opt picker(window_.tmp_lst, &window_);
    picker.setWindowTitle(title);
    picker.exec();
    window_.str_ret = picker.answer();
    return window_.str_ret;
}

QString Form1Asker::colour(const QString& prompt) {
    return window_.sel_colore(prompt);
}

bool Form1Asker::yes_no(const QString& question, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, question, QMessageBox::Yes | QMessageBox::No,
                    &window_);
    box.setObjectName(QStringLiteral("yes_no_box"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void Form1Asker::inform(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Marklet"), text, QMessageBox::Ok,
                    &window_);
    box.setObjectName(QStringLiteral("inform_box"));
    box.exec();
}
