#include "commands/number.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

bool is_blank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool is_digit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Exponents are kept within this bound while they are read: any number whose
// exponent reaches it is already 0 or beyond the range of double, so longer
// exponents (or ones padded with zeros) cannot change the result.
constexpr long long kExponentBound = 1'000'000'000;

// Walks an answer from the left, skipping the blanks that may stand anywhere
// inside a number.
class NumberScanner {
  public:
    explicit NumberScanner(QStringView text) : text_(text) {}

    // The character at the reading position after any blanks, or NUL at the end.
    QChar peek() {
        while (pos_ < text_.size() && is_blank(text_[pos_]))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_] : QChar();
    }
    void take() { ++pos_; }

    // Appends the run of digits at the reading position; returns how many.
    qsizetype digits(std::string& out) {
        qsizetype count = 0;
        while (is_digit(peek())) {
            out += char(text_[pos_].unicode());
            take();
            ++count;
        }
        return count;
    }

    // An optional sign; true for "-".
    bool sign() {
        const QChar c = peek();
        if (c != u'+' && c != u'-')
            return false;
        take();
        return c == u'-';
    }

  private:
    QStringView text_;
    qsizetype pos_ = 0;
};

// The exponent after the mantissa, or 0 when no complete exponent follows
// (an "e" without digits is not part of the number).
long long read_exponent(NumberScanner& scan) {
    const QChar e = scan.peek();
    if (e != u'e' && e != u'E')
        return 0;
    scan.take();
    const bool negative = scan.sign();
    long long value = 0;
    bool any = false;
    while (is_digit(scan.peek())) {
        const QChar c = scan.peek();
        value = std::min(value * 10 + (c.unicode() - u'0'), kExponentBound);
        scan.take();
        any = true;
    }
    if (!any)
        return 0;
    return negative ? -value : value;
}

} // namespace

double read_number(QStringView answer) {
    // The number is gathered as "[-]digits" and a power of ten, so the final
    // conversion never meets a decimal separator and no locale applies.
    NumberScanner scan(answer);
    const bool negative = scan.sign();
    std::string digits;
    const qsizetype whole = scan.digits(digits);
    qsizetype fraction = 0;
    if (scan.peek() == u'.') {
        scan.take();
        fraction = scan.digits(digits);
    }
    if (whole == 0 && fraction == 0)
        return 0.0;
    const long long exponent = read_exponent(scan) - static_cast<long long>(fraction);
    const std::string text = (negative ? "-" : "") + digits + 'e' + std::to_string(exponent);
    return std::strtod(text.c_str(), nullptr);
}

QString format_number(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<long long>(value));
    // Shortest text that reads back as the same double, always with '.'.
    QString text = QString::number(value, 'g', 17);
    for (int precision = 1; precision <= 17; ++precision) {
        const QString candidate = QString::number(value, 'g', precision);
        if (candidate.toDouble() == value) {
            text = candidate;
            break;
        }
    }
    const qsizetype e = text.indexOf(u'e');
    if (e >= 0) {
        // Large or tiny numbers: move the decimal point by hand so that the
        // markup holds plain decimal digits.
        const int exponent = text.mid(e + 1).toInt();
        QString mantissa = text.left(e);
        const bool negative = mantissa.startsWith(u'-');
        if (negative)
            mantissa.remove(0, 1);
        const qsizetype dot = mantissa.indexOf(u'.');
        QString digits = mantissa;
        qsizetype point = mantissa.size();
        if (dot >= 0) {
            digits.remove(dot, 1);
            point = dot;
        }
        point += exponent;
        if (point <= 0) {
            digits = QStringLiteral("0.") + QString(-point, u'0') + digits;
        } else if (point >= digits.size()) {
            digits += QString(point - digits.size(), u'0');
        } else {
            digits.insert(point, u'.');
        }
        text = negative ? QStringLiteral("-") + digits : digits;
    }
    return text;
}

std::optional<QString> numeric_value(const QString& answer) {
    const double value = read_number(answer.trimmed());
    if (!std::isfinite(value) || !(value > 0))
        return std::nullopt;
    return format_number(value);
}
