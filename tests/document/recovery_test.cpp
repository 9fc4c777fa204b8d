// Recovery files: written after a pause, whole and private; offered at the
// next start only when their process has ended; restored once; removed by
// clear(), kept when the program ends without it; failures told by return
// value, never a crash.

#include "dialogs/file_error_text.h"
#include "document/recovery_keeper.h"
#include "support/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>
#include <unistd.h>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

class Recovery : public testing::Test {
  protected:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "recovery_test";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv); // timers need one; it lives as long as the binary
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    }
    QString folder() const { return home.path() + u"/marklet/recovery"_s; }
    QStringList files() const { return QDir(folder()).entryList(QDir::Files | QDir::Hidden); }
    // A recovery file as another process would have left it.
    QString plant(const ProcessIdentity& writer, const QString& text, int serial = 0) {
        EXPECT_TRUE(recovery_dir());
        const RecoveryRecord record{text, u"/docs/planted.html"_s, Encoding::Utf8, LineBreak::CrLf,
                                    QDateTime::currentDateTimeUtc()};
        const QString path = folder() + u'/' + recovery_file_name(writer, serial);
        EXPECT_TRUE(write_bytes(path, encode_recovery(record)));
        return path;
    }
    // Left by an earlier process that had our id.
    QString plant_ended(const QString& text) {
        ProcessIdentity ended = this_process();
        ended.start += 1;
        return plant(ended, text);
    }

    QTemporaryDir home;
};

// A file name with a line break in it stays the name (the text's bytes round
// trip: fuzz_codec); other bytes are no record.
TEST(RecoveryFormat, NameWithALineBreakStaysTheNameOtherBytesAreNotRecords) {
    const RecoveryRecord record{u"\n\npath: /etc/passwd\n"_s, u"/tmp/a\nb: c.html"_s,
                                Encoding::Windows1252, LineBreak::Cr,
                                QDateTime::currentDateTimeUtc()};
    const auto back = decode_recovery(encode_recovery(record));
    ASSERT_TRUE(back);
    EXPECT_EQ(std::tuple(back->text, back->document_path),
              std::tuple(record.text, record.document_path));
    for (const QByteArray& bytes :
         {QByteArray("<html>"), QByteArray("Marklet recovery 1\npath: /a\n"),
          QByteArray("Marklet recovery 2\n\ntext")})
        EXPECT_FALSE(decode_recovery(bytes)) << bytes.constData();
}

TEST_F(Recovery, WrittenAfterThePauseWholeAndPrivate) {
    RecoveryKeeper keeper(10ms);
    QString written;
    QObject::connect(&keeper, &RecoveryKeeper::written, [&](const QString& f) { written = f; });
    const QString text = QString(200000, u'x') + u"è😀\r\n"_s;
    keeper.schedule([&] { return text.toUtf8(); },
                    {u"/docs/a.html"_s, Encoding::Windows1252, LineBreak::Lf});
    EXPECT_TRUE(files().isEmpty()) << "nothing before the pause";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !written.isEmpty(); }, 3000));
    EXPECT_EQ(written, keeper.file_path());
    const auto record = decode_recovery(read_bytes(written));
    ASSERT_TRUE(record);
    EXPECT_EQ(std::tuple(record->text, record->document_path, record->encoding),
              std::tuple(text, u"/docs/a.html"_s, Encoding::Windows1252));
    EXPECT_EQ(mode_bits(written), 0600u);
    EXPECT_EQ(mode_bits(folder()), 0700u);
    EXPECT_EQ(files(), QStringList{QFileInfo(written).fileName()}) << "no temporary file left";
}

// Changes that never pause still get written.
TEST_F(Recovery, TypingOnWithoutAPauseStillWrites) {
    RecoveryKeeper typing(40ms, 80ms); // a change at every turn of the loop, never a pause
    int writes = 0;
    QObject::connect(&typing, &RecoveryKeeper::written, [&] { ++writes; });
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            typing.schedule([] { return QByteArrayLiteral("typing"); });
            return writes > 0;
        },
        10000));
}

TEST_F(Recovery, ClearRemovesTheFileAndWhatWaitsAnEndedKeeperLeavesIt) {
    QString path;
    {
        RecoveryKeeper keeper(0ms);
        keeper.schedule([] { return QByteArrayLiteral("a"); });
        EXPECT_EQ(keeper.write_now(), FileError());
        path = keeper.file_path();
    }
    EXPECT_TRUE(QFile::exists(path)) << "kept for the next start";
    RecoveryKeeper keeper(0ms);
    keeper.schedule([] { return QByteArrayLiteral("a"); });
    EXPECT_EQ(keeper.write_now(), FileError());
    keeper.schedule([] { return QByteArrayLiteral("b"); });
    EXPECT_EQ(keeper.clear(), FileError());
    EXPECT_FALSE(QFile::exists(keeper.file_path()));
    EXPECT_FALSE(keeper.is_waiting());
    QTest::qWait(30);
    EXPECT_FALSE(QFile::exists(keeper.file_path())) << "a cleared change is never written";
    EXPECT_EQ(keeper.clear(), FileError()) << "clearing twice is no error";
}

