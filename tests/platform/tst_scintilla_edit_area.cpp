// The QsciScintilla binding: character positions over UTF-8 bytes, one change
// notice per change, one undo step per replacement.

#include "platform/qt/scintilla_accessibility.h"
#include "platform/qt/scintilla_edit_area.h"

#include <QAccessible>

#include <Qsci/qsciscintilla.h>
#include <QtTest>

class TestScintillaEditArea : public QObject {
    Q_OBJECT

    std::unique_ptr<QsciScintilla> widget;
    ScintillaEditArea* edit = nullptr;

  private slots:
    void init() {
        widget = std::make_unique<QsciScintilla>();
        widget->setEolMode(QsciScintilla::EolWindows);
        edit = new ScintillaEditArea(widget.get());
        widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
    }
    void cleanup() { widget.reset(); }

    void positions_count_characters_not_bytes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("selected");
        QTest::newRow("accents") << "caffè è buono" << 4 << 3 << "è è";
        QTest::newRow("euro") << "10 € e 20 €" << 3 << 1 << "€";
        QTest::newRow("cr lf counts two") << "a\r\nb\r\nc" << 1 << 4 << "\r\nb\r";
        QTest::newRow("emoji is two units") << "x😀y" << 1 << 2 << "😀";
        QTest::newRow("to the end") << "àé" << 1 << 1 << "é";
    }
    void positions_count_characters_not_bytes() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, selected);
        edit->set_text(text);
        edit->select(start, length);
        QCOMPARE(edit->selected_text(), selected);
        QCOMPARE(edit->selection_start(), start);
        QCOMPARE(edit->selection_length(), length);
        QCOMPARE(edit->caret(), start + length);
        edit->set_caret(start);
        QCOMPARE(edit->caret(), start);
        QCOMPARE(edit->selection_length(), 0);
        for (int i = 0; i <= text.size(); ++i) {
            if (i > 0 && text.at(i - 1).isHighSurrogate())
                continue; // not a character boundary
            QCOMPARE(edit->to_characters(edit->to_bytes(i)), i);
            QCOMPARE(edit->to_bytes(i), qsizetype(text.left(i).toUtf8().size()));
        }
    }

    void caret_beyond_the_end_goes_to_the_end() {
        edit->set_text(QStringLiteral("€€"));
        edit->set_caret(99);
        QCOMPARE(edit->caret(), 2);
    }

    void replacement_is_one_change_and_one_undo_step() {
        edit->set_text(QStringLiteral("uno due tre"));
        widget->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
        edit->select(4, 3);
        QStringList seen;
        connect(edit, &EditArea::changed, this, [&] { seen << edit->text(); });
        edit->replace_selection(QStringLiteral("<b>due</b>"));
        QCOMPARE(seen, QStringList{QStringLiteral("uno <b>due</b> tre")});
        QCOMPARE(edit->caret(), 14);
        QCOMPARE(edit->selection_length(), 0);
        widget->undo();
        QCOMPARE(edit->text(), QStringLiteral("uno due tre"));
        QVERIFY(!widget->isUndoAvailable());
    }

    // Wrapping leaves the selection in place: the text and caret are those of
    // a replacement by before + selection + after, in one change and one step.
    void wrap_matches_a_replacement_in_one_step_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("middle") << "uno due tre" << 4 << 3 << "<b>"
                                << "</b>";
        QTest::newRow("nothing selected") << "abc" << 1 << 0 << "<br>"
                                          << "";
        QTest::newRow("accents, euro, cr lf") << "città €\r\nè" << 2 << 7 << "<p align=\"center\">"
                                              << "</p>\r\n";
        QTest::newRow("emoji and nul")
            << "x😀y" << 1 << 2 << QStringLiteral("<%1>").arg(QChar(0)) << "</é>";
        QTest::newRow("whole text") << "tutto" << 0 << 5 << "<i>"
                                    << "</i>";
    }
    void wrap_matches_a_replacement_in_one_step() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, before);
        QFETCH(QString, after);
        edit->set_text(text);
        widget->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
        edit->select(start, length);
        QSignalSpy spy(edit, &EditArea::changed);
        edit->wrap_selection(before, after);
        const QString expected =
            text.left(start) + before + text.mid(start, length) + after + text.mid(start + length);
        QCOMPARE(edit->text(), expected);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(edit->caret(), start + before.size() + length + after.size());
        QCOMPARE(edit->selection_length(), 0);
        widget->undo();
        QCOMPARE(edit->text(), text);
        QVERIFY(!widget->isUndoAvailable());
    }

    void user_changes_are_reported_once_each() {
        edit->set_text(QStringLiteral("ab"));
        edit->set_caret(2);
        widget->setFocus();
        QSignalSpy spy(edit, &EditArea::changed);
        QTest::keyClicks(widget.get(), QStringLiteral("xyz"));
        QTRY_COMPARE(spy.size(), 3);
        QCOMPARE(edit->text(), QStringLiteral("abxyz"));
        QTest::qWait(20);
        QCOMPARE(spy.size(), 3);
    }

    // Without a screen reader the editor is described plainly and Scintilla
    // sends only the notices before a change; with one, QScintilla's own text
    // interface and every notice come back, and changes are still told once.
    void accessibility_switches_between_lean_and_full_data() {
        QTest::addColumn<bool>("active");
        QTest::newRow("off") << false;
        QTest::newRow("screen reader on") << true;
    }
    void accessibility_switches_between_lean_and_full() {
        QFETCH(bool, active);
        QAccessible::setActive(active);
        QCOMPARE(scintilla_accessibility::lean(), !active);
        const auto mask = widget->SendScintilla(QsciScintillaBase::SCI_GETMODEVENTMASK);
        QCOMPARE(mask == QsciScintillaBase::SC_MODEVENTMASKALL, active);
        QAccessibleInterface* described = QAccessible::queryAccessibleInterface(widget.get());
        QVERIFY(described);
        QCOMPARE(described->textInterface() != nullptr, active);

        edit->set_text(QStringLiteral("ab"));
        edit->set_caret(2);
        widget->setFocus();
        QSignalSpy spy(edit, &EditArea::changed);
        QTest::keyClicks(widget.get(), QStringLiteral("xy"));
        QTest::keyClick(widget.get(), Qt::Key_Backspace);
        QTRY_COMPARE(spy.size(), 3);
        QCOMPARE(edit->text(), QStringLiteral("abx"));
        widget->undo();
        QTRY_COMPARE(spy.size(), 4);
        QAccessible::setActive(false);
    }

    // Typing in the middle leaves Scintilla's gap there: the two runs read
    // where they lie still make up the whole text.
    void utf8_parts_make_up_the_text_around_a_middle_edit() {
        edit->set_text(QStringLiteral("perché € 10\r\n").repeated(50));
        edit->set_caret(300);
        widget->setFocus();
        QTest::keyClicks(widget.get(), QStringLiteral("xb"));
        const auto [first, second] = edit->utf8_parts();
        QVERIFY(!first.isEmpty() && !second.isEmpty());
        QCOMPARE(first.toByteArray() + second.toByteArray(), edit->text().toUtf8());
        QCOMPARE(edit->utf8(), edit->text().toUtf8());
    }

    // Qt makes a widget's interface before it is shown too (naming it for
    // accessibility does): the edit area still replaces it.
    void interface_made_before_the_edit_area_is_replaced() {
        QsciScintilla named;
        named.setAccessibleName(QStringLiteral("Documento"));
        QVERIFY(QAccessible::queryAccessibleInterface(&named)->textInterface());
        new ScintillaEditArea(&named);
        QVERIFY(!QAccessible::queryAccessibleInterface(&named)->textInterface());
    }

    void load_starts_a_fresh_history() {
        edit->set_text(QStringLiteral("vecchio"));
        QSignalSpy spy(edit, &EditArea::changed);
        edit->load_text(QStringLiteral("nuovo\r\n"));
        QCOMPARE(spy.size(), 1);
        QCOMPARE(edit->text(), QStringLiteral("nuovo\r\n"));
        QVERIFY(!widget->isUndoAvailable());
        QCOMPARE(edit->utf8(), QByteArray("nuovo\r\n"));
    }
};

QTEST_MAIN(TestScintillaEditArea)
#include "tst_scintilla_edit_area.moc"
