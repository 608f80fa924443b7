#pragma once

#include <QTest>

#include <initializer_list>
#include <iterator>
#include <tuple>
#include <utility>

// A data table known by its column types alone: constructing it in a `_data()` function adds
// the columns, calling it adds a row on one line, and `fetch()` gives the current row's values
// in order, for a structured binding in the test.
template <typename... T> class Cases {
public:
    Cases() { declare(std::index_sequence_for<T...>()); }

    void operator()(const char* tag, T... values) const { (QTest::newRow(tag) << ... << values); }

    static std::tuple<T...> fetch() { return read(std::index_sequence_for<T...>()); }

private:
    // Qt Test keeps the pointer to a column's name, so the names must live for good.
    static constexpr const char* Names[] = {"c0", "c1", "c2", "c3", "c4", "c5", "c6", "c7"};
    static_assert(sizeof...(T) <= std::size(Names));

    template <std::size_t... I> static void declare(std::index_sequence<I...>) {
        (QTest::addColumn<T>(Names[I]), ...);
    }
    template <std::size_t... I> static std::tuple<T...> read(std::index_sequence<I...>) {
        return {*static_cast<T*>(QTest::qData(Names[I], qMetaTypeId<T>()))...};
    }
};

// A table of one text column, "row", each row named by its own text.
inline void selfNamedRows(std::initializer_list<const char*> rows) {
    QTest::addColumn<QString>("row");
    for (const char* row : rows)
        QTest::newRow(row) << QString::fromUtf8(row);
}
