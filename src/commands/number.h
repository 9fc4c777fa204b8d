#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Reads the leading number of an answer, whatever the user's locale: optional
// sign, digits, a full stop with more digits, an optional exponent. Spaces and
// tabs inside are skipped; reading stops at the first character that cannot
// continue the number. Text without a leading number reads 0.
// A number beyond the range of double reads as infinity.
double read_number(QStringView answer);

// Writes a number as markup: whole numbers as plain digits ("12"), others with a
// full stop and no trailing zeros ("2.5").
QString format_number(double value);

// The attribute value of a numeric answer: the number read from the trimmed
// answer, formatted, when it is finite and greater than 0; nothing otherwise.
std::optional<QString> numeric_value(const QString& answer);
