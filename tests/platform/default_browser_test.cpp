#include "platform/qt/default_browser.h"
#include "platform/qt/qt_launcher.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

const QUrl page = QUrl::fromLocalFile(u"/tmp/run/anteprima.htm"_s);
const QString url = page.toString();

struct ExecCase {
    const char* name;
    QString exec;
    std::optional<QStringList> command;
};

class ExecLine : public testing::TestWithParam<ExecCase> {};

TEST_P(ExecLine, SplitWithTheTargetInPlace) {
    EXPECT_EQ(exec_command(GetParam().exec, page), GetParam().command);
}

INSTANTIATE_TEST_SUITE_P(
    Exec, ExecLine,
    testing::Values(ExecCase{"Url", u"firefox --new-window %U"_s,
                             QStringList{u"firefox"_s, u"--new-window"_s, url}},
                    ExecCase{"QuotedFile", u"\"/opt/Il \\\"mio\\\"/b\" %f"_s,
                             QStringList{u"/opt/Il \"mio\"/b"_s, page.toLocalFile()}},
                    ExecCase{"NoFieldCode", u"browser"_s, QStringList{u"browser"_s, url}},
                    ExecCase{"OtherCodesAndPercent", u"b %i 100%% %c %u"_s,
                             QStringList{u"b"_s, u"100%"_s, url}},
                    ExecCase{"UnbalancedQuote", u"\"browser %u"_s, std::nullopt}),
    [](const testing::TestParamInfo<ExecCase>& info) { return info.param.name; });

// A desktop whose lists and entries live in a folder of the test's own.
class Desktop : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(root.path()).mkpath(u"applications"_s));
        for (const char* variable :
             {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"})
            qputenv(variable, native(root.path()));
    }
    QTemporaryDir root;
};

// The default is read from mimeapps.list; Marklet's own entry, even named
// first, and entries whose program is missing are passed over.
TEST_F(Desktop, FirstInstalledHandlerOfWebLinksThatIsNotMarklet) {
    EXPECT_EQ(default_browser_command(page), std::nullopt);
    ASSERT_TRUE(write_bytes(
        root.filePath(u"mimeapps.list"_s),
        "[Default "
        "Applications]\nx-scheme-handler/https=marklet.desktop;gone.desktop;web.desktop;\n"));
    for (const QString& entry : {u"marklet"_s, u"gone"_s, u"web"_s})
        ASSERT_TRUE(write_bytes(
            root.filePath(u"applications/"_s + entry + u".desktop"_s),
            "[Desktop Entry]\nExec=" + QByteArray(entry == u"gone" ? "gone-program" : "true") +
                " %u\n"));
    const auto command = default_browser_command(page);
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(*command, (QStringList{QStandardPaths::findExecutable(u"true"_s), url}));
}

// A mail link clicked with no mail program installed said nothing: the
// desktop's opener started, and failed only after. It now fails at once, a
// web browser standing in for none; with a mail program, that is started.
TEST_F(Desktop, MailLinksOpenOnlyInAMailProgram) {
    const QUrl mail(u"mailto:posta@example.it"_s);
    ASSERT_TRUE(write_bytes(root.filePath(u"applications/web.desktop"_s),
                            "[Desktop Entry]\nExec=true %u\n"));
    ASSERT_TRUE(write_bytes(root.filePath(u"mimeapps.list"_s),
                            "[Default Applications]\nx-scheme-handler/https=web.desktop;\n"));
    EXPECT_EQ(scheme_handler_command(mail), std::nullopt);
    EXPECT_FALSE(QtLauncher().open_url(mail));
    ASSERT_TRUE(write_bytes(root.filePath(u"applications/posta.desktop"_s),
                            "[Desktop Entry]\nExec=true %u\n"));
    ASSERT_TRUE(write_bytes(root.filePath(u"mimeapps.list"_s),
                            "[Default Applications]\nx-scheme-handler/mailto=posta.desktop;\n"));
    EXPECT_EQ(scheme_handler_command(mail),
              (QStringList{QStandardPaths::findExecutable(u"true"_s), mail.toString()}));
    EXPECT_TRUE(QtLauncher().open_url(mail));
}

} // namespace
