// The find bar on a bare QsciScintilla, driven by the keyboard as a user
// would: Ctrl+F, typing, F3 and Shift+F3, replace, replace all, Esc; nothing
// cut off at every width the program's editors have.

#include "editor/scintilla_edit_area.h"
#include "find/find_bar.h"
#include "support/rows.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <Qsci/qsciscintilla.h>

using namespace Qt::StringLiterals;
using Sci = QsciScintillaBase;

namespace {

struct Cycle {
    QString text, needle;
    QList<qsizetype> starts;
    bool narrowed = false; // "whole word" and "match case" ticked
};
struct Replace {
    QString text, needle, replacement, result, status;
    qsizetype caret = 0, caret_after = 0; // kept by its text
};

} // namespace

class TestFindBar : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> window;
    QsciScintilla* editor = nullptr;
    FindBar* bar = nullptr;
    ScintillaEditArea* edit = nullptr;

    QLineEdit* field(const char* name) { return bar->findChild<QLineEdit*>(name); }
    // The selection in UTF-16 units, as the search counts.
    QPair<qsizetype, qsizetype> selection() {
        const long start = editor->SendScintilla(Sci::SCI_GETSELECTIONSTART);
        const long end = editor->SendScintilla(Sci::SCI_GETSELECTIONEND);
        const qsizetype from = editor->SendScintilla(Sci::SCI_COUNTCODEUNITS, 0UL, start);
        return {from,
                from + editor->SendScintilla(Sci::SCI_COUNTCODEUNITS, (unsigned long)start, end)};
    }
    void type_search(const QString& text) {
        QTest::keyClick(editor, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(bar->isVisible());
        QTest::keyClicks(field("find_text"), text);
    }
    void set_replace(const QString& needle, const QString& replacement) {
        bar->open_replace();
        bar->set_search_text(needle);
        bar->set_replacement_text(replacement);
    }

  private slots:
    void init() {
        // Placed by geometry, as the program's windows place their editors.
        window = std::make_unique<QWidget>();
        window->resize(640, 480);
        editor = new QsciScintilla(window.get());
        editor->setUtf8(true);
        editor->setEolMode(QsciScintilla::EolWindows);
        editor->setGeometry(10, 10, 600, 400);
        bar = new FindBar(*(edit = new ScintillaEditArea(editor)));
        install_find_shortcuts(window.get(), bar);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        editor->setFocus();
    }
    void cleanup() { window.reset(); }

    void ctrl_f_and_ctrl_h_open_the_bar_on_the_selection_esc_closes_it() {
        editor->setText(u"uno due\r\ntre due"_s);
        editor->SendScintilla(Sci::SCI_SETSEL, 4UL, 7L);
        QTest::keyClick(editor, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(bar->isVisible() && !field("replace_text")->isVisible());
        QCOMPARE(field("find_text")->text(), u"due"_s);
        QVERIFY(field("find_text")->hasFocus());
        QTest::keyClick(editor, Qt::Key_H, Qt::ControlModifier);
        QVERIFY(bar->replace_mode() && field("replace_text")->isVisible());
        // Tab: the text to look for, the one to put in its place, the buttons.
        QStringList order;
        for (int i = 0; i < 3; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, (QStringList{"find_text", "replace_text", "find_previous_button"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
        QVERIFY(editor->hasFocus());
        QTest::keyClick(editor, Qt::Key_F3); // F3 in the editor goes on searching
        QCOMPARE(selection().first, qsizetype(13));
    }

    void f3_cycles_and_shift_f3_goes_back_data() {
        rows<Cycle>({
            {"accents and emoji before matches",
             {u"è😀uno\r\nperché uno\r\n😀😀Uno"_s, u"uno"_s, {3, 15, 24}}},
            {"one match", {u"a <p> b"_s, u"<p>"_s, {2}}},
            {"whole word, case", {u"Cat concat cat"_s, u"cat"_s, {11}, true}},
        });
    }
    void f3_cycles_and_shift_f3_goes_back() {
        QFETCH(Cycle, row);
        editor->setText(row.text);
        editor->SendScintilla(Sci::SCI_GOTOPOS, 0UL);
        bar->findChild<QCheckBox*>("word_check")->setChecked(row.narrowed);
        bar->findChild<QCheckBox*>("case_check")->setChecked(row.narrowed);
        type_search(row.needle); // typing finds the first match
        QCOMPARE(selection().first, row.starts[0]);
        for (qsizetype i = 1; i <= row.starts.size(); ++i) {
            QTest::keyClick(field("find_text"), Qt::Key_F3);
            const qsizetype expected = row.starts[i % row.starts.size()];
            QCOMPARE(selection(), qMakePair(expected, expected + row.needle.size()));
        }
        QCOMPARE(bar->status_text(), u"Ricerca ripresa dall'inizio"_s);
        for (qsizetype i = row.starts.size() - 1; i >= 0; --i) {
            QTest::keyClick(field("find_text"), Qt::Key_F3, Qt::ShiftModifier);
            QCOMPARE(selection().first, row.starts[i]);
        }
        QTest::keyClicks(field("find_text"), u"z"_s);
        QCOMPARE(bar->findChild<QLabel*>("status_label")->text(), u"Nessun risultato"_s);
        QVERIFY(!bar->find_next());
    }

    void replace_all_is_one_undo_step_and_one_change_data() {
        rows<Replace>({
            {"accents shrink", {u"è😀è\r\nè"_s, u"È"_s, u"e"_s, u"e😀e\r\ne"_s, u"3 sostituzioni"_s}},
            {"into emoji", {u"a :) b"_s, u":)"_s, u"😀"_s, u"a 😀 b"_s, u"1 sostituzione"_s}},
            {"noncharacters before matches stay whole",
             {u"\uFFFF:)\uFFFE:)"_s, u":)"_s, u"é"_s, u"\uFFFFé\uFFFEé"_s, u"2 sostituzioni"_s}},
            {"leading U+FEFF stays whole",
             {u"\uFEFF:) :)"_s, u":)"_s, u"é"_s, u"\uFEFFé é"_s, u"2 sostituzioni"_s}},
            {"caret on line 2, after X",
             {u"aa X aa\r\n"_s.repeated(3), u"aa"_s, u"b"_s, u"b X b\r\n"_s.repeated(3),
              u"6 sostituzioni"_s, 13, 10}},
        });
    }
    void replace_all_is_one_undo_step_and_one_change() {
        QFETCH(Replace, row);
        edit->load_text(row.text);
        edit->set_caret(row.caret);
        QSignalSpy changes(edit, &EditArea::changed);
        QTest::keyClick(editor, Qt::Key_H, Qt::ControlModifier);
        set_replace(row.needle, row.replacement);
        QTest::mouseClick(bar->findChild<QToolButton*>("replace_all_button"), Qt::LeftButton);
        QCOMPARE(edit->text(), row.result);
        QCOMPARE(bar->status_text(), row.status);
        QCOMPARE(selection(), qMakePair(row.caret_after, row.caret_after));
        QTRY_COMPARE(changes.size(), 1);
        QVERIFY(!edit->change_pending()); // nothing more to tell
        editor->undo();
        QCOMPARE(edit->text(), row.text);
        QVERIFY(!editor->isUndoAvailable());
    }

    void replace_only_replaces_a_matching_selection() {
        editor->setText(u"foo bar foo"_s);
        editor->SendScintilla(Sci::SCI_SETSEL, 4UL, 7L); // "bar": not a match
        set_replace(u"foo"_s, u"X"_s);
        QVERIFY(!bar->replace()); // finds the next match instead
        QCOMPARE(selection(), qMakePair(qsizetype(8), qsizetype(11)));
        QVERIFY(bar->replace());
        QCOMPARE(editor->text(), u"foo bar X"_s);
        QCOMPARE(selection(), qMakePair(qsizetype(0), qsizetype(3)));
        QTest::keyClick(field("replace_text"), Qt::Key_Return);
        QCOMPARE(editor->text(), u"X bar X"_s);
        editor->undo();
        QCOMPARE(editor->text(), u"foo bar X"_s);
    }

    void nothing_is_cut_off_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("replace");
        for (const int width : {313, 481}) {
            QTest::addRow("find %d", width) << width << false;
            QTest::addRow("replace %d", width) << width << true;
        }
    }
    void nothing_is_cut_off() {
        QFETCH(int, width);
        QFETCH(bool, replace);
        editor->setGeometry(10, 10, width, 400);
        replace ? bar->open_replace() : bar->open_find();
        bar->findChild<QLabel*>("status_label")->setText(u"Nessun risultato"_s);
        QApplication::processEvents();
        QCOMPARE(bar->width(), width);
        for (QWidget* child : bar->findChildren<QWidget*>()) {
            if (!child->isVisibleTo(bar))
                continue;
            QVERIFY2(bar->rect().contains(QRect(child->mapTo(bar, QPoint(0, 0)), child->size())),
                     qPrintable(child->objectName()));
            QVERIFY2(child->objectName().isEmpty() ||
                         child->width() >= child->minimumSizeHint().width(),
                     qPrintable(child->objectName()));
        }
    }
};

QTEST_MAIN(TestFindBar)
#include "tst_find_bar.moc"
