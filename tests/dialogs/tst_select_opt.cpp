// The option picker: items in order, Enter presses OK, Escape and the close
// box answer empty text.

#include "dialogs/select_opt.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestSelectOpt : public QObject {
    Q_OBJECT

    static QComboBox* combo(select_opt& picker) {
        return picker.findChild<QComboBox*>(QStringLiteral("Combo1"));
    }

    // Runs `action` once the picker is shown, then waits for it to close.
    static void exec_with(select_opt& picker, std::function<void()> action) {
        QTimer::singleShot(0, &picker, [&picker, action] {
            QVERIFY(QTest::qWaitForWindowExposed(&picker));
            action();
        });
        picker.exec();
    }

  private slots:
    void shows_items_in_order_with_nothing_chosen() {
        const QStringList items = {"_blank", "_parent", "_self", "_top", "_self"};
        select_opt picker(items);
        QCOMPARE(picker.windowTitle(), QStringLiteral("Seleziona Opzione"));
        QCOMPARE(combo(picker)->count(), 5);
        for (int i = 0; i < items.size(); ++i)
            QCOMPARE(combo(picker)->itemText(i), items[i]);
        QCOMPARE(combo(picker)->currentIndex(), -1);
        QCOMPARE(combo(picker)->currentText(), QString());
        QCOMPARE(picker.size(), QSize(214, 71));
        QCOMPARE(picker.findChild<QPushButton*>("Command1")->text(), QStringLiteral("OK"));
    }

    void answers_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("answer");
        QTest::newRow("choose third, OK") << "ok" << QString("_self");
        QTest::newRow("choose third, Enter") << "enter" << QString("_self");
        QTest::newRow("choose, then Escape") << "escape" << QString("");
        QTest::newRow("choose, then close box") << "close" << QString("");
        QTest::newRow("nothing chosen, OK") << "ok-empty" << QString("");
        QTest::newRow("typed text, Enter: no item added") << "typed" << QString("_custom");
    }
    void answers() {
        QFETCH(QString, how);
        QFETCH(QString, answer);
        select_opt picker({"_blank", "_parent", "_self", "_top"});
        exec_with(picker, [&] {
            if (how == "typed")
                combo(picker)->lineEdit()->setText(QStringLiteral("_custom"));
            else if (how != "ok-empty")
                combo(picker)->setCurrentIndex(2);
            if (how == "ok" || how == "ok-empty")
                picker.findChild<QPushButton*>("Command1")->click();
            else if (how == "enter" || how == "typed")
                QTest::keyClick(combo(picker), Qt::Key_Return);
            else if (how == "escape")
                QTest::keyClick(combo(picker), Qt::Key_Escape);
            else
                picker.close();
        });
        QCOMPARE(picker.answer(), answer);
        QCOMPARE(combo(picker)->count(), 4);
    }
};

QTEST_MAIN(TestSelectOpt)
#include "tst_select_opt.moc"
