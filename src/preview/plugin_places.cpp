#include "preview/plugin_places.h"

#include <QDir>
#include <QFileInfo>

namespace {

// `dir` is `root` or lies below it, once links are resolved.
bool inside(const QString& dir, const QString& root) {
    const QString canonical_dir = QFileInfo(dir).canonicalFilePath();
    const QString canonical_root = QFileInfo(root).canonicalFilePath();
    if (canonical_dir.isEmpty() || canonical_root.isEmpty())
        return false;
    return canonical_dir == canonical_root ||
           canonical_dir.startsWith(canonical_root + QLatin1Char('/'));
}

} // namespace

QStringList plugin_places(const QString& program_dir, const QString& installed,
                          const QString& build_dir) {
    QStringList places{program_dir};
    if (!installed.isEmpty())
        places << QDir::cleanPath(QDir(program_dir).filePath(installed));
    if (!build_dir.isEmpty() && inside(program_dir, build_dir))
        places << build_dir;
    places.removeDuplicates();
    return places;
}
