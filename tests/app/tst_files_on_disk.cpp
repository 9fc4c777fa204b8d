// The document's file on disk, through the real main window with real
// processes beside it: what another program does to the file is told above
// the edit area and never written over unseen, while a touch and Marklet's
// own saves say nothing; a save killed midway leaves no torn file and the next
// start says what it restored; a name that is not UTF-8 opens from the
// command line of the real program, and saves; two Marklets at once keep a
// preview file each.

#include "app/file_change_bar.h"
#include "document/file_name.h"
#include "document/process_folder.h"
#include "document/temp_files.h"
#include "find/find_bar.h"
#include "support/dialog_steps.h"
#include "support/files.h"
#include "support/main_window.h"
#include "support/rows.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;
using steps::press;

namespace {

// A second Marklet: this program run again (see main()) opens the file named
// by MARKLET_TEST_SAVE (percent-encoded bytes), types MARKLET_TEST_TYPE at
// its start and presses Ctrl+S; then prints its preview file's name and
// first line.
int second_marklet(int argc, char** argv) {
    QApplication app(argc, argv);
    Form1 window(fake_services(std::make_unique<FakeDialogs>()));
    window.show();
    window.activateWindow();
    const QByteArray path = QByteArray::fromPercentEncoding(qgetenv("MARKLET_TEST_SAVE"));
    if (!QTest::qWaitForWindowActive(&window) ||
        !Form1Parts(window).session().open_path(path_from_native(path)))
        return 2;
    QTest::keyClicks(Form1Parts(window).editor(), qEnvironmentVariable("MARKLET_TEST_TYPE"));
    QTest::keyClick(Form1Parts(window).editor(), Qt::Key_S, Qt::ControlModifier);
    std::printf("%s\n%s\n", qPrintable(preview_file_path()),
                read_bytes(preview_file_path()).constData());
    std::fflush(stdout);
    return Form1Parts(window).session().is_modified() ? 3 : 0;
}

char process_state(qint64 pid) {
    const QByteArray stat = read_bytes(u"/proc/%1/stat"_s.arg(pid));
    const qsizetype paren = stat.lastIndexOf(')');
    return paren < 0 ? '?' : stat.at(paren + 2);
}

struct OnDisk {
    const char* shell; // run in the document's folder; empty: a second Marklet saves
    DiskChange told;   // Modified: Ctrl+S asks before writing over the file
};

} // namespace

class TestFilesOnDisk : public QObject {
    Q_OBJECT

    MainWindow m;
    std::optional<QTemporaryDir> dir;

