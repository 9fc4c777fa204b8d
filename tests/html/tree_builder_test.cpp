// The tree builder reads a page as the browser of the pane does, as far as it
// follows the browser's rules.

#include "html/tree_builder.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace {

qsizetype stopped_at(const QByteArray& page) {
    html::TagNames names;
    std::vector<html::Node> nodes;
    html::TreeBuilder builder(page.constData(), page.size(), names, nodes);
    builder.build();
    return builder.stopped_at();
}

} // namespace

// Where the browser nests no deeper (it puts elements past 512 levels beside
// their parent) the model stops, and a page 100,000 deep is not read through.
TEST(TreeBuilderDepth, StopsWhereTheBrowserStopsNesting) {
    for (const auto& [depth, read_whole] : {std::pair{400, true}, {600, false}, {100000, false}}) {
        const QByteArray page = QByteArray("<div>").repeated(depth) + "x";
        EXPECT_EQ(stopped_at(page) < 0, read_whole) << depth;
    }
}