TEST_F(Recovery, OwnAndRunningFilesAreNotOfferedEndedOnesAre) {
    RecoveryKeeper mine(0ms);
    mine.schedule([] { return QByteArrayLiteral("mine"); });
    ASSERT_EQ(mine.write_now(), FileError());
    plant(identity_of(::getppid()), u"running"_s);
    plant_ended(u"pid reused"_s);
    ProcessIdentity before_boot = this_process();
    before_boot.boot = u"deadbeef"_s;
    plant(before_boot, u"before reboot"_s, 1);
    QStringList offered;
    for (const PendingRecovery& pending : pending_recoveries())
        offered << decode_recovery(read_bytes(pending.file))->text;
    offered.sort();
    EXPECT_EQ(offered, (QStringList{u"before reboot"_s, u"pid reused"_s}));
}

TEST_F(Recovery, RestoreTakesTheFileOverOnceDiscardRemovesIt) {
    plant_ended(u"lost work"_s);
    const auto pending = pending_recovery();
    ASSERT_TRUE(pending);
    RecoveryKeeper first(0ms);
    FileError error;
    const auto record = first.restore(*pending, &error);
    ASSERT_TRUE(record) << describe(error).toStdString();
    EXPECT_EQ(record->text, u"lost work"_s);
    EXPECT_EQ(record->document_path, u"/docs/planted.html"_s);
    EXPECT_FALSE(QFile::exists(pending->file));
    EXPECT_TRUE(QFile::exists(first.file_path())) << "kept until saved, in case of a new crash";
    EXPECT_TRUE(pending_recoveries().isEmpty()) << "now ours, and we run";
    RecoveryKeeper second(0ms);
    EXPECT_FALSE(second.restore(*pending, &error));
    EXPECT_TRUE(error.failed());
    EXPECT_EQ(first.clear(), FileError());
    EXPECT_TRUE(files().isEmpty());

    plant_ended(u"unwanted"_s);
    EXPECT_EQ(discard_recovery(*pending_recovery()), FileError());
    EXPECT_FALSE(pending_recovery());
}

TEST_F(Recovery, UnreadableFileIsNotOfferedNorRestoredAndKept) {
    RecoveryKeeper keeper(0ms);
    FileError error;
    const QString broken = plant_ended(QString());
    ASSERT_TRUE(write_bytes(broken, "not a recovery file"));
    EXPECT_TRUE(pending_recoveries().isEmpty()) << "not offered";
    EXPECT_FALSE(keeper.restore({broken, {}, {}}, &error));
    EXPECT_EQ(read_bytes(broken), QByteArray("not a recovery file")) << "and not lost";
}

// A data folder that is a file, a recovery folder that is a link, or (for an
// ordinary user) one that is read-only: told, never a crash.
TEST_F(Recovery, UnusableFolderIsReportedNeverACrash) {
    write_bytes(home.filePath(u"file"_s), {});
    QDir(home.path()).mkpath(u"elsewhere"_s);
    QDir(home.path()).mkpath(u"link/marklet"_s);
    QFile::link(home.filePath(u"elsewhere"_s), home.filePath(u"link/marklet/recovery"_s));
    QDir(home.path()).mkpath(u"locked/marklet/recovery"_s);
    ::chmod(QFile::encodeName(home.filePath(u"locked/marklet/recovery"_s)).constData(), 0500);
    for (const char* data_home : {"file", "link", "locked"}) {
        if (data_home == std::string("locked") && ::geteuid() == 0)
            continue; // permission bits do not stop root
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QString::fromLatin1(data_home))));
        RecoveryKeeper keeper(0ms);
        FileError told;
        QObject::connect(&keeper, &RecoveryKeeper::failed,
                         [&](const FileError& why) { told = why; });
        keeper.schedule([] { return QByteArrayLiteral("text"); });
        const FileError result = keeper.write_now();
        EXPECT_TRUE(result.failed()) << data_home;
        EXPECT_EQ(told, result);
        EXPECT_EQ(keeper.last_error(), result);
        EXPECT_TRUE(pending_recoveries().isEmpty());
        EXPECT_EQ(keeper.clear(), FileError());
    }
    ::chmod(QFile::encodeName(home.filePath(u"locked/marklet/recovery"_s)).constData(), 0700);
}

} // namespace
