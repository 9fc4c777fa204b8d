// Colour texts: any colour number gives "#" and six upper-case hexadecimal
// digits, red first, that read back as the number's 24 colour bits.

#include "dialogs/colour_text.h"
#include "fuzz_input.h"

#if __has_include("css_editor/rule_text.h")
#include "css_editor/rule_text.h"
#define MARKLET_FUZZ_CSS_COLOUR 1
#endif

namespace {

void check_text(const QString& text, unsigned colour) {
    fuzz::check(text.size() == 7 && text[0] == u'#', "colour text shape", text);
    for (int i = 1; i < 7; ++i) {
        const QChar c = text[i];
        fuzz::check((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'), "upper-case hex", text);
    }
    bool ok = false;
    const unsigned red = text.mid(1, 2).toUInt(&ok, 16);
    const unsigned green = text.mid(3, 2).toUInt(&ok, 16);
    const unsigned blue = text.mid(5, 2).toUInt(&ok, 16);
    fuzz::check(colour_number(int(red), int(green), int(blue)) == (colour & 0xFFFFFFu),
                "colour text reads back", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Reader in(data, size);
    while (!in.empty()) {
        const unsigned colour = in.u32();
        check_text(colour_text(colour), colour);
#ifdef MARKLET_FUZZ_CSS_COLOUR
        check_text(sistema_colore(colour), colour);
#endif
    }
    return 0;
}
