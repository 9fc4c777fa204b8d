#include "preview/text_parts.h"

#include <algorithm>
#include <cstring>

namespace text_parts {

qsizetype total(const Parts& parts) {
    return parts[0].size() + parts[1].size();
}

char byte_at(const Parts& parts, qsizetype at) {
    return at < parts[0].size() ? parts[0][at] : parts[1][at - parts[0].size()];
}

QByteArray slice(const Parts& parts, qsizetype from, qsizetype to) {
    QByteArray out;
    out.reserve(to - from);
    const qsizetype first = parts[0].size();
    if (from < first)
        out.append(parts[0].sliced(from, std::min(to, first) - from));
    if (to > first) {
        const qsizetype begin = std::max(from, first) - first;
        out.append(parts[1].sliced(begin, to - first - begin));
    }
    return out;
}

qsizetype common_prefix(const QByteArray& old, const Parts& parts) {
    qsizetype done = 0;
    for (const QByteArrayView part : parts) {
        const qsizetype n = std::min(part.size(), old.size() - done);
        qsizetype i = 0;
        constexpr qsizetype kBlock = 4096;
        while (i + kBlock <= n &&
               std::memcmp(old.constData() + done + i, part.data() + i, kBlock) == 0)
            i += kBlock;
        while (i < n && old[done + i] == part[i])
            ++i;
        done += i;
        if (i < part.size())
            return done;
    }
    return done;
}

qsizetype common_suffix(const QByteArray& old, const Parts& parts, qsizetype limit) {
    const qsizetype size = total(parts);
    qsizetype n = 0;
    constexpr qsizetype kBlock = 4096;
    // Block by block while a block lies within one part, then byte by byte.
    while (n + kBlock <= limit) {
        const qsizetype at = size - n - kBlock;
        if (at < parts[0].size() && at + kBlock > parts[0].size())
            break;
        const char* mine =
            at < parts[0].size() ? parts[0].data() + at : parts[1].data() + (at - parts[0].size());
        if (std::memcmp(old.constData() + old.size() - n - kBlock, mine, kBlock) != 0)
            break;
        n += kBlock;
    }
    while (n < limit && old[old.size() - n - 1] == byte_at(parts, size - n - 1))
        ++n;
    return n;
}

} // namespace text_parts
