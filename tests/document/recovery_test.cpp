// Recovery files: written after a pause, whole and private; offered at the
// next start only when their process has ended; restored once; removed by
// clear(); failures told by return value, never a crash.

#include "document/recovery_keeper.h"
#include "support/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// Timers need an application object; the other tests of this binary need none.
void ensure_application() {
    static int argc = 1;
    static char name[] = "recovery_test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv); // lives as long as the test binary
}

bool wait_until(const std::function<bool()>& done, int milliseconds = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

class Recovery : public testing::Test {
  protected:
    void SetUp() override {
        ensure_application();
        ASSERT_TRUE(home.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    }
    QString folder() const { return home.path() + QStringLiteral("/marklet/recovery"); }
    QStringList files() const { return QDir(folder()).entryList(QDir::Files | QDir::Hidden); }
    // A recovery file as another process would have left it.
    QString plant(const ProcessIdentity& writer, const QString& text, int serial = 0) {
        EXPECT_TRUE(recovery_dir());
        RecoveryRecord record{text, QStringLiteral("/docs/planted.html"), Encoding::Utf8,
                              LineBreak::CrLf, QDateTime::currentDateTimeUtc()};
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

struct RecordCase {
    const char* name;
    const char16_t* text;
    const char16_t* path;
    Encoding encoding;
    LineBreak line_break;
};

class RecoveryFormat : public testing::TestWithParam<RecordCase> {};

TEST_P(RecoveryFormat, RecordComesBackUnchanged) {
    const RecordCase& c = GetParam();
    const RecoveryRecord record{QString::fromUtf16(c.text), QString::fromUtf16(c.path), c.encoding,
                                c.line_break,
                                QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9, 10), Qt::UTC)};
    const auto back = decode_recovery(encode_recovery(record));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->text, record.text);
    EXPECT_EQ(back->document_path, record.document_path);
    EXPECT_EQ(back->encoding, record.encoding);
    EXPECT_EQ(back->line_break, record.line_break);
    EXPECT_EQ(back->saved_at, record.saved_at);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, RecoveryFormat, testing::Values(
    RecordCase{"Plain", u"<p>perché 😀</p>\r\n", u"/home/u/città 😀.html", Encoding::Utf8,
               LineBreak::CrLf},
    RecordCase{"Empty", u"", u"", Encoding::Utf8, LineBreak::Lf},
    RecordCase{"TextLooksLikeHeader", u"\n\npath: /etc/passwd\n\n", u"/a", Encoding::Utf8Bom,
               LineBreak::Cr},
    RecordCase{"PathWithNewlineAndColon", u"x", u"/tmp/a\nb: c.html", Encoding::Windows1252,
               LineBreak::CrLf}),
    [](const testing::TestParamInfo<RecordCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(RecoveryFormatErrors, OtherBytesAreNotRecoveryFiles) {
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray("<html>"), QByteArray("Marklet recovery 1\npath: /a\n"),
          QByteArray("Marklet recovery 2\n\ntext")})
        EXPECT_FALSE(decode_recovery(bytes)) << bytes.constData();
}

TEST_F(Recovery, WrittenAfterThePauseWholeAndPrivate) {
    RecoveryKeeper keeper(10ms);
    QString written;
    QObject::connect(&keeper, &RecoveryKeeper::written, [&](const QString& f) { written = f; });
    const QString text = QString(200000, u'x') + QStringLiteral("è😀\r\n");
    keeper.schedule([&] { return text.toUtf8(); },
                    {QStringLiteral("/docs/a.html"), Encoding::Windows1252, LineBreak::Lf});
    EXPECT_TRUE(files().isEmpty()) << "nothing before the pause";
    ASSERT_TRUE(wait_until([&] { return !written.isEmpty(); }));
    EXPECT_EQ(written, keeper.file_path());
    const auto record = decode_recovery(read_bytes(written));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->text, text);
    EXPECT_EQ(record->document_path, QStringLiteral("/docs/a.html"));
    EXPECT_EQ(record->encoding, Encoding::Windows1252);
    EXPECT_EQ(record->line_break, LineBreak::Lf);
    EXPECT_EQ(mode_bits(written), 0600u);
    EXPECT_EQ(mode_bits(folder()), 0700u);
    EXPECT_EQ(files(), QStringList{QFileInfo(written).fileName()}) << "no temporary file left";
}

TEST_F(Recovery, EachChangeRestartsThePauseAndTheTextIsTakenOnce) {
    RecoveryKeeper keeper(20ms);
    int asked = 0;
    for (int i = 0; i < 5; ++i)
        keeper.schedule([&asked, i] {
            ++asked;
            return QByteArray::number(i);
        });
    ASSERT_TRUE(wait_until([&] { return !keeper.is_waiting(); }));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(decode_recovery(read_bytes(keeper.file_path()))->text, QStringLiteral("4"));
}

TEST_F(Recovery, TypingWithoutPauseIsStillWritten) {
    RecoveryKeeper keeper(40ms, 80ms);
    int writes = 0;
    QObject::connect(&keeper, &RecoveryKeeper::written, [&] { ++writes; });
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 400 && writes == 0) {
        keeper.schedule([] { return QByteArrayLiteral("typing"); });
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(5);
    }
    EXPECT_GT(writes, 0);
}

TEST_F(Recovery, ClearRemovesTheFileAndWhatWaits) {
    RecoveryKeeper keeper(0ms);
    keeper.schedule([] { return QByteArrayLiteral("a"); });
    EXPECT_EQ(keeper.write_now(), QString());
    ASSERT_TRUE(QFile::exists(keeper.file_path()));
    keeper.schedule([] { return QByteArrayLiteral("b"); });
    EXPECT_EQ(keeper.clear(), QString());
    EXPECT_FALSE(QFile::exists(keeper.file_path()));
    EXPECT_FALSE(keeper.is_waiting());
    wait_until([] { return false; }, 30);
    EXPECT_FALSE(QFile::exists(keeper.file_path())) << "a cleared change is never written";
    EXPECT_EQ(keeper.clear(), QString()) << "clearing twice is no error";
}

