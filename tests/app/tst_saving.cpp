// Saving as users expect, through the real window: Ctrl+S writes a document
// that has a file to it with no dialog, Ctrl+Shift+S and a document without
// a file get the dialog (real key presses); saving under the name of another
// file asks first; a folder removed since opening is told; UTF-16 files come
// back as UTF-16.

#include "support/dialog_steps.h"
#include "support/files.h"
#include "support/main_window.h"

#include "app/status_presenter.h"
#include <QLabel>
#include <QTemporaryDir>

using steps::press;

class TestSaving : public QObject {
    Q_OBJECT

    MainWindow m;
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

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
        QFile::remove(path("asked.htm"));
        QVERIFY(write_bytes(path("own.htm"), "<p>a</p>"));
        if (named)
            QVERIFY(m.window->open_path(path("own.htm")));
        m.dialogs->save_answers.push_back(path("asked.htm"));
        m.window->editor()->setFocus();
        QTest::keyClicks(m.window->editor(), QStringLiteral("x"));
        QTest::keyClick(m.window->editor(), Qt::Key_S, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m.dialogs->saves, dialogs);
        QCOMPARE(read_bytes(path(dialogs ? "asked.htm" : "own.htm")),
                 named ? QByteArray("x<p>a</p>") : QByteArray("x"));
        QVERIFY(!m.window->is_modified());
    }

    void saving_under_another_files_name_asks_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("answer"); // 0: no question
        QTest::addColumn<QByteArray>("other");
        QTest::newRow("own file: no question") << "own.htm" << 0 << QByteArray("altro");
        QTest::newRow("other file, Yes") << "other.htm" << int(QMessageBox::Yes) << QByteArray("x");
        QTest::newRow("other file, No")
            << "other.htm" << int(QMessageBox::No) << QByteArray("altro");
    }
    void saving_under_another_files_name_asks() {
        QFETCH(QString, chosen);
        QFETCH(int, answer);
        QFETCH(QByteArray, other);
        QVERIFY(write_bytes(path("own.htm"), "") && write_bytes(path("other.htm"), "altro"));
        QVERIFY(m.window->open_path(path("own.htm")));
        m.edit().replace_selection(QStringLiteral("x"));
        m.dialogs->save_answers.push_back(dir.filePath(chosen));
        QString question;
        ModalScript script(
            {press(QMessageBox::StandardButton(answer ? answer : QMessageBox::No), &question)});
        QCOMPARE(m.window->save_document(), answer != QMessageBox::No);
        QCOMPARE(script.remaining(), std::size_t(answer ? 0 : 1));
        if (answer)
            QCOMPARE(
                question,
                QStringLiteral("Il file \"%1\" esiste già.\nSostituirlo?").arg(path("other.htm")));
        QCOMPARE(read_bytes(path("other.htm")), other);
    }

    void folder_removed_since_opening_is_told_and_the_whole_path_shown() {
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("gone/deeper")));
        QVERIFY(write_bytes(path("gone/deeper/doc.htm"), "a"));
        QVERIFY(m.window->open_path(path("gone/deeper/doc.htm")));
        QVERIFY(QDir(path("gone")).removeRecursively());
        m.dialogs->save_answers.push_back(path("doc.htm"));
        QString notice;
        ModalScript script({press(QMessageBox::Ok, &notice)});
        QVERIFY(m.window->save());
        QVERIFY2(notice.contains(path("gone/deeper")), qPrintable(notice));
        QCOMPARE(read_bytes(path("doc.htm")), QByteArray("a"));
        QCOMPARE(m.window->status().text(), "Salvato " + path("doc.htm"));
    }

    void utf16_comes_back_as_utf16_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("form");
        QTest::newRow("LE") << QByteArray("\xFF\xFE<\0\xE8\0\r\0\n\0", 10) << "UTF-16 LE · CRLF";
        QTest::newRow("BE, emoji, second mark")
            << QByteArray("\xFE\xFF\xFE\xFF\xD8\x3D\xDE\x00\0\n", 10) << "UTF-16 BE · LF";
    }
    void utf16_comes_back_as_utf16() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, form);
        QVERIFY(write_bytes(path("u.htm"), bytes));
        QVERIFY(m.window->open_path(path("u.htm")));
        QCOMPARE(m.window->findChild<QLabel*>(QStringLiteral("status_form"))->text(), form);
        QVERIFY(m.window->save());
        QCOMPARE(read_bytes(path("u.htm")), bytes);
    }
};

QTEST_MAIN(TestSaving)
#include "tst_saving.moc"
