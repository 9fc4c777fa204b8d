// Colouring and margins of the edit areas: the right lexer, a line-number
// margin that follows the line count, the text and its modes untouched, and
// a large document coloured only where it is shown.

#include "platform/qt/editor_style.h"
#include "platform/qt/scintilla_edit_area.h"

#include <QElapsedTimer>
#include <QFontInfo>
#include <Qsci/qscilexer.h>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

namespace {

using Style = void (*)(QsciScintilla*);

QString big_html(qsizetype bytes) {
    QString text =
        QStringLiteral("<html>\r\n<head>\r\n<style>\r\np { color: red; }\r\n</style>\r\n"
                       "<script>\r\nvar x = \"<b>\";\r\n</script>\r\n</head>\r\n<body>\r\n");
    const QString row =
        QStringLiteral("<div class=\"row\" id=\"r%1\"><p>Perché <b>dolor</b> sit amet, "
                       "<a href=\"pagina.html\">collegamento</a> &amp; altro</p></div>\r\n");
    text.reserve(bytes + row.size() * 2);
    for (int i = 0; text.size() < bytes; ++i)
        text += row.arg(i);
    return text + QStringLiteral("</body>\r\n</html>\r\n");
}

} // namespace

class TestEditorStyle : public QObject {
    Q_OBJECT

  private slots:
    void lexer_margins_and_font_leave_text_and_modes_data() {
        QTest::addColumn<Style>("style");
        QTest::addColumn<QString>("lexer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("eol");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("html crlf utf8")
            << Style(style_html_editor) << QStringLiteral("QsciLexerHTML")
            << QStringLiteral("<p>perché 😀</p>\r\n<style>p{}</style>\r\n")
            << int(QsciScintilla::EolWindows) << true;
        QTest::newRow("html cr latin")
            << Style(style_html_editor) << QStringLiteral("QsciLexerHTML") << QStringLiteral("a\rb")
            << int(QsciScintilla::EolMac) << false;
        QTest::newRow("css lf latin")
            << Style(style_css_editor) << QStringLiteral("QsciLexerCSS") << QStringLiteral("a{}\n")
            << int(QsciScintilla::EolUnix) << false;
    }
    void lexer_margins_and_font_leave_text_and_modes() {
        QFETCH(Style, style);
        QFETCH(QString, lexer);
        QFETCH(QString, text);
        QFETCH(int, eol);
        QFETCH(bool, utf8);
        QsciScintilla editor;
        editor.setUtf8(utf8);
        editor.setEolMode(QsciScintilla::EolMode(eol));
        editor.setText(text);
        editor.setModified(false);
        const QString before = editor.text();
        const bool undo = editor.isUndoAvailable();
        style(&editor);
        QVERIFY(editor.lexer());
        QCOMPARE(QString::fromLatin1(editor.lexer()->metaObject()->className()), lexer);
        QVERIFY(editor.marginLineNumbers(0));
        QVERIFY(editor.marginWidth(0) > 0);
        QCOMPARE(editor.braceMatching(), QsciScintilla::SloppyBraceMatch);
        QVERIFY(QFontInfo(editor.lexer()->defaultFont()).fixedPitch());
        QCOMPARE(editor.text(), before);
        QCOMPARE(int(editor.eolMode()), eol);
        QCOMPARE(editor.isUtf8(), utf8);
        QVERIFY(!editor.isModified());
        QCOMPARE(editor.isUndoAvailable(), undo);
    }

    void line_margin_follows_the_line_count_data() {
        QTest::addColumn<bool>("lean");
        QTest::newRow("told of every change") << false;
        QTest::newRow("told only before changes") << true;
    }
    void line_margin_follows_the_line_count() {
        QFETCH(bool, lean);
        QsciScintilla editor;
        if (lean) {
            new ScintillaEditArea(&editor);
            editor.show();
            QVERIFY(QTest::qWaitForWindowExposed(&editor));
        }
        style_html_editor(&editor);
        editor.setText(QStringLiteral("a\r\nb\r\nc"));
        QTest::qWait(0);
        const int small = editor.marginWidth(0);
        editor.setText(QStringLiteral("x\r\n").repeated(123456));
        QTRY_VERIFY2(editor.marginWidth(0) > small,
                     qPrintable(QStringLiteral("%1 <= %2").arg(editor.marginWidth(0)).arg(small)));
        editor.setText(QStringLiteral("a"));
        QTRY_COMPARE(editor.marginWidth(0), small);
    }

    void styling_again_changes_nothing() {
        QsciScintilla editor;
        style_html_editor(&editor);
        QsciLexer* lexer = editor.lexer();
        const int width = editor.marginWidth(0);
        style_html_editor(&editor);
        QCOMPARE(editor.lexer(), lexer);
        QCOMPARE(editor.marginWidth(0), width);
        QCOMPARE(editor.findChildren<QObject*>(QStringLiteral("line_margin_sizer")).size(), 1);
        // From HTML to CSS: the old lexer goes.
        style_css_editor(&editor);
        QCOMPARE(QString::fromLatin1(editor.lexer()->metaObject()->className()),
                 QStringLiteral("QsciLexerCSS"));
        QTRY_COMPARE(editor.findChildren<QsciLexer*>().size(), 1);
    }

    // A 5 MB page: time from loading it to its first paint, and how much of
    // it the lexer coloured by then: only what is shown, not the whole text.
    void large_document_is_coloured_only_where_shown_data() {
        QTest::addColumn<bool>("reload");
        QTest::newRow("loaded") << false;
        QTest::newRow("loaded after another") << true;
    }
    void large_document_is_coloured_only_where_shown() {
        QFETCH(bool, reload);
        const QString text = big_html(5 * 1024 * 1024);
        QsciScintilla editor;
        editor.setUtf8(true);
        editor.resize(900, 700);
        style_html_editor(&editor);
        if (reload) {
            editor.setText(QStringLiteral("<p>x</p>\r\n").repeated(100000));
            editor.show();
            QVERIFY(QTest::qWaitForWindowExposed(&editor));
            editor.viewport()->repaint();
        }
        QElapsedTimer clock;
        clock.start();
        editor.setText(text);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        editor.viewport()->repaint();
        const qint64 elapsed = clock.elapsed();
        const long length = editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
        const long coloured = editor.SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED);
        QVERIFY(length > 5 * 1000 * 1000);
        QVERIFY2(coloured > 0, "nothing coloured");
        QVERIFY2(coloured < length / 10, "the whole text was coloured before showing it");
        QVERIFY2(elapsed < 3000,
                 qPrintable(QStringLiteral("first paint after %1 ms").arg(elapsed)));
    }
};

QTEST_MAIN(TestEditorStyle)
#include "tst_editor_style.moc"