TEST_F(Recovery, DestroyedKeeperLeavesItsFile) {
    QString path;
    {
        RecoveryKeeper keeper(0ms);
        keeper.schedule([] { return QByteArrayLiteral("kept"); });
        keeper.write_now();
        path = keeper.file_path();
    }
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(Recovery, OwnAndRunningFilesAreNotOfferedEndedOnesAre) {
    RecoveryKeeper mine(0ms);
    mine.schedule([] { return QByteArrayLiteral("mine"); });
    ASSERT_EQ(mine.write_now(), QString());
    ProcessIdentity parent = identity_of(::getppid());
    plant(parent, QStringLiteral("running"));
    plant_ended(QStringLiteral("pid reused"));
    ProcessIdentity before_boot = this_process();
    before_boot.boot = QStringLiteral("deadbeef");
    plant(before_boot, QStringLiteral("before reboot"), 1);

    QStringList offered;
    for (const PendingRecovery& pending : pending_recoveries())
        offered << decode_recovery(read_bytes(pending.file))->text;
    offered.sort();
    EXPECT_EQ(offered,
              (QStringList{QStringLiteral("before reboot"), QStringLiteral("pid reused")}));
}

TEST_F(Recovery, RestoreTakesTheFileOverOnce) {
    plant_ended(QStringLiteral("lost work"));
    const auto pending = pending_recovery();
    ASSERT_TRUE(pending);

    RecoveryKeeper first(0ms);
    QString error;
    const auto record = first.restore(*pending, &error);
    ASSERT_TRUE(record) << error.toStdString();
    EXPECT_EQ(record->text, QStringLiteral("lost work"));
    EXPECT_EQ(record->document_path, QStringLiteral("/docs/planted.html"));
    EXPECT_FALSE(QFile::exists(pending->file));
    EXPECT_TRUE(QFile::exists(first.file_path())) << "kept until saved, in case of a new crash";
    EXPECT_TRUE(pending_recoveries().isEmpty()) << "now ours, and we run";

    RecoveryKeeper second(0ms);
    EXPECT_FALSE(second.restore(*pending, &error));
    EXPECT_FALSE(error.isEmpty());

    EXPECT_EQ(first.clear(), QString());
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(Recovery, RestoreRefusesFilesOutsideTheFolderAndKeepsUnreadableOnes) {
    RecoveryKeeper keeper(0ms);
    QString error;
    EXPECT_FALSE(keeper.restore({QStringLiteral("/etc/hostname"), {}, {}}, &error));
    EXPECT_FALSE(error.isEmpty());

    const QString broken = plant_ended(QString());
    ASSERT_TRUE(write_bytes(broken, "not a recovery file"));
    EXPECT_TRUE(pending_recoveries().isEmpty()) << "not offered";
    EXPECT_FALSE(keeper.restore({broken, {}, {}}, &error));
    EXPECT_EQ(read_bytes(broken), QByteArray("not a recovery file")) << "and not lost";
}

TEST_F(Recovery, DiscardRemovesAnOfferedFile) {
    plant_ended(QStringLiteral("unwanted"));
    const auto pending = pending_recovery();
    ASSERT_TRUE(pending);
    EXPECT_EQ(discard_recovery(*pending), QString());
    EXPECT_FALSE(pending_recovery());
}

struct UnusableCase {
    const char* name;
    // Spoils the data folder under the test's home; returns XDG_DATA_HOME.
    std::function<QString(const QString& home)> spoil;
};

class UnusableFolder : public Recovery, public testing::WithParamInterface<UnusableCase> {};

TEST_P(UnusableFolder, ReportedNeverACrash) {
    qputenv("XDG_DATA_HOME", QFile::encodeName(GetParam().spoil(home.path())));
    QString error;
    EXPECT_FALSE(recovery_dir(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(pending_recoveries().isEmpty());

    RecoveryKeeper keeper(0ms);
    QString told;
    QObject::connect(&keeper, &RecoveryKeeper::failed, [&](const QString& why) { told = why; });
    keeper.schedule([] { return QByteArrayLiteral("text"); });
    const QString result = keeper.write_now();
    EXPECT_FALSE(result.isEmpty());
    EXPECT_EQ(told, result);
    EXPECT_EQ(keeper.last_error(), result);
    EXPECT_EQ(keeper.clear(), QString());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, UnusableFolder, testing::Values(
    UnusableCase{"DataHomeIsAFile", [](const QString& home) {
        write_bytes(home + QStringLiteral("/file"), {});
        return home + QStringLiteral("/file");
    }},
    UnusableCase{"RecoveryIsALink", [](const QString& home) {
        QDir(home).mkpath(QStringLiteral("elsewhere"));
        QDir(home).mkpath(QStringLiteral("marklet"));
        QFile::link(home + QStringLiteral("/elsewhere"), home + QStringLiteral("/marklet/recovery"));
        return home;
    }}),
    [](const testing::TestParamInfo<UnusableCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(Recovery, ReadOnlyFolderReported) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    ASSERT_TRUE(recovery_dir());
    ::chmod(QFile::encodeName(folder()).constData(), 0500);
    RecoveryKeeper keeper(0ms);
    keeper.schedule([] { return QByteArrayLiteral("text"); });
    EXPECT_FALSE(keeper.write_now().isEmpty());
    ::chmod(QFile::encodeName(folder()).constData(), 0700);
}

} // namespace
