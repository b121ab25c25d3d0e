#include "catalogue.h"

#include "gbk_codec.h"

#include <algorithm>

namespace kesvane {

const std::array<CourierEntry, kCourierCount>& courier_catalogue() {
    static const std::array<CourierEntry, kCourierCount> entries{{
        {0, "中通", 1, Road::Api, "zhongtong"},
        {1, "天天", 2, Road::Api, "tiantian"},
        {2, "申通", 3, Road::Page, ""},
        {3, "韵达", 10, Road::Api, "yunda"},
        {4, "汇通", 4, Road::Api, "huitongkuaidi"},
        {5, "圆通", 20, Road::Api, "yuantong"},
        {6, "顺丰", 21, Road::Page, ""},
        {7, "EMS", 22, Road::Page, ""},
        {8, "亚风", 8, Road::Api, "yafengsudi"},
        {9, "飞康达", 9, Road::Api, "feikangda"},
        {10, "速尔", 11, Road::Api, "suer"},
        {11, "德邦", 16, Road::Api, "debangwuliu"},
        {12, "新邦", 17, Road::Api, "xinbangwuliu"},
        {13, "鑫飞鸿", 5, Road::Api, "xinhongyukuaidi"},
        {14, "宅急送", 18, Road::Api, "zhaijisong"},
        {15, "快捷", 23, Road::Api, "kuaijiesudi"},
        {16, "DHL", 14, Road::Api, "dhl"},
        {17, "TNT", 13, Road::Api, "TNT"},
        {18, "中邮物流", 24, Road::Api, "zhongyouwuliu"},
        {19, "中铁", 7, Road::Api, "zhongtiewuliu"},
        {20, "星辰", 15, Road::Api, "xingchengjibian"},
        {21, "FEDEX", 6, Road::Api, "FEDEX"},
        {22, "中国邮政", 12, Road::ChinaPost, ""},
        {23, "广东邮政", 19, Road::Api, "guangdongyouzhengwuliu"},
    }};
    return entries;
}

const std::array<int, kCourierCount>& precedence_order() {
    static const std::array<int, kCourierCount> order = [] {
        std::array<int, kCourierCount> result{};
        for (const CourierEntry& entry : courier_catalogue()) {
            result[static_cast<size_t>(entry.precedence - 1)] = entry.index;
        }
        return result;
    }();
    return order;
}

int courier_index_by_name(std::string_view gbk_name) {
    for (const CourierEntry& entry : courier_catalogue()) {
        if (gbk(entry.name) == gbk_name) {
            return entry.index;
        }
    }
    return -1;
}

} // namespace kesvane
