// Writing help through the real main window, driven by the keyboard: the
// completion list, end tags on "</", the checker's marks, F8 and stale checks.

#include "commands/registry.h"
#include "document/document_session.h"
#include "support/files.h"
#include "support/main_window.h"
#include "support/rows.h"
#include "support/scripted_asker.h"
#include "writing_help/check_marks.h"
#include "writing_help/editor_completion.h"
#include "writing_help/page_checker.h"
#include "writing_help/writing_help.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QToolTip>

#include <sys/resource.h>

namespace {

using Sci = QsciScintillaBase;

struct Typed {
    const char *keys, *text, *item;
};

const QString kHead = QStringLiteral("<!DOCTYPE html><html><head><title>t</title></head><body>");

// The findings said in general words: those with no wording of ours.
QStringList unworded(const QString& page) {
    QStringList found;
    for (const Finding& f : check_page(page.toUtf8()).findings)
        if (f.text.startsWith(QStringLiteral("Marcatura da rivedere")))
            found << QStringLiteral("%1: %2").arg(f.line + 1).arg(f.text);
    return found;
}

// `page` with paragraphs added until it has `size` characters.
QString grown(QString page, qsizetype size) {
    while (page.size() < size)
        page += QStringLiteral("<p class=\"riga\">perché la città <b>qui</b></p>\r\n");
    return page;
}

// A thread of this process runs at the given niceness.
bool thread_at_niceness(int niceness) {
    for (const QString& task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs)) {
        bool number = false;
        const id_t tid = task.toUInt(&number);
        errno = 0;
        if (number && getpriority(PRIO_PROCESS, tid) == niceness && errno == 0)
            return true;
    }
    return false;
}

} // namespace

class TestWritingHelp : public QObject {
    Q_OBJECT

