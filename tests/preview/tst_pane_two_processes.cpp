// Two Marklets of one user, at the same time: each shows its own document,
// from a preview file of its own. The second Marklet is this test program
// started again with MARKLET_TEST_CHILD_TEXT set: it shows that text, prints
// its preview file and what its pane shows, and stays until told to end.

#include "document/temp_files.h"
#include "support/files.h"
#include "support/pane.h"

#include <QProcess>
#include <cstdio>

class PaneTwoProcesses : public QObject {
    Q_OBJECT
  private slots:
    void each_shows_its_own_document() {
        QProcess other;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("MARKLET_TEST_CHILD_TEXT", "<p>secondo</p>");
        other.setProcessEnvironment(environment);
        other.start(QCoreApplication::applicationFilePath(), {});
        PaneWindow m;
        QVERIFY(m.open());
        QByteArray said;
        QVERIFY(QTest::qWaitFor([&] { return (said += other.readAll()).count('\n') >= 2; }, 90000));
        const QList<QByteArray> lines = said.split('\n');
        QCOMPARE(lines[1], "secondo");
        m.edit().set_text(QStringLiteral("<p>primo</p>"));
        QVERIFY(m.settled());
        QCOMPARE(m.eval("document.body.innerText"), QVariant("primo"));
        // One home, one private folder: a preview file each.
        const QString other_preview = QString::fromUtf8(lines[0]);
        QCOMPARE(QFileInfo(QFileInfo(other_preview).path()).path(),
                 QFileInfo(QFileInfo(preview_file_path()).path()).path());
        QCOMPARE(read_bytes(preview_file_path()), "<p>primo</p>");
        QCOMPARE(read_bytes(other_preview), "<p>secondo</p>");
        other.write("\n");
        QVERIFY(other.waitForFinished(20000));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (!qEnvironmentVariableIsSet("MARKLET_TEST_CHILD_TEXT")) {
        PaneTwoProcesses test;
        return QTest::qExec(&test, argc, argv);
    }
    PaneWindow m;
    if (!m.open())
        return 1;
    m.edit().set_text(qEnvironmentVariable("MARKLET_TEST_CHILD_TEXT"));
    if (!m.settled())
        return 1;
    std::printf("%s\n%s\n", qPrintable(preview_file_path()),
                qPrintable(m.eval("document.body.innerText").toString()));
    std::fflush(stdout);
    return std::getchar() == EOF;
}
#include "tst_pane_two_processes.moc"
