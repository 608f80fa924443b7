#pragma once

#include <QStringList>
#include <QTest>

#include <initializer_list>
#include <utility>

// A data table of one column: each row names its case and gives its values joined by spaces.
inline void rows(std::initializer_list<std::pair<const char*, QString>> all) {
    QTest::addColumn<QString>("row");
    for (const auto& [name, values] : all)
        QTest::newRow(name) << values;
}

// The current row's values.
inline QStringList rowValues() {
    QFETCH(QString, row);
    return row.split(QLatin1Char(' '));
}