    MainWindow m;
    QsciScintilla* editor() { return m.parts().editor(); }
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
    // The tooltip of the symbol beside `line` (from 0), the pointer resting on it.
    QString tooltip_of_mark(int line) {
        QToolTip::hideText();
        editor()->setFirstVisibleLine(line);
        const long start = editor()->SendScintilla(Sci::SCI_POSITIONFROMLINE, (unsigned long)line);
        const QPoint mark(editor()->SendScintilla(Sci::SCI_GETMARGINWIDTHN, 0UL) + 4,
                          editor()->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, start) + 4);
        QHelpEvent hover(QEvent::ToolTip, mark, editor()->viewport()->mapToGlobal(mark));
        QApplication::sendEvent(editor()->viewport(), &hover);
        return tooltip();
    }
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
             {"enter accepts", {"<di\r", "<dialog", ""}},
             {"escape closes", {"<d\x1b", "<d", ""}},
             {"inside <img ", {"<img ", "<img ", "accesskey"}},
             {"attribute, quotes, values", {"<a tar\t", "<a target=\"\"", "_blank"}},
             {"value steps over quote", {"<a tar\t\r t", "<a target=\"_blank\" t", "tabindex"}},
             {"typed quote steps over", {"<a hr\tx\" ", "<a href=\"x\" ", "accesskey"}},
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
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); // redo
        QCOMPARE(text(), QStringLiteral("<div>x</ <a target=\"\""));
    }

    // One unclosed element early in the page is one finding on its line,
    // which counts its repeats; each later line's mark tells what is wrong
    // on that line, not the element's repeats. F8 and Shift+F8 walk the
    // findings, placed by characters (accents and emoji before them); the
    // marks move with the text until the next check.
    void f8_walks_the_findings_and_each_mark_tells_its_own_line() {
        QStringList lines = {kHead, QStringLiteral("<p>città <span pippo=\"1\">due</p>")};
        for (int i = 0; i < 60; ++i)
            lines << QStringLiteral("<p>riga %1</p>").arg(i);
        lines[20] = QStringLiteral("<p><img src=\"a.png\"></p>");
        lines[40] = QStringLiteral("<p>😀<foo>x</foo></p>");
        lines[55] = QStringLiteral("<p>a &bogus; b</p>");
        const QString page = lines.join(QStringLiteral("\r\n")) + QStringLiteral("</body></html>");
        m.edit().set_text(page);
        QTRY_COMPARE(count(), QStringLiteral("1 errore, 4 avvisi"));
        QCOMPARE(help()->marks().marked_lines(Severity::Error), QList<int>{40});
        QCOMPARE(help()->marks().marked_lines(Severity::Warning), (QList<int>{1, 20, 55}));
        const std::pair<int, QString> own[] = {
            {1, "Elemento <span> non chiuso: manca </span> prima di </p> (si ripete in 60 punti "
                "seguenti)\nAttributo sconosciuto per <span>: \"pippo\""},
            {20, "Manca l'attributo \"alt\" (testo alternativo) di <img>"},
            {40, "Elemento sconosciuto: <foo>"},
            {55,
             "Riferimento a carattere sconosciuto: \"&bogus\" (una & da sola si scrive &amp;)"}};
        for (const auto& [line, message] : own)
            QCOMPARE(tooltip_of_mark(line), message);
        const qsizetype span = page.indexOf(u"<span"), img = page.indexOf(u"<img"),
                        foo = page.indexOf(u"<foo>"), bogus = page.indexOf(u"&bogus");
        m.edit().set_caret(0);
        for (const qsizetype at : {span, img, foo, bogus, span}) {
            QTest::keyClick(editor(), Qt::Key_F8);
            QCOMPARE(m.edit().caret(), at);
        }
        QVERIFY(tooltip().contains(QStringLiteral("manca </span> prima di </p>")));
        for (const qsizetype at : {bogus, foo}) {
            QTest::keyClick(editor(), Qt::Key_F8, Qt::ShiftModifier);
            QCOMPARE(m.edit().caret(), at);
        }
        QCOMPARE(tooltip(), QStringLiteral("Elemento sconosciuto: <foo>"));
        m.edit().set_caret(0);
        type(QStringLiteral("x"));
        QTest::keyClick(editor(), Qt::Key_F8);
        QCOMPARE(m.edit().caret(), span + 1);
    }

    // Every command's markup, and the pages of a small corpus written as
    // people write them, get findings in our own words.
    void findings_are_in_our_words() {
        // Names with a space, Yes to every question, numbers; then Cancel.
        for (const char* answer : {"a b", "Yes", "10"})
            for (const auto& group : command_groups())
                for (const NamedCommand& command : group) {
                    ScriptedAsker asker(QStringList(8, QString::fromLatin1(answer)));
                    if (const auto snippet = command.run(asker)) {
                        const QStringList found =
                            unworded(kHead + QStringLiteral("<p>x</p>") + snippet->open +
                                     QStringLiteral("testo") + snippet->close +
                                     QStringLiteral("</body></html>"));
                        QVERIFY2(found.isEmpty(), qPrintable(command.name + found.join(u' ')));
                    }
                }
        const QDir corpus = QFileInfo(QFINDTESTDATA("writing_help/data/p1.htm")).dir();
        const QStringList pages = corpus.entryList({QStringLiteral("*.htm")});
        QVERIFY(pages.size() >= 8);
        for (const QString& name : pages) {
            const QStringList found =
                unworded(QString::fromUtf8(read_bytes(corpus.filePath(name))));
            QVERIFY2(found.isEmpty(), qPrintable(name + u' ' + found.join(u';')));
        }
    }

    void windows_1252_page_is_placed_by_its_characters() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vecchia.htm"));
        QVERIFY(write_bytes(path, kHead.toLatin1() + "\r\n<p>caf\xe9 \x80 \x93x\x94 <foo>x</foo>"
                                                     "</p>\r\n</body></html>"));
        QVERIFY(m.parts().session().open_path(path));
        QCOMPARE(m.window->document_encoding(), Encoding::Windows1252);
        QTRY_COMPARE(count(), QStringLiteral("1 errore, 0 avvisi"));
        QTest::keyClick(editor(), Qt::Key_F8);
        QCOMPARE(m.edit().caret(), text().indexOf(u"<foo>"));
    }

    // A large page is not checked the moment it opens (a processor busy for
    // seconds that nobody asked for), whatever the file's encoding: F8
    // checks it, then goes on to the first finding.
    void large_page_opened_is_checked_when_asked_data() {
        rows<bool>({{"UTF-8 text", false}, {"Windows-1252 file", true}});
    }
    void large_page_opened_is_checked_when_asked() {
        QFETCH(bool, row);
        const bool latin_file = row;
        const QString big = grown(kHead + QStringLiteral("\r\n<foo>x</foo>\r\n"),
                                  WritingHelp::kCheckOnArrivalLimit);
        QSignalSpy started(&help()->checker(), &PageChecker::started);
        help()->checker().set_pause(std::chrono::milliseconds(1));
        QTemporaryDir dir;
        if (latin_file) {
            const QString file = dir.filePath(QStringLiteral("grande.htm"));
            QVERIFY(write_bytes(file, big.toLatin1()));
            QVERIFY(m.parts().session().open_path(file));
            QCOMPARE(m.window->document_encoding(), Encoding::Windows1252);
        } else {
            m.edit().load_text(big); // as a file opened
        }
        QTest::qWait(100);
        QCOMPARE(started.size(), 0);
        QCOMPARE(count(), QStringLiteral("Controllo alla prima modifica o con F8"));
        QTest::keyClick(editor(), Qt::Key_F8);
        QTRY_COMPARE_WITH_TIMEOUT(count(), QStringLiteral("1 errore, 0 avvisi"), 60000);
        QCOMPARE(m.edit().caret(), text().indexOf(u"<foo>"));
    }

    // The check of a large page takes a processor for a while after a
    // pause in typing; the page engine's frame for the next key must not
    // wait for it, so it runs at the lowest priority.
    void a_check_yields_the_processor_to_frames() {
        m.edit().load_text(grown(kHead, 1000000));
        QVERIFY(!thread_at_niceness(PageChecker::kNiceness));
        help()->checker().check_now();
        QVERIFY(help()->checker().running());
        // Looked for at once, without waiting for events: the check lasts
        // far longer than the look.
        bool found = false;
        for (QDeadlineTimer deadline(10000); !found && !deadline.hasExpired();)
            if (!(found = thread_at_niceness(PageChecker::kNiceness)))
                QThread::usleep(100);
        QVERIFY(found);
        QTRY_VERIFY_WITH_TIMEOUT(!help()->checker().running(), 60000);
    }

    void a_check_overtaken_never_shows_its_marks() {
        // The first check, of a page with <foo>, is overtaken as soon as it
        // starts: the page becomes one with <bar> instead.
        const QString big = grown(kHead + QStringLiteral("\r\n<foo>x</foo>\r\n"), 1000000);
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
