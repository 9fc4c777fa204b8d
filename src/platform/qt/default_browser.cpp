#include "platform/qt/default_browser.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

namespace {

using Groups = QHash<QString, QHash<QString, QString>>;

// The groups and keys of a desktop entry or a mimeapps.list file.
Groups read_key_file(const QString& path) {
    Groups groups;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return groups;
    QString group;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            group = line.mid(1, line.size() - 2);
        } else if (const qsizetype equals = line.indexOf(u'=');
                   equals > 0 && !line.startsWith(u'#')) {
            groups[group].insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
        }
    }
    return groups;
}

// A key file's value escapes: \s \n \t \r \\.
QString unescape_value(const QString& value) {
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const QChar next = value[++i];
        out += next == u's'   ? QChar(u' ')
               : next == u'n' ? QChar(u'\n')
               : next == u't' ? QChar(u'\t')
               : next == u'r' ? QChar(u'\r')
                              : next;
    }
    return out;
}

QStringList application_dirs() {
    return QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
}

// The entry's command line when it is a browser that can be started.
std::optional<QStringList> entry_command(const QString& id, const QUrl& target) {
    if (!id.endsWith(QLatin1String(".desktop")) || id.startsWith(QLatin1String("marklet")))
        return std::nullopt;
    QString subdir_id = id;
    subdir_id.replace(u'-', u'/');
    for (const QString& dir : application_dirs()) {
        for (const QString& name : {id, subdir_id}) {
            const QString path = dir + u'/' + name;
            if (!QFileInfo(path).isFile())
                continue;
            const auto entry = read_key_file(path).value(QStringLiteral("Desktop Entry"));
            if (entry.value(QStringLiteral("Hidden")) == u"true")
                return std::nullopt;
            const QString try_exec = entry.value(QStringLiteral("TryExec"));
            if (!try_exec.isEmpty() && QStandardPaths::findExecutable(try_exec).isEmpty())
                return std::nullopt;
            auto command =
                exec_command(unescape_value(entry.value(QStringLiteral("Exec"))), target);
            if (!command || QFileInfo(command->first()).baseName() == u"marklet")
                return std::nullopt;
            const QString program = QStandardPaths::findExecutable(command->first());
            if (program.isEmpty())
                return std::nullopt;
            command->first() = program;
            return command;
        }
    }
    return std::nullopt;
}

// The files naming default applications, most important first.
QStringList default_lists() {
    QStringList desktops;
    for (const QString& desktop : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':'))
        if (!desktop.isEmpty())
            desktops << desktop.toLower() + QStringLiteral("-mimeapps.list");
    desktops << QStringLiteral("mimeapps.list");
    QStringList files;
    const QStringList dirs =
        QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation) +
        application_dirs();
    for (const QString& dir : dirs)
        for (const QString& name : desktops)
            files << dir + u'/' + name;
    for (const QString& dir : application_dirs())
        files << dir + QStringLiteral("/defaults.list");
    return files;
}

} // namespace

std::optional<QStringList> exec_command(const QString& exec, const QUrl& target) {
    const QString location = target.isLocalFile() ? target.toLocalFile() : target.toString();
    QStringList arguments;
    QString current;
    bool in_argument = false, quoted = false, placed = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == u'"')
                quoted = false;
            else if (c == u'\\' && i + 1 < exec.size())
                current += exec[++i];
            else
                current += c;
        } else if (c == u'"') {
            quoted = in_argument = true;
        } else if (c == u' ' || c == u'\t') {
            if (in_argument)
                arguments << current;
            current.clear();
            in_argument = false;
        } else if (c == u'%' && i + 1 < exec.size()) {
            const QChar code = exec[++i];
            if (code == u'%') {
                current += u'%';
            } else if (QStringLiteral("fFuU").contains(code)) {
                current += code.toLower() == u'u' ? target.toString() : location;
                placed = true;
            } // the other codes (%i, %c, %k and the deprecated ones) give nothing
            in_argument = in_argument || code == u'%' || QStringLiteral("fFuU").contains(code);
        } else {
            current += c;
            in_argument = true;
        }
    }
    if (quoted)
        return std::nullopt;
    if (in_argument)
        arguments << current;
    if (arguments.isEmpty())
        return std::nullopt;
    if (!placed)
        arguments << target.toString();
    return arguments;
}

namespace {

// The command of the first usable handler of any of `types`, in the order
// the desktop's lists are read.
std::optional<QStringList> handler_command(const QStringList& types, const QUrl& target) {
    QStringList files = default_lists();
    for (const QString& dir : application_dirs())
        files << dir + QStringLiteral("/mimeinfo.cache");
    for (const QString& file : files) {
        const Groups groups = read_key_file(file);
        const auto list = groups.value(file.endsWith(QLatin1String("mimeinfo.cache"))
                                           ? QStringLiteral("MIME Cache")
                                           : QStringLiteral("Default Applications"));
        for (const QString& type : types) {
            for (const QString& id : list.value(type).split(u';', Qt::SkipEmptyParts)) {
                if (auto command = entry_command(id.trimmed(), target))
                    return command;
            }
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<QStringList> default_browser_command(const QUrl& target) {
    return handler_command(
        {QStringLiteral("x-scheme-handler/https"), QStringLiteral("x-scheme-handler/http")},
        target);
}

std::optional<QStringList> scheme_handler_command(const QUrl& target) {
    if (target.scheme().isEmpty())
        return std::nullopt;
    return handler_command({QStringLiteral("x-scheme-handler/") + target.scheme().toLower()},
                           target);
}
