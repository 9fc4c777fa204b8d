// Faults through the real window: an unusable preview folder, a full disk
// while saving or writing the preview, a device as the save target, a file
// that vanishes between the dialog and the read. Each time the user is told
// (status bar or message box), typing goes on, and nothing is lost.

#include "document/file_io.h"
#include "document/temp_files.h"
#include "app/form1.h"
#include "platform/qt/scintilla_edit_area.h"
#include "support/fake_services.h"
#include "support/modal_script.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <Qsci/qsciscintilla.h>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray read_bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void write_bytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

ModalScript::Step press_ok(QString* text) {
    return [text](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        QVERIFY(box);
        *text = box->text();
        box->button(QMessageBox::Ok)->click();
    };
}

// Files may grow to `bytes` at most while it lives: writes past that fail
// with EFBIG, as on a full disk (the signal the kernel sends is ignored).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, old_handler_);
    }

  private:
    rlimit saved_{};
    void (*old_handler_)(int) = nullptr;
};

// The open dialog answers a path and the file disappears right after.
class VanishingDialogs : public FakeDialogs {
  public:
    std::optional<QString> open_file() override {
        auto path = FakeDialogs::open_file();
        if (path)
            QFile::remove(*path);
        return path;
    }
};

QString private_folder() {
    return QFileInfo(preview_file_path()).absolutePath();
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> window;
    FakeDialogs* dialogs = nullptr;
    QTemporaryDir dir;

    ScintillaEditArea& edit() { return window->edit_area(); }
    QString status() { return window->statusBar()->currentMessage(); }
    void type(const QString& text) {
        for (const QChar c : text)
            QTest::keyClick(window->editor(), c.toLatin1());
        QCoreApplication::processEvents();
    }

  private slots:
    void init() {
        auto d = std::make_unique<VanishingDialogs>();
        dialogs = d.get();
        window = std::make_unique<Form1>(fake_services(std::move(d)));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        window->editor()->setFocus();
    }
    void cleanup() {
        window->editor()->setModified(false);
        window.reset();
        QFile::remove(private_folder());
        QDir(private_folder()).removeRecursively();
    }

    void unusable_preview_is_told_and_typing_goes_on_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("private folder is a file") << "folder";
        QTest::newRow("preview file is a folder") << "preview";
        QTest::newRow("disk full") << "full";
    }
    void unusable_preview_is_told_and_typing_goes_on() {
        QFETCH(QString, fault);
        edit().set_text(QString(4000, u'x'));
        edit().set_caret(4000);
        std::unique_ptr<FileSizeLimit> limit;
        if (fault == u"folder") {
            QDir(private_folder()).removeRecursively();
            write_bytes(private_folder(), "not a folder");
        } else if (fault == u"preview") {
            QFile::remove(preview_file_path());
            QVERIFY(QDir().mkpath(preview_file_path() + QStringLiteral("/inside")));
        } else {
            limit = std::make_unique<FileSizeLimit>(1024);
        }
        type(QStringLiteral("ab"));
        QVERIFY2(status().startsWith(QStringLiteral("Anteprima non aggiornata: ")),
                 qPrintable(status()));
        QCOMPARE(edit().text(), QString(4000, u'x') + QStringLiteral("ab"));

        // The fault mended, the next keystroke brings the whole text back.
        limit.reset();
        QFile::remove(private_folder());
        QDir(preview_file_path()).removeRecursively();
        type(QStringLiteral("c"));
        QCOMPARE(status(), QString());
        QCOMPARE(read_bytes(preview_file_path()), QByteArray(4000, 'x') + "abc");
    }

    void disk_full_while_saving_keeps_the_old_file_and_the_text() {
        const QString target = dir.filePath(QStringLiteral("page.htm"));
        write_bytes(target, "vecchio");
        edit().set_text(QString(8000, u'n'));
        dialogs->save_answers.push_back(target);
        QString message;
        {
            FileSizeLimit limit(1024);
            ModalScript script({press_ok(&message)});
            QVERIFY(!window->save_document());
        }
        QVERIFY2(message.contains(target), qPrintable(message));
        QCOMPARE(read_bytes(target), QByteArray("vecchio"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("page.htm")}); // no temporary file left behind
        QVERIFY(window->is_modified());
        type(QStringLiteral("z"));
        dialogs->save_answers.push_back(target);
        QVERIFY(window->save_document());
        QCOMPARE(read_bytes(target).size(), 8001);
    }

    void device_as_save_target_is_refused_and_told() {
        edit().set_text(QStringLiteral("testo"));
        dialogs->save_answers.push_back(QStringLiteral("/dev/full"));
        QString message;
        ModalScript script({press_ok(&message)});
        QVERIFY(!window->save_document());
        QVERIFY2(message.contains(QStringLiteral("/dev/full")), qPrintable(message));
        QVERIFY(QFileInfo(QStringLiteral("/dev/full")).exists());
        QVERIFY(window->is_modified());
        QCOMPARE(edit().text(), QStringLiteral("testo"));
    }

    void second_byte_order_mark_survives_open_and_save() {
        const QString path = dir.filePath(QStringLiteral("marks.htm"));
        const QByteArray bytes("\xef\xbb\xbf\xef\xbb\xbf<p>x</p>");
        write_bytes(path, bytes);
        QVERIFY(window->open_path(path));
        QCOMPARE(edit().text(), QStringLiteral("\uFEFF<p>x</p>"));
        dialogs->save_answers.push_back(path);
        QVERIFY(window->save_document());
        QCOMPARE(read_bytes(path), bytes);
    }

    void file_vanishing_after_the_dialog_is_told_and_the_document_stays() {
        const QString path = dir.filePath(QStringLiteral("gone.htm"));
        write_bytes(path, "<p>presto sparito</p>");
        edit().set_text(QStringLiteral("mio"));
        window->editor()->setModified(false);
        edit().set_caret(3);
        dialogs->open_answers.push_back(path);
        QString message;
        ModalScript script({press_ok(&message)});
        QVERIFY(!window->open_document());
        QVERIFY2(message.contains(path), qPrintable(message));
        QCOMPARE(edit().text(), QStringLiteral("mio"));
        type(QStringLiteral("ok"));
        QCOMPARE(edit().text(), QStringLiteral("miook"));
        QCOMPARE(read_bytes(preview_file_path()), QByteArray("miook"));
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
