#include "document/utf16_text.h"

#include <QtEndian>

Utf16Bytes::Utf16Bytes(const QByteArray& bytes) : bytes_(bytes) {
    if (bytes.size() < 2 || bytes.size() % 2 != 0)
        return;
    if (bytes.startsWith("\xFF\xFE"))
        encoding_ = Encoding::Utf16Le;
    else if (bytes.startsWith("\xFE\xFF"))
        encoding_ = Encoding::Utf16Be;
    else
        return;
    const qsizetype n = units();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = unit(i);
        const bool lone_low = QChar::isLowSurrogate(u);
        if (lone_low ||
            (QChar::isHighSurrogate(u) && (++i == n || !QChar::isLowSurrogate(unit(i))))) {
            encoding_ = Encoding::Utf8;
            return;
        }
    }
}

char16_t Utf16Bytes::unit(qsizetype i) const {
    const auto* p = reinterpret_cast<const uchar*>(bytes_.constData()) + 2 + 2 * i;
    return encoding_ == Encoding::Utf16Le ? qFromLittleEndian<char16_t>(p)
                                          : qFromBigEndian<char16_t>(p);
}

QString Utf16Bytes::text() const {
    QString text(units(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < units(); ++i)
        out[i] = unit(i);
    return text;
}

LineBreak Utf16Bytes::line_break() const {
    qsizetype lf = 0, cr = 0, crlf = 0;
    bool last_cr = false;
    for (qsizetype i = 0; i < units(); ++i) {
        const bool is_lf = unit(i) == u'\n';
        lf += is_lf;
        crlf += last_cr && is_lf;
        last_cr = unit(i) == u'\r';
        cr += last_cr;
    }
    return most_frequent_break(lf, cr, crlf);
}

QByteArray encode_utf16(const QString& text, Encoding encoding) {
    QByteArray out(2 * (text.size() + 1), Qt::Uninitialized);
    auto* p = reinterpret_cast<uchar*>(out.data());
    const bool little = encoding == Encoding::Utf16Le;
    auto put = [&](qsizetype at, char16_t unit) {
        if (little)
            qToLittleEndian<char16_t>(unit, p + 2 * at);
        else
            qToBigEndian<char16_t>(unit, p + 2 * at);
    };
    put(0, 0xFEFF);
    for (qsizetype i = 0; i < text.size(); ++i)
        put(i + 1, text.at(i).unicode());
    return out;
}

LineBreak most_frequent_break(qsizetype all_lf, qsizetype all_cr, qsizetype crlf) {
    const qsizetype lf = all_lf - crlf, cr = all_cr - crlf;
    if (lf > crlf && lf > cr)
        return LineBreak::Lf;
    if (cr > crlf && cr > lf)
        return LineBreak::Cr;
    return LineBreak::CrLf;
}
