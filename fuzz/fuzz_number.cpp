// The numeric reader: any answer reads without a crash; a number written by
// format_number reads back as the same double; numeric_value gives plain
// decimal digits of a positive finite number, or nothing.

#include "commands/number.h"
#include "fuzz_input.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString answer = fuzz::utf16_text(data, size);
    const double read = read_number(answer);
    const auto value = numeric_value(answer);
    const double trimmed = read_number(answer.trimmed());
    fuzz::check(value.has_value() == (std::isfinite(trimmed) && trimmed > 0),
                "numeric_value answers exactly for positive finite numbers", answer);
    if (value) {
        for (const QChar c : *value)
            fuzz::check(c.isDigit() || c == u'.', "numeric value is plain decimal", *value);
        fuzz::check(value->count(u'.') <= 1, "at most one decimal point", *value);
        fuzz::check(read_number(*value) == trimmed, "numeric value reads back", *value);
    }
    if (std::isfinite(read))
        fuzz::check(read_number(format_number(read)) == read, "format_number round trip",
                    format_number(read));
    // Any double at all, from the raw bits.
    if (size >= 8) {
        double bits = 0;
        std::memcpy(&bits, data, 8);
        if (std::isfinite(bits)) {
            const QString text = format_number(bits);
            fuzz::check(read_number(text) == bits, "format_number round trip of raw double", text);
            fuzz::check(!text.contains(u'e') && !text.contains(u'E'), "no exponent", text);
        }
    }
    return 0;
}
