// Ctrl+S saves a document that has a file to that file, with no dialog;
// Ctrl+Shift+S and a document without a file get the save dialog. Real key
// presses on the real window.

#include "support/files.h"
#include "support/main_window.h"

#include <QTemporaryDir>

class TestSaveKeys : public QObject {
    Q_OBJECT

    MainWindow m;
    QTemporaryDir dir;

  private slots:
    void init() { m.open(); }
    void cleanup() { m.close(); }

    void keys_save_with_or_without_the_dialog_data() {
        QTest::addColumn<bool>("named");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("dialogs");
        QTest::newRow("named, Ctrl+S: its file") << true << int(Qt::ControlModifier) << 0;
        QTest::newRow("named, Ctrl+Shift+S: asks")
            << true << int(Qt::ControlModifier | Qt::ShiftModifier) << 1;
        QTest::newRow("unnamed, Ctrl+S: asks") << false << int(Qt::ControlModifier) << 1;
    }
    void keys_save_with_or_without_the_dialog() {
        QFETCH(bool, named);
        QFETCH(int, modifiers);
        QFETCH(int, dialogs);
        const QString own = dir.filePath(QStringLiteral("own.htm"));
        const QString asked = dir.filePath(QStringLiteral("asked.htm"));
        QFile::remove(asked);
        QVERIFY(write_bytes(own, "<p>a</p>"));
        if (named)
            QVERIFY(m.window->open_path(own));
        m.dialogs->save_answers.push_back(asked);
        m.window->editor()->setFocus();
        QTest::keyClicks(m.window->editor(), QStringLiteral("x"));
        QTest::keyClick(m.window->editor(), Qt::Key_S, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m.dialogs->saves, dialogs);
        QCOMPARE(read_bytes(dialogs ? asked : own),
                 named ? QByteArray("x<p>a</p>") : QByteArray("x"));
        QVERIFY(!m.window->is_modified());
        QCOMPARE(m.window->document_path(), dialogs ? asked : own);
    }
};

QTEST_MAIN(TestSaveKeys)
#include "tst_save_keys.moc"
