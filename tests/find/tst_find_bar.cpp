// The find bar on a bare QsciScintilla, driven by the keyboard as a user
// would: Ctrl+F, typing, F3 and Shift+F3, replace, replace all, Esc.

#include "find/find_bar.h"
#include "platform/qt/scintilla_edit_area.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

namespace {

using Sci = QsciScintillaBase;

// The selection in UTF-16 units, as the search counts.
QPair<qsizetype, qsizetype> selection(QsciScintilla* editor) {
    const long start = editor->SendScintilla(Sci::SCI_GETSELECTIONSTART);
    const long end = editor->SendScintilla(Sci::SCI_GETSELECTIONEND);
    const qsizetype from = editor->SendScintilla(Sci::SCI_COUNTCODEUNITS, 0UL, start);
    return {from, from + editor->SendScintilla(Sci::SCI_COUNTCODEUNITS, (unsigned long)start, end)};
}

} // namespace

class TestFindBar : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> window;
    QsciScintilla* editor = nullptr;
    FindBar* bar = nullptr;

    QLineEdit* field(const char* name) { return bar->findChild<QLineEdit*>(name); }
    QToolButton* button(const char* name) { return bar->findChild<QToolButton*>(name); }
    void type_search(const QString& text) {
        QTest::keyClick(editor, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(bar->isVisible());
        QTest::keyClicks(field("find_text"), text);
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
        bar = new FindBar(editor);
        install_find_shortcuts(window.get(), bar);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        editor->setFocus();
    }
    void cleanup() { window.reset(); }

    void ctrl_f_and_ctrl_h_open_the_bar_on_the_selection_esc_closes_it() {
        editor->setText(QStringLiteral("uno due\r\ntre"));
        editor->SendScintilla(Sci::SCI_SETSEL, 4UL, 7L);
        QVERIFY(!bar->isVisible());
        QTest::keyClick(editor, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(bar->isVisible());
        QVERIFY(!bar->replace_mode());
        QVERIFY(!field("replace_text")->isVisible());
        QCOMPARE(field("find_text")->text(), QStringLiteral("due"));
        QVERIFY(field("find_text")->hasFocus());
        // Ctrl+H shows the replacing part too; Esc from any field closes.
        QTest::keyClick(editor, Qt::Key_H, Qt::ControlModifier);
        QVERIFY(bar->replace_mode());
        QVERIFY(field("replace_text")->isVisible());
        QCOMPARE(button("replace_all_button")->text(), QStringLiteral("Sostituisci tutto"));
        QTest::keyClick(field("replace_text"), Qt::Key_Tab);
        QVERIFY(bar->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
        QVERIFY(editor->hasFocus());
    }

    void f3_cycles_and_shift_f3_goes_back_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QList<qsizetype>>("starts");
        QTest::newRow("accents and emoji before matches")
            << QStringLiteral("è😀uno\r\nperché uno\r\n😀😀Uno") << QStringLiteral("uno")
            << QList<qsizetype>{3, 15, 24};
        QTest::newRow("one match")
            << QStringLiteral("a <p> b") << QStringLiteral("<p>") << QList<qsizetype>{2};
    }
    void f3_cycles_and_shift_f3_goes_back() {
        QFETCH(QString, text);
        QFETCH(QString, needle);
        QFETCH(QList<qsizetype>, starts);
        editor->setText(text);
        editor->SendScintilla(Sci::SCI_GOTOPOS, 0UL);
        type_search(needle);
        // Typing found the first match; F3 goes round to it again.
        QCOMPARE(selection(editor).first, starts[0]);
        for (qsizetype i = 1; i <= starts.size(); ++i) {
            QTest::keyClick(field("find_text"), Qt::Key_F3);
            const qsizetype expected = starts[i % starts.size()];
            QCOMPARE(selection(editor), qMakePair(expected, expected + needle.size()));
        }
        QCOMPARE(bar->status_text(), QStringLiteral("Ricerca ripresa dall'inizio"));
        // Shift+F3 from the first match goes round to the last one, and back.
        for (qsizetype i = starts.size() - 1; i >= 0; --i) {
            QTest::keyClick(field("find_text"), Qt::Key_F3, Qt::ShiftModifier);
            QCOMPARE(selection(editor).first, starts[i]);
        }
        QCOMPARE(editor->selectedText().compare(needle, Qt::CaseInsensitive), 0);
    }

    void f3_in_the_editor_after_esc_goes_on() {
        editor->setText(QStringLiteral("ab ab ab"));
        type_search(QStringLiteral("ab"));
        QTest::keyClick(field("find_text"), Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
        QVERIFY(editor->hasFocus());
        QTest::keyClick(editor, Qt::Key_F3);
        QCOMPARE(selection(editor).first, qsizetype(3));
        QVERIFY(editor->hasFocus());
    }

    void nothing_found_is_told() {
        editor->setText(QStringLiteral("abc"));
        type_search(QStringLiteral("zzz"));
        QCOMPARE(bar->status_text(), QStringLiteral("Nessun risultato"));
        QVERIFY(!bar->find_next());
        QCOMPARE(bar->findChild<QLabel*>("status_label")->text(),
                 QStringLiteral("Nessun risultato"));
    }

    void check_boxes_narrow_the_search() {
        editor->setText(QStringLiteral("Cat concat cat"));
        bar->findChild<QCheckBox*>("word_check")->setChecked(true);
        bar->findChild<QCheckBox*>("case_check")->setChecked(true);
        QCOMPARE(bar->findChild<QCheckBox*>("case_check")->text(),
                 QStringLiteral("Maiuscole/minuscole"));
        type_search(QStringLiteral("cat"));
        QCOMPARE(selection(editor).first, qsizetype(11));
    }

    void replace_all_is_one_undo_step_and_one_change_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("status");
        QTest::newRow("accents shrink")
            << QStringLiteral("è😀è\r\nè") << QStringLiteral("È") << QStringLiteral("e")
            << QStringLiteral("e😀e\r\ne") << QStringLiteral("3 sostituzioni");
        QTest::newRow("into emoji")
            << QStringLiteral("a :) b") << QStringLiteral(":)") << QStringLiteral("😀")
            << QStringLiteral("a 😀 b") << QStringLiteral("1 sostituzione");
    }
    void replace_all_is_one_undo_step_and_one_change() {
        QFETCH(QString, text);
        QFETCH(QString, needle);
        QFETCH(QString, replacement);
        QFETCH(QString, result);
        QFETCH(QString, status);
        auto* edit = new ScintillaEditArea(editor);
        edit->load_text(text);
        int changes = 0;
        connect(edit, &EditArea::changed, this, [&] { ++changes; });

        QTest::keyClick(editor, Qt::Key_H, Qt::ControlModifier);
        bar->set_search_text(needle);
        bar->set_replacement_text(replacement);
        QTest::mouseClick(button("replace_all_button"), Qt::LeftButton);
        QCOMPARE(editor->text(), result);
        QCOMPARE(bar->status_text(), status);
        QTRY_COMPARE(changes, 1);
        QTest::qWait(20);
        QCOMPARE(changes, 1);

        editor->undo();
        QCOMPARE(editor->text(), text);
        QVERIFY(!editor->isUndoAvailable());
        editor->redo();
        QCOMPARE(editor->text(), result);
    }

    void replace_all_keeps_the_caret_by_its_text() {
        editor->setText(QStringLiteral("aa X aa\r\n").repeated(3));
        editor->SendScintilla(Sci::SCI_GOTOPOS, 13UL); // line 2, after "X"
        bar->open_replace();
        bar->set_search_text(QStringLiteral("aa"));
        bar->set_replacement_text(QStringLiteral("b"));
        QCOMPARE(bar->replace_all(), qsizetype(6));
        QCOMPARE(editor->text(), QStringLiteral("b X b\r\n").repeated(3));
        QCOMPARE(selection(editor), qMakePair(qsizetype(10), qsizetype(10)));
    }

    void replace_only_replaces_a_matching_selection() {
        editor->setText(QStringLiteral("foo bar foo"));
        editor->SendScintilla(Sci::SCI_SETSEL, 4UL, 7L); // "bar": not a match
        bar->open_replace();
        bar->set_search_text(QStringLiteral("foo"));
        bar->set_replacement_text(QStringLiteral("X"));
        QVERIFY(!bar->replace());
        QCOMPARE(editor->text(), QStringLiteral("foo bar foo"));
        QCOMPARE(selection(editor), qMakePair(qsizetype(8), qsizetype(11)));
        QVERIFY(bar->replace());
        QCOMPARE(editor->text(), QStringLiteral("foo bar X"));
        QCOMPARE(selection(editor), qMakePair(qsizetype(0), qsizetype(3)));
        QTest::keyClick(field("replace_text"), Qt::Key_Return);
        QCOMPARE(editor->text(), QStringLiteral("X bar X"));
        editor->undo();
        QCOMPARE(editor->text(), QStringLiteral("foo bar X"));
    }

    void the_bar_takes_the_bottom_of_the_editor_and_gives_it_back() {
        QTest::keyClick(editor, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(editor->geometry().top(), 10);
        QCOMPARE(editor->height() + bar->height(), 400);
        QCOMPARE(bar->geometry().top(), editor->geometry().bottom() + 1);
        QCOMPARE(bar->width(), 600);
        // The owner lays the editor out anew while the bar is open.
        editor->setGeometry(20, 10, 500, 450);
        QCOMPARE(editor->height() + bar->height(), 450);
        QCOMPARE(bar->x(), 20);
        editor->resize(450, editor->height()); // width only: the height stays ours
        QCOMPARE(editor->height() + bar->height(), 450);
        QTest::keyClick(field("find_text"), Qt::Key_Escape);
        QCOMPARE(editor->geometry(), QRect(20, 10, 450, 450));
    }

    void a_bar_in_a_layout_goes_right_below_the_editor() {
        QWidget owner;
        auto* column = new QVBoxLayout(&owner);
        auto* top = new QLabel(QStringLiteral("sopra"));
        column->addWidget(top);
        auto* boxed = new QsciScintilla;
        column->addWidget(boxed);
        column->addWidget(new QLabel(QStringLiteral("sotto")));
        auto* boxed_bar = new FindBar(boxed);
        QCOMPARE(column->indexOf(boxed_bar), column->indexOf(boxed) + 1);
        owner.show();
        boxed_bar->open_find();
        QVERIFY(boxed_bar->isVisible());
        QCOMPARE(boxed_bar->geometry().top(), boxed->geometry().bottom() + 1 + column->spacing());
    }

    void nothing_is_cut_off_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("replace");
        for (const int width : {313, 481, 600}) {
            QTest::addRow("find %d", width) << width << false;
            QTest::addRow("replace %d", width) << width << true;
        }
    }
    void nothing_is_cut_off() {
        QFETCH(int, width);
        QFETCH(bool, replace);
        editor->setGeometry(10, 10, width, 400);
        replace ? bar->open_replace() : bar->open_find();
        bar->findChild<QLabel*>("status_label")->setText(QStringLiteral("Nessun risultato"));
        QApplication::processEvents();
        QCOMPARE(bar->width(), width);
        for (QWidget* child : bar->findChildren<QWidget*>()) {
            if (!child->isVisibleTo(bar))
                continue;
            const QRect place(child->mapTo(bar, QPoint(0, 0)), child->size());
            QVERIFY2(bar->rect().contains(place), qPrintable(child->objectName()));
            if (!child->objectName().isEmpty())
                QVERIFY2(child->width() >= child->minimumSizeHint().width(),
                         qPrintable(child->objectName()));
        }
        const int height = bar->height();
        replace ? bar->open_find() : bar->open_replace();
        QVERIFY(replace ? bar->height() < height : bar->height() > height);
    }

    void replace_all_in_a_large_document() {
        const QString row = QStringLiteral("<div class=\"riga\"><p>Perché <b>sì</b></p></div>\r\n");
        const QString text = row.repeated(5 * 1024 * 1024 / row.size());
        editor->setText(text);
        bar->open_replace();
        bar->set_search_text(QStringLiteral("<b>"));
        bar->set_replacement_text(QStringLiteral("<strong>"));
        QElapsedTimer clock;
        clock.start();
        const qsizetype count = bar->replace_all();
        const qint64 replacing = clock.elapsed();
        bar->set_search_text(QStringLiteral("</b>"));
        QVERIFY(bar->find_next());
        QCOMPARE(count, text.size() / row.size());
        QCOMPARE(editor->text(),
                 QString(text).replace(QStringLiteral("<b>"), QStringLiteral("<strong>")));
        QVERIFY(replacing < 10000);
        editor->undo();
        QCOMPARE(editor->text(), text);
    }
};

QTEST_MAIN(TestFindBar)
#include "tst_find_bar.moc"
