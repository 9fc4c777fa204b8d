// The document session without widgets: which questions a save asks, what a
// save of a document whose folder is gone does, UTF-16 files kept as UTF-16,
// and a file named at start while recovered work waits.

#include "document/document_session.h"
#include "document/recovery_keeper.h"
#include "support/fakes.h"
#include "support/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class FakeBuffer : public DocumentBuffer {
  public:
    void load(QByteArrayView utf8, qsizetype) override { bytes = utf8.toByteArray(); }
    std::array<QByteArrayView, 2> utf8_parts() const override { return {bytes, {}}; }
    QString text() const override { return text_from_utf8(bytes); }
    bool is_modified() const override { return modified; }
    void set_save_point() override { modified = false; }
    void set_line_break(LineBreak) override {}
    QByteArray bytes;
    bool modified = false;
};

// Answers from a script; records each question as "name|detail".
class ScriptedQuestions : public DocumentQuestions {
  public:
    Unsaved unsaved_changes() override { return asked(u"unsaved"_s), Unsaved::Discard; }
    Unencodable unencodable(const QString&) override {
        return asked(u"unencodable"_s), Unencodable::Cancel;
    }
    bool replace(const QString& path) override { return asked(u"replace|"_s + path), yes; }
    bool recover(const PendingRecovery&) override { return asked(u"recover"_s), true; }
    void folder_missing(const QString& folder) override { asked(u"folder|"_s + folder); }
    void failure(const QString& what, const QString& path, const QString& reason) override {
        asked(what + u'|' + path + u'|' + reason);
    }
    QStringList questions;
    bool yes = true;

  private:
    void asked(const QString& question) { questions << question; }
};

class Session : public testing::Test {
  protected:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "document_session_test";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv); // the recovery keeper's timers need one
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(u"data"_s)));
        QObject::connect(&session, &DocumentSession::message,
                         [this](const QString& text) { messages << text; });
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    FakeBuffer buffer;
    FakeDialogs dialogs;
    ScriptedQuestions questions;
    DocumentSession session{buffer, dialogs, questions};
    QStringList messages;
};

struct SaveAsCase {
    const char* name;
    const char* chosen; // the name given to the save dialog
    bool yes;           // the answer to the question about replacing, if asked
    bool asked;
    const char* own_after; // the document's own file afterwards
    friend void PrintTo(const SaveAsCase& c, std::ostream* out) { *out << c.name; }
};

class SaveAs : public Session, public testing::WithParamInterface<SaveAsCase> {};

TEST_P(SaveAs, AsksOnlyBeforeReplacingAnotherFile) {
    const SaveAsCase& c = GetParam();
    ASSERT_TRUE(write_bytes(path(u"own.htm"_s), "own") && write_bytes(path(u"other.htm"_s), "x"));
    ASSERT_EQ(::link(native(path(u"own.htm"_s)), native(path(u"hard.htm"_s))), 0);
    ASSERT_TRUE(session.open_path(path(u"own.htm"_s)));
    buffer.bytes = "new";
    questions.yes = c.yes;
    dialogs.save_answers = {path(QString::fromLatin1(c.chosen))};
    EXPECT_EQ(session.save_as(), c.yes || !c.asked);
    EXPECT_EQ(questions.questions,
              c.asked ? QStringList{u"replace|"_s + path(QString::fromLatin1(c.chosen))}
                      : QStringList());
    EXPECT_EQ(read_bytes(path(QString::fromLatin1(c.chosen))), c.yes || !c.asked ? "new" : "x");
    EXPECT_EQ(session.path(), path(QString::fromLatin1(c.own_after)));
}

INSTANTIATE_TEST_SUITE_P(
    Targets, SaveAs,
    testing::Values(SaveAsCase{"OwnFile", "own.htm", false, false, "own.htm"},
                    SaveAsCase{"AnotherNameOfTheOwnFile", "hard.htm", false, false, "hard.htm"},
                    SaveAsCase{"NewFile", "new.htm", false, false, "new.htm"},
                    SaveAsCase{"OtherFileReplaced", "other.htm", true, true, "other.htm"},
                    SaveAsCase{"OtherFileKept", "other.htm", false, true, "own.htm"}),
    [](const testing::TestParamInfo<SaveAsCase>& info) { return std::string(info.param.name); });

