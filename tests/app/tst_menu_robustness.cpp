// Every menu item and toolbar operation through the real window and the real
// question dialogs, answered by a timer: once with every question cancelled,
// then with random answers from fixed seeds. Nothing may crash or hang, no
// modal window may stay open, and the text around the selection and the
// selected text itself stay whole.

#include "app/menu_table.h"
#include "support/main_window.h"

#include <QComboBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <random>

using namespace Qt::StringLiterals;

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

  private:
    void poll() {
        static const QStringList answers = {"",      "   ",   "12",        "-3",
                                            "2.5e3", "1e999", "a\"b<c>&d", "città €",
                                            "😀",     "x",     "72%",       QString(300, u'w')};
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == last_)
            return;
        last_ = modal;
        ++answered;
        ++total;
        // A command that keeps asking is made to stop: from here on, cancel.
        const bool cancel = cancel_all_ || answered > 200 || below(5) == 0;
        const QByteArray kind = modal->metaObject()->className();
        if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            input->setTextValue(answers[below(int(answers.size()))]);
            cancel ? input->reject() : input->accept();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            const auto buttons = box->buttons(); // cancelling takes the first of Cancel, No, Ok
            QAbstractButton* button =
                buttons.isEmpty() ? nullptr : buttons.at(below(int(buttons.size())));
            for (auto which : {QMessageBox::Ok, QMessageBox::No, QMessageBox::Cancel})
                if (cancel && box->button(which))
                    button = box->button(which);
            button ? button->click() : box->reject();
        } else if (auto* combo = modal->findChild<QComboBox*>(u"Combo1"_s);
                   kind == "select_opt" && !cancel) {
            combo->setCurrentIndex(below(combo->count()));
            modal->findChild<QPushButton*>(u"Command1"_s)->click();
        } else {
            if (kind != "select_opt")
                unexpected << QString::fromLatin1(kind);
            modal->close();
        }
    }

    bool cancel_all_;
    std::mt19937 random_;
    QPointer<QWidget> last_;
    QTimer timer_;
};

} // namespace

class TestMenuRobustness : public QObject {
    Q_OBJECT

    MainWindow m;

  private slots:
    void init() { m.open(); }
    void cleanup() { m.close(); }

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
        QStringList operations; // every menu item, then the operations only on a button
        for (const MenuDef& menu : menu_table())
            for (const MenuItemDef& item : menu.items)
                operations << QString::fromLatin1(item.name);
        operations << "Command2"
                   << "Command3"
                   << "Command4"
                   << "Command5"
                   << "Command1"
                   << "Command2";
        ScintillaEditArea& edit = m.edit();
        Responder responder(cancel_all, seed);
        for (const QString& name : operations) {
            edit.set_text(u"<p>prima\r\nriga è € 😀</p>\r\ndopo"_s);
            const QString before = edit.text();
            edit.select(responder.below(int(before.size()) - 4), responder.below(4));
            const qsizetype s = edit.selection_start(), len = edit.selection_length();
            m.dialogs->colours.clear();
            if (!cancel_all && responder.below(2) == 0)
                m.dialogs->colours.push_back(unsigned(responder.below(1 << 24)));
            responder.answered = 0;

            m.window->run_item(name);
            QCoreApplication::processEvents();

            QVERIFY2(!QApplication::activeModalWidget() && m.window->isVisible(), qPrintable(name));
            QVERIFY2(responder.answered < 200, qPrintable(name + u" keeps asking"_s));
            const QString after = edit.text();
            QVERIFY2(after.startsWith(before.left(s)) && after.endsWith(before.mid(s + len)) &&
                         after.indexOf(before.mid(s, len), s) >= 0,
                     qPrintable(name));
        }
        QVERIFY(responder.total > 60); // the commands did ask, and were answered
        QVERIFY2(responder.unexpected.isEmpty(), qPrintable(responder.unexpected.join(u',')));
    }
};

QTEST_MAIN(TestMenuRobustness)
#include "tst_menu_robustness.moc"
