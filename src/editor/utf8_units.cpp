#include "editor/utf8_units.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace utf8_units {

namespace {

// Positions are converted by counting over Scintilla's own UTF-8 buffer, eight
// bytes at a time: Scintilla's own counting messages go a character at a time
// (a tenth of the speed, felt on every keystroke of a large document) and
// count U+FFFE and U+FFFF as three units each where QString counts one.
//
// In valid UTF-8 every byte that is not a continuation byte (10xxxxxx) starts
// a character of one UTF-16 unit, and a four-byte lead (11110xxx) starts one
// of two units.

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

inline std::uint64_t load8(const char* s) {
    std::uint64_t word;
    std::memcpy(&word, s, sizeof word);
    return word;
}

// Bit 7 of each byte that starts a character, and of each four-byte lead.
inline std::uint64_t starts(std::uint64_t w) {
    return ~(w & ~(w << 1)) & kHighBits;
}
inline std::uint64_t four_byte_leads(std::uint64_t w) {
    return w & (w << 1) & (w << 2) & (w << 3) & kHighBits;
}

// How many bytes have bit 7 set in a word where no other bit is set: a
// multiplication adds the bytes up into the top one (no POPCNT needed, which
// the baseline x86-64 does not have).
inline int count_high_bits(std::uint64_t w) {
    return int(((w >> 7) * 0x0101010101010101ULL) >> 56);
}

inline int units_of_byte(unsigned char c) {
    if ((c & 0xC0) == 0x80)
        return 0;
    return c >= 0xF0 ? 2 : 1;
}

} // namespace

qsizetype count(const char* s, qsizetype n) {
    qsizetype units = 0, i = 0;
    for (; i + 8 <= n; i += 8) {
        const std::uint64_t w = load8(s + i);
        units += count_high_bits(starts(w)) + count_high_bits(four_byte_leads(w));
    }
    for (; i < n; ++i)
        units += units_of_byte(static_cast<unsigned char>(s[i]));
    return units;
}

qsizetype find(const char* s, qsizetype n, qsizetype* wanted) {
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        const std::uint64_t w = load8(s + i);
        const int units = count_high_bits(starts(w)) + count_high_bits(four_byte_leads(w));
        // Stop a word early: the answer may sit at any byte within it.
        if (units >= *wanted)
            break;
        *wanted -= units;
    }
    for (; i < n; ++i) {
        const int units = units_of_byte(static_cast<unsigned char>(s[i]));
        if (units == 0)
            continue;
        if (*wanted < units)
            return i;
        *wanted -= units;
    }
    return *wanted == 0 ? n : -1;
}

QString decode(QByteArrayView first, QByteArrayView second) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    // UTF-16 never takes more units than UTF-8 takes bytes.
    QString text(first.size() + second.size(), Qt::Uninitialized);
    QChar* end = decoder.appendToBuffer(text.data(), first);
    end = decoder.appendToBuffer(end, second);
    text.truncate(end - text.constData());
    return text;
}

qsizetype between(const std::array<QByteArrayView, 2>& parts, qsizetype from, qsizetype to) {
    const QByteArrayView first = parts[0], second = parts[1];
    auto split = [first](qsizetype end) {
        const qsizetype in_first = std::min(end, first.size());
        return std::pair(in_first, end - in_first);
    };
    const auto [a1, a2] = split(from);
    const auto [b1, b2] = split(to);
    return count(first.data() + a1, b1 - a1) + count(second.data() + a2, b2 - a2);
}

qsizetype to_units(const std::array<QByteArrayView, 2>& parts, qsizetype byte_position) {
    return between(parts, 0,
                   qBound<qsizetype>(0, byte_position, parts[0].size() + parts[1].size()));
}

qsizetype to_bytes(const std::array<QByteArrayView, 2>& parts, qsizetype unit_position) {
    if (unit_position <= 0)
        return 0;
    const QByteArrayView first = parts[0], second = parts[1];
    qsizetype wanted = unit_position;
    const qsizetype in_first = find(first.data(), first.size(), &wanted);
    if (in_first >= 0)
        return in_first;
    const qsizetype in_second = find(second.data(), second.size(), &wanted);
    // Beyond the end: the end.
    return first.size() + (in_second >= 0 ? in_second : second.size());
}

} // namespace utf8_units
