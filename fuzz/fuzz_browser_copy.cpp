// The copy of the preview for external browsers: any bytes give a copy that
// is the text with the <base> put in once and the copy's own address put
// before some '#' characters, nothing else changed.

#include "document/browser_copy.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray self = "file:///zz-copia.htm";
    if (text.contains(self) || text.contains("<base href=") || text.contains("/zz-cache/run-"))
        return 0;
    const QByteArray copy = browser_copy(text, QUrl::fromLocalFile(QStringLiteral("/sito/a b.htm")),
                                         QUrl::fromLocalFile(QStringLiteral("/zz-copia.htm")),
                                         QStringLiteral("/zz-cache/tmp.css"));
    const QByteArray base = "<base href=\"file:///sito/a%20b.htm\">";
    const qsizetype at = copy.indexOf(base);
    fuzz::check(at >= 0 && copy.indexOf(base, at + 1) < 0, "one <base>", QString::fromLatin1(copy));
    QByteArray back = copy;
    back.remove(at, base.size()).replace(self + '#', "#");
    fuzz::check(back == text, "nothing else changes", QString::fromLatin1(copy));
    return 0;
}
