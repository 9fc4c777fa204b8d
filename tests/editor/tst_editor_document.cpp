// The edited document's one notice per change, in UTF-8 bytes, with the
// revision moving before it.

#include "editor/editor_document.h"
#include "editor/scintilla_edit_area.h"
#include "support/rows.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <Qsci/qsciscintilla.h>

using namespace Qt::StringLiterals;

namespace {

enum class Act { Type, Backspace, Paste, Undo, Wrap, Load, Reload };

struct Change {
    Act act;
    int select_from, select_length; // in characters of "caffè", the text before
    QString input;
    qsizetype position, removed, added;
};

} // namespace

class TestEditorDocument : public QObject {
    Q_OBJECT

    std::unique_ptr<QsciScintilla> widget;
    EditorDocument* document = nullptr;

  private slots:
    void init() {
        widget = std::make_unique<QsciScintilla>();
        document = new EditorDocument(widget.get());
        widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
        widget->activateWindow();
        widget->setFocus();
        QTRY_VERIFY(widget->hasFocus());
        document->load("caff\xc3\xa8", 6);
    }
    void cleanup() { widget.reset(); }

    void each_change_is_one_notice_of_its_bytes_data() {
        rows<Change>({
            {"typing", {Act::Type, 5, 0, u"x"_s, 6, 0, 1}},
            {"typing over a selection", {Act::Type, 2, 2, u"p"_s, 2, 2, 1}},
            {"backspace over a two-byte character", {Act::Backspace, 5, 0, {}, 4, 2, 0}},
            {"paste over a selection", {Act::Paste, 4, 1, u"òò"_s, 4, 2, 4}},
            {"undo of a typed character", {Act::Undo, 5, 0, u"x"_s, 6, 1, 0}},
            {"a command's insertion", {Act::Wrap, 2, 2, {}, 2, 2, 9}},
            {"a load", {Act::Load, 0, 0, u"<p>é</p>"_s, 0, 6, 9}},
            {"a reload", {Act::Reload, 0, 0, u"caffè!"_s, 0, 6, 7}},
        });
    }
    void each_change_is_one_notice_of_its_bytes() {
        QFETCH(Change, row);
        ScintillaEditArea& edit = document->edit_area();
        edit.select(row.select_from, row.select_length);
        if (row.act == Act::Undo) {
            QTest::keyClicks(widget.get(), row.input);
            QTRY_VERIFY(!document->change_pending());
        }
        const QByteArray before = edit.utf8();
        const quint64 revision = document->revision();
        QSignalSpy notices(document, &EditorDocument::changed);
        switch (row.act) {
        case Act::Type:
            QTest::keyClicks(widget.get(), row.input);
            break;
        case Act::Backspace:
            QTest::keyClick(widget.get(), Qt::Key_Backspace);
            break;
        case Act::Paste:
            QGuiApplication::clipboard()->setText(row.input);
            QTest::keyClick(widget.get(), Qt::Key_V, Qt::ControlModifier);
            break;
        case Act::Undo:
            QTest::keyClick(widget.get(), Qt::Key_Z, Qt::ControlModifier);
            break;
        case Act::Wrap:
            edit.wrap_selection(u"<b>"_s, u"</b>"_s);
            break;
        case Act::Load:
            document->load(row.input.toUtf8(), row.input.toUtf8().size());
            break;
        case Act::Reload:
            document->reload(row.input.toUtf8());
            break;
        }
        QTRY_COMPARE(notices.size(), 1);
        QCoreApplication::processEvents();
        QVERIFY(!document->change_pending()); // nothing more to tell
        QCOMPARE(notices.size(), 1);
        const QList<QVariant> notice = notices.first();
        QCOMPARE(notice.at(0).value<qsizetype>(), row.position);
        QCOMPARE(notice.at(1).value<qsizetype>(), row.removed);
        QCOMPARE(notice.at(2).value<qsizetype>(), row.added);
        QVERIFY(document->revision() > revision);
        QCOMPARE(notice.at(3).value<quint64>(), document->revision());
        // The bytes outside the span are the text's before the change.
        const QByteArray after = edit.utf8();
        QCOMPARE(after.size() - before.size(), row.added - row.removed);
        QCOMPARE(after.left(row.position), before.left(row.position));
        QCOMPARE(after.mid(row.position + row.added), before.mid(row.position + row.removed));
    }
};

QTEST_MAIN(TestEditorDocument)
#include "tst_editor_document.moc"
