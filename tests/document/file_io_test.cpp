// Reading and writing whole files: every byte, the reasons of each failure in
// Italian, links followed or replaced, and the old file whole whenever a
// write fails.

#include "dialogs/file_error_text.h"
#include "document/file_io.h"
#include "support/faults.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <functional>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

void link(const QString& target, const QString& link_path) {
    ASSERT_EQ(::symlink(native(target).constData(), native(link_path).constData()), 0);
}
bool is_symlink(const QString& path) {
    return S_ISLNK(status_of(path).st_mode);
}
// The names in a folder, to see that no temporary file is left behind.
QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

class FileIo : public testing::Test {
  protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(FileIo, ReadGivesEveryByteAlsoThroughALinkAndFromFilesOfNoSize) {
    const QByteArray bytes("a\r\nb\0\xE8\xFF\n", 9);
    ASSERT_TRUE(write_bytes(path("doc.htm"), bytes));
    link(path("doc.htm"), path("link.htm"));
    EXPECT_EQ(read_whole_file(path("link.htm")).bytes, bytes);
    ASSERT_TRUE(write_bytes(path("empty.htm"), QByteArray()));
    EXPECT_TRUE(read_whole_file(path("empty.htm")).ok());
    const ReadResult status = read_whole_file(u"/proc/self/status"_s); // reports no size
    EXPECT_TRUE(status.ok() && status.bytes.contains("Pid:"))
        << describe(status.error).toStdString();
}

// A path made in the test's folder, the reason expected, and whether the
// case needs an ordinary user (root reads and writes past permissions).
struct FailureCase {
    const char* name;
    std::function<QString(const QString& root)> make;
    QString error;
    bool needs_user = false;
    bool follow_only = false; // Links::Replace would replace the link itself
};

QString fifo(const QString& root) {
    ::mkfifo(native(root + "/pipe").constData(), 0600);
    return root + "/pipe";
}
QString locked(const QString& root, mode_t file, mode_t folder) {
    QDir(root).mkdir(u"locked"_s);
    write_bytes(root + "/locked/doc.htm", "old");
    ::chmod(native(root + "/locked/doc.htm").constData(), file);
    ::chmod(native(root + "/locked").constData(), folder);
    return root + "/locked/doc.htm";
}

class ReadFailure : public FileIo, public testing::WithParamInterface<FailureCase> {};

TEST_P(ReadFailure, ReportsTheReasonInItalian) {
    if (GetParam().needs_user && ::geteuid() == 0)
        GTEST_SKIP() << "root reads any file";
    const ReadResult result = read_whole_file(GetParam().make(dir.path()));
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.bytes.isEmpty());
    EXPECT_EQ(describe(result.error), GetParam().error);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Paths, ReadFailure, testing::Values(
    FailureCase{"Missing", [](const QString& root) { return root + "/no.htm"; }, u"Il file non esiste."_s},
    FailureCase{"Folder", [](const QString& root) { return root; }, u"È una cartella."_s},
    FailureCase{"ParentIsAFile", [](const QString& root) { write_bytes(root + "/file", "x"); return root + "/file/doc.htm"; },
                u"Una parte del percorso non è una cartella."_s},
    FailureCase{"NamedPipeIsRefusedWithoutHanging", fifo, u"Non è un file regolare."_s},
    FailureCase{"ReadError", [](const QString&) { return u"/proc/self/mem"_s; }, u"Errore di lettura dal disco."_s},
    FailureCase{"Unreadable", [](const QString& root) { return locked(root, 0, 0700); }, u"Permesso negato."_s, true}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(FileIo, WriteCreatesOrReplacesKeepingTheModeAndNothingElse) {
    const QByteArray bytes("<p>\r\n\xE8\0", 6);
    const mode_t old_mask = ::umask(022);
    EXPECT_TRUE(write_file_atomically(path("new.htm"), bytes).ok());
    ::umask(old_mask);
    EXPECT_EQ(read_bytes(path("new.htm")), bytes);
    EXPECT_EQ(mode_bits(path("new.htm")), 0644u);
    ::chmod(native(path("new.htm")).constData(), 0640);
    EXPECT_TRUE(write_file_atomically(path("new.htm"), QByteArray()).ok());
    EXPECT_EQ(read_bytes(path("new.htm")), "");
    EXPECT_EQ(mode_bits(path("new.htm")), 0640u);
    const QString long_name = QString(250, u'n') + u".htm"_s; // room for no longer temporary name
    EXPECT_TRUE(write_file_atomically(path(long_name), "x").ok());
    EXPECT_EQ(entries(dir.path()), (QStringList{u"new.htm"_s, long_name}));
}

TEST_F(FileIo, FollowWritesTheTargetOfAChainOfLinksEvenADanglingOne) {
    QDir(dir.path()).mkdir(u"real"_s);
    ASSERT_TRUE(write_bytes(path("real/doc.htm"), "old"));
    link(u"real/doc.htm"_s, path("one")); // relative, as users make them
    link(path("one"), path("two"));
    EXPECT_TRUE(write_file_atomically(path("two"), "new", Links::Follow).ok());
    EXPECT_TRUE(is_symlink(path("one")) && is_symlink(path("two")));
    EXPECT_EQ(read_bytes(path("real/doc.htm")), "new");
    EXPECT_EQ(entries(path("real")), QStringList{u"doc.htm"_s});
    link(path("later.htm"), path("dangling.htm"));
    EXPECT_TRUE(write_file_atomically(path("dangling.htm"), "x").ok());
    EXPECT_TRUE(is_symlink(path("dangling.htm")));
    EXPECT_EQ(read_bytes(path("later.htm")), "x");
}

class WriteFailure : public FileIo, public testing::WithParamInterface<FailureCase> {};

TEST_P(WriteFailure, ReportsTheReasonAndLeavesEverythingAsItWas) {
    if (GetParam().needs_user && ::geteuid() == 0)
        GTEST_SKIP() << "root writes past permissions";
    ASSERT_TRUE(write_bytes(path("witness"), "old"));
    const QString target = GetParam().make(dir.path());
    const QStringList before = entries(dir.path());
    for (Links links : {Links::Follow, Links::Replace}) {
        if (links == Links::Replace && GetParam().follow_only)
            continue;
        EXPECT_EQ(describe(write_file_atomically(target, "new", links)), GetParam().error);
        EXPECT_EQ(entries(dir.path()), before);
        EXPECT_EQ(read_bytes(path("witness")), "old");
    }
    if (GetParam().needs_user) {
        ::chmod(native(dir.filePath(u"locked"_s)).constData(), 0700);
        EXPECT_EQ(read_bytes(target), "old");
        EXPECT_EQ(entries(path("locked")), QStringList{u"doc.htm"_s});
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Paths, WriteFailure, testing::Values(
    FailureCase{"PathIsAFolder", [](const QString& root) { QDir(root).mkdir(u"folder"_s); return root + "/folder"; }, u"È una cartella."_s},
    FailureCase{"LinkToAFolder", [](const QString& root) { QDir(root).mkdir(u"folder"_s); link(root + "/folder", root + "/link"); return root + "/link"; },
                u"È una cartella."_s, false, true},
    FailureCase{"PathEndsWithSlash", [](const QString& root) { return root + "/witness/"; }, u"È una cartella."_s},
    FailureCase{"ParentIsAFile", [](const QString& root) { return root + "/witness/doc.htm"; }, u"Una parte del percorso non è una cartella."_s},
    FailureCase{"ParentMissing", [](const QString& root) { return root + "/none/doc.htm"; }, u"La cartella non esiste."_s},
    FailureCase{"NamedPipe", fifo, u"Non è un file regolare."_s},
    FailureCase{"EmptyName", [](const QString&) { return QString(); }, u"Nessun nome di file."_s},
    FailureCase{"LinkLoop", [](const QString& root) { link(root + "/b", root + "/a"); link(root + "/a", root + "/b"); return root + "/a"; },
                u"Troppi collegamenti simbolici nel percorso."_s, false, true},
    FailureCase{"ReadOnlyFolder", [](const QString& root) { return locked(root, 0644, 0500); }, u"Permesso negato."_s, true},
    FailureCase{"ReadOnlyFile", [](const QString& root) { return locked(root, 0444, 0700); }, u"Permesso negato."_s, true}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });
// clang-format on

// A write failing half-way, as on a full disk, leaves the old file whole.
TEST_F(FileIo, FailedWriteHalfWayKeepsTheOldFileWhole) {
    const QByteArray old_bytes(1000, 'o');
    ASSERT_TRUE(write_bytes(path("doc.htm"), old_bytes));
    FileError error;
    {
        FileSizeLimit limit(4096);
        error = write_file_atomically(path("doc.htm"), QByteArray(100000, 'n'));
    }
    EXPECT_EQ(describe(error), u"Il file è troppo grande."_s);
    EXPECT_EQ(read_bytes(path("doc.htm")), old_bytes);
    EXPECT_EQ(entries(dir.path()), QStringList{u"doc.htm"_s});
}

} // namespace
