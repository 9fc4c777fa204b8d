#include "document/process_folder.h"
#include "document/temp_files.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <unistd.h>

using namespace Qt::StringLiterals;

// At start the folders of Marklets no longer running go (with what is in
// them, never what a link there points to); a running one's folder, and
// anything not made by Marklet, and the temporary stylesheet shared by every
// run, stay. At exit the process's own goes.
TEST(ProcessFolders, OnlyThoseOfEndedMarkletsAreRemoved) {
    const std::optional<QString> own = process_temp_dir();
    ASSERT_TRUE(own.has_value());
    const QDir base(*private_temp_dir());
    ProcessIdentity ended = this_process();
    ++ended.start; // the same id, started later: another process
    const QString stale = base.filePath(process_folder_name(ended));
    const QString other_boot = base.filePath(u"run-1-1-0ther"_s);
    ASSERT_TRUE(QDir().mkpath(stale) && QDir().mkpath(other_boot) &&
                QDir().mkpath(base.filePath(u"notes"_s)));
    QTemporaryDir outside;
    ASSERT_TRUE(write_bytes(outside.filePath(u"keep.htm"_s), "keep"));
    ASSERT_EQ(::symlink(native(outside.filePath(u"keep.htm"_s)).constData(),
                        native(stale + u"/tmp.htm"_s).constData()),
              0);
    ASSERT_TRUE(write_bytes(stale + u"/tmp.css"_s, "p {}"));
    ASSERT_TRUE(write_bytes(base.filePath(u"tmp.htm"_s), "shared by an older version"));
    ASSERT_TRUE(write_temp_stylesheet("p { color: red }").ok());

    remove_stale_process_dirs();
    EXPECT_EQ(base.entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{u"notes"_s, QDir(*own).dirName(), u"tmp.css"_s}));
    EXPECT_EQ(read_bytes(outside.filePath(u"keep.htm"_s)), "keep");

    remove_process_temp_dir();
    EXPECT_FALSE(QFileInfo::exists(*own));
    EXPECT_EQ(read_bytes(temp_stylesheet_path()), "p { color: red }");
}
