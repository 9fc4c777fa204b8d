// The live preview's source map on any document and any change: it never
// hangs or reads out of bounds, and after a patched change it is the map a
// fresh reading of the new text gives.
//
// Input: a document, a byte 0xFF, the text to put in; the last two bytes
// give where the change goes and how much it takes out.

#include "preview/source_map.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size - 2));
    const qsizetype split = input.indexOf('\xff');
    const QByteArray before = split < 0 ? input : input.left(split);
    const QByteArray insert = split < 0 ? QByteArray() : input.mid(split + 1);
    const qsizetype at = before.isEmpty() ? 0 : data[size - 2] % (before.size() + 1);
    const qsizetype removed = std::min<qsizetype>(data[size - 1] % 16, before.size() - at);
    QByteArray after = before;
    after.replace(at, removed, insert);

    SourceMap map;
    map.rebuild({QByteArrayView(before), QByteArrayView()});
    SourceMap::Patch patch;
    if (map.update({QByteArrayView(after), QByteArrayView()}, &patch) !=
        SourceMap::Outcome::Patched)
        return 0;
    SourceMap fresh;
    fresh.rebuild({QByteArrayView(after), QByteArrayView()});
    if (map.nodes().size() != fresh.nodes().size() || map.body_digest() != fresh.body_digest())
        std::abort();
    for (size_t i = 1; i < fresh.nodes().size(); ++i) {
        const html::Node &a = map.nodes()[i], &b = fresh.nodes()[i];
        if (a.start != b.start || a.content_start != b.content_start ||
            a.content_end != b.content_end || a.end != b.end || a.parent != b.parent ||
            a.subtree_end != b.subtree_end || a.flags != b.flags || a.mode != b.mode)
            std::abort();
    }
    return 0;
}
