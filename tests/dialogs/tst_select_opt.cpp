// The option picker: the item chosen by its place, Enter presses
// OK, Escape and the close box answer empty text; and Qt's own buttons speak
// Italian once the translations are installed.

#include "app/translations.h"
#include "dialogs/select_opt.h"
#include "support/rows.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

struct Answer {
    const char *how, *answer;
};

class TestSelectOpt : public QObject {
    Q_OBJECT

    static QComboBox* combo(select_opt& picker) {
        return picker.findChild<QComboBox*>(u"Combo1"_s);
    }

  private slots:
    void answers_data() {
        rows<Answer>({{"choose third, OK", {"ok", "_self"}},
                      {"choose third, Enter", {"enter", "_self"}},
                      {"choose, then Escape", {"escape", ""}},
                      {"choose, then close box", {"close", ""}},
                      {"nothing chosen, OK", {"ok-empty", ""}},
                      {"typed text, Enter: no item added", {"typed", "_custom"}}});
    }
    void answers() {
        QFETCH(Answer, row);
        const QString how = QString::fromLatin1(row.how);
        select_opt picker({"_blank", "_parent", "_self", "_top"});
        QTimer::singleShot(0, &picker, [&] {
            QVERIFY(QTest::qWaitForWindowExposed(&picker));
            if (how == "typed")
                combo(picker)->lineEdit()->setText(u"_custom"_s);
            else if (how != "ok-empty")
                combo(picker)->setCurrentIndex(2);
            if (how.startsWith("ok"))
                picker.findChild<QPushButton*>("Command1")->click();
            else if (how == "enter" || how == "typed")
                QTest::keyClick(combo(picker), Qt::Key_Return);
            else if (how == "escape")
                QTest::keyClick(combo(picker), Qt::Key_Escape);
            else
                picker.close();
        });
        picker.exec();
        QCOMPARE(picker.answer(), QString::fromLatin1(row.answer));
        QCOMPARE(combo(picker)->count(), 4);
    }

    void standard_buttons_speak_italian() {
        QVERIFY(install_italian_translations());
        QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                             QDialogButtonBox::Open);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), u"Annulla"_s);
        QCOMPARE(box.button(QDialogButtonBox::Yes)->text().remove(u'&'), u"Sì"_s);
        QCOMPARE(box.button(QDialogButtonBox::Open)->text().remove(u'&'), u"Apri"_s);
    }
};

QTEST_MAIN(TestSelectOpt)
#include "tst_select_opt.moc"
