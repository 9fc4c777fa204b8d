// Where the program looks for its pane plugin: beside it, in the installed
// tree from its own place, and in the build folder only when it runs from
// inside that folder.

#include "preview/plugin_places.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Case {
    const char* program_dir; // below the scratch folder; "build" is the build folder
    bool build_dir_listed;
};

class PluginPlaces : public testing::TestWithParam<Case> {};

TEST_P(PluginPlaces, BuildFolderOnlyForProgramsInsideIt) {
    QTemporaryDir scratch;
    const QDir dir(scratch.path());
    for (const char* folder : {"build/tests/preview", "usr/bin", "usr/lib/marklet", "builder"})
        dir.mkpath(QString::fromUtf8(folder));
    QFile::link(dir.filePath(QStringLiteral("build")), dir.filePath(QStringLiteral("link")));
    const QString program_dir = dir.filePath(QString::fromUtf8(GetParam().program_dir));
    const QString build = dir.filePath(QStringLiteral("build"));

    const QStringList places = plugin_places(program_dir, QStringLiteral("../lib/marklet"), build);

    ASSERT_GE(places.size(), 2);
    EXPECT_EQ(places.at(0), program_dir);
    EXPECT_EQ(places.at(1), QDir::cleanPath(program_dir + QStringLiteral("/../lib/marklet")));
    EXPECT_EQ(places.contains(build), GetParam().build_dir_listed);
}

INSTANTIATE_TEST_SUITE_P(ProgramFolders, PluginPlaces,
                         testing::Values(Case{"build", true}, Case{"build/tests/preview", true},
                                         Case{"link/tests/preview", true}, Case{"usr/bin", false},
                                         Case{"builder", false}));

} // namespace
