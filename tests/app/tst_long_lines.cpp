// Minified pages: a line of many kilobytes opens in the long-line styling and
// keeps every byte through typing, pasting, undo and save; the status bar's
// column stays right however the caret and the text move.

#include "platform/qt/long_line_styling.h"
#include "support/files.h"
#include "support/main_window.h"

#include <QClipboard>
#include <QLabel>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

using Sci = QsciScintillaBase;

void type(QWidget* editor, const QString& text, int key = 0,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(editor, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(editor, &release);
}

// The longest run of unstyled text: a long one is laid out slowly.
qsizetype longest_plain_run(QsciScintilla* editor) {
    qsizetype longest = 0, run = 0;
    for (long at = 0; at < editor->length(); ++at) {
        run = editor->SendScintilla(Sci::SCI_GETSTYLEAT, (unsigned long)at) == 0 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

} // namespace

class TestLongLines : public QObject {
    Q_OBJECT

    MainWindow m;
    QTemporaryDir dir;

  private slots:
    void init() { m.open(); }
    void cleanup() { m.close(); }

    void typing_into_a_long_line_keeps_the_bytes() {
        QByteArray line;
        while (line.size() <= kLongLineLength)
            line += "<p class=\"x\">perch\xc3\xa9 {\xf0\x9f\x98\x80}</p>";
        const QByteArray page = line + "\r\n<br>\r\n";
        const QString path = dir.filePath(QStringLiteral("min.htm"));
        QVERIFY(write_bytes(path, page));
        QVERIFY(m.window->open_path(path));
        QsciScintilla* editor = m.window->editor();
        QVERIFY(m.edit().long_lines());
        QVERIFY(!editor->lexer());
        QCOMPARE(longest_plain_run(editor), 0);

        const qsizetype middle = line.indexOf("<p", line.size() / 2);
        editor->SendScintilla(Sci::SCI_GOTOPOS, (unsigned long)middle);
        QTest::keyClicks(editor, QStringLiteral("ab"));
        type(editor, QStringLiteral("\u00e8"));
        const QString pasted = QString(40, u'z') + QStringLiteral("\u20ac");
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QVERIFY(longest_plain_run(editor) < 16);

        QByteArray typed = page;
        typed.insert(middle, QByteArray("ab\xc3\xa8") + pasted.toUtf8());
        m.dialogs->save_answers.push_back(path);
        QVERIFY(m.window->save_document());
        QCOMPARE(read_bytes(path), typed);

        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
        m.dialogs->save_answers.push_back(path);
        QVERIFY(m.window->save_document());
        QCOMPARE(read_bytes(path), page);

        // A page of ordinary lines gets its highlighting back.
        QVERIFY(write_bytes(path, "<p>\r\n</p>\r\n"));
        QVERIFY(m.window->open_path(path));
        QVERIFY(!m.edit().long_lines());
        QVERIFY(editor->lexer());
    }

    void the_column_follows_caret_and_text() {
        QString text = QStringLiteral("<b>\r\n");
        while (text.size() <= kLongLineLength)
            text += QStringLiteral("caff\u00e8 \U0001F600 ");
        text += QStringLiteral("\r\nfine");
        const QString path = dir.filePath(QStringLiteral("col.htm"));
        QVERIFY(write_bytes(path, text.toUtf8()));
        QVERIFY(m.window->open_path(path));
        QsciScintilla* editor = m.window->editor();
        auto* shown = m.window->findChild<QLabel*>(QStringLiteral("status_position"));
        QTest::keyClick(editor, Qt::Key_Down);
        const QString inserts[] = {QStringLiteral("x"), QStringLiteral("\u00e9"),
                                   QStringLiteral("\U0001F600"), QStringLiteral("\r")};
        const int keys[] = {Qt::Key_Right, Qt::Key_Left, Qt::Key_End,       Qt::Key_Home,
                            Qt::Key_Up,    Qt::Key_Down, Qt::Key_Backspace, Qt::Key_Delete};
        QRandomGenerator random(16);
        for (int step = 0; step < 300; ++step) {
            const quint32 pick = random.bounded(12);
            if (pick < 9)
                type(editor, {}, keys[pick],
                     pick < 2 && random.bounded(4) == 0 ? Qt::ControlModifier : Qt::NoModifier);
            else if (pick < 11)
                type(editor, inserts[random.bounded(3)]);
            else
                m.window->insert_snippet(QStringLiteral("<i>"), QStringLiteral("</i>"));
            QCoreApplication::processEvents(); // the caret notice comes with the repaint
            const QString now = m.edit().text();
            const qsizetype caret = m.edit().caret();
            const qsizetype start =
                std::max(now.lastIndexOf(u'\n', caret - 1), now.lastIndexOf(u'\r', caret - 1)) + 1;
            const qsizetype line = now.left(start).count(u'\n') + now.left(start).count(u'\r') -
                                   now.left(start).count(QStringLiteral("\r\n"));
            QCOMPARE(shown->text(),
                     QStringLiteral("Riga %1, colonna %2").arg(line + 1).arg(caret - start + 1));
        }
    }
};

QTEST_MAIN(TestLongLines)
#include "tst_long_lines.moc"
