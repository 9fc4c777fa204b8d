#include "commands/number.h"

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

} // namespace

double read_number(QStringView answer) {
    // Collect the longest prefix that forms a number, skipping blanks, into a
    // plain ASCII buffer; then convert it with the C locale's rules.
    std::string buf;
    qsizetype i = 0;
    const qsizetype n = answer.size();
    auto skip = [&] {
        while (i < n && is_blank(answer[i]))
            ++i;
    };
    skip();
    if (i < n && (answer[i] == u'+' || answer[i] == u'-')) {
        buf += char(answer[i].unicode());
        ++i;
        skip();
    }
    bool digits = false;
    while (i < n && (is_digit(answer[i]) || is_blank(answer[i]))) {
        if (is_digit(answer[i])) {
            buf += char(answer[i].unicode());
            digits = true;
        }
        ++i;
    }
    if (i < n && answer[i] == u'.') {
        qsizetype j = i + 1;
        std::string frac;
        while (j < n && (is_digit(answer[j]) || is_blank(answer[j]))) {
            if (is_digit(answer[j]))
                frac += char(answer[j].unicode());
            ++j;
        }
        if (digits || !frac.empty()) {
            buf += '.';
            buf += frac;
            digits = true;
            i = j;
        }
    }
    if (!digits)
        return 0.0;
    if (i < n && (answer[i] == u'e' || answer[i] == u'E')) {
        qsizetype j = i + 1;
        while (j < n && is_blank(answer[j]))
            ++j;
        std::string exp = "e";
        if (j < n && (answer[j] == u'+' || answer[j] == u'-')) {
            exp += char(answer[j].unicode());
            ++j;
        }
        bool exp_digits = false;
        while (j < n && (is_digit(answer[j]) || is_blank(answer[j]))) {
            if (is_digit(answer[j])) {
                exp += char(answer[j].unicode());
                exp_digits = true;
            }
            ++j;
        }
        if (exp_digits)
            buf += exp;
    }
    // The buffer holds only ASCII digits, sign, '.' and 'e': the C conversion
    // below is independent of the locale's decimal separator because it is
    // parsed by hand when a '.' is present.
    const auto dot = buf.find('.');
    if (dot == std::string::npos)
        return std::strtod(buf.c_str(), nullptr);
    // Rebuild as mantissa digits and a power of ten so that no locale applies.
    const auto e = buf.find('e');
    std::string mantissa = buf.substr(0, e);
    long long exponent = 0;
    if (e != std::string::npos) {
        const std::string ex = buf.substr(e + 1);
        // Clamp absurd exponents; they only make the result 0 or infinite.
        if (ex.size() > 7)
            exponent = (ex[0] == '-') ? -99999999 : 99999999;
        else
            exponent = std::stoll(ex);
    }
    const std::string int_part = mantissa.substr(0, dot);
    const std::string frac_part = mantissa.substr(dot + 1);
    const std::string joined = int_part + frac_part + "e" +
                               std::to_string(exponent - static_cast<long long>(frac_part.size()));
    return std::strtod(joined.c_str(), nullptr);
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
