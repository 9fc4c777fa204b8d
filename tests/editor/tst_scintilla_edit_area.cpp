// The QsciScintilla binding: character positions over UTF-8 bytes wherever
// Scintilla's gap lies, as the edit area and a search count them (insertions:
// tst_soak), the accessibility switch, the line numbers' margin, anchors that
// move with the text.

#include "editor/editor_marks.h"
#include "editor/editor_style.h"
#include "editor/scintilla_accessibility.h"
#include "editor/scintilla_edit_area.h"
#include "editor/search_target.h"
#include "support/rows.h"

#include <QAccessible>
#include <Qsci/qsciscintilla.h>

using namespace Qt::StringLiterals;
using Sci = QsciScintillaBase;

namespace {

struct Selection {
    QString text;
    int start, length;
    QString selected;
};
struct AnchorEdit {
    int caret;
    QString typed;
    int backspaces;
    long moved_to;
};
} // namespace

class TestScintillaEditArea : public QObject {
    Q_OBJECT

    std::unique_ptr<QsciScintilla> widget;
    ScintillaEditArea* edit = nullptr;

    // Keys as a user presses them, accented letters and Enter too.
    void type(const QString& keys) {
        widget->setFocus();
        for (const QChar c : keys)
            QTest::sendKeyEvent(QTest::Click, widget.get(),
                                c == u'\r' ? Qt::Key_Return : Qt::Key_unknown,
                                c == u'\r' ? QString() : QString(c), Qt::NoModifier);
    }

  private slots:
    void init() {
        widget = std::make_unique<QsciScintilla>();
        widget->setEolMode(QsciScintilla::EolWindows);
        edit = new ScintillaEditArea(widget.get());
        widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
    }
    void cleanup() { widget.reset(); }

    // U+FFFE and U+FFFF are one unit each, as in QString; CR LF two. A
    // search's conversions agree, with the lines' index held or not while
    // typing moves the lines.
    void positions_count_characters_wherever_the_gap_is_data() {
        rows<Selection>({
            {"accents", {u"caffè è buono"_s, 4, 3, u"è è"_s}},
            {"euro", {u"10 € e 20 €"_s, 3, 1, u"€"_s}},
            {"cr lf counts two", {u"a\r\nb\r\nc"_s, 1, 4, u"\r\nb\r"_s}},
            {"emoji is two units", {u"x😀y"_s, 1, 2, u"😀"_s}},
            {"noncharacters", {u"a\uFFFFb\uFFFEc"_s, 1, 3, u"\uFFFFb\uFFFE"_s}},
        });
    }
    void positions_count_characters_wherever_the_gap_is() {
        QFETCH(Selection, row);
        SearchTarget target(widget.get());
        edit->set_text(row.text.repeated(40));
        edit->select(row.start, row.length);
        QCOMPARE(edit->selected_text(), row.selected);
        QCOMPARE(edit->selection_start(), row.start);
        QCOMPARE(edit->caret(), row.start + row.length);
        edit->set_caret(row.start);
        QCOMPARE(edit->caret(), row.start);
        QCOMPARE(edit->selection_length(), 0);
        for (const qsizetype copies : {0, 20, 40}) {
            target.hold_index(copies > 0);
            edit->set_caret(copies * row.text.size());
            type(u"é\r"_s); // Scintilla's gap now stands here
            const QString text = edit->text();
            for (qsizetype k = 0; k <= text.size(); ++k) {
                if (k > 0 && text[k - 1].isHighSurrogate())
                    continue; // not a character boundary
                const auto bytes = qsizetype(QStringView(text).left(k).toUtf8().size());
                QCOMPARE(edit->to_bytes(k), bytes);
                QCOMPARE(edit->to_characters(bytes), k);
                QCOMPARE(target.to_bytes(k), long(bytes));
                QCOMPARE(target.to_units(long(bytes)), k);
            }
            QCOMPARE(edit->to_bytes(text.size() + 3), qsizetype(text.toUtf8().size()));
            QCOMPARE(target.to_bytes(text.size() + 1), long(text.toUtf8().size()));
        }
        target.hold_index(false);
        edit->set_caret(99999);
        QCOMPARE(edit->caret(), edit->text().size());
    }

