#include "document/file_io.h"
#include "document/temp_files.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <ostream>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Sets an environment variable (or removes it, for a null value) and puts the
// old value back afterwards.
class EnvironmentVariable {
  public:
    EnvironmentVariable(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvironmentVariable() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

  private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

// A home folder and a cache folder of the test's own.
class PrivateTempDir : public testing::Test {
  protected:
    QString path(const QString& name) const { return root.filePath(name); }
    QString cache() const { return path(u"cache"_s); }
    QString folder() const { return cache() + u"/marklet"_s; }

    QTemporaryDir root;
    EnvironmentVariable home{"HOME", native(root.filePath(u"home"_s))};
    EnvironmentVariable xdg{"XDG_CACHE_HOME", native(root.filePath(u"cache"_s))};
};

TEST_F(PrivateTempDir, CreatedWithModeSevenHundredAndParents) {
    EnvironmentVariable deep("XDG_CACHE_HOME", native(path(u"a/b/c"_s)));
    QString error = u"stale"_s;
    const std::optional<QString> made = private_temp_dir(&error);
    ASSERT_TRUE(made.has_value()) << error.toStdString();
    EXPECT_EQ(*made, path(u"a/b/c/marklet"_s));
    EXPECT_TRUE(error.isEmpty());
    const struct stat info = status_of(*made);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    EXPECT_EQ(status_of(path(u"a"_s)).st_mode & 077, 0u);
    EXPECT_EQ(private_temp_dir(), made) << "found again once made";
}

struct CacheHomeCase {
    const char* name;
    QByteArray value; // null: unset
    friend void PrintTo(const CacheHomeCase& c, std::ostream* out) { *out << c.name; }
};

class PrivateTempDirDefault : public PrivateTempDir,
                              public testing::WithParamInterface<CacheHomeCase> {};

TEST_P(PrivateTempDirDefault, IsInsideHomeCache) {
    EnvironmentVariable cache_home("XDG_CACHE_HOME", GetParam().value);
    const QString expected = path(u"home/.cache/marklet"_s);
    EXPECT_EQ(private_temp_dir(), expected);
    EXPECT_EQ(preview_file_path(), expected + u"/tmp.htm"_s);
    EXPECT_EQ(temp_stylesheet_path(), expected + u"/tmp.css"_s);
}

INSTANTIATE_TEST_SUITE_P(CacheHome, PrivateTempDirDefault,
                         testing::Values(CacheHomeCase{"Unset", QByteArray()},
                                         CacheHomeCase{"Empty", QByteArray("")},
                                         CacheHomeCase{"Relative", QByteArray("relative/cache")}),
                         [](const testing::TestParamInfo<CacheHomeCase>& info) {
                             return info.param.name;
                         });

TEST_F(PrivateTempDir, PlantedLinkIsRefused) {
    QDir(root.path()).mkpath(u"cache"_s);
    QDir(root.path()).mkpath(u"elsewhere"_s);
    ASSERT_EQ(::symlink(native(path(u"elsewhere"_s)).constData(), native(folder()).constData()), 0);
    QString error;
    EXPECT_FALSE(private_temp_dir(&error).has_value());
    EXPECT_EQ(error, u"La cartella temporanea è un collegamento simbolico."_s);

    EXPECT_EQ(write_temp_file(preview_file_path(), "x"), error);
    EXPECT_TRUE(QDir(path(u"elsewhere"_s)).isEmpty());
}

TEST_F(PrivateTempDir, FileInsteadOfFolderIsRefused) {
    QDir(root.path()).mkpath(u"cache"_s);
    ASSERT_TRUE(write_bytes(folder(), {}));
    QString error;
    EXPECT_FALSE(private_temp_dir(&error).has_value());
    EXPECT_EQ(error, u"La cartella temporanea non è una cartella."_s);
    EXPECT_FALSE(write_temp_file(preview_file_path(), "x").isEmpty());
    EXPECT_EQ(QFileInfo(folder()).size(), 0);
}

TEST_F(PrivateTempDir, FolderOfAnotherUserIsRefused) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a folder to another user";
    QDir(root.path()).mkpath(u"cache/marklet"_s);
    ASSERT_EQ(::chown(native(folder()).constData(), 65534, 65534), 0);
    QString error;
    EXPECT_FALSE(private_temp_dir(&error).has_value());
    EXPECT_EQ(error, u"La cartella temporanea appartiene a un altro utente."_s);
    EXPECT_FALSE(write_temp_file(preview_file_path(), "x").isEmpty());
    EXPECT_FALSE(QFile::exists(preview_file_path()));
}

TEST_F(PrivateTempDir, FolderOpenToOthersIsClosed) {
    QDir(root.path()).mkpath(u"cache/marklet"_s);
    ::chmod(native(folder()).constData(), 0777);
    ASSERT_TRUE(private_temp_dir().has_value());
    EXPECT_EQ(mode_bits(folder()), 0700u);
}

// --- The temporary files, written whole (a new file and a rename) or
// rewritten in place (the preview, at every keystroke): the same guarantees.

struct TempWriter {
    const char* name;
    QString (*write)(const QString& path, const QByteArray& bytes);
    friend void PrintTo(const TempWriter& w, std::ostream* out) { *out << w.name; }
};

class TempFile : public PrivateTempDir, public testing::WithParamInterface<TempWriter> {
  protected:
    QString write(const QString& file, const QByteArray& bytes) {
        return GetParam().write(file, bytes);
    }
};

TEST_P(TempFile, RewrittenWithModeSixHundredLeavingNothingElse) {
    const mode_t old_mask = ::umask(0);
    EXPECT_EQ(write(preview_file_path(), "<p>prima, più lunga"), QString());
    EXPECT_EQ(write(preview_file_path(), "<p>anteprima"), QString());
    ::umask(old_mask);
    EXPECT_EQ(read_bytes(preview_file_path()), "<p>anteprima");
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden), QStringList{u"tmp.htm"_s});
    EXPECT_EQ(mode_bits(preview_file_path()), 0600u);
    EXPECT_EQ(mode_bits(folder()), 0700u);
}

