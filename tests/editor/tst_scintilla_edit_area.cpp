// The QsciScintilla binding: character positions over UTF-8 bytes wherever
// Scintilla's gap lies, as the edit area and a search count them (insertions:
// tst_soak), the accessibility switch, the line numbers' margin, anchors that
// move with the text; the edited document's one notice per change, in UTF-8
// bytes, with the revision moving before it (a load leaves no history to
// undo), alike with a screen reader on (Scintilla then sends its notices
// after a change too).

#include "editor/editor_document.h"
#include "editor/editor_marks.h"
#include "editor/editor_style.h"
#include "editor/scintilla_accessibility.h"
#include "editor/scintilla_edit_area.h"
#include "editor/search_target.h"
#include "support/rows.h"

#include <QAccessible>
#include <QClipboard>
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
enum Act { Type, Paste, Undo, Wrap, Load, Reload };
// On "caffè" with the characters [from, from + length) selected.
struct Change {
    Act act;
    int from, length;
    QString input;
    qsizetype position, removed, added;
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
    void cleanup() {
        widget.reset();
        QAccessible::setActive(false);
    }

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

    void each_change_is_one_notice_of_its_bytes_data() {
        rows<Change>({
            {"typing over a selection", {Type, 2, 2, u"p"_s, 2, 2, 1}},
            {"paste over a selection", {Paste, 4, 1, u"òò"_s, 4, 2, 4}},
            {"undo", {Undo, 5, 0, {}, 6, 1, 0}},
            {"a command's insertion", {Wrap, 2, 2, {}, 2, 2, 9}},
            {"a load", {Load, 0, 0, u"<p>é</p>"_s, 0, 6, 9}},
            {"a reload", {Reload, 0, 0, u"caffè!"_s, 0, 6, 7}},
        });
    }
    void each_change_is_one_notice_of_its_bytes() {
        QFETCH(Change, row);
        QsciScintilla widget;
        auto* document = new EditorDocument(&widget);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        widget.setFocus();
        // Without a screen reader the editor is described plainly and
        // Scintilla sends only the notices before a change; with one,
        // QScintilla's own text interface and every notice come back.
        for (const bool screen_reader : {false, true}) {
            QAccessible::setActive(screen_reader);
            QCOMPARE(scintilla_accessibility::lean(), !screen_reader);
            QCOMPARE(widget.SendScintilla(Sci::SCI_GETMODEVENTMASK) == Sci::SC_MODEVENTMASKALL,
                     screen_reader);
            QCOMPARE(QAccessible::queryAccessibleInterface(&widget)->textInterface() != nullptr,
                     screen_reader);
            document->load("caff\xc3\xa8", 6);
            if (row.act == Undo)
                document->replace(6, 6, "x");
            document->edit_area().select(row.from, row.length);
            const quint64 revision = document->revision();
            QSignalSpy notices(document, &EditorDocument::changed);
            QGuiApplication::clipboard()->setText(row.input);
            if (row.act == Type || row.act == Paste || row.act == Undo)
                row.act == Type ? QTest::keyClicks(&widget, row.input)
                                : QTest::keyClick(&widget, row.act == Paste ? Qt::Key_V : Qt::Key_Z,
                                                  Qt::ControlModifier);
            if (row.act == Wrap)
                document->edit_area().wrap_selection(u"<b>"_s, u"</b>"_s);
            if (row.act == Load || row.act == Reload)
                row.act == Load ? document->load(row.input.toUtf8(), 9)
                                : document->reload(row.input.toUtf8());
            QTRY_COMPARE(notices.size(), 1);
            // Nothing more to tell; the revision moved.
            QVERIFY(!document->change_pending() && document->revision() > revision);
            QCOMPARE(notices.first(),
                     QVariantList({row.position, row.removed, row.added, document->revision()}));
            QCOMPARE(widget.isUndoAvailable(), row.act != Load && row.act != Undo);
        }
    }
};

QTEST_MAIN(TestScintillaEditArea)
#include "tst_scintilla_edit_area.moc"