    QString path(const QString& name) { return dir->filePath(name); }
    FileChangeBar* bar() { return m.parts().file_change_bar(); }
    void shell(const QString& command) {
        QProcess sh;
        sh.setWorkingDirectory(dir->path());
        sh.start(u"/bin/sh"_s, {u"-c"_s, command});
        QVERIFY(sh.waitForFinished(60000) && sh.exitCode() == 0);
    }
    // Another Marklet saves `file`, typing `typed`; with `stop`, it stops
    // itself once the first block of the file is written.
    void second_marklet_saves(QProcess& marklet, const QString& file, const QString& typed,
                              bool stop) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"MARKLET_TEST_SAVE"_s,
                   QString::fromLatin1(native_path(file).toPercentEncoding()));
        env.insert(u"MARKLET_TEST_TYPE"_s, typed);
        if (stop)
            env.insert(u"MARKLET_STOP_DURING_SAVE"_s, u"1"_s);
        marklet.setProcessEnvironment(env);
        marklet.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(marklet.waitForStarted());
    }
    // Back in the window after the user was elsewhere.
    void focus_back() {
        QEvent activation(QEvent::ActivationChange);
        QApplication::sendEvent(m.window.get(), &activation);
    }
    void save_keys() { QTest::keyClick(m.parts().editor(), Qt::Key_S, Qt::ControlModifier); }

  private slots:
    void init() {
        dir.emplace();
        m.open();
        m.parts().editor()->setFocus();
    }
    void cleanup() {
        m.close();
        for (const QString& name : names_in(dir->path())) // some are no UTF-8 for QDir
            ::unlink(native_path(path(name)).constData());
        QDir(recovery_dir_path()).removeRecursively();
    }

    void other_programs_changes_are_never_overwritten_unseen_data() {
        rows<OnDisk>({
            {"appended", {"echo '<p>altro</p>' >> f.htm", DiskChange::Modified}},
            {"replaced through a rename", {"sed -i s/uno/due/ f.htm", DiskChange::Modified}},
            {"a second Marklet saves", {"", DiskChange::Modified}},
            {"removed", {"rm f.htm", DiskChange::Removed}},
            {"moved away", {"mv f.htm g.htm", DiskChange::Removed}},
            {"touched", {"touch -d '+1 hour' f.htm", DiskChange::None}},
            {"the same bytes again", {"cp f.htm g && mv g f.htm", DiskChange::None}},
            {"Marklet's own save", {"ln f.htm g.htm", DiskChange::None}},
        });
    }
    void other_programs_changes_are_never_overwritten_unseen() {
        QFETCH(OnDisk, row);
        QVERIFY(write_bytes(path(u"f.htm"_s), "<p>uno</p>\n"));
        QVERIFY(m.parts().session().open_path(path(u"f.htm"_s)));
        if (*row.shell) {
            shell(QString::fromLatin1(row.shell));
        } else {
            QProcess second;
            second_marklet_saves(second, path(u"f.htm"_s), u"B"_s, false);
            QVERIFY(second.waitForFinished(60000) && second.exitCode() == 0);
            // Two Marklets of one user at the same time: a preview file each,
            // in one private folder.
            const QList<QByteArray> said = second.readAllStandardOutput().split('\n');
            QCOMPARE(said.value(1), "B<p>uno</p>");
            const QFileInfo theirs(QString::fromLocal8Bit(said[0])), ours(preview_file_path());
            QVERIFY(theirs.absoluteDir() != ours.absoluteDir());
            QCOMPARE(QFileInfo(theirs.path()).path(), QFileInfo(ours.path()).path());
            QCOMPARE(read_bytes(preview_file_path()), "<p>uno</p>\n");
        }
        if (row.told != DiskChange::None) // seen by the watch alone
            QTRY_COMPARE_WITH_TIMEOUT(bar()->change(), row.told, 20000);
        // Saved in place (a second name), then through a rename.
        if (QString::fromLatin1(row.shell).startsWith(u"ln")) {
            QTest::keyClicks(m.parts().editor(), u"y"_s);
            save_keys();
            shell(u"rm g.htm"_s);
        }
        focus_back();
        QCOMPARE(bar()->change(), row.told);
        QCOMPARE(bar()->isVisible(), row.told != DiskChange::None);
        const QByteArray before = read_bytes(path(u"f.htm"_s));
        QTest::keyClicks(m.parts().editor(), u"x"_s);
        QString asked;
        ModalScript script({press(QMessageBox::No, &asked)});
        save_keys();
        const bool asks = row.told == DiskChange::Modified;
        QCOMPARE(!asked.isEmpty(), asks);
        QCOMPARE(read_bytes(path(u"f.htm"_s)),
                 asks ? before : m.parts().edit_area().text().toUtf8());
        QCOMPARE(bar()->change(), asks ? DiskChange::Modified : DiskChange::None);
    }

    // Read again as one undo step, the watch following the file through its
    // replacement; the notice shares the edit area with the find bar and is
    // reached and dismissed from the keyboard.
    void reload_is_one_undo_step_and_the_bars_share_the_edit_area() {
        QVERIFY(write_bytes(path(u"f.htm"_s), "<p>uno</p>\n"));
        QVERIFY(m.parts().session().open_path(path(u"f.htm"_s)));
        QTest::keyClicks(m.parts().editor(), u"x"_s);
        shell(u"sed -i s/uno/due/ f.htm"_s);
        QTRY_COMPARE_WITH_TIMEOUT(bar()->change(), DiskChange::Modified, 20000);
        QCOMPARE(bar()->findChild<QLabel*>("file_change_text")->text(),
                 u"Il file è stato modificato da un altro programma."_s);
        QString asked;
        ModalScript script({press(QMessageBox::Yes, &asked)});
        QTest::mouseClick(bar()->findChild<QPushButton*>("reload_button"), Qt::LeftButton);
        QVERIFY(asked.startsWith(u"Il documento ha modifiche non salvate."_s));
        QCOMPARE(m.parts().edit_area().text(), u"<p>due</p>\n"_s);
        QVERIFY(!m.parts().session().is_modified() && bar()->isHidden());
        // The offscreen platform gives the focus back to no window after a box.
        m.window->activateWindow();
        QTRY_VERIFY(m.window->isActiveWindow());
        QTest::keyClick(m.parts().editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m.parts().edit_area().text(), u"x<p>uno</p>\n"_s);

        shell(u"echo '<p>tre</p>' >> f.htm"_s); // the new file is watched
        QTRY_COMPARE_WITH_TIMEOUT(bar()->change(), DiskChange::Modified, 20000);
        QTest::keyClick(m.parts().editor(), Qt::Key_F, Qt::ControlModifier);
        QWidget* find = m.parts().find_bar();
        QVERIFY(find->isVisible() && bar()->isVisible());
        QCOMPARE(bar()->geometry().bottom() + 1, m.parts().editor()->geometry().top());
        QCOMPARE(m.parts().editor()->geometry().bottom() + 1, find->geometry().top());
        QTest::keyClick(find->focusWidget(), Qt::Key_F6);
        QVERIFY(bar()->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // "Ignora"
        QVERIFY(bar()->isHidden() && find->isVisible());
        QCOMPARE(QApplication::focusWidget(), m.parts().editor());
        focus_back();
        QVERIFY(bar()->isHidden());
    }

    void a_killed_save_leaves_no_torn_file_and_is_told_data() {
        rows<bool>({{"in place (a second name)", true}, {"through a rename", false}});
    }
    void a_killed_save_leaves_no_torn_file_and_is_told() {
        QFETCH(bool, row);
        const bool second_name = row;
        // Larger than the first block written, under a name that is not UTF-8.
        const QString file = path(path_from_native("grand\xe9.htm"));
        const QByteArray old = QByteArray("<p>vecchio</p>\n").repeated(800000);
        QVERIFY(write_native(file, old));
        QVERIFY(!second_name || ::link(native_path(file).constData(),
                                       native_path(path(u"other.htm"_s)).constData()) == 0);
        const QStringList names = names_in(dir->path());
        QProcess second;
        second_marklet_saves(second, file, u"x"_s, true);
        QTRY_COMPARE_WITH_TIMEOUT(process_state(second.processId()), 'T', 120000);
        ::kill(pid_t(second.processId()), SIGKILL);
        QVERIFY(second.waitForFinished());
        const QByteArray now = "x" + old;
        if (second_name) // killed with the file half written
            QVERIFY(read_native(file) != old && read_native(file) != now);
        else // the file untouched, a partial new one beside it
            QCOMPARE(names_in(dir->path()).size(), names.size() + 1);

        QString told;
        ModalScript script({press(QMessageBox::Ok, &told)});
        m.window->start(file);
        QCOMPARE(read_native(file), second_name ? now : old);
        QCOMPARE(m.parts().edit_area().text().toUtf8(), read_native(file));
        QCOMPARE(names_in(dir->path()), names);
        QCOMPARE(told.contains(u"Il file è stato completato con il testo salvato, ripristinato "
                               u"dalla copia"_s),
                 second_name);
        QVERIFY(told.isEmpty() || told.contains(shown_path(file)));
    }

    void a_name_that_is_not_utf8_opens_from_the_command_line_and_saves() {
        const QString file = path(path_from_native("caf\xe9.html"));
        QVERIFY(write_native(file, "<p>caf\xe9</p>"));
        QProcess marklet; // the real program; the shell gives it the name's bytes
        marklet.setWorkingDirectory(dir->path());
        marklet.start(u"/bin/sh"_s,
                      {u"-c"_s, u"exec \"$0\" caf?.html"_s, QStringLiteral(MARKLET_PROGRAM)});
        QVERIFY(marklet.waitForStarted());
        const QString preview = private_temp_dir_path() + u'/' +
                                process_folder_name(identity_of(marklet.processId())) +
                                u"/tmp.htm"_s;
        QTRY_COMPARE_WITH_TIMEOUT(read_bytes(preview), QByteArray("<p>caf\xe9</p>"), 60000);
        marklet.kill();
        marklet.waitForFinished();

        QVERIFY(m.parts().session().open_path(file));
        QTest::keyClicks(m.parts().editor(), u"x"_s);
        save_keys();
        QCOMPARE(read_native(file), QByteArray("x<p>caf\xe9</p>"));
        QCOMPARE(names_in(dir->path()), QStringList{file_name_of(file)});
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet("MARKLET_TEST_SAVE"))
        return second_marklet(argc, argv);
    QApplication app(argc, argv);
    TestFilesOnDisk test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_files_on_disk.moc"
