// Every menu item and toolbar operation through the real window and the real
// question dialogs, answered by a timer: once with every question cancelled,
// then with random answers from fixed seeds. Nothing may crash or hang, no
// modal window may stay open, and the document around the selection is never
// touched: the text before the selection and after it stay as they were, and
// the selected text stays whole in between.

#include "app/form1.h"
#include "app/menu_table.h"
#include "platform/qt/scintilla_edit_area.h"
#include "support/fake_services.h"

#include <QComboBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <Qsci/qsciscintilla.h>
#include <QtTest>
#include <random>

namespace {

// Answers whatever modal window is open, a few milliseconds after it opens.
class Responder : public QObject {
  public:
    Responder(bool cancel_all, unsigned seed) : cancel_all_(cancel_all), random_(seed) {
        timer_.setInterval(1);
        connect(&timer_, &QTimer::timeout, this, &Responder::poll);
        timer_.start();
    }

    int answered = 0;       // dialogs handled since the last reset
    int total = 0;          // dialogs handled in all
    QStringList unexpected; // modal windows of a kind the program should not show

    int below(int n) { return n <= 0 ? 0 : int(random_() % unsigned(n)); }
    QString random_answer() {
        static const QStringList answers = {
            QString(),
            QStringLiteral("   "),
            QStringLiteral("12"),
            QStringLiteral("-3"),
            QStringLiteral("2.5e3"),
            QStringLiteral("1e999"),
            QStringLiteral("a\"b<c>&d"),
            QStringLiteral("città €"),
            QStringLiteral("😀"),
            QStringLiteral("x"),
            QStringLiteral("72%"),
            QString(300, u'w'),
        };
        return answers[below(int(answers.size()))];
    }

  private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == last_)
            return;
        last_ = modal;
        ++answered;
        ++total;
        // A command that keeps asking is made to stop: from here on, cancel.
        const bool cancel = cancel_all_ || answered > 200 || below(5) == 0;
        if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            if (cancel) {
                input->reject();
            } else {
                input->setTextValue(random_answer());
                input->accept();
            }
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            QAbstractButton* button = nullptr;
            if (cancel) {
                for (auto which : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok})
                    if (!button)
                        button = box->button(which);
            }
            if (!button && !box->buttons().isEmpty())
                button = box->buttons().at(below(int(box->buttons().size())));
            if (button)
                button->click();
            else
                box->reject();
        } else if (modal->metaObject()->className() == QByteArrayLiteral("select_opt")) {
            auto* combo = modal->findChild<QComboBox*>(QStringLiteral("Combo1"));
            auto* ok = modal->findChild<QPushButton*>(QStringLiteral("Command1"));
            if (cancel || !combo || !ok) {
                qobject_cast<QDialog*>(modal)->reject();
            } else {
                combo->setCurrentIndex(below(combo->count()));
                ok->click();
            }
        } else {
            unexpected << QString::fromLatin1(modal->metaObject()->className());
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        }
    }

    bool cancel_all_;
    std::mt19937 random_;
    QPointer<QWidget> last_;
    QTimer timer_;
};

// Every item of the menu bar, then the operations that only have a button.
QStringList every_operation() {
    QStringList names;
    for (const MenuDef& menu : menu_table())
        for (const MenuItemDef& item : menu.items)
            names << QString::fromLatin1(item.name);
    names << QStringLiteral("Command2") << QStringLiteral("Command3") << QStringLiteral("Command4")
          << QStringLiteral("Command5") << QStringLiteral("Command1") << QStringLiteral("Command2");
    return names;
}

} // namespace

class TestMenuRobustness : public QObject {
    Q_OBJECT

  private slots:
    void every_operation_survives_any_answer_data() {
        QTest::addColumn<bool>("cancel_all");
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("every question cancelled") << true << 1u;
        QTest::newRow("random answers, seed 7") << false << 7u;
        QTest::newRow("random answers, seed 4242") << false << 4242u;
    }
    void every_operation_survives_any_answer() {
        QFETCH(bool, cancel_all);
        QFETCH(unsigned, seed);
        auto dialogs = std::make_unique<FakeDialogs>();
        FakeDialogs* fake = dialogs.get();
        Form1 window(fake_services(std::move(dialogs)));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ScintillaEditArea& edit = window.edit_area();
        Responder responder(cancel_all, seed);

        for (const QString& name : every_operation()) {
            edit.set_text(QStringLiteral("<p>prima\r\nriga è € 😀</p>\r\ndopo"));
            const QString before = edit.text();
            const int start = responder.below(int(before.size()) - 4);
            edit.select(start, responder.below(4));
            const qsizetype s = edit.selection_start(), len = edit.selection_length();
            if (!cancel_all && responder.below(2) == 0)
                fake->colours.push_back(unsigned(responder.below(1 << 24)));
            responder.answered = 0;

            window.run_item(name);
            QCoreApplication::processEvents();

            QVERIFY2(!QApplication::activeModalWidget(), qPrintable(name));
            QVERIFY2(window.isVisible(), qPrintable(name));
            QVERIFY2(responder.answered < 200, qPrintable(name + QStringLiteral(" keeps asking")));
            const QString after = edit.text();
            QVERIFY2(after.startsWith(before.left(s)), qPrintable(name));
            QVERIFY2(after.endsWith(before.mid(s + len)), qPrintable(name));
            QVERIFY2(after.indexOf(before.mid(s, len), s) >= 0, qPrintable(name));
            fake->colours.clear();
        }
        QVERIFY(responder.total > 60); // the commands did ask, and were answered
        QVERIFY2(responder.unexpected.isEmpty(), qPrintable(responder.unexpected.join(u',')));
        window.editor()->setModified(false);
    }
};

QTEST_MAIN(TestMenuRobustness)
#include "tst_menu_robustness.moc"
