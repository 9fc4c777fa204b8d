#include "platform/qt/default_browser.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

const QUrl page = QUrl::fromLocalFile(u"/tmp/run/anteprima.htm"_s);

struct ExecCase {
    const char* name;
    QString exec;
    std::optional<QStringList> command;
};

class ExecLine : public testing::TestWithParam<ExecCase> {};

TEST_P(ExecLine, SplitWithTheTargetInPlace) {
    EXPECT_EQ(exec_command(GetParam().exec, page), GetParam().command);
}

const QString url = page.toString();
const QString path = page.toLocalFile();
INSTANTIATE_TEST_SUITE_P(
    Exec, ExecLine,
    testing::Values(ExecCase{"Url", u"firefox %u"_s, QStringList{u"firefox"_s, url}},
                    ExecCase{"Urls", u"chromium --new-window %U"_s,
                             QStringList{u"chromium"_s, u"--new-window"_s, url}},
                    ExecCase{"QuotedProgramAndFile", u"\"/opt/Il mio/browser\" %f"_s,
                             QStringList{u"/opt/Il mio/browser"_s, path}},
                    ExecCase{"EscapeInQuotes", u"\"a\\\"b\" %u"_s, QStringList{u"a\"b"_s, url}},
                    ExecCase{"NoFieldCode", u"browser"_s, QStringList{u"browser"_s, url}},
                    ExecCase{"OtherCodesAndPercent", u"b %i 100%% %c %u"_s,
                             QStringList{u"b"_s, u"100%"_s, url}},
                    ExecCase{"UnbalancedQuote", u"\"browser %u"_s, std::nullopt},
                    ExecCase{"Empty", u""_s, std::nullopt}),
    [](const testing::TestParamInfo<ExecCase>& info) { return info.param.name; });

// The default is read from mimeapps.list; Marklet's own entry, even when named
// first, and entries whose program is missing are passed over.
TEST(DefaultBrowser, FirstInstalledHandlerOfWebLinksThatIsNotMarklet) {
    QTemporaryDir root;
    const QString apps = root.filePath(u"data/applications"_s);
    ASSERT_TRUE(QDir().mkpath(apps) && QDir().mkpath(root.filePath(u"config"_s)));
    qputenv("XDG_CONFIG_HOME", native(root.filePath(u"config"_s)));
    qputenv("XDG_CONFIG_DIRS", native(root.filePath(u"none"_s)));
    qputenv("XDG_DATA_HOME", native(root.filePath(u"data"_s)));
    qputenv("XDG_DATA_DIRS", native(root.filePath(u"none"_s)));
    EXPECT_EQ(default_browser_command(page), std::nullopt);

    ASSERT_TRUE(write_bytes(root.filePath(u"config/mimeapps.list"_s),
                            "[Default Applications]\nx-scheme-handler/https=marklet.desktop;"
                            "gone.desktop;web.desktop;\n"));
    for (const char* entry : {"marklet", "gone", "web"}) {
        const QByteArray program = entry == QByteArray("gone") ? "not-installed-anywhere" : "true";
        ASSERT_TRUE(write_bytes(apps + u'/' + QLatin1String(entry) + u".desktop"_s,
                                "[Desktop Entry]\nType=Application\nExec=" + program +
                                    " --new-window %u\n"));
    }
    const auto command = default_browser_command(page);
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->mid(1), (QStringList{u"--new-window"_s, url}));
    EXPECT_TRUE(command->first().endsWith(u"/true"_s));
}

} // namespace
