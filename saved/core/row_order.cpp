#include "row_order.h"

#include <QCollator>
#include <QCollatorSortKey>

#include <numeric>

namespace kesvane {

std::vector<int> collated_order(const std::vector<QString>& keys, bool ascending,
                                const QLocale& locale) {
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);

    std::vector<QCollatorSortKey> sort_keys;
    sort_keys.reserve(keys.size());
    for (const QString& key : keys) {
        sort_keys.push_back(collator.sortKey(key));
    }
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return ascending ? sort_keys[a].compare(sort_keys[b]) < 0
                         : sort_keys[b].compare(sort_keys[a]) < 0;
    });
    return order;
}

} // namespace kesvane
