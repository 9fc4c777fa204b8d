// Writing help through the real main window, driven by the keyboard: the
// completion list, end tags on "</", the checker's marks, F8 and stale checks.

#include "support/files.h"
#include "support/main_window.h"
#include "support/rows.h"
#include "writing_help/check_marks.h"
#include "writing_help/editor_completion.h"
#include "writing_help/page_checker.h"
#include "writing_help/writing_help.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QToolTip>

namespace {

using Sci = QsciScintillaBase;

struct Typed {
    const char *keys, *text, *item;
};

const QString kHead = QStringLiteral("<!DOCTYPE html><html><head><title>t</title></head><body>");

} // namespace

class TestWritingHelp : public QObject {
    Q_OBJECT

    MainWindow m;
    QsciScintilla* editor() { return m.window->editor(); }
    WritingHelp* help() { return m.window->findChild<WritingHelp*>(); }
    QString count() { return m.window->findChild<QLabel*>("status_check")->text(); }
    QString text() { return m.edit().text(); }
    bool list_open() { return editor()->SendScintilla(Sci::SCI_AUTOCACTIVE) != 0; }
    QString current_item() {
        char item[64] = {};
        editor()->SendScintilla(Sci::SCI_AUTOCGETCURRENTTEXT, 0UL, item);
        return QString::fromUtf8(item);
    }
    // The tooltip as the user reads it.
    QString tooltip() { return QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText(); }
    // The keys as the user presses them, pausing for the list before Tab,
    // Enter or Escape and at the end.
    void type(const QString& keys) {
        for (const QChar c : keys) {
            if (c == u'\t' || c == u'\r' || c == u'\x1b')
                QTRY_VERIFY(!help()->completion().offer_pending());
            QTest::keyClick(editor(), c.toLatin1());
            QCoreApplication::processEvents();
        }
        QTRY_VERIFY(!help()->completion().offer_pending());
    }

  private slots:
    void init() {
        m.open();
        editor()->setFocus();
    }
    void cleanup() { m.close(); }

    // Keys: \t Tab, \r Enter, \x1b Escape; the list's choice, none: no list.
    void typing_offers_and_writes_data() {
        rows<Typed>(
            {{"elements at <d", {"<d", "<d", "data"}},
             {"typing narrows", {"<dia", "<dia", "dialog"}},
             {"enter accepts", {"<di\r", "<dialog", ""}},
             {"capitals", {"<DI\t", "<DIALOG", ""}},
             {"escape closes", {"<d\x1b", "<d", ""}},
             {"inside <img ", {"<img ", "<img ", "accesskey"}},
             {"attribute, quotes, values", {"<a tar\t", "<a target=\"\"", "_blank"}},
             {"value steps over quote", {"<a tar\t\r t", "<a target=\"_blank\" t", "tabindex"}},
             {"typed quote steps over", {"<a hr\tx\" ", "<a href=\"x\" ", "accesskey"}},
             {"boolean alone", {"<input chec\t", "<input checked", ""}},
             {"> adds nothing", {"<div>", "<div>", ""}},
             {"</ closes", {"<div><p>x</p></", "<div><p>x</p></div>", ""}},
             {"</ over void",
              {"<ul><li>a<br><img src=x></", "<ul><li>a<br><img src=x></li>", ""}}});
    }
    void typing_offers_and_writes() {
        QFETCH(Typed, row);
        const QString keys = QString::fromLatin1(row.keys), text = QString::fromLatin1(row.text),
                      item = QString::fromLatin1(row.item);
        type(keys);
        QCOMPARE(this->text(), text);
        QCOMPARE(list_open(), !item.isEmpty());
        if (!item.isEmpty())
            QCOMPARE(current_item(), item);
        else
            QCOMPARE(m.edit().caret(), text.size());
    }

