// The edited document's one notice per change, in UTF-8 bytes, with the
// revision moving before it (a load leaves no history to undo); alike with a
// screen reader on (Scintilla then sends its notices after a change too).

#include "editor/editor_document.h"
#include "editor/scintilla_edit_area.h"
#include "support/rows.h"

#include <QAccessible>
#include <QClipboard>
#include <Qsci/qsciscintilla.h>

using namespace Qt::StringLiterals;

namespace {

enum Act { Type, Paste, Undo, Wrap, Load, Reload };
// On "caffè" with the characters [from, from + length) selected.
struct Change {
    Act act;
    int from, length;
    QString input;
    qsizetype position, removed, added;
};

} // namespace

class TestEditorDocument : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { QAccessible::setActive(false); }

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
        for (const bool screen_reader : {false, true}) {
            QAccessible::setActive(screen_reader);
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

QTEST_MAIN(TestEditorDocument)
#include "tst_editor_document.moc"
