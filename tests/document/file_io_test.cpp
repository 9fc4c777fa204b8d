#include "document/file_io.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <ostream>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

bool running_as_root() {
    return ::geteuid() == 0;
}

void put(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(write_bytes(path, bytes));
}

bool is_symlink(const QString& path) {
    return S_ISLNK(status_of(path).st_mode);
}

void link(const QString& target, const QString& link_path) {
    ASSERT_EQ(::symlink(native(target).constData(), native(link_path).constData()), 0);
}

// The names in a folder, to see that no temporary file is left behind.
QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

class Folder : public testing::Test {
  protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

// --- Reading.

using FileIoRead = Folder;

TEST_F(FileIoRead, GivesEveryByteAlsoThroughALink) {
    const QByteArray bytes("a\r\nb\0\xE8\xFF\n", 9);
    put(path("doc.htm"), bytes);
    link(path("doc.htm"), path("link.htm"));
    const ReadResult result = read_whole_file(path("link.htm"));
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.bytes, bytes);
    put(path("empty.htm"), QByteArray());
    EXPECT_TRUE(read_whole_file(path("empty.htm")).ok());
}

TEST(FileIoReadSpecial, FileThatReportsNoSizeIsReadToTheEnd) {
    const ReadResult result = read_whole_file(u"/proc/self/status"_s);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_TRUE(result.bytes.contains("Pid:"));
}

struct ReadFailureCase {
    const char* name;
    std::function<QString(const QString& root)> make; // gives the path to read
    QString error;
    friend void PrintTo(const ReadFailureCase& c, std::ostream* out) { *out << c.name; }
};

class FileIoReadFailure : public testing::TestWithParam<ReadFailureCase> {
  protected:
    QTemporaryDir dir;
};

TEST_P(FileIoReadFailure, ReportsTheReasonInItalian) {
    const QString target = GetParam().make(dir.path());
    const ReadResult result = read_whole_file(target);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.bytes.isEmpty());
    EXPECT_EQ(result.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FileIoReadFailure,
    testing::Values(ReadFailureCase{"Missing", [](const QString& root) { return root + "/no.htm"; },
                                    u"Il file non esiste."_s},
                    ReadFailureCase{"Folder", [](const QString& root) { return root; },
                                    u"È una cartella."_s},
                    ReadFailureCase{"ParentIsAFile",
                                    [](const QString& root) {
                                        put(root + "/file", "x");
                                        return root + "/file/doc.htm";
                                    },
                                    u"Una parte del percorso non è una cartella."_s},
                    ReadFailureCase{"NamedPipeIsRefusedWithoutHanging",
                                    [](const QString& root) {
                                        ::mkfifo(native(root + "/pipe").constData(), 0600);
                                        return root + "/pipe";
                                    },
                                    u"Non è un file regolare."_s},
                    ReadFailureCase{"EmptyName", [](const QString&) { return QString(); },
                                    u"Nessun nome di file."_s},
                    // A regular file whose reading fails, even for root.
                    ReadFailureCase{"ReadError", [](const QString&) { return u"/proc/self/mem"_s; },
                                    u"Errore di lettura dal disco."_s}),
    [](const testing::TestParamInfo<ReadFailureCase>& info) { return info.param.name; });

TEST_F(FileIoRead, UnreadableFileIsPermissionDenied) {
    if (running_as_root())
        GTEST_SKIP() << "root reads any file";
    put(path("secret.htm"), "x");
    ::chmod(native(path("secret.htm")).constData(), 0);
    EXPECT_EQ(read_whole_file(path("secret.htm")).error, u"Permesso negato."_s);
}

// --- Writing.

using FileIoWrite = Folder;

