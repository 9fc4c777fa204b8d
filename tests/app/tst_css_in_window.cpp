// The CSS editor opened from the main window: one window at a time, rules
// reach the temporary stylesheet and the main window's preview reloads.

#include "document/file_io.h"
#include "document/temp_files.h"
#include "support/dialog_steps.h"
#include "support/files.h"
#include "support/main_window.h"

#include <QCheckBox>
#include <QLineEdit>

class TestCssInWindow : public QObject {
    Q_OBJECT

    MainWindow m;
    Form1* window = nullptr;

    template <typename T> T* css_child(const char* name) {
        return window->css_window()->findChild<T*>(QString::fromLatin1(name));
    }

  private slots:
    void init() {
        m.open();
        window = m.window.get();
    }
    void cleanup() { m.close(); }

    void opening_twice_leaves_one_window() {
        window->action("css_editor")->trigger();
        css_edit* first = window->css_window();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QCOMPARE(first->windowTitle(), QStringLiteral("CSS Editor"));
        window->action("css_editor")->trigger();
        QCOMPARE(window->css_window(), first);
        QCOMPARE(window->findChildren<css_edit*>().size(), 1);
    }

    void inserted_rule_reaches_stylesheet_and_reloads_preview() {
        window->action("Command2")->trigger(); // the pane is on and shows the preview
        QVERIFY(m.pane);
        window->action("tmp_stylesheet")->trigger();
        window->action("css_editor")->trigger();
        const int reloads = m.pane->reloads;

        css_child<QComboBox>("Combo13")->setEditText(QStringLiteral("BODY"));
        css_child<QCheckBox>("cdimensione_c")->click();
        css_child<QLineEdit>("cdimensione")->setText(QStringLiteral("12px"));
        css_child<QCheckBox>("cstile_c")->click();
        css_child<QPushButton>("Command1")->click();

        const QString rule = "BODY {\r\n\tfont-size: 12px;\r\n\tfont-style: normal;\r\n}\r\n";
        QCOMPARE(window->css_window()->edit_area().text(), rule);
        QCOMPARE(read_bytes(temp_stylesheet_path()), rule.toUtf8());
        QCOMPARE(m.pane->reloads, reloads + 1);
        QVERIFY(window->css_state().css_changed);
    }

    void closing_discards_and_reopening_starts_afresh_keeping_the_flag() {
        window->action("css_editor")->trigger();
        window->css_window()->edit_area().set_text(QStringLiteral("p {}"));
        QVERIFY(window->css_state().css_changed);
        {
            ModalScript script({steps::press(QMessageBox::No)});
            QVERIFY(window->css_window()->close());
        }
        QTRY_VERIFY(!window->css_window());
        window->action("css_editor")->trigger();
        QCOMPARE(window->css_window()->edit_area().text(), QString());
    }

    void closing_the_main_window_asks_about_the_stylesheet_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("no: both close") << int(QMessageBox::No) << true;
        QTest::newRow("yes, save cancelled: both stay") << int(QMessageBox::Yes) << false;
    }
    void closing_the_main_window_asks_about_the_stylesheet() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        window->action("css_editor")->trigger();
        window->css_window()->edit_area().set_text(QStringLiteral("h1 {}"));
        QString question;
        ModalScript script({steps::press(QMessageBox::StandardButton(answer), &question)});
        QCOMPARE(window->close(), closed);
        QCOMPARE(question, QStringLiteral("Il file corrente non è stato salvato. Salvare?"));
        QCOMPARE(script.titles, QStringList{QStringLiteral("File non salvato")});
        QCOMPARE(window->isVisible(), !closed);
        if (!closed)
            QCOMPARE(window->css_window()->edit_area().text(), QStringLiteral("h1 {}"));
    }
};

QTEST_MAIN(TestCssInWindow)
#include "tst_css_in_window.moc"
