// The main window end to end: menu, toolbar and tag list -> the real
// question dialogs -> document text, caret, focus, undo and preview file;
// the preview pane and its folded reloads; the CSS editor it opens.

#include "app/status_presenter.h"
#include "css_editor/css_edit.h"
#include "document/temp_files.h"
#include "support/dialog_steps.h"
#include "support/files.h"
#include "support/main_window.h"
#include "support/rows.h"

#include <QClipboard>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

struct Wrap {
    QString before;
    int start, length;
    QString after;
    qsizetype caret;
    const char* item = "grassetto";
};

// The window before Command2 (its place and width), the width the user gives
// it with the pane (0: none), with the pane, and after.
struct Widened {
    double x, width, resized, widened, moved_to, back;
};

const QString kInput = u"Immisione parametro"_s;
const QString kRule = u"<hr align=\"center\" color=\"#FF0000\" size=\"3\" width=\"50%\" noshade>"_s;

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

    MainWindow m;
    Form1* window = nullptr;

    ScintillaEditArea& edit() { return m.edit(); }
    template <typename T> T* css_child(const char* name) {
        return m.parts().css_window()->findChild<T*>(QString::fromLatin1(name));
    }

  private slots:
    void init() {
        m.open();
        window = m.window.get();
    }
    void cleanup() { m.close(); }

    // One replacement: one undo step, one change notice, the preview written
    // once whole. The temporary stylesheet's link names the one file at one
    // fixed place, the same in every run: a page saved with it keeps its style.
    void menu_command_wraps_selection_or_caret_as_one_change_data() {
        const QString link =
            "<link rel=\"STYLESHEET\" type=\"text/css\" href=\"" + temp_stylesheet_path() + "\">";
        rows<Wrap>({
            {"selection", {u"abc"_s, 0, 3, u"<b>abc</b>"_s, 6}},
            {"caret only", {u"xy"_s, 1, 0, u"x<b></b>y"_s, 4}},
            {"accents and CR LF", {u"è\r\n€"_s, 0, 4, u"<b>è\r\n€</b>"_s, 7}},
            // QString::fromUtf8 drops a U+FEFF at the start as a byte-order mark.
            {"leading U+FEFF kept", {u"\uFEFFab"_s, 0, 2, u"<b>\uFEFFa</b>b"_s, 5}},
            {"stylesheet link", {{}, 0, 0, link, link.size(), "tmp_stylesheet"}},
        });
    }
    void menu_command_wraps_selection_or_caret_as_one_change() {
        QFETCH(Wrap, row);
        edit().set_text(row.before);
        edit().select(row.start, row.length);
        QList<QByteArray> written; // the preview file's bytes at each change notice
        connect(&edit(), &EditArea::changed, this,
                [&] { written << read_bytes(preview_file_path()); });
        m.parts().action(row.item)->trigger();
        QCOMPARE(edit().text(), row.after);
        QCOMPARE(edit().caret(), row.caret);
        QCOMPARE(edit().selection_length(), 0);
        QCOMPARE(QApplication::focusWidget(), m.parts().editor());
        QCoreApplication::processEvents();
        QCOMPARE(written, QList<QByteArray>{row.after.toUtf8()});
        m.parts().editor()->undo();
        QCOMPARE(edit().text(), row.before);
    }

    // A command through its real dialogs on "abc", all selected: a picker,
    // the colour dialog, number boxes and a yes/no question, in order.
    void commands_ask_through_the_real_dialogs() {
        edit().set_text(u"abc"_s);
        edit().select(0, 3);
        m.dialogs->colours.push_back(255u);
        ModalScript script({choose(0), type("3px"), type("50%"), press(QMessageBox::No)});
        m.parts().action("div_line")->trigger();
        QCOMPARE(script.remaining(), std::size_t(0));
        QCOMPARE(script.titles,
                 (QStringList{u"Allineamento della linea"_s, kInput, kInput, u"Ombreggiatura"_s}));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(edit().text(), kRule + u"abc"_s);
        QCOMPARE(edit().caret(), kRule.size() + 3);
        QCOMPARE(window->focusWidget(), m.parts().editor());
    }

    void colour_command_inserts_copies_and_confirms_data() {
        QTest::addColumn<bool>("chosen");
        QTest::newRow("chosen") << true;
        QTest::newRow("cancelled: nothing inserted or shown") << false;
    }
    void colour_command_inserts_copies_and_confirms() {
        QFETCH(bool, chosen);
        edit().set_text(u"abc"_s);
        edit().select(0, 3);
        if (chosen)
            m.dialogs->colours.push_back(255u);
        QString message;
        ModalScript script({press(QMessageBox::Ok, &message)});
        m.parts().action("colore")->trigger();
        QCOMPARE(m.dialogs->colour_titles, QStringList{u"Seleziona un colore"_s});
        QCOMPARE(script.titles, chosen ? QStringList{u"Marklet"_s} : QStringList());
        QCOMPARE(edit().text(), chosen ? u"#FF0000abc"_s : u"abc"_s);
        QCOMPARE(message, chosen ? u"Il colore è stato copiato negli appunti"_s : QString());
        if (chosen)
            QCOMPARE(QGuiApplication::clipboard()->text(), u"#FF0000"_s);
    }

    // Command2 clicked: the window twice as wide for the pane, but kept on its
    // screen; clicked again: as wide as the user had it (an odd width too),
    // where it was. In fractions of the screen's room for windows.
    void preview_pane_keeps_the_window_on_its_screen_data() {
        rows<Widened>({
            {"room to double", {0.1, 0.4, 0, 0.8, 0.1, 0.4}},
            {"near the right edge: moved left", {0.5, 0.4, 0, 0.8, 0.2, 0.4}},
            {"over half the screen: as wide", {0.3, 0.6, 0, 1, 0, 0.6}},
            {"resized with the pane: half", {0, 0.3, 0.9, 0.6, 0, 0.45}},
        });
    }
    void preview_pane_keeps_the_window_on_its_screen() {
        QFETCH(Widened, row);
        const QRect room = window->screen()->availableGeometry();
        const int margins = window->frameGeometry().width() - window->width();
        const auto px = [&](double part) { return room.left() + qRound(part * room.width()); };
        const auto near = [&](int a, double part) { return qAbs(a - px(part)) <= 2; };
        window->resize(px(row.width) - px(0) - margins + 1, window->height());
        window->move(px(row.x), window->y());
        QTRY_COMPARE(window->frameGeometry().x(), px(row.x));
        const int before = window->width();
        auto* button = window->findChild<QToolButton*>(u"Command2"_s);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(window->enable_browser && window->browser()->isVisible() && m.pane);
        QCOMPARE(m.pane->navigations, QList<QUrl>{QUrl::fromLocalFile(preview_file_path())});
        QTRY_COMPARE(window->frameGeometry().width(),
                     std::min(2 * (before + margins), room.width()));
        QVERIFY(near(px(0) + window->frameGeometry().width(), row.widened));
        QVERIFY(near(window->frameGeometry().x(), row.moved_to));
        QVERIFY(room.contains(window->frameGeometry()));
        if (row.resized > 0)
            window->resize(px(row.resized) - px(0) - margins, window->height());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!window->enable_browser && !window->browser()->isVisible());
        if (row.resized == 0)
            QTRY_VERIFY(window->width() == before && window->frameGeometry().x() == px(row.x));
        QTRY_VERIFY(near(px(0) + window->frameGeometry().width(), row.back));
        // Hidden, the pane still follows every change.
        const int reloads = m.pane->reloads;
        edit().set_text(u"a"_s);
        m.parts().action("grassetto")->trigger();
        QCOMPARE(m.pane->reloads, reloads + 2);
    }

    void reloads_fold_while_one_is_in_flight() {
        m.parts().action("Command2")->trigger();
        QVERIFY(m.pane);
        m.pane->finish_at_once = false;
        m.pane->finish(); // the navigation
        for (const QString& text : {u"1"_s, u"2"_s, u"3"_s})
            edit().set_text(text);
        QCOMPARE(m.pane->reloads, 1);
        m.pane->finish();
        QCOMPARE(m.pane->reloads, 2); // exactly one more, for the latest text
        m.pane->finish();
        QCOMPARE(m.pane->reloads, 2);
    }

    void external_previews_start_without_a_shell() {
        m.parts().action("Command4")->trigger();
        QCOMPARE(m.launcher->started, QStringList{"firefox " + preview_file_path()});
        m.parts().action("Command3")->trigger();
        QCOMPARE(m.launcher->browsed, QList<QUrl>{QUrl::fromLocalFile(preview_file_path())});
        m.launcher->succeed = false;
        m.parts().action("Command4")->trigger();
        QVERIFY(window->status().text().contains("Firefox"));
    }

    void css_editor_is_one_window_whose_rules_reach_the_preview_and_goes_when_closed() {
        m.parts().action("Command2")->trigger();
        QVERIFY(m.pane);
        m.parts().action("tmp_stylesheet")->trigger();
        m.parts().action("css_editor")->trigger();
        css_edit* first = m.parts().css_window();
        QVERIFY(first && first->isVisible());
        QCOMPARE(first->windowTitle(), u"CSS Editor"_s);
        m.parts().action("css_editor")->trigger();
        QCOMPARE(m.parts().css_window(), first);
        QCOMPARE(window->findChildren<css_edit*>().size(), 1);

        const int reloads = m.pane->reloads;
        css_child<QComboBox>("Combo13")->setEditText(u"BODY"_s);
        css_child<QPushButton>("Command1")->click();
        const QString rule = "BODY {\r\n}\r\n";
        QCOMPARE(first->edit_area().text(), rule);
        QCOMPARE(read_bytes(temp_stylesheet_path()), rule.toUtf8());
        QCOMPARE(m.pane->reloads, reloads + 1);
        QVERIFY(m.parts().css_state().css_changed);
        // Closed, it is gone with its text: the next opens afresh.
        {
            ModalScript script({press(QMessageBox::No)});
            QVERIFY(first->close());
        }
        QTRY_VERIFY(!m.parts().css_window());
        m.parts().action("css_editor")->trigger();
        QCOMPARE(m.parts().css_window()->edit_area().text(), QString());
    }

    void closing_the_main_window_asks_about_the_stylesheet_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("no: both close") << int(QMessageBox::No);
        QTest::newRow("yes, save cancelled: both stay") << int(QMessageBox::Yes);
    }
    void closing_the_main_window_asks_about_the_stylesheet() {
        QFETCH(int, answer);
        const bool closes = answer == QMessageBox::No;
        m.parts().action("css_editor")->trigger();
        m.parts().css_window()->edit_area().set_text(u"h1 {}"_s);
        QString question;
        ModalScript script({press(QMessageBox::StandardButton(answer), &question)});
        QCOMPARE(window->close(), closes);
        QCOMPARE(question, u"Il file corrente non è stato salvato. Salvare?"_s);
        QCOMPARE(script.titles, QStringList{u"File non salvato"_s});
        QCOMPARE(window->isVisible(), !closes);
        if (!closes)
            QCOMPARE(m.parts().css_window()->edit_area().text(), u"h1 {}"_s);
    }

    // The scroll range grows in steps as the longest line grows under the
    // keys: scrolled all the way right, its end is on screen, near the edge.
    void end_of_the_longest_line_can_be_scrolled_into_view() {
        QsciScintilla* editor = m.parts().editor();
        editor->setFocus();
        QTest::keyClicks(editor, QString(300, u'x'));
        QTest::keyClick(editor, Qt::Key_Home);
        QScrollBar* bar = editor->horizontalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        QCoreApplication::processEvents();
        bar->setValue(bar->maximum());
        const long end = editor->SendScintilla(
            QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL,
            editor->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, 0UL));
        const int width = editor->viewport()->width();
        QVERIFY2(end > 0 && end <= width, qPrintable(u"%1 of %2"_s.arg(end).arg(width)));
        QVERIFY2(end > width - 300, qPrintable(u"%1 of %2"_s.arg(end).arg(width)));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
