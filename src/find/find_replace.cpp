#include "find/find_replace.h"

#include <QStringView>
#include <algorithm>

namespace {

Qt::CaseSensitivity sensitivity(const FindOptions& options) {
    return options.case_sensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

bool is_word_code_point(char32_t c) {
    if (c == U'_' || QChar::isLetterOrNumber(c))
        return true;
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

// The code point that ends just before `position`, or nothing at the start.
std::optional<char32_t> code_point_before(const QString& text, qsizetype position) {
    if (position <= 0)
        return std::nullopt;
    const QChar last = text.at(position - 1);
    if (last.isLowSurrogate() && position >= 2 && text.at(position - 2).isHighSurrogate())
        return QChar::surrogateToUcs4(text.at(position - 2), last);
    return last.unicode();
}

// The code point that begins at `position`, or nothing at the end.
std::optional<char32_t> code_point_at(const QString& text, qsizetype position) {
    if (position >= text.size())
        return std::nullopt;
    const QChar first = text.at(position);
    if (first.isHighSurrogate() && position + 1 < text.size() &&
        text.at(position + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(first, text.at(position + 1));
    return first.unicode();
}

// A place where the text may be cut: not inside a surrogate pair, not
// between the CR and the LF of a line break.
bool is_boundary(const QString& text, qsizetype position) {
    if (position <= 0 || position >= text.size())
        return true;
    const QChar before = text.at(position - 1);
    const QChar after = text.at(position);
    if (before.isHighSurrogate() && after.isLowSurrogate())
        return false;
    return !(before == u'\r' && after == u'\n');
}

bool word_continues(std::optional<char32_t> inside, std::optional<char32_t> outside) {
    return inside && outside && is_word_code_point(*inside) && is_word_code_point(*outside);
}

bool is_whole_word(const QString& text, qsizetype start, qsizetype end) {
    if (word_continues(code_point_at(text, start), code_point_before(text, start)))
        return false;
    return !word_continues(code_point_before(text, end), code_point_at(text, end));
}

// The first match starting at or after `from`, or -1.
qsizetype first_match_from(const QString& text, const QString& needle, qsizetype from,
                           const FindOptions& options) {
    qsizetype candidate = text.indexOf(needle, from, sensitivity(options));
    while (candidate >= 0 && !matches_at(text, needle, candidate, options))
        candidate = text.indexOf(needle, candidate + 1, sensitivity(options));
    return candidate;
}

// The last match ending at or before `limit`, or -1.
qsizetype last_match_until(const QString& text, const QString& needle, qsizetype limit,
                           const FindOptions& options) {
    const qsizetype latest_start = limit - needle.size();
    if (latest_start < 0)
        return -1;
    // lastIndexOf() reads a negative start as "from the end": never pass one.
    qsizetype candidate = text.lastIndexOf(needle, latest_start, sensitivity(options));
    while (candidate >= 0 && !matches_at(text, needle, candidate, options)) {
        if (candidate == 0)
            return -1;
        candidate = text.lastIndexOf(needle, candidate - 1, sensitivity(options));
    }
    return candidate;
}

} // namespace

bool matches_at(const QString& text, const QString& needle, qsizetype start,
                const FindOptions& options) {
    if (needle.isEmpty() || start < 0 || start > text.size() - needle.size())
        return false;
    const qsizetype end = start + needle.size();
    if (QStringView(text).sliced(start, needle.size()).compare(needle, sensitivity(options)) != 0)
        return false;
    if (!is_boundary(text, start) || !is_boundary(text, end))
        return false;
    return !options.whole_word || is_whole_word(text, start, end);
}

std::optional<TextMatch> find_next(const QString& text, const QString& needle, qsizetype from,
                                   const FindOptions& options) {
    if (needle.isEmpty())
        return std::nullopt;
    from = std::clamp<qsizetype>(from, 0, text.size());
    if (const qsizetype start = first_match_from(text, needle, from, options); start >= 0)
        return TextMatch{start, needle.size(), false};
    if (const qsizetype start = first_match_from(text, needle, 0, options); start >= 0)
        return TextMatch{start, needle.size(), true};
    return std::nullopt;
}

std::optional<TextMatch> find_previous(const QString& text, const QString& needle, qsizetype from,
                                       const FindOptions& options) {
    if (needle.isEmpty())
        return std::nullopt;
    from = std::clamp<qsizetype>(from, 0, text.size());
    if (const qsizetype start = last_match_until(text, needle, from, options); start >= 0)
        return TextMatch{start, needle.size(), false};
    if (const qsizetype start = last_match_until(text, needle, text.size(), options); start >= 0)
        return TextMatch{start, needle.size(), true};
    return std::nullopt;
}

QList<qsizetype> find_all(const QString& text, const QString& needle, const FindOptions& options) {
    QList<qsizetype> starts;
    if (needle.isEmpty())
        return starts;
    for (qsizetype start = first_match_from(text, needle, 0, options); start >= 0;
         start = first_match_from(text, needle, start + needle.size(), options))
        starts.append(start);
    return starts;
}

ReplaceResult replace_all(const QString& text, const QString& needle, const QString& replacement,
                          const FindOptions& options) {
    const QList<qsizetype> starts = find_all(text, needle, options);
    if (starts.isEmpty())
        return {text, 0};
    QString result;
    result.reserve(text.size() + starts.size() * (replacement.size() - needle.size()));
    qsizetype copied = 0;
    for (const qsizetype start : starts) {
        result.append(QStringView(text).sliced(copied, start - copied));
        result.append(replacement);
        copied = start + needle.size();
    }
    result.append(QStringView(text).sliced(copied));
    return {result, starts.size()};
}

qsizetype position_after_replace(qsizetype position, const QList<qsizetype>& starts,
                                 qsizetype needle_length, qsizetype replacement_length) {
    qsizetype shift = 0;
    for (const qsizetype start : starts) {
        if (start >= position)
            break;
        if (start + needle_length > position)
            return start + shift;
        shift += replacement_length - needle_length;
    }
    return position + shift;
}