TEST_F(Session, FolderRemovedSinceOpeningIsToldAndTheSaveShowsTheWholePath) {
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"gone/deeper"_s));
    ASSERT_TRUE(write_bytes(path(u"gone/deeper/doc.htm"_s), "a"));
    ASSERT_TRUE(session.open_path(path(u"gone/deeper/doc.htm"_s)));
    ASSERT_TRUE(QDir(path(u"gone"_s)).removeRecursively());
    dialogs.save_answers = {path(u"doc.htm"_s)};
    EXPECT_TRUE(session.save());
    EXPECT_EQ(questions.questions, QStringList{u"folder|"_s + path(u"gone/deeper"_s)});
    EXPECT_EQ(dialogs.saves, 1);
    EXPECT_EQ(read_bytes(path(u"doc.htm"_s)), "a");
    EXPECT_EQ(messages.last(), u"Salvato "_s + path(u"doc.htm"_s));
}

TEST_F(Session, FolderRemovedAndDialogOffersTheNearestFolder) {
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"gone"_s));
    ASSERT_TRUE(write_bytes(path(u"gone/doc.htm"_s), "a"));
    ASSERT_TRUE(session.open_path(path(u"gone/doc.htm"_s)));
    ASSERT_TRUE(QDir(path(u"gone"_s)).removeRecursively());
    EXPECT_FALSE(session.save()); // the dialog cancelled
    EXPECT_EQ(dialogs.remembered, path(u"doc.htm"_s));
}

struct Utf16Case {
    const char* name;
    QByteArray bytes;
    const char16_t* text;
    const char* form;
    friend void PrintTo(const Utf16Case& c, std::ostream* out) { *out << c.name; }
};

class Utf16 : public Session, public testing::WithParamInterface<Utf16Case> {};

TEST_P(Utf16, OpensAndSavesByteForByte) {
    const Utf16Case& c = GetParam();
    ASSERT_TRUE(write_bytes(path(u"u.htm"_s), c.bytes));
    ASSERT_TRUE(session.open_path(path(u"u.htm"_s)));
    EXPECT_EQ(buffer.text(), QStringView(c.text).toString());
    EXPECT_EQ(messages.last(), u"Aperto u.htm ("_s + QLatin1String(c.form) + u')');
    buffer.modified = true;
    EXPECT_TRUE(session.save());
    EXPECT_EQ(read_bytes(path(u"u.htm"_s)), c.bytes);
}

#define BYTES(literal) QByteArray(literal, sizeof(literal) - 1)
INSTANTIATE_TEST_SUITE_P(
    Files, Utf16,
    testing::Values(Utf16Case{"LittleEndian", BYTES("\xFF\xFE<\0p\0>\0\xE8\0\r\0\n\0"), u"<p>è\r\n",
                              "UTF-16 LE, CRLF"},
                    Utf16Case{"BigEndianEmojiAndSecondMark",
                              BYTES("\xFE\xFF\xFE\xFF\xD8\x3D\xDE\x00\0\n"), u"\uFEFF😀\n",
                              "UTF-16 BE, LF"}),
    [](const testing::TestParamInfo<Utf16Case>& info) { return std::string(info.param.name); });

TEST_F(Session, FileNamedAtStartIsNamedWhenRecoveredWorkTakesItsPlace) {
    ASSERT_TRUE(recovery_dir());
    ProcessIdentity ended = this_process();
    ended.start += 1;
    const RecoveryRecord record{u"perso"_s, path(u"f.htm"_s), Encoding::Utf8, LineBreak::Lf,
                                QDateTime::currentDateTimeUtc()};
    ASSERT_TRUE(write_bytes(recovery_dir_path() + u'/' + recovery_file_name(ended, 0),
                            encode_recovery(record)));
    ASSERT_TRUE(write_bytes(path(u"g.htm"_s), "g"));
    session.start(path(u"g.htm"_s));
    EXPECT_EQ(buffer.bytes, "perso");
    EXPECT_TRUE(session.is_modified());
    EXPECT_EQ(session.title(), u"f.htm * - Marklet"_s);
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_TRUE(messages.last().startsWith(path(u"g.htm"_s) + u" non è stato aperto"_s))
        << messages.last().toStdString();
    EXPECT_EQ(dialogs.remembered, path(u"f.htm"_s)) << "saving offers the file it came from";
    session.close();
}

} // namespace