TEST_P(TempFile, OpenToOthersBecomesPrivate) {
    QDir(root.path()).mkpath(u"cache/marklet"_s);
    ASSERT_TRUE(write_bytes(temp_stylesheet_path(), {}));
    ::chmod(native(temp_stylesheet_path()).constData(), 0666);
    EXPECT_EQ(write(temp_stylesheet_path(), "p {}"), QString());
    EXPECT_EQ(mode_bits(temp_stylesheet_path()), 0600u);
}

TEST_P(TempFile, LinkPlantedIsReplacedNotFollowed) {
    ASSERT_TRUE(private_temp_dir().has_value());
    const QString victim = path(u"victim.htm"_s);
    ASSERT_TRUE(write_bytes(victim, "keep me"));
    ASSERT_EQ(::symlink(native(victim).constData(), native(preview_file_path()).constData()), 0);

    EXPECT_EQ(write(preview_file_path(), "preview"), QString());
    EXPECT_TRUE(S_ISREG(status_of(preview_file_path()).st_mode));
    EXPECT_EQ(read_bytes(preview_file_path()), "preview");
    EXPECT_EQ(read_bytes(victim), "keep me");
}

TEST_P(TempFile, SecondNameIsNotWrittenThrough) {
    ASSERT_EQ(write(preview_file_path(), "old"), QString());
    const QString other = path(u"other.htm"_s);
    ASSERT_EQ(::link(native(preview_file_path()).constData(), native(other).constData()), 0);

    EXPECT_EQ(write(preview_file_path(), "preview"), QString());
    EXPECT_EQ(read_bytes(preview_file_path()), "preview");
    EXPECT_EQ(read_bytes(other), "old");
}

TEST_P(TempFile, FolderRemovedMeanwhileIsMadeAgain) {
    ASSERT_EQ(write(preview_file_path(), "one"), QString());
    ASSERT_TRUE(QDir(folder()).removeRecursively());
    EXPECT_EQ(write(preview_file_path(), "two"), QString());
    EXPECT_EQ(read_bytes(preview_file_path()), "two");
}

TEST_P(TempFile, OutsideTheFolderIsRefused) {
    EXPECT_FALSE(write(path(u"tmp.htm"_s), "x").isEmpty());
    EXPECT_FALSE(QFile::exists(path(u"tmp.htm"_s)));
}

INSTANTIATE_TEST_SUITE_P(
    Writers, TempFile,
    testing::Values(TempWriter{"whole",
                               [](const QString& file, const QByteArray& bytes) {
                                   return write_temp_file(file, bytes);
                               }},
                    TempWriter{"in_place",
                               [](const QString& file, const QByteArray& bytes) {
                                   return rewrite_temp_file(file, {bytes});
                               }}),
    [](const testing::TestParamInfo<TempWriter>& info) { return std::string(info.param.name); });

} // namespace
