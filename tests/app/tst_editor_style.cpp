// Colouring and margins of the edit areas: the right lexer, a line-number
// margin that follows the line count, the text and its modes untouched, and
// a large document shown as quickly as a plain one.

#include "app/editor_style.h"

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
    void lexer_margins_and_font_data() {
        QTest::addColumn<Style>("style");
        QTest::addColumn<QString>("lexer");
        QTest::newRow("html") << Style(style_html_editor) << QStringLiteral("QsciLexerHTML");
        QTest::newRow("css") << Style(style_css_editor) << QStringLiteral("QsciLexerCSS");
    }
    void lexer_margins_and_font() {
        QFETCH(Style, style);
        QFETCH(QString, lexer);
        QsciScintilla editor;
        style(&editor);
        QVERIFY(editor.lexer());
        QCOMPARE(QString::fromLatin1(editor.lexer()->metaObject()->className()), lexer);
        QVERIFY(editor.marginLineNumbers(0));
        QVERIFY(editor.marginWidth(0) > 0);
        QCOMPARE(editor.braceMatching(), QsciScintilla::SloppyBraceMatch);
        QVERIFY(QFontInfo(editor.lexer()->font(0)).fixedPitch());
        QVERIFY(QFontInfo(editor.lexer()->defaultFont()).fixedPitch());
    }

    void text_and_modes_stay_as_they_were_data() {
        QTest::addColumn<Style>("style");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("eol");
        QTest::addColumn<bool>("utf8");
        const QString crlf = QStringLiteral("<p>perché 😀</p>\r\n<style>p{}</style>\r\n");
        const QString lf = QStringLiteral("a { color: #FF0000; }\n/* è */\n");
        QTest::newRow("html crlf utf8")
            << Style(style_html_editor) << crlf << int(QsciScintilla::EolWindows) << true;
        QTest::newRow("html lf utf8")
            << Style(style_html_editor) << lf << int(QsciScintilla::EolUnix) << true;
        QTest::newRow("html cr latin") << Style(style_html_editor) << QStringLiteral("a\rb")
                                       << int(QsciScintilla::EolMac) << false;
        QTest::newRow("css crlf utf8")
            << Style(style_css_editor) << crlf << int(QsciScintilla::EolWindows) << true;
        QTest::newRow("css lf latin") << Style(style_css_editor) << QStringLiteral("a{}\n")
                                      << int(QsciScintilla::EolUnix) << false;
    }
    void text_and_modes_stay_as_they_were() {
        QFETCH(Style, style);
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
        QCOMPARE(editor.text(), before);
        QCOMPARE(int(editor.eolMode()), eol);
        QCOMPARE(editor.isUtf8(), utf8);
        QVERIFY(!editor.isModified());
        QCOMPARE(editor.isUndoAvailable(), undo);
    }

    void line_margin_follows_the_line_count() {
        QsciScintilla editor;
        style_html_editor(&editor);
        editor.setText(QStringLiteral("a\r\nb\r\nc"));
        const int small = editor.marginWidth(0);
        editor.setText(QStringLiteral("x\r\n").repeated(123456));
        const int large = editor.marginWidth(0);
        QVERIFY2(large > small, qPrintable(QStringLiteral("%1 <= %2").arg(large).arg(small)));
        editor.setText(QStringLiteral("a"));
        QCOMPARE(editor.marginWidth(0), small);
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
        QTest::addColumn<bool>("styled");
        QTest::addColumn<bool>("reload");
        QTest::newRow("plain, for comparison") << false << false;
        QTest::newRow("styled, then loaded") << true << false;
        QTest::newRow("styled, loaded, another loaded") << true << true;
    }
    void large_document_is_coloured_only_where_shown() {
        QFETCH(bool, styled);
        QFETCH(bool, reload);
        const QString text = big_html(5 * 1024 * 1024);
        QsciScintilla editor;
        editor.setUtf8(true);
        editor.resize(900, 700);
        if (styled)
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
        qInfo("%s: %ld bytes, first paint after %lld ms, %ld bytes coloured",
              QTest::currentDataTag(), length, elapsed, styled ? coloured : 0L);
        QVERIFY(length > 5 * 1000 * 1000);
        if (styled) {
            QVERIFY2(coloured > 0, "nothing coloured");
            QVERIFY2(coloured < length / 10, "the whole text was coloured before showing it");
        }
        QVERIFY2(elapsed < 3000, "first paint too slow");
    }

    // Styling an editor that already holds the text colours it whole once
    // (QsciScintilla::setLexer does): the windows style their editors while
    // still empty. Measured here so that the cost stays known.
    void styling_a_loaded_large_document() {
        QsciScintilla editor;
        editor.setUtf8(true);
        editor.setText(big_html(5 * 1024 * 1024));
        QElapsedTimer clock;
        clock.start();
        style_html_editor(&editor);
        qInfo("styling 5 MB already loaded: %lld ms", clock.elapsed());
        QVERIFY(clock.elapsed() < 3000);
    }
};

QTEST_MAIN(TestEditorStyle)
#include "tst_editor_style.moc"
