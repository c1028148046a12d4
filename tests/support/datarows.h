#pragma once

#include <QTest>

#include <tuple>

// Data-driven tests in few lines. The rows of a table are a name and the values:
//     using R = Row<int, QString>;
//     rows(R{"one", 1, "one"}, R{"two", 2, "two"});
// and the test takes the values of its row back with
//     const auto [count, text] = fetch<int, QString>();
template <typename... T> using Row = std::tuple<const char*, T...>;

template <typename... T, typename... More> void rows(const Row<T...>& first, const More&... more) {
    QTest::addColumn<std::tuple<T...>>("row");
    for (const Row<T...>& r : {first, Row<T...>(more)...}) {
        std::apply([](const char* name,
                      const T&... values) { QTest::newRow(name) << std::tuple<T...>(values...); },
                   r);
    }
}

template <typename... T> std::tuple<T...> fetch() {
    return *static_cast<std::tuple<T...>*>(QTest::qData("row", qMetaTypeId<std::tuple<T...>>()));
}
