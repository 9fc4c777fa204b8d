// Writing help through the real main window, driven by the keyboard: the
// completion list, end tags on "</", the checker's marks and F8.

#include "support/main_window.h"
#include "writing_help/check_marks.h"
#include "writing_help/page_checker.h"
#include "writing_help/writing_help.h"

#include <QLabel>

namespace {

using Sci = QsciScintillaBase;

} // namespace

class TestWritingHelp : public QObject {
    Q_OBJECT

    MainWindow m;
    QsciScintilla* editor() { return m.window->editor(); }
    QString text() { return m.edit().text(); }
    bool list_open() { return editor()->SendScintilla(Sci::SCI_AUTOCACTIVE) != 0; }
    QString current_item() {
        char item[64] = {};
        editor()->SendScintilla(Sci::SCI_AUTOCGETCURRENTTEXT, 0UL, item);
        return QString::fromUtf8(item);
    }
    void type(const QString& keys) { QTest::keyClicks(editor(), keys); }

  private slots:
    void init() {
        m.open();
        editor()->setFocus();
    }
    void cleanup() { m.close(); }

    void attribute_accepted_with_quotes_then_its_values() {
        type(QStringLiteral("<a tar"));
        QVERIFY(list_open());
        QCOMPARE(current_item(), QStringLiteral("target"));
        QTest::keyClick(editor(), Qt::Key_Tab);
        QCOMPARE(text(), QStringLiteral("<a target=\"\""));
        QTRY_VERIFY(list_open());
        QCOMPARE(current_item(), QStringLiteral("_blank"));
        QTest::keyClick(editor(), Qt::Key_Return);
        QCOMPARE(text(), QStringLiteral("<a target=\"_blank\""));
        QCOMPARE(m.edit().caret(), text().size());
    }
};

QTEST_MAIN(TestWritingHelp)
#include "tst_writing_help.moc"
