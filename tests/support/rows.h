#pragma once

// Qt data tables of one column: each row is one aggregate on one line, and
// the test function takes it with QFETCH(Row, row).

#include <QtTest>

#include <initializer_list>
#include <utility>

template <typename Row> void rows(std::initializer_list<std::pair<const char*, Row>> table) {
    QTest::addColumn<Row>("row");
    for (const auto& [name, row] : table)
        QTest::newRow(name) << row;
}
