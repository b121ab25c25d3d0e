// The 24 couriers of the check list, their query order and their roads.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kesvane {

enum class Road { Api, Page, ChinaPost };

struct CourierEntry {
    int index;             // position in the check list
    std::string_view name; // display name, UTF-8 (gbk() turns it into the stored text)
    int precedence;        // 1 is examined first
    Road road;
    std::string_view company_code; // API road only
};

inline constexpr int kCourierCount = 24;
inline constexpr int kEmsIndex = 7;
inline constexpr int kChinaPostIndex = 22;

// Index order, as the check list shows them.
const std::array<CourierEntry, kCourierCount>& courier_catalogue();

// Indexes in the order a query examines the ticks.
const std::array<int, kCourierCount>& precedence_order();

// The check-list index whose display name is exactly `gbk_name`; -1 when none.
int courier_index_by_name(std::string_view gbk_name);

} // namespace kesvane
