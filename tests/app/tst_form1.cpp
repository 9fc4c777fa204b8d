// The main window end to end: menu action -> questions -> document text,
// caret, focus and preview file.

#include "document/file_io.h"
#include "document/temp_files.h"
#include "support/dialog_steps.h"
#include "support/files.h"
#include "support/main_window.h"

#include <QClipboard>
#include <QMenuBar>
#include <QStatusBar>

using namespace steps;

namespace {

QAction* menu_action(Form1& window, const QString& menu_caption, const QString& item_caption) {
    for (QAction* menu_action : window.menuBar()->actions()) {
        if (menu_action->text() != menu_caption)
            continue;
        for (QAction* item : menu_action->menu()->actions()) {
            if (item->text() == item_caption)
                return item;
        }
    }
    return nullptr;
}

QByteArray preview_bytes() {
    return read_bytes(preview_file_path());
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

    MainWindow m;
    Form1* window = nullptr;

    ScintillaEditArea& edit() { return m.edit(); }

  private slots:
    void init() {
        m.open();
        window = m.window.get();
    }
    void cleanup() { m.close(); }

    void starts_as_an_empty_window_named_marklet() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Marklet"));
        QCOMPARE(edit().text(), QString());
        QCOMPARE(window->enable_browser, false);
        QVERIFY(!window->browser()->isVisible());
        QCOMPARE(window->centralWidget()->size(), QSize(486, 517));
        QCOMPARE(window->editor()->geometry(), QRect(5, 104, 481, 409));
        QCOMPARE(window->browser()->geometry(), QRect(488, 8, 481, 473));
        auto* tags = window->findChild<QComboBox*>(QStringLiteral("lang_list"));
        QCOMPARE(tags->count(), 59);
        QCOMPARE(tags->itemText(0), QStringLiteral("A"));
        QCOMPARE(tags->itemText(58), QStringLiteral("VAR"));
        QCOMPARE(tags->currentText(), QString());
        QCOMPARE(QApplication::focusWidget(), window->editor());
    }

    void menu_bar_has_eight_menus_and_sixty_two_items() {
        const QStringList expected = {
            "&Link", "&Speciali", "&Formattazione",  "&Posizione Elementi",
            "&Form", "&Varie",    "&Sezioni Pagina", "&Tool"};
        QStringList captions;
        int items = 0;
        for (QAction* menu : window->menuBar()->actions()) {
            captions << menu->text();
            items += int(menu->menu()->actions().size());
        }
        QCOMPARE(captions, expected);
        QCOMPARE(items, 62);
        QVERIFY(menu_action(*m.window, "&Posizione Elementi", "Allineamento a &Destra"));
        // Every item and every toolbar operation is there to be used.
        for (QAction* menu : window->menuBar()->actions())
            for (QAction* item : menu->menu()->actions())
                QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
        for (const char* name : {"Command1", "Command2", "Command3", "Command4", "Command5"})
            QVERIFY2(window->action(name)->isEnabled(), name);
        QCOMPARE(window->action("al_dx")->text(), QStringLiteral("Allineamento a &Destra"));
    }

