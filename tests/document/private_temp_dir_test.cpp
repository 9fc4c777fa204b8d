// The private temporary folder and the preview files in it: made 0700 with
// its parents, refused when it is a link, a file or someone else's; files
// written 0600, never through a planted link or a second name.

#include "dialogs/file_error_text.h"
#include "document/file_io.h"
#include "document/process_folder.h"
#include "document/temp_files.h"
#include "support/faults.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A home folder and a cache folder of the test's own.
class PrivateTempDir : public testing::Test {
  protected:
    QString path(const QString& name) const { return root.filePath(name); }
    QString folder() const { return path(u"cache/marklet"_s); }

    QTemporaryDir root;
    EnvironmentVariable home{"HOME", native(root.filePath(u"home"_s))};
    EnvironmentVariable xdg{"XDG_CACHE_HOME", native(root.filePath(u"cache"_s))};
};

TEST_F(PrivateTempDir, CreatedWithModeSevenHundredAndParents) {
    EnvironmentVariable deep("XDG_CACHE_HOME", native(path(u"a/b/c"_s)));
    FileError error = FileError::refusal(FileError::Step::NoHomeFolder); // stale
    const std::optional<QString> made = private_temp_dir(&error);
    ASSERT_EQ(made, path(u"a/b/c/marklet"_s)) << describe(error).toStdString();
    EXPECT_TRUE(error.ok());
    EXPECT_TRUE(S_ISDIR(status_of(*made).st_mode));
    EXPECT_EQ(mode_bits(*made), 0700u);
    EXPECT_EQ(status_of(path(u"a"_s)).st_mode & 077, 0u);
    EXPECT_EQ(private_temp_dir(), made) << "found again once made";
    ::chmod(native(*made).constData(), 0777);
    ASSERT_TRUE(private_temp_dir().has_value());
    EXPECT_EQ(mode_bits(*made), 0700u) << "one open to others is closed";
}

// XDG_CACHE_HOME unset, empty or relative: the folder is in HOME/.cache.
TEST_F(PrivateTempDir, DefaultIsInsideHomeCache) {
    for (const QByteArray& value : {QByteArray(), QByteArray(""), QByteArray("relative/cache")}) {
        EnvironmentVariable cache_home("XDG_CACHE_HOME", value);
        const QString expected = path(u"home/.cache/marklet"_s);
        EXPECT_EQ(private_temp_dir(), expected) << value.constData();
        const QString own = expected + u'/' + process_folder_name(this_process());
        EXPECT_EQ(preview_file_path(), own + u"/tmp.htm"_s);
        EXPECT_EQ(temp_stylesheet_path(), expected + u"/tmp.css"_s);
    }
}

struct Refused {
    const char* name;
    void (*plant)(const QString& root); // spoils <root>/cache/marklet
    QString error;
};

class RefusedFolder : public PrivateTempDir, public testing::WithParamInterface<Refused> {};

TEST_P(RefusedFolder, IsToldAndNothingIsWritten) {
    QDir(root.path()).mkpath(u"cache"_s);
    QDir(root.path()).mkpath(u"elsewhere"_s);
    if (QByteArray(GetParam().name) == "OtherUsers" && ::geteuid() != 0)
        GTEST_SKIP() << "only root can give a folder to another user";
    GetParam().plant(root.path());
    FileError error;
    EXPECT_FALSE(private_temp_dir(&error).has_value());
    EXPECT_EQ(describe(error), GetParam().error);
    EXPECT_EQ(write_temp_file(preview_file_path(), "x"), error);
    EXPECT_TRUE(QDir(path(u"elsewhere"_s)).isEmpty());
    EXPECT_FALSE(QFileInfo(preview_file_path()).isFile());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Folders, RefusedFolder, testing::Values(
    Refused{"Link", [](const QString& r) { QFile::link(r + "/elsewhere", r + "/cache/marklet"); }, u"La cartella temporanea è un collegamento simbolico."_s},
    Refused{"File", [](const QString& r) { write_bytes(r + "/cache/marklet", {}); }, u"La cartella temporanea non è una cartella."_s},
    Refused{"OtherUsers", [](const QString& r) { QDir(r).mkpath(u"cache/marklet"_s); ::chown(native(r + "/cache/marklet").constData(), 65534, 65534); },
            u"La cartella temporanea appartiene a un altro utente."_s}),
    [](const testing::TestParamInfo<Refused>& info) { return std::string(info.param.name); });
