// Saving a user's file where a new file and a rename would change it: the
// file stays the same file (its other names, owner, attributes) and holds the
// new content; a write that fails midway leaves the old content. Root passes
// every permission check, so those cases are saved as the user "nobody" when
// the tests run as root.

#include "dialogs/file_error_text.h"
#include "document/file_io.h"
#include "support/faults.h"
#include "support/files.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr uid_t nobody = 65534;
constexpr gid_t shared_group = 100;
const QByteArray new_content = "<p>nuovo</p>";

bool as_root() {
    return ::geteuid() == 0;
}

// Gives a file or folder to the user the unprivileged saves run as.
bool give_to_saver(const QString& path) {
    return !as_root() || ::chown(native(path).constData(), nobody, nobody) == 0;
}

// Saves as a user without privileges: as "nobody" (in `shared_group` too) in
// a child process when we are root, else right here.
QString save_unprivileged(const QString& path) {
    int fds[2];
    if (!as_root() || ::pipe(fds) != 0)
        return describe(save_user_file(path, {new_content}));
    const pid_t child = ::fork();
    if (child == 0) {
        const gid_t groups[] = {shared_group};
        if (::setgroups(1, groups) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)
            ::_exit(2);
        const QByteArray result = describe(save_user_file(path, {new_content})).toUtf8();
        ::_exit(::write(fds[1], result.constData(), size_t(result.size())) == result.size() ? 0
                                                                                            : 3);
    }
    ::close(fds[1]);
    QByteArray result(4096, '\0');
    result.truncate(std::max<ssize_t>(::read(fds[0], result.data(), 4096), 0));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? QString::fromUtf8(result)
                                                         : u"the child failed"_s;
}

struct stat followed(const QString& path) {
    struct stat info {};
    ::stat(native(path).constData(), &info);
    return info;
}

QStringList all_entries(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}

enum class Kind { ReadOnlyFolder, HardLink, SymbolicLink, Attribute, AnotherOwner };

class SaveUserFile : public testing::TestWithParam<std::pair<const char*, Kind>> {
  protected:
    void SetUp() override {
        ASSERT_EQ(::chmod(native(dir.path()).constData(), 0755), 0);
        ASSERT_TRUE(QDir(dir.path()).mkpath(u"data"_s) && QDir(dir.path()).mkpath(u"docs"_s));
        ASSERT_TRUE(give_to_saver(path("data")));
        ASSERT_TRUE(write_bytes(doc, "<p>vecchio</p>"));
    }
    void TearDown() override { ::chmod(native(path("docs")).constData(), 0755); }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QStringList backups() const {
        return QDir(path("data/marklet/backup")).entryList(QDir::Files | QDir::Hidden);
    }

    QTemporaryDir dir;
    const QString doc = path("docs/doc.htm");
    EnvironmentVariable data_home{"XDG_DATA_HOME", native(path("data"))};
};

TEST_P(SaveUserFile, HoldsTheNewContentAndStaysTheFileItWas) {
    QString target = doc;
    switch (GetParam().second) {
    case Kind::ReadOnlyFolder:
        ASSERT_TRUE(give_to_saver(doc));
        ::chmod(native(path("docs")).constData(), 0555);
        break;
    case Kind::HardLink:
        target = path("docs/other.htm");
        ASSERT_EQ(::link(native(doc).constData(), native(target).constData()), 0);
        break;
    case Kind::SymbolicLink: // to a file elsewhere: followed, and written the usual way
        target = path("link.htm");
        ASSERT_EQ(::symlink(native(doc).constData(), native(target).constData()), 0);
        break;
    case Kind::Attribute:
        ASSERT_EQ(::setxattr(native(doc).constData(), "user.marklet", "1", 1, 0), 0);
        break;
    case Kind::AnotherOwner: // group-writable, in a folder the saver may write
        if (!as_root())
            GTEST_SKIP() << "needs root, to give the file to another user";
        ASSERT_TRUE(give_to_saver(path("docs")));
        ASSERT_EQ(::chown(native(doc).constData(), 0, shared_group), 0);
        ::chmod(native(doc).constData(), 0664);
        break;
    }
    const struct stat before = followed(doc);
    const bool link = S_ISLNK(status_of(target).st_mode);
    const QStringList entries = all_entries(path("docs"));
    const ssize_t attribute = ::getxattr(native(doc).constData(), "user.marklet", nullptr, 0);

    const Kind kind = GetParam().second;
    EXPECT_EQ(kind == Kind::ReadOnlyFolder || kind == Kind::AnotherOwner
                  ? save_unprivileged(target)
                  : describe(save_user_file(target, {new_content})),
              QString());
    const struct stat after = followed(doc);
    EXPECT_EQ(read_bytes(doc), new_content);
    EXPECT_EQ(std::tuple(after.st_uid, after.st_gid, after.st_mode, after.st_nlink),
              std::tuple(before.st_uid, before.st_gid, before.st_mode, before.st_nlink));
    EXPECT_EQ(after.st_ino == before.st_ino, kind != Kind::SymbolicLink);
    EXPECT_EQ(S_ISLNK(status_of(target).st_mode), link);
    EXPECT_EQ(::getxattr(native(doc).constData(), "user.marklet", nullptr, 0), attribute);
    EXPECT_EQ(all_entries(path("docs")), entries) << "nothing left beside the file";
    EXPECT_TRUE(backups().isEmpty()) << "the backup copy goes after a good write";
}

INSTANTIATE_TEST_SUITE_P(Cases, SaveUserFile,
                         testing::Values(std::pair{"FolderReadOnlyFileWritable",
                                                   Kind::ReadOnlyFolder},
                                         std::pair{"HardLink", Kind::HardLink},
                                         std::pair{"SymbolicLink", Kind::SymbolicLink},
                                         std::pair{"ExtendedAttribute", Kind::Attribute},
                                         std::pair{"FileOfAnotherOwner", Kind::AnotherOwner}),
                         [](const auto& info) { return std::string(info.param.first); });

TEST_F(SaveUserFile, FullDiskInPlaceFailsBeforeTheFileIsTouched) {
    const QByteArray old(1000, 'o');
    ASSERT_TRUE(write_bytes(doc, old));
    ASSERT_EQ(::link(native(doc).constData(), native(path("docs/other.htm")).constData()), 0);
    QString error;
    {
        FileSizeLimit limit(4096); // the new text's copy fails as on a full disk
        error = describe(save_user_file(doc, {QByteArray(100000, 'n')}));
    }
    EXPECT_EQ(error, u"Nessuna copia di sicurezza possibile. Il file è troppo grande."_s);
    EXPECT_EQ(read_bytes(path("docs/other.htm")), old);
    EXPECT_TRUE(backups().isEmpty());
    EXPECT_EQ(mode_bits(path("data/marklet/backup")), 0700u);
}

} // namespace
