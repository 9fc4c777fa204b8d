// Saving a user's file where a new file and a rename would change it: the
// file stays the same file (its other names, owner, attributes) and holds the
// new content; a write that fails midway leaves the old content. Root passes
// every permission check, so the cases about permissions are saved as the
// unprivileged user "nobody" when the tests run as root.

#include "document/file_io.h"
#include "support/files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <grp.h>
#include <sys/resource.h>
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

// Gives a file or folder to the user the save runs as.
void give_to_saver(const QString& path) {
    if (as_root()) {
        ASSERT_EQ(::chown(native(path).constData(), nobody, nobody), 0);
    }
}

// The save as it runs for a user without privileges: as "nobody" (in
// `shared_group` too) in a child process when we are root, else right here.
QString save_unprivileged(const QString& path) {
    if (!as_root())
        return save_user_file(path, {new_content});
    int fds[2];
    if (::pipe(fds) != 0)
        return u"pipe"_s;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        const gid_t groups[] = {shared_group};
        if (::setgroups(1, groups) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)
            ::_exit(2);
        const QByteArray result = save_user_file(path, {new_content}).toUtf8();
        const bool sent =
            ::write(fds[1], result.constData(), size_t(result.size())) == ssize_t(result.size());
        ::_exit(sent ? 0 : 3);
    }
    ::close(fds[1]);
    QByteArray result(4096, '\0');
    const ssize_t got = ::read(fds[0], result.data(), size_t(result.size()));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return u"the child failed"_s;
    return QString::fromUtf8(result.left(std::max<ssize_t>(got, 0)));
}

struct stat followed(const QString& path) {
    struct stat info {};
    ::stat(native(path).constData(), &info);
    return info;
}

QStringList all_entries(const QString& folder) {
    QStringList found;
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::System | QDir::NoDotAndDotDot)) {
        found << name;
        if (QFileInfo(folder + u'/' + name).isDir() && !QFileInfo(folder + u'/' + name).isSymLink())
            found += all_entries(folder + u'/' + name);
    }
    return found;
}

class SaveFile : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(::chmod(native(dir.path()).constData(), 0755), 0);
        ASSERT_TRUE(QDir(dir.path()).mkpath(u"data"_s) && QDir(dir.path()).mkpath(u"docs"_s));
        give_to_saver(path(u"data"_s));
        saved_data_home_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", native(path(u"data"_s)));
    }
    void TearDown() override {
        qputenv("XDG_DATA_HOME", saved_data_home_);
        ::chmod(native(path(u"docs"_s)).constData(), 0755);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList backups() const {
        return QDir(path(u"data/marklet/backup"_s)).entryList(QDir::Files | QDir::Hidden);
    }

    QTemporaryDir dir;

  private:
    QByteArray saved_data_home_;
};

struct InPlaceCase {
    const char* name;
    // Makes docs/doc.htm (and whatever the case needs) under the folder given;
    // the path to save comes back.
    std::function<QString(const QString& root)> make;
    bool unprivileged;
    bool keeps_inode;
    friend void PrintTo(const InPlaceCase& c, std::ostream* out) { *out << c.name; }
};

class SaveUserFile : public SaveFile, public testing::WithParamInterface<InPlaceCase> {};

TEST_P(SaveUserFile, HoldsTheNewContentAndStaysTheFileItWas) {
    const QString doc = path(u"docs/doc.htm"_s);
    ASSERT_TRUE(write_bytes(doc, "<p>vecchio</p>"));
    const QString target = GetParam().make(dir.path());
    if (target.isEmpty())
        GTEST_SKIP() << "needs root, to give the file to another user";
    const struct stat before = followed(doc);
    const bool was_link = S_ISLNK(status_of(target).st_mode);
    const QStringList entries = all_entries(path(u"docs"_s));
    const char attribute[] = "user.marklet";
    const bool has_attribute = ::getxattr(native(doc).constData(), attribute, nullptr, 0) >= 0;

    const QString error =
        GetParam().unprivileged ? save_unprivileged(target) : save_user_file(target, {new_content});
    EXPECT_EQ(error, QString());
    const struct stat after = followed(doc);
    EXPECT_EQ(read_bytes(doc), new_content);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_nlink, before.st_nlink);
    EXPECT_EQ(after.st_ino == before.st_ino, GetParam().keeps_inode);
    EXPECT_EQ(S_ISLNK(status_of(target).st_mode), was_link);
    EXPECT_EQ(::getxattr(native(doc).constData(), attribute, nullptr, 0) >= 0, has_attribute);
    EXPECT_EQ(all_entries(path(u"docs"_s)), entries) << "nothing left beside the file";
    EXPECT_TRUE(backups().isEmpty()) << "the backup copy goes after a good write";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveUserFile,
    testing::Values(
        InPlaceCase{"PlainFileGetsANewFile",
                    [](const QString& root) { return root + "/docs/doc.htm"; }, false, false},
        InPlaceCase{"FolderReadOnlyFileWritable",
                    [](const QString& root) {
                        give_to_saver(root + "/docs/doc.htm");
                        ::chmod(native(root + "/docs").constData(), 0555);
                        return root + "/docs/doc.htm";
                    },
                    true, true},
        InPlaceCase{"HardLink",
                    [](const QString& root) {
                        ::link(native(root + "/docs/doc.htm"), native(root + "/docs/other.htm"));
                        return root + "/docs/other.htm";
                    },
                    false, true},
        InPlaceCase{"SymbolicLinkToAFileElsewhere",
                    [](const QString& root) {
                        ::symlink(native(root + "/docs/doc.htm"), native(root + "/link.htm"));
                        return root + "/link.htm";
                    },
                    false, false},
        InPlaceCase{"ExtendedAttribute",
                    [](const QString& root) {
                        const QString doc = root + "/docs/doc.htm";
                        ::setxattr(native(doc).constData(), "user.marklet", "1", 1, 0);
                        return doc;
                    },
                    false, true},
        InPlaceCase{"FileOfAnotherOwnerInOurFolder",
                    [](const QString& root) {
                        if (!as_root())
                            return QString();
                        give_to_saver(root + "/docs");
                        const QByteArray doc = native(root + "/docs/doc.htm");
                        ::chown(doc.constData(), 0, shared_group);
                        ::chmod(doc.constData(), 0664);
                        return root + "/docs/doc.htm";
                    },
                    true, true}),
    [](const testing::TestParamInfo<InPlaceCase>& info) { return std::string(info.param.name); });

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

TEST_F(SaveFile, WriteFailingMidwayInPlacePutsTheOldContentBack) {
    const QByteArray old(1000, 'o');
    const QString doc = path(u"docs/doc.htm"_s);
    ASSERT_TRUE(write_bytes(doc, old));
    ASSERT_EQ(::link(native(doc), native(path(u"docs/other.htm"_s))), 0);
    QString error;
    {
        FileSizeLimit limit(4096);
        error = save_user_file(doc, {QByteArray(100000, 'n')});
    }
    EXPECT_EQ(error, u"Il file è troppo grande. Il contenuto precedente del file è stato "
                     u"ripristinato."_s);
    EXPECT_EQ(read_bytes(doc), old);
    EXPECT_EQ(read_bytes(path(u"docs/other.htm"_s)), old);
    EXPECT_TRUE(backups().isEmpty());
    EXPECT_EQ(mode_bits(path(u"data/marklet/backup"_s)), 0700u);
}

} // namespace