// clang-format on

// --- The temporary files, written whole (a new file and a rename) or
// rewritten in place (the preview, at every keystroke): the same guarantees.

using Writer = QString (*)(const QString& path, const QByteArray& bytes);

class TempFile : public PrivateTempDir, public testing::WithParamInterface<Writer> {
  protected:
    QString write(const QString& file, const QByteArray& bytes) { return GetParam()(file, bytes); }
};

TEST_P(TempFile, RewrittenWithModeSixHundredLeavingNothingElse) {
    const mode_t old_mask = ::umask(0);
    EXPECT_EQ(write(preview_file_path(), "<p>prima, più lunga"), QString());
    EXPECT_EQ(write(preview_file_path(), "<p>anteprima"), QString());
    ::umask(old_mask);
    EXPECT_EQ(read_bytes(preview_file_path()), "<p>anteprima");
    const QString own = process_temp_dir_path();
    EXPECT_EQ(QDir(own).entryList(QDir::Files | QDir::Hidden), QStringList{u"tmp.htm"_s});
    EXPECT_EQ(mode_bits(preview_file_path()), 0600u);
    EXPECT_EQ(mode_bits(own), 0700u);
    // One open to others becomes private.
    ::chmod(native(preview_file_path()).constData(), 0666);
    EXPECT_EQ(write(preview_file_path(), "p {}"), QString());
    EXPECT_EQ(mode_bits(preview_file_path()), 0600u);
}

TEST_P(TempFile, LinkPlantedOrSecondNameIsReplacedNotWrittenThrough) {
    ASSERT_TRUE(process_temp_dir().has_value());
    const QString victim = path(u"victim.htm"_s);
    ASSERT_TRUE(write_bytes(victim, "keep me"));
    ASSERT_EQ(::symlink(native(victim).constData(), native(preview_file_path()).constData()), 0);
    EXPECT_EQ(write(preview_file_path(), "preview"), QString());
    EXPECT_TRUE(S_ISREG(status_of(preview_file_path()).st_mode));
    EXPECT_EQ(read_bytes(preview_file_path()), "preview");
    EXPECT_EQ(read_bytes(victim), "keep me");
    const QString other = path(u"other.htm"_s); // a second name is not written through
    ASSERT_EQ(::link(native(preview_file_path()).constData(), native(other).constData()), 0);
    EXPECT_EQ(write(preview_file_path(), "new"), QString());
    EXPECT_EQ(read_bytes(preview_file_path()), "new");
    EXPECT_EQ(read_bytes(other), "preview");
}

TEST_P(TempFile, FolderRemovedMeanwhileIsMadeAgainAndOutsideItIsRefused) {
    ASSERT_EQ(write(preview_file_path(), "one"), QString());
    ASSERT_TRUE(QDir(folder()).removeRecursively());
    EXPECT_EQ(write(preview_file_path(), "two"), QString());
    EXPECT_EQ(read_bytes(preview_file_path()), "two");
    EXPECT_FALSE(write(path(u"tmp.htm"_s), "x").isEmpty());
    EXPECT_FALSE(QFile::exists(path(u"tmp.htm"_s)));
}

INSTANTIATE_TEST_SUITE_P(Writers, TempFile,
                         testing::Values(Writer([](const QString& f, const QByteArray& b) {
                                             return describe(write_temp_file(f, b));
                                         }),
                                         Writer([](const QString& f, const QByteArray& b) {
                                             return describe(rewrite_temp_file(f, {b}));
                                         })),
                         [](const testing::TestParamInfo<Writer>& info) {
                             return info.index ? "in_place" : "whole";
                         });

} // namespace
