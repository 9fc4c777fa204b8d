#include "document/file_name.h"

#include <QDir>

#include <climits>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char16_t kFirstKept = 0xDC80;
constexpr char16_t kLastKept = 0xDCFF;

bool is_kept_byte(QChar c) {
    return c.unicode() >= kFirstKept && c.unicode() <= kLastKept;
}

// The length of the valid UTF-8 sequence at `at`, or 0 when its first byte
// does not start one (overlong forms, surrogates and values past U+10FFFF
// are not valid).
int sequence_length(QByteArrayView bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    int length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > bytes.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

QString path_from_native(QByteArrayView bytes) {
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    QString path;
    path.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const int length = sequence_length(bytes, at);
        if (length == 0) {
            path.append(QChar(char16_t(0xDC00 + static_cast<unsigned char>(bytes[at]))));
            ++at;
        } else {
            path.append(QString::fromUtf8(bytes.sliced(at, length)));
            at += length;
        }
    }
    return path;
}

QByteArray native_path(const QString& path) {
    if (std::none_of(path.begin(), path.end(), is_kept_byte))
        return path.toUtf8();
    QByteArray bytes;
    bytes.reserve(path.size() * 2);
    qsizetype run = 0; // the start of the run of ordinary characters
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!is_kept_byte(path[i]) || (i > 0 && path[i - 1].isHighSurrogate()))
            continue;
        bytes += QStringView(path).sliced(run, i - run).toUtf8();
        bytes += char(path[i].unicode() - 0xDC00);
        run = i + 1;
    }
    bytes += QStringView(path).sliced(run).toUtf8();
    return bytes;
}

QString shown_path(const QString& path) {
    QString shown = path;
    for (QChar& c : shown) {
        if (is_kept_byte(c))
            c = QChar::ReplacementCharacter;
    }
    return shown;
}

QString absolute_path(const QString& path) {
    if (path.startsWith(u'/'))
        return QDir::cleanPath(path);
    char here[PATH_MAX];
    const QString folder =
        ::getcwd(here, sizeof here) ? path_from_native(here) : QStringLiteral("/");
    return QDir::cleanPath(folder + u'/' + path);
}

QString folder_of(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString file_name_of(const QString& path) {
    return path.mid(path.lastIndexOf(u'/') + 1);
}

bool is_folder(const QString& path) {
    struct stat info;
    return ::stat(native_path(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

QStringList names_in(const QString& folder) {
    QStringList names;
    if (DIR* dir = ::opendir(native_path(folder).constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArrayView name(entry->d_name);
            if (name != "." && name != "..")
                names.append(path_from_native(name));
        }
        ::closedir(dir);
    }
    return names;
}

QUrl file_url(const QString& path) {
    return QUrl::fromEncoded("file://" + native_path(absolute_path(path)).toPercentEncoding("/"));
}
