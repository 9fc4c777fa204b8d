// Recovered work is unsaved work: after a crash and "Recuperare il testo?"
// Yes, the title says so, closing asks, saving offers the file the text came
// from and gives back its bytes exactly; a file named at start is not
// dropped without a word.

#include "document/recovery_keeper.h"
#include "support/dialog_steps.h"
#include "support/files.h"
#include "support/main_window.h"

#include "app/status_presenter.h"
#include <QTemporaryDir>

using steps::press;

class TestRecoveredWork : public QObject {
    Q_OBJECT

    MainWindow m;
    QTemporaryDir dir;

    // Types "x" at the end of the document of `bytes`, then ends as a
    // Marklet that crashed would (its recovery copy left as a dead process's),
    // and starts a new window; `start` then runs with the recovery question
    // answered Yes.
    void type_crash_and_start(const QByteArray& bytes, const std::function<void()>& start) {
        QVERIFY(write_bytes(dir.filePath(QStringLiteral("f.htm")), bytes));
        QVERIFY(m.window->open_path(dir.filePath(QStringLiteral("f.htm"))));
        m.window->editor()->setFocus();
        QTest::keyClick(m.window->editor(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(m.window->editor(), QStringLiteral("x"));
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
        start();
        QCOMPARE(m.window->windowTitle(), QStringLiteral("f.htm * - Marklet"));
        // The offscreen platform gives the focus back to no window after a box.
        m.window->activateWindow();
        QTRY_VERIFY(m.window->isActiveWindow());
    }

  private slots:
    void init() { m.open(); }
    void cleanup() {
        QDir(recovery_dir_path()).removeRecursively(); // the copies recovered and kept
        m.close();
    }

    void saving_recovered_work_gives_its_bytes_back_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("two marks") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF<p>");
        QTest::newRow("CR only") << QByteArray("a\rb\r");
        QTest::newRow("Windows-1252") << QByteArray("caf\xE9 \x80\r\n");
        QTest::newRow("emoji") << QByteArray("<p>\xF0\x9F\x98\x80</p>\n");
    }
    void saving_recovered_work_gives_its_bytes_back() {
        QFETCH(QByteArray, bytes);
        type_crash_and_start(bytes, [this] { QVERIFY(m.window->offer_recovery()); });
        const QString own = dir.filePath(QStringLiteral("f.htm"));
        const QString copy = m.window->recovery()->file_path();
        QString question;
        ModalScript asked({press(QMessageBox::Cancel, &question)});
        QVERIFY(!m.window->close());
        QCOMPARE(question, QStringLiteral("Salvare le modifiche?"));
        QVERIFY(QFile::exists(copy));
        QCOMPARE(m.dialogs->remembered, own); // the dialog offers the file it came from
        m.dialogs->save_answers.push_back(own);
        ModalScript unexpected({steps::cancel()});
        m.window->activateWindow();
        QTRY_VERIFY(m.window->isActiveWindow());
        QTest::keyClick(m.window->editor(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m.dialogs->saves, 1);
        QCOMPARE(unexpected.remaining(), std::size_t(1));
        QCOMPARE(read_bytes(own), bytes + "x");
        QCOMPARE(m.window->windowTitle(), QStringLiteral("f.htm - Marklet"));
        QVERIFY(!QFile::exists(copy));
    }

    void file_named_at_start_is_not_dropped_silently() {
        const QString other = dir.filePath(QStringLiteral("g.htm"));
        QVERIFY(write_bytes(other, "<p>g</p>"));
        type_crash_and_start("<p>f</p>", [&] { m.window->start(other); });
        const QString told = m.window->status().text();
        QVERIFY2(told.startsWith("g.htm non è stato aperto") && told.contains(other),
                 qPrintable(told));
    }
};

QTEST_MAIN(TestRecoveredWork)
#include "tst_recovered_work.moc"