    // QString::fromUtf8 drops a U+FEFF at the start as a byte-order mark; the
    // edit area keeps it.
    void leading_zero_width_no_break_space_is_kept() {
        edit->load_utf8(u"\uFEFFabc"_s.toUtf8());
        QCOMPARE(edit->text(), u"\uFEFFabc"_s);
        edit->select(0, 2);
        QCOMPARE(edit->selected_text(), u"\uFEFFa"_s);
        edit->wrap_selection(u"<b>"_s, u"</b>"_s);
        QCOMPARE(edit->text(), u"<b>\uFEFFa</b>bc"_s);
    }

    // Without a screen reader the editor is described plainly and Scintilla
    // sends only the notices before a change; with one, QScintilla's own text
    // interface and every notice come back. (Either way each change is told
    // once: tst_editor_document.)
    void accessibility_switches_between_lean_and_full_data() {
        QTest::addColumn<bool>("active");
        QTest::newRow("off") << false;
        QTest::newRow("screen reader on") << true;
    }
    void accessibility_switches_between_lean_and_full() {
        QFETCH(bool, active);
        QAccessible::setActive(active);
        QCOMPARE(scintilla_accessibility::lean(), !active);
        const auto mask = widget->SendScintilla(Sci::SCI_GETMODEVENTMASK);
        QCOMPARE(mask == Sci::SC_MODEVENTMASKALL, active);
        QCOMPARE(QAccessible::queryAccessibleInterface(widget.get())->textInterface() != nullptr,
                 active);
        QAccessible::setActive(false);
    }

    // Typing in the middle leaves Scintilla's gap there: the two runs read
    // where they lie still make up the whole text.
    void utf8_parts_make_up_the_text_around_a_middle_edit() {
        edit->set_text(u"perché € 10\r\n"_s.repeated(50));
        edit->set_caret(300);
        widget->setFocus();
        QTest::keyClicks(widget.get(), u"xb"_s);
        const auto [first, second] = edit->utf8_parts();
        QVERIFY(!first.isEmpty() && !second.isEmpty());
        QCOMPARE(first.toByteArray() + second.toByteArray(), edit->text().toUtf8());
        QCOMPARE(edit->utf8(), edit->text().toUtf8());
    }

    // The line numbers' margin widens for more lines and narrows back.
    void line_margin_follows_the_line_count() {
        QsciScintilla editor;
        new ScintillaEditArea(&editor);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        style_html_editor(&editor);
        editor.setText(u"a\r\nb\r\nc"_s);
        QTest::qWait(0);
        const int small = editor.marginWidth(0);
        editor.setText(u"x\r\n"_s.repeated(123456));
        QTRY_VERIFY(editor.marginWidth(0) > small);
        editor.setText(u"a"_s);
        QTRY_COMPARE(editor.marginWidth(0), small);
    }

    void anchor_moves_with_the_text_data() {
        rows<AnchorEdit>({
            {"typed before", {1, u"éè"_s, 0, 7}},
            {"typed after", {5, u"éè"_s, 0, 3}},
            {"deleted before", {3, {}, 2, 1}},
            {"line break before", {0, u"\r"_s, 0, 5}},
        });
    }
    void anchor_moves_with_the_text() {
        QFETCH(AnchorEdit, row);
        EditorMarks marks(widget.get(), 1);
        edit->set_text(u"<p>abc</p>"_s);
        marks.add_anchor(3, 7);
        edit->set_caret(row.caret);
        type(row.typed);
        for (int i = 0; i < row.backspaces; ++i)
            QTest::keyClick(widget.get(), Qt::Key_Backspace);
        const long length = long(edit->utf8().size());
        QCOMPARE(marks.next_anchor(0, length), row.moved_to);
        QCOMPARE(marks.previous_anchor(length), row.moved_to);
        QCOMPARE(marks.anchor_at(row.moved_to), 7);
        QCOMPARE(marks.next_anchor(row.moved_to + 1, length), -1);
        marks.clear();
        QCOMPARE(marks.previous_anchor(length), -1);
    }
};

QTEST_MAIN(TestScintillaEditArea)
#include "tst_scintilla_edit_area.moc"