TEST_F(FileIoWrite, CreatesTheFileWithTheBytes) {
    const QByteArray bytes("<p>\r\n\xE8\0", 6);
    const mode_t old_mask = ::umask(022);
    EXPECT_EQ(write_file_atomically(path("new.htm"), bytes), QString());
    ::umask(old_mask);
    EXPECT_EQ(read_bytes(path("new.htm")), bytes);
    EXPECT_EQ(mode_bits(path("new.htm")), 0644u);
    EXPECT_EQ(entries(dir.path()), QStringList{u"new.htm"_s});
}

TEST_F(FileIoWrite, ReplacesTheContentEvenWithNothingAndKeepsTheMode) {
    put(path("doc.htm"), "old old old");
    ::chmod(native(path("doc.htm")).constData(), 0640);
    EXPECT_EQ(write_file_atomically(path("doc.htm"), QByteArray()), QString());
    EXPECT_EQ(read_bytes(path("doc.htm")), "");
    EXPECT_EQ(mode_bits(path("doc.htm")), 0640u);
    EXPECT_EQ(entries(dir.path()), QStringList{u"doc.htm"_s});
}

TEST_F(FileIoWrite, LongNameStillGetsATemporaryFile) {
    const QString name = QString(250, u'n') + u".htm"_s;
    EXPECT_EQ(write_file_atomically(path(name), "x"), QString());
    EXPECT_EQ(read_bytes(path(name)), "x");
}

TEST_F(FileIoWrite, FollowKeepsAChainOfLinksAndWritesTheTarget) {
    QDir(dir.path()).mkdir(u"real"_s);
    put(path("real/doc.htm"), "old");
    link(u"real/doc.htm"_s, path("one")); // relative, as users make them
    link(path("one"), path("two"));
    EXPECT_EQ(write_file_atomically(path("two"), "new", Links::Follow), QString());
    EXPECT_TRUE(is_symlink(path("one")));
    EXPECT_TRUE(is_symlink(path("two")));
    EXPECT_EQ(read_bytes(path("real/doc.htm")), "new");
    EXPECT_EQ(entries(path("real")), QStringList{u"doc.htm"_s});
}

TEST_F(FileIoWrite, FollowCreatesTheTargetOfADanglingLink) {
    link(path("later.htm"), path("link.htm"));
    EXPECT_EQ(write_file_atomically(path("link.htm"), "x"), QString());
    EXPECT_TRUE(is_symlink(path("link.htm")));
    EXPECT_EQ(read_bytes(path("later.htm")), "x");
}

TEST_F(FileIoWrite, ReplaceNeverWritesThroughALink) {
    put(path("victim"), "keep me");
    link(path("victim"), path("tmp.htm"));
    EXPECT_EQ(write_file_atomically(path("tmp.htm"), "preview", Links::Replace), QString());
    EXPECT_FALSE(is_symlink(path("tmp.htm")));
    EXPECT_EQ(read_bytes(path("tmp.htm")), "preview");
    EXPECT_EQ(read_bytes(path("victim")), "keep me");
}

struct WriteFailureCase {
    const char* name;
    std::function<QString(const QString& root)> make; // gives the path to write
    QString error;
    friend void PrintTo(const WriteFailureCase& c, std::ostream* out) { *out << c.name; }
};

class FileIoWriteFailure : public testing::TestWithParam<WriteFailureCase> {
  protected:
    QTemporaryDir dir;
};