    void menu_command_wraps_selection_or_caret_as_one_change_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        QTest::newRow("selection") << "abc" << 0 << 3 << "<b>abc</b>" << 6;
        QTest::newRow("caret only") << "xy" << 1 << 0 << "x<b></b>y" << 4;
        QTest::newRow("accents and CR LF") << "è\r\n€" << 0 << 4 << "<b>è\r\n€</b>" << 7;
    }
    void menu_command_wraps_selection_or_caret_as_one_change() {
        QFETCH(QString, before);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, after);
        QFETCH(int, caret);
        edit().set_text(before);
        edit().select(start, length);
        QList<QByteArray> written; // the preview, once, never half made
        connect(&edit(), &EditArea::changed, this, [&] { written << preview_bytes(); });
        menu_action(*m.window, "&Formattazione", "&Grassetto")->trigger();
        QCOMPARE(edit().text(), after);
        QCOMPARE(edit().caret(), caret);
        QCOMPARE(edit().selection_length(), 0);
        QCOMPARE(QApplication::focusWidget(), window->editor());
        QCoreApplication::processEvents();
        QCOMPARE(written, QList<QByteArray>{after.toUtf8()});
        window->editor()->undo(); // one step
        QCOMPARE(edit().text(), before);
    }

    void character_typed_over_a_selection_writes_whole_preview_once() {
        edit().set_text(QStringLiteral("<p>ciao</p>"));
        edit().select(3, 4);
        QList<QByteArray> written;
        connect(&edit(), &EditArea::changed, this, [&] { written << preview_bytes(); });
        QTest::keyClick(window->editor(), Qt::Key_A);
        QTRY_COMPARE(written.size(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(written, QList<QByteArray>{"<p>a</p>"});
        QVERIFY(!m.pane); // no pane yet: nothing to reload
    }

    void tag_list_by_keyboard_inserts_one_pair_and_returns_focus() {
        edit().set_text(QStringLiteral("abc"));
        edit().select(0, 3);
        auto* tags = window->findChild<QComboBox*>(QStringLiteral("lang_list"));
        tags->setFocus();
        QTRY_VERIFY(tags->hasFocus());
        QTest::keyClick(tags, Qt::Key_Down);
        QCOMPARE(edit().text(), QStringLiteral("<A>abc</A>"));
        QCOMPARE(edit().caret(), 6);
        QCOMPARE(QApplication::focusWidget(), window->editor());
    }

    void tag_list_choice_by_mouse_path() {
        auto* tags = window->findChild<QComboBox*>(QStringLiteral("lang_list"));
        tags->setCurrentIndex(tags->findText(QStringLiteral("HR")));
        emit tags->activated(tags->currentIndex());
        QCOMPARE(edit().text(), QStringLiteral("<HR></HR>"));
        QCOMPARE(edit().caret(), 4);
    }

    void colour_command_inserts_copies_and_confirms() {
        edit().set_text(QStringLiteral("abc"));
        edit().select(0, 3);
        m.dialogs->colours.push_back(255u);
        QString message;
        ModalScript script({[&](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            QVERIFY(box);
            message = box->text();
            QCOMPARE(box->windowTitle(), QStringLiteral("Marklet"));
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            box->accept();
        }});
        window->action("colore")->trigger();
        QCOMPARE(m.dialogs->colour_titles, QStringList{QStringLiteral("Seleziona un colore")});
        QCOMPARE(edit().text(), QStringLiteral("#FF0000abc"));
        QCOMPARE(edit().caret(), 10);
        QCOMPARE(message, QStringLiteral("Il colore è stato copiato negli appunti"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("#FF0000"));
    }

    void cancelled_colour_inserts_and_shows_nothing() {
        edit().set_text(QStringLiteral("abc"));
        ModalScript script({cancel()});
        window->action("colore")->trigger();
        QCOMPARE(edit().text(), QStringLiteral("abc"));
        QCOMPARE(script.remaining(), std::size_t(1));
    }

    void temporary_stylesheet_link_names_the_file_beside_the_preview() {
        edit().set_text(QString());
        window->action("tmp_stylesheet")->trigger();
        const QString expected =
            "<link rel=\"STYLESHEET\" type=\"text/css\" href=\"" + temp_stylesheet_path() + "\">";
        QCOMPARE(edit().text(), expected);
        QCOMPARE(edit().caret(), expected.size());
        QCOMPARE(QFileInfo(temp_stylesheet_path()).dir(), QFileInfo(preview_file_path()).dir());
    }

    void resize_rule_gives_edit_area_the_left_half() {
        const int margins = window->frameGeometry().width() - window->width();
        window->resize(1000 - margins, 700);
        QTRY_COMPARE(window->frameGeometry().width(), 1000);
        const int outer_h = window->frameGeometry().height();
        QCOMPARE(window->editor()->width(), qRound((15000.0 / 2 - 180) / 15));
        QCOMPARE(window->editor()->height(), qRound((outer_h * 15.0 - 1560 - 800) / 15));
        QCOMPARE(window->browser()->x(), qRound((15000.0 / 2 + 40) / 15));
        QCOMPARE(window->browser()->width(), qRound((15000.0 / 2 - 260) / 15));
        // Back below the thresholds: sizes stay as they were.
        const QSize kept = window->editor()->size();
        window->resize(500, 400);
        QTRY_COMPARE(window->width(), 500);
        QCOMPARE(window->editor()->size(), kept);
    }

    void preview_toggle_doubles_and_halves_width() {
        const int outer = window->frameGeometry().width();
        window->action("Command2")->trigger();
        QTRY_COMPARE(window->frameGeometry().width(), 2 * outer);
        QVERIFY(window->enable_browser);
        QVERIFY(window->browser()->isVisible());
        QVERIFY(m.pane);
        QCOMPARE(m.pane->navigations, QList<QUrl>{QUrl::fromLocalFile(preview_file_path())});
        window->action("Command2")->trigger();
        QTRY_COMPARE(window->frameGeometry().width(), outer);
        QVERIFY(!window->enable_browser);
        QVERIFY(!window->browser()->isVisible());
    }

    void pane_reloads_follow_changes_even_when_hidden() {
        window->action("Command2")->trigger();
        window->action("Command2")->trigger();
        QVERIFY(m.pane);
        const int before = m.pane->reloads;
        edit().set_text(QStringLiteral("a"));
        window->action("grassetto")->trigger();
        QCOMPARE(m.pane->reloads, before + 2);
    }

    void reloads_fold_while_one_is_in_flight() {
        window->action("Command2")->trigger();
        QVERIFY(m.pane);
        m.pane->finish_at_once = false;
        m.pane->finish(); // the navigation
        edit().set_text(QStringLiteral("1"));
        edit().set_text(QStringLiteral("2"));
        edit().set_text(QStringLiteral("3"));
        QCOMPARE(m.pane->reloads, 1);
        m.pane->finish();
        QCOMPARE(m.pane->reloads, 2); // exactly one more, for the latest text
        m.pane->finish();
        QCOMPARE(m.pane->reloads, 2);
    }

    void external_previews_start_without_a_shell() {
        window->action("Command4")->trigger();
        QCOMPARE(m.launcher->started, QStringList{"firefox " + preview_file_path()});
        window->action("Command3")->trigger();
        QCOMPARE(m.launcher->opened, QList<QUrl>{QUrl::fromLocalFile(preview_file_path())});
        m.launcher->succeed = false;
        window->action("Command4")->trigger();
        QVERIFY(window->statusBar()->currentMessage().contains("Firefox"));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
