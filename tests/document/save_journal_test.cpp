// What a start does with the saves that Marklets no longer running left in
// the journal: a save in place cut off midway is finished from its copy and
// told; a file changed since is left alone with both copies kept; nothing is
// told where nothing was torn. A new file left beside the user's by a save
// through a rename goes, but never a file that is not ours; the saves of a
// Marklet still running are not touched. Names of any bytes survive.

#include "document/disk_state.h"
#include "document/file_name.h"
#include "document/recovery_file.h"
#include "document/save_journal.h"
#include "support/faults.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace Qt::StringLiterals;
using Outcome = InterruptedSave::Outcome;
using Stage = JournalEntry::Stage;

namespace {

const QByteArray old_text = "<p>vecchio</p>\n", new_text = "<p>nuovo!</p>\n\n";

struct Case {
    const char* name;
    JournalEntry::Kind kind;
    Stage stage;
    QByteArray file;  // what the user's file holds at the start
    bool live;        // the entry is a running Marklet's (this process's)
    int told;         // -1: nothing told, else the Outcome
    QByteArray after; // the user's file after the start
    int copies_left;  // in the backup folder; for a rename: the new file left beside
};

class SettleInterruptedSaves : public testing::TestWithParam<Case> {
  protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
    EnvironmentVariable data_home{"XDG_DATA_HOME", native(dir.path())};
};

TEST_P(SettleInterruptedSaves, FinishesWhatWasTornAndTouchesNothingElse) {
    const Case& c = GetParam();
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"marklet/backup"_s));
    const QString target = path(path_from_native("caf\xe9.htm"));
    ASSERT_TRUE(write_native(target, c.file));
    JournalEntry entry{c.kind,
                       c.stage,
                       target,
                       path(u".caf.htm.marklet-1"_s),
                       path(u"marklet/backup/a.backup"_s),
                       path(u"marklet/backup/a.new"_s)};
    const FileIdentity identity = identity_at(target);
    entry.device = identity.device;
    entry.inode = identity.inode;
    entry.old_size = old_text.size();
    entry.new_size = new_text.size();
    ASSERT_TRUE(write_bytes(entry.old_copy, old_text) && write_bytes(entry.new_copy, new_text));
    ASSERT_TRUE(write_bytes(entry.temp, "<p>a metà"));
    if (c.file == "linked") { // a file of the user's by the name a save of ours once had
        ASSERT_EQ(::link(native(entry.temp).constData(), native(path(u"mine"_s)).constData()), 0);
    }
    ProcessIdentity writer = this_process();
    writer.start += c.live ? 0 : 1;
    const QString journal = *journal_dir() + u'/' +
                            recovery_file_name(writer, 7).replace(u".recovery"_s, u".journal"_s);
    ASSERT_TRUE(write_bytes(journal, encode_journal_entry(entry)));

    const QList<InterruptedSave> told = settle_interrupted_saves();
    ASSERT_EQ(told.size(), c.told < 0 ? 0 : 1);
    if (c.told >= 0) {
        EXPECT_EQ(int(told[0].outcome), c.told);
        EXPECT_EQ(told[0].target, target);
    }
    EXPECT_EQ(read_native(target), c.after);
    const QStringList left =
        c.kind == JournalEntry::Kind::InPlace
            ? QDir(path(u"marklet/backup"_s)).entryList(QDir::Files)
            : QDir(dir.path()).entryList({u".caf*"_s}, QDir::Hidden | QDir::Files);
    EXPECT_EQ(left.size(), c.copies_left) << left.join(u' ').toStdString();
    EXPECT_EQ(QFile::exists(journal), c.live);
}

using EntryKind = JournalEntry::Kind;
const QByteArray mix = new_text.left(6) + old_text.mid(6);

INSTANTIATE_TEST_SUITE_P(
    Cases, SettleInterruptedSaves,
    testing::Values(Case{"CutOffMidway", EntryKind::InPlace, Stage::Writing, mix, false,
                         int(Outcome::Finished), new_text, 1},
                    Case{"NotBegun", EntryKind::InPlace, Stage::Writing, old_text, false,
                         int(Outcome::Finished), new_text, 1},
                    Case{"WrittenWhole", EntryKind::InPlace, Stage::Writing, new_text, false, -1,
                         new_text, 0},
                    Case{"ChangedSince", EntryKind::InPlace, Stage::Writing, "<p>altro</p>", false,
                         int(Outcome::ChangedSince), "<p>altro</p>", 2},
                    Case{"CopiesUnfinished", EntryKind::InPlace, Stage::Copying, old_text, false,
                         -1, old_text, 0},
                    Case{"StillRunning", EntryKind::InPlace, Stage::Writing, mix, true, -1, mix, 2},
                    Case{"NewFileLeftBeside", EntryKind::Replace, Stage::Copying, old_text, false,
                         -1, old_text, 0},
                    Case{"UsersFileByThatName", EntryKind::Replace, Stage::Copying, "linked", false,
                         -1, "linked", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileNames, GoBackToTheSystemByteForByte) {
    for (const QByteArray bytes : {"/tmp/caf\xe9.html", "/tmp/citt\xc3\xa0 \xf0\x9f\x98\x80.html",
                                   "a\xed\xa0\x80z" /* a surrogate */, "a\xc0\xafz" /* overlong */,
                                   "\xf4\x90\x80\x80" /* beyond Unicode */,
                                   "\xe2\x82" /* cut short */, "\xf0\x9f\x98\x80\xff\xfe"}) {
        EXPECT_EQ(native_path(path_from_native(bytes)), bytes);
        EXPECT_TRUE(!bytes.isValidUtf8() || path_from_native(bytes) == QString::fromUtf8(bytes));
    }
}

} // namespace
