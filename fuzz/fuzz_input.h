#pragma once

// Turning libFuzzer's bytes into the program's inputs.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace fuzz {

// The bytes read as UTF-16 units, two bytes a unit: any QString at all,
// lone surrogates included.
inline QString utf16_text(const uint8_t* data, size_t size) {
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, (size / 2) * 2);
    return text;
}

// Reads the input from the front, a piece at a time; past the end every
// read gives zeros.
class Reader {
  public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint32_t u32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v = v << 8 | byte();
        return v;
    }
    // Up to `max` UTF-16 units.
    QString text(int max) {
        const int n = byte() % (max + 1);
        QString out;
        for (int i = 0; i < n && !empty(); ++i) {
            const uint8_t b = byte();
            // Mostly ASCII, with the characters that matter to markup and encodings.
            static const char16_t extra[] = {u' ',   u'\t',  u'\r', u'\n', u'"',   u'<',
                                             u'>',   u'&',   u'è',  u'€',  0xD83D, 0xDE00,
                                             0x2122, 0xFEFF, u'.',  u'-'};
            out += b < 0xF0 ? QChar(char16_t(0x20 + b % 0x5F)) : QChar(extra[b & 0x0F]);
        }
        return out;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Stops the fuzzer with a message when an invariant does not hold.
[[noreturn]] inline void fail(const char* what, const QString& detail = {}) {
    std::fprintf(stderr, "invariant broken: %s\n%s\n", what, qPrintable(detail));
    std::abort();
}

inline void check(bool ok, const char* what, const QString& detail = {}) {
    if (!ok)
        fail(what, detail);
}

} // namespace fuzz
