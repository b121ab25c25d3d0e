#include "kuaidi100_api.h"

#include "html_text.h"
#include "sample_history.h"

#include <algorithm>

namespace kesvane::standin {

namespace {

constexpr int kLongestSlowSeconds = 600;

const ApiCourier* find_courier(std::string_view code) {
    for (const auto& courier : api_couriers()) {
        if (equal_ignoring_ascii_case(courier.code, code)) {
            return &courier;
        }
    }
    return nullptr;
}

Reply text_reply(std::string text) {
    return {200, kUtf8Html, std::move(text), {}};
}

std::string history_table(const ApiCourier& courier, std::string_view number,
                          std::vector<TrackEvent> history, const ApiQuery& query) {
    if (query.order == "asc") {
        std::reverse(history.begin(), history.end());
    }
    if (query.muti == "0" && !history.empty()) {
        history.resize(1);
    }
    std::string table = "<table width=\"520\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\" "
                        "id=\"queryResult\" class=\"queryResult\">\n"
                        "<tr><td colspan=\"2\" class=\"title\">" +
                        courier.name + " 单号：" + html_escape(number) +
                        "</td></tr>\n"
                        "<tr><td width=\"163\" class=\"status\">时间</td>"
                        "<td width=\"354\" class=\"status\">地点和跟踪进度</td></tr>\n";
    bool odd = true;
    for (const auto& event : history) {
        table += std::string("<tr class=\"") + (odd ? "odd" : "even") + "\"><td>" + event.time +
                 "</td><td>" + event.text + "</td></tr>\n";
        odd = !odd;
    }
    table += "</table>";
    return table;
}

} // namespace

const std::vector<ApiCourier>& api_couriers() {
    static const std::vector<ApiCourier> couriers = {
        {"zhongtong", "中通快递", "ZTO"},
        {"tiantian", "天天快递", "TTK"},
        {"yunda", "韵达快递", "YD"},
        {"huitongkuaidi", "汇通快运", "HTKY"},
        {"yuantong", "圆通速递", "YTO"},
        {"yafengsudi", "亚风速递", "YFSD"},
        {"feikangda", "飞康达物流", "FKD"},
        {"suer", "速尔快递", "SURE"},
        {"debangwuliu", "德邦物流", "DBL"},
        {"xinbangwuliu", "新邦物流", "XBWL"},
        {"xinhongyukuaidi", "鑫飞鸿快递", "XFH"},
        {"zhaijisong", "宅急送", "ZJS"},
        {"kuaijiesudi", "快捷速递", "KJKD"},
        {"dhl", "DHL", "DHL"},
        {"TNT", "TNT", "TNT"},
        {"zhongyouwuliu", "中邮物流", "ZYWL"},
        {"zhongtiewuliu", "中铁快运", "ZTKY"},
        {"xingchengjibian", "星晨急便", "XCJB"},
        {"FEDEX", "FedEx联邦快递", "FEDEX"},
        {"guangdongyouzhengwuliu", "广东邮政物流", "GDYZ"},
    };
    return couriers;
}

std::string in_transit_sample_number(const ApiCourier& courier) {
    return courier.prefix + "2012031501";
}

std::optional<int> slow_seconds(std::string_view number) {
    if (!starts_with_ignoring_ascii_case(number, "SLOW")) {
        return std::nullopt;
    }
    int seconds = 0;
    for (char c : number.substr(4)) {
        if (c < '0' || c > '9') {
            break;
        }
        seconds = std::min(kLongestSlowSeconds, seconds * 10 + (c - '0'));
    }
    return seconds;
}

Reply api_reply(const ApiQuery& query, std::string_view expected_key) {
    if (query.key != expected_key) {
        return text_reply("授权码无效，请检查id参数是否正确。");
    }
    const ApiCourier* courier = find_courier(query.company);
    if (courier == nullptr) {
        return text_reply("暂不支持该快递公司：" + html_escape(query.company));
    }
    if (query.show != "2") {
        return text_reply("不支持的返回格式：show=" + html_escape(query.show));
    }
    if (query.number.empty()) {
        return text_reply("快递单号不能为空。");
    }
    if (query.number == kDeliveredSampleNumber) {
        return text_reply(
            history_table(*courier, query.number, delivered_history(courier->name), query));
    }
    if (equal_ignoring_ascii_case(query.number, in_transit_sample_number(*courier)) ||
        slow_seconds(query.number)) {
        return text_reply(
            history_table(*courier, query.number, in_transit_history(courier->name), query));
    }
    return text_reply("查询无结果，请检查单号和快递公司是否正确，或隔段时间再查。");
}

} // namespace kesvane::standin
