// Recovered work is unsaved work: after a crash and "Recuperare il testo?"
// Yes, the title says so, closing asks, saving offers the file the text came
// from and gives back its bytes exactly.

#include "document/recovery_keeper.h"
#include "support/dialog_steps.h"
#include "support/files.h"
#include "support/main_window.h"

#include <QTemporaryDir>

using steps::press;

class TestRecoveredWork : public QObject {
    Q_OBJECT

    MainWindow m;
    QTemporaryDir dir;

    // Types `typed` at the end of the document of `bytes`, then ends as a Marklet that
    // crashed would (its recovery copy left as a dead process's), and starts
    // again answering Yes to the recovery question.
    void type_crash_and_recover(const QByteArray& bytes, const QString& typed) {
        QVERIFY(write_bytes(dir.filePath(QStringLiteral("f.htm")), bytes));
        QVERIFY(m.window->open_path(dir.filePath(QStringLiteral("f.htm"))));
        m.window->editor()->setFocus();
        QTest::keyClick(m.window->editor(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(m.window->editor(), typed);
        QTRY_VERIFY(m.window->recovery()->is_waiting());
        QCOMPARE(m.window->recovery()->write_now(), QString());
        const QFileInfo copy(m.window->recovery()->file_path());
        ProcessIdentity ended = this_process();
        ended.start += 1;
        QVERIFY(QFile::rename(copy.filePath(),
                              copy.absolutePath() + u'/' + recovery_file_name(ended, 0)));
        m.close();
        m.open();
        ModalScript script({press(QMessageBox::Yes)});
        QVERIFY(m.window->offer_recovery());
        QCOMPARE(m.window->windowTitle(), QStringLiteral("f.htm * - Marklet"));
        // The offscreen platform gives the focus back to no window after a box.
        m.window->activateWindow();
        QTRY_VERIFY(m.window->isActiveWindow());
    }

  private slots:
    void init() { m.open(); }
    void cleanup() { m.close(); }

    void saving_recovered_work_gives_its_bytes_back_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("two marks") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF<p>");
        QTest::newRow("CR only") << QByteArray("a\rb\r");
        QTest::newRow("Windows-1252") << QByteArray("caf\xE9 \x80\r\n");
        QTest::newRow("emoji") << QByteArray("<p>\xF0\x9F\x98\x80</p>\n");
    }
    void saving_recovered_work_gives_its_bytes_back() {
        QFETCH(QByteArray, bytes);
        type_crash_and_recover(bytes, QStringLiteral("x"));
        const QString own = dir.filePath(QStringLiteral("f.htm"));
        QCOMPARE(m.dialogs->remembered, own); // the dialog offers the file it came from
        m.dialogs->save_answers.push_back(own);
        ModalScript unexpected({steps::cancel()});
        m.window->editor()->setFocus();
        QTest::keyClick(m.window->editor(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m.dialogs->saves, 1);
        QCOMPARE(unexpected.remaining(), std::size_t(1));
        QCOMPARE(read_bytes(own), bytes + "x");
        QCOMPARE(m.window->windowTitle(), QStringLiteral("f.htm - Marklet"));
        QVERIFY(!QFile::exists(m.window->recovery()->file_path()));
    }

    void closing_recovered_work_asks_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("cancel: stays, and so does the copy") << int(QMessageBox::Cancel) << false;
        QTest::newRow("discard: the copy goes") << int(QMessageBox::Discard) << true;
    }
    void closing_recovered_work_asks() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        type_crash_and_recover("<p>a</p>", QStringLiteral("y"));
        const QString copy = m.window->recovery()->file_path();
        QString question;
        ModalScript script({press(QMessageBox::StandardButton(answer), &question)});
        QCOMPARE(m.window->close(), closed);
        QCOMPARE(question, QStringLiteral("Salvare le modifiche?"));
        QCOMPARE(QFile::exists(copy), !closed);
        QCOMPARE(read_bytes(dir.filePath(QStringLiteral("f.htm"))), QByteArray("<p>a</p>"));
    }
};

QTEST_MAIN(TestRecoveredWork)
#include "tst_recovered_work.moc"
