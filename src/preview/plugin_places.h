#pragma once

#include <QStringList>

// The folders where the program looks for its browser pane plugin, in order:
// beside the program; the plugin folder of an installed tree, `installed`
// taken from the program's own folder (so an installed Marklet finds its
// plugin wherever the tree was put); and the build folder, but only for a
// program that itself runs from inside it (the tests). An installed program
// never loads a library from the folder it was built in: that folder may be
// gone, or belong to someone else, on the machine it runs on.
QStringList plugin_places(const QString& program_dir, const QString& installed,
                          const QString& build_dir);