// Every case here fails for root too.
TEST_P(FileIoWriteFailure, ReportsTheReasonAndLeavesEverythingAsItWas) {
    put(dir.filePath(u"witness"_s), "old");
    const QString target = GetParam().make(dir.path());
    const QStringList before = entries(dir.path());
    for (Links links : {Links::Follow, Links::Replace}) {
        EXPECT_EQ(write_file_atomically(target, "new", links), GetParam().error);
        EXPECT_EQ(entries(dir.path()), before);
        EXPECT_EQ(read_bytes(dir.filePath(u"witness"_s)), "old");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FileIoWriteFailure,
    testing::Values(WriteFailureCase{"PathIsAFolder",
                                     [](const QString& root) {
                                         QDir(root).mkdir(u"folder"_s);
                                         return root + "/folder";
                                     },
                                     u"È una cartella."_s},
                    WriteFailureCase{"PathEndsWithSlash",
                                     [](const QString& root) { return root + "/witness/"; },
                                     u"È una cartella."_s},
                    WriteFailureCase{"ParentIsAFile",
                                     [](const QString& root) { return root + "/witness/doc.htm"; },
                                     u"Una parte del percorso non è una cartella."_s},
                    WriteFailureCase{"ParentMissing",
                                     [](const QString& root) { return root + "/none/doc.htm"; },
                                     u"La cartella non esiste."_s},
                    WriteFailureCase{"NamedPipe",
                                     [](const QString& root) {
                                         ::mkfifo(native(root + "/pipe").constData(), 0600);
                                         return root + "/pipe";
                                     },
                                     u"Non è un file regolare."_s},
                    // A full disk, as far as a device can show it: never written into nor replaced.
                    WriteFailureCase{"EmptyName", [](const QString&) { return QString(); },
                                     u"Nessun nome di file."_s}),
    [](const testing::TestParamInfo<WriteFailureCase>& info) { return info.param.name; });

TEST_F(FileIoWrite, LinkToAFolderIsAFolder) {
    QDir(dir.path()).mkdir(u"folder"_s);
    link(path("folder"), path("link"));
    EXPECT_EQ(write_file_atomically(path("link"), "x", Links::Follow), u"È una cartella."_s);
    EXPECT_TRUE(entries(path("folder")).isEmpty());
}

TEST_F(FileIoWrite, LinkLoopIsReported) {
    link(path("b"), path("a"));
    link(path("a"), path("b"));
    EXPECT_EQ(write_file_atomically(path("a"), "x"),
              u"Troppi collegamenti simbolici nel percorso."_s);
    EXPECT_TRUE(is_symlink(path("a")));
    EXPECT_TRUE(is_symlink(path("b")));
}

// Lowers the largest file size this process may write, so that a write fails
// half-way like on a full disk, even for root.
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

TEST_F(FileIoWrite, FailedWriteHalfWayKeepsTheOldFileWhole) {
    const QByteArray old_bytes(1000, 'o');
    put(path("doc.htm"), old_bytes);
    QString error;
    {
        FileSizeLimit limit(4096);
        error = write_file_atomically(path("doc.htm"), QByteArray(100000, 'n'));
    }
    EXPECT_EQ(error, u"Il file è troppo grande."_s);
    EXPECT_EQ(read_bytes(path("doc.htm")), old_bytes);
    EXPECT_EQ(entries(dir.path()), QStringList{u"doc.htm"_s});
}

TEST_F(FileIoWrite, ReadOnlyFolderIsPermissionDenied) {
    if (running_as_root())
        GTEST_SKIP() << "root writes into read-only folders";
    QDir(dir.path()).mkdir(u"locked"_s);
    put(path("locked/doc.htm"), "old");
    ::chmod(native(path("locked")).constData(), 0500);
    EXPECT_EQ(write_file_atomically(path("locked/doc.htm"), "new"), u"Permesso negato."_s);
    ::chmod(native(path("locked")).constData(), 0700);
    EXPECT_EQ(read_bytes(path("locked/doc.htm")), "old");
    EXPECT_EQ(entries(path("locked")), QStringList{u"doc.htm"_s});
}

TEST_F(FileIoWrite, ReadOnlyFileIsNotReplaced) {
    if (running_as_root())
        GTEST_SKIP() << "root may write any file";
    put(path("doc.htm"), "old");
    ::chmod(native(path("doc.htm")).constData(), 0444);
    EXPECT_EQ(write_file_atomically(path("doc.htm"), "new"), u"Permesso negato."_s);
    EXPECT_EQ(read_bytes(path("doc.htm")), "old");
}

} // namespace
