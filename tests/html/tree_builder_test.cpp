// The tree builder reads a page as the browser of the pane does, as far as it
// follows the browser's rules.

#include "html/tree_builder.h"

#include <QByteArray>
#include <gtest/gtest.h>

// Where the browser nests no deeper (it puts elements past 512 levels beside
// their parent) the model stops, so a change there loads the page again, and
// a page 100,000 deep is not read through at each change.
TEST(TreeBuilderDepth, StopsWhereTheBrowserStopsNesting) {
    for (const auto& [depth, read_whole] : {std::pair{400, true}, {600, false}, {100000, false}}) {
        const QByteArray page = QByteArray("<div>").repeated(depth) + "x";
        html::TagNames names;
        std::vector<html::Node> nodes;
        html::TreeBuilder builder(page.constData(), page.size(), names, nodes);
        builder.build();
        EXPECT_EQ(builder.stopped_at() < 0, read_whole) << depth;
    }
}
