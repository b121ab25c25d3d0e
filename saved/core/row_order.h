// Orders of rows: one row moved to another place, and rows sorted by their
// keys in a locale's collation order.
#pragma once

#include <QLocale>
#include <QString>

#include <algorithm>
#include <vector>

namespace kesvane {

// Takes element `from` out and puts it back at index `to`; the elements
// between shift by one place. Indexes outside the vector change nothing.
template <class T> void move_element(std::vector<T>& items, int from, int to) {
    const int size = static_cast<int>(items.size());
    if (from < 0 || to < 0 || from >= size || to >= size || from == to) {
        return;
    }
    const auto first = items.begin();
    if (from < to) {
        std::rotate(first + from, first + from + 1, first + to + 1);
    } else {
        std::rotate(first + to, first + from, first + from + 1);
    }
}

// The indexes of `keys` in sorted order: compared as texts by `locale`'s
// collation, letter case significant, digits as characters. Equal keys keep
// their order. Each key's collation key is computed once.
std::vector<int> collated_order(const std::vector<QString>& keys, bool ascending,
                                const QLocale& locale);

} // namespace kesvane
