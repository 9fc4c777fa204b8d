#include "editor/long_line_styling.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>

namespace {

using Sci = QsciScintillaBase;

// Styles 1 and 2 alternate every kGroup characters; 3 parts two groups that
// would otherwise meet in one style.
constexpr int kGroup = 2;
constexpr int kLookAlikes[] = {1, 2, 3};
// Runs of new text shorter than this stay in style 0.
constexpr qsizetype kShortRun = 16;
// Pieces of text whose widths Scintilla keeps: room for the pairs of
// characters a page uses, in both styles.
constexpr unsigned long kPositionCache = 32768;
constexpr unsigned long kDefaultPositionCache = 1024;

template <typename Char> bool long_line_in(const Char* text, qsizetype size) {
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            if (i - start > kLongLineLength)
                return true;
            start = i + 1;
        }
    }
    return size - start > kLongLineLength;
}

} // namespace

bool has_long_line(QByteArrayView text) {
    return long_line_in(text.data(), text.size());
}

bool has_long_line(QStringView text) {
    return long_line_in(text.utf16(), text.size());
}

LongLineStyling::LongLineStyling(QsciScintilla* editor) : QObject(editor), editor_(editor) {}

void LongLineStyling::set_enabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (!enabled) {
        disconnect(style_needed_);
        editor_->SendScintilla(Sci::SCI_SETCARETPERIOD, (unsigned long)blink_period_);
        editor_->SendScintilla(Sci::SCI_SETPOSITIONCACHE, kDefaultPositionCache);
        return;
    }
    // The look-alike styles take every attribute of style 0 that shows.
    char font[256] = {};
    editor_->SendScintilla(Sci::SCI_STYLEGETFONT, 0UL, static_cast<void*>(font));
    for (const int style : kLookAlikes) {
        auto copy = [&](int get, int set) {
            editor_->SendScintilla(set, (unsigned long)style, editor_->SendScintilla(get, 0UL, 0L));
        };
        editor_->SendScintilla(Sci::SCI_STYLESETFONT, (unsigned long)style, font);
        copy(Sci::SCI_STYLEGETSIZEFRACTIONAL, Sci::SCI_STYLESETSIZEFRACTIONAL);
        copy(Sci::SCI_STYLEGETWEIGHT, Sci::SCI_STYLESETWEIGHT);
        copy(Sci::SCI_STYLEGETITALIC, Sci::SCI_STYLESETITALIC);
        copy(Sci::SCI_STYLEGETFORE, Sci::SCI_STYLESETFORE);
        copy(Sci::SCI_STYLEGETBACK, Sci::SCI_STYLESETBACK);
        copy(Sci::SCI_STYLEGETCHARACTERSET, Sci::SCI_STYLESETCHARACTERSET);
    }
    editor_->SendScintilla(Sci::SCI_SETPOSITIONCACHE, kPositionCache);
    blink_period_ = editor_->SendScintilla(Sci::SCI_GETCARETPERIOD);
    editor_->SendScintilla(Sci::SCI_SETCARETPERIOD, 0UL);
    style_needed_ = connect(editor_, &QsciScintillaBase::SCN_STYLENEEDED, this,
                            [this](int position) { style_new_text(position); });
}

void LongLineStyling::catch_up() {
    if (enabled_)
        style_new_text(editor_->SendScintilla(Sci::SCI_GETLENGTH));
}

void LongLineStyling::style_new_text(qsizetype needed_to) {
    const auto length = qsizetype(editor_->SendScintilla(Sci::SCI_GETLENGTH));
    const auto start = qsizetype(editor_->SendScintilla(Sci::SCI_GETENDSTYLED));
    // Everything before the first change since the last styling is styled;
    // new text is the run of style 0 from there.
    qsizetype end = start;
    QByteArray chunk;
    while (end < length) {
        const qsizetype size = std::min<qsizetype>(4096, length - end);
        chunk.resize(2 * size + 2);
        editor_->SendScintilla(Sci::SCI_GETSTYLEDTEXT, long(end), long(end + size), chunk.data());
        qsizetype i = 0;
        while (i < size && chunk[2 * i + 1] == 0)
            ++i;
        end += i;
        if (i < size)
            break;
    }
    if (end - start >= kShortRun) {
        const auto style_at = [this](qsizetype at) {
            return int(editor_->SendScintilla(Sci::SCI_GETSTYLEAT, (unsigned long)at));
        };
        const int before = start > 0 ? style_at(start - 1) : 0;
        const int after = end < length ? style_at(end) : 0;
        const char* text = reinterpret_cast<const char*>(editor_->SendScintilla(
            Sci::SCI_GETRANGEPOINTER, (unsigned long)start, long(end - start)));
        QByteArray styles(end - start, Qt::Uninitialized);
        char style = before == 1 ? 2 : 1;
        int in_group = 0;
        qsizetype last_group = 0;
        for (qsizetype i = 0; i < styles.size(); ++i) {
            // Continuation bytes of UTF-8 keep their character's style.
            if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && in_group++ == kGroup) {
                style = style == 1 ? 2 : 1;
                in_group = 1;
                last_group = i;
            }
            styles[i] = style;
        }
        if (style == after)
            std::fill(styles.begin() + last_group, styles.end(), char(3));
        editor_->SendScintilla(Sci::SCI_STARTSTYLING, (unsigned long)start);
        editor_->SendScintilla(Sci::SCI_SETSTYLINGEX, (unsigned long)styles.size(),
                               styles.constData());
    }
    // The rest keeps the styles it has: nothing to do up to where Scintilla
    // wants styling.
    editor_->SendScintilla(Sci::SCI_STARTSTYLING,
                           (unsigned long)std::clamp(std::max(end, needed_to), start, length));
}