    void each_insertion_is_one_undo_step() {
        type(QStringLiteral("<div>x</"));
        QCOMPARE(text(), QStringLiteral("<div>x</div>"));
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text(), QStringLiteral("<div>x</"));
        type(QStringLiteral(" <a tar\t"));
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text(), QStringLiteral("<div>x</ <a tar"));
    }

    void f8_walks_the_findings() {
        const QString page = kHead + QStringLiteral("\r\n<p>città <b>x</p>\r\n<p>😀<foo>y</foo>"
                                                    "</p>\r\n<img src=\"a\">\r\n</body></html>");
        m.edit().set_text(page);
        QTRY_COMPARE(count(), QStringLiteral("1 errore, 2 avvisi"));
        QCOMPARE(help()->marks().marked_lines(Severity::Error), QList<int>{2});
        QCOMPARE(help()->marks().marked_lines(Severity::Warning), (QList<int>{1, 3}));
        const qsizetype b = page.indexOf(u"<b>"), foo = page.indexOf(u"<foo>"),
                        img = page.indexOf(u"<img");
        m.edit().set_caret(0);
        for (const qsizetype at : {b, foo, img, b}) {
            QTest::keyClick(editor(), Qt::Key_F8);
            QCOMPARE(m.edit().caret(), at);
        }
        QVERIFY(tooltip().contains(QStringLiteral("manca </b> prima di </p>")));
        for (const qsizetype at : {img, foo}) {
            QTest::keyClick(editor(), Qt::Key_F8, Qt::ShiftModifier);
            QCOMPARE(m.edit().caret(), at);
        }
        QCOMPARE(tooltip(), QStringLiteral("Elemento sconosciuto: <foo>"));
        // The marks move with the text until the next check.
        m.edit().set_caret(0);
        type(QStringLiteral("x"));
        QTest::keyClick(editor(), Qt::Key_F8);
        QCOMPARE(m.edit().caret(), b + 1);
        // Resting on the warning symbol beside the <img> line.
        QToolTip::hideText();
        const long start = editor()->SendScintilla(Sci::SCI_POSITIONFROMLINE, 3UL);
        const QPoint mark(editor()->SendScintilla(Sci::SCI_GETMARGINWIDTHN, 0UL) + 4,
                          editor()->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, start) + 4);
        QHelpEvent hover(QEvent::ToolTip, mark, editor()->viewport()->mapToGlobal(mark));
        QApplication::sendEvent(editor()->viewport(), &hover);
        QCOMPARE(tooltip(),
                 QStringLiteral("Manca l'attributo \"alt\" (testo alternativo) di <img>"));
    }

    void windows_1252_page_is_placed_by_its_characters() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vecchia.htm"));
        QVERIFY(write_bytes(path, kHead.toLatin1() + "\r\n<p>caf\xe9 \x80 \x93x\x94 <foo>x</foo>"
                                                     "</p>\r\n</body></html>"));
        QVERIFY(m.window->open_path(path));
        QCOMPARE(m.window->document_encoding(), Encoding::Windows1252);
        QTRY_COMPARE(count(), QStringLiteral("1 errore, 0 avvisi"));
        QTest::keyClick(editor(), Qt::Key_F8);
        QCOMPARE(m.edit().caret(), text().indexOf(u"<foo>"));
    }

    void a_check_overtaken_never_shows_its_marks() {
        // The first check, of a page with <foo>, is overtaken as soon as it
        // starts: the page becomes one with <bar> instead.
        QString big = kHead + QStringLiteral("\r\n<foo>x</foo>\r\n");
        while (big.size() < 1000000)
            big += QStringLiteral("<p class=\"riga\">perché la città <b>qui</b></p>\r\n");
        QStringList shown;
        connect(&help()->marks(), &CheckMarks::changed, this, [&] {
            for (int line = 0; line < 6; ++line)
                shown << help()->marks().messages_on_line(line);
        });
        QSignalSpy started(&help()->checker(), &PageChecker::started);
        bool overtaken = false;
        connect(&help()->checker(), &PageChecker::started, this, [&] {
            if (std::exchange(overtaken, true))
                return;
            help()->checker().set_pause(std::chrono::milliseconds(1));
            m.edit().set_text(kHead + QStringLiteral("\r\n\r\n\r\n\r\n<bar>x</bar></body></html>"));
        });
        m.edit().set_text(big);
        QTRY_COMPARE(count(), QStringLiteral("1 errore, 0 avvisi"));
        QCOMPARE(started.size(), 2);
        QCOMPARE(shown.filter(QStringLiteral("<foo>")), QStringList());
        QCOMPARE(help()->marks().messages_on_line(4), QStringList{"Elemento sconosciuto: <bar>"});
    }
};

QTEST_MAIN(TestWritingHelp)
#include "tst_writing_help.moc"
