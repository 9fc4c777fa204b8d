// The CSS editor opened from the main window: one window at a time, rules
// reach the temporary stylesheet and the main window's preview reloads.

#include "app/file_io.h"
#include "app/form1.h"
#include "css_editor/css_edit.h"
#include "platform/qt/scintilla_edit_area.h"
#include "support/dialog_steps.h"
#include "support/fakes.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

class TestCssInWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> window;
    FakeBrowserPane* pane = nullptr;

    template <typename T> T* css_child(const char* name) {
        return window->css_window()->findChild<T*>(QString::fromLatin1(name));
    }

  private slots:
    void init() {
        Form1Services services;
        services.dialogs = std::make_unique<FakeDialogs>();
        services.launcher = std::make_unique<FakeLauncher>();
        services.browser_factory = fake_browser_factory(&pane);
        services.css_dialogs = [] { return std::make_unique<FakeDialogs>(); };
        window = std::make_unique<Form1>(std::move(services));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() {
        window->editor()->setModified(false);
        if (window->css_window())
            window->css_window()->editor()->setModified(false);
        window.reset();
    }

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
        QVERIFY(pane);
        window->action("tmp_stylesheet")->trigger();
        window->action("css_editor")->trigger();
        const int reloads = pane->reloads;

        css_child<QComboBox>("Combo13")->setEditText(QStringLiteral("BODY"));
        css_child<QCheckBox>("cdimensione_c")->click();
        css_child<QLineEdit>("cdimensione")->setText(QStringLiteral("12px"));
        css_child<QCheckBox>("cstile_c")->click();
        css_child<QPushButton>("Command1")->click();

        const QString rule = "BODY {\r\n\tfont-size: 12px;\r\n\tfont-style: normal;\r\n}\r\n";
        QCOMPARE(window->css_window()->edit_area().text(), rule);
        QFile stylesheet(temp_stylesheet_path());
        QVERIFY(stylesheet.open(QIODevice::ReadOnly));
        QCOMPARE(stylesheet.readAll(), rule.toUtf8());
        QCOMPARE(pane->reloads, reloads + 1);
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
        QCOMPARE(window->isVisible(), !closed);
        if (!closed)
            QCOMPARE(window->css_window()->edit_area().text(), QStringLiteral("h1 {}"));
    }
};

QTEST_MAIN(TestCssInWindow)
#include "tst_css_in_window.moc"
