#include "sample_history.h"

namespace kesvane::standin {

std::vector<TrackEvent> delivered_history(std::string_view courier) {
    const std::string name(courier);
    return {
        {"2012-03-18 10:20:31",
         "【上海市】快件已签收，签收人：本人，感谢使用" + name + "，期待再次为您服务"},
        {"2012-03-18 08:05:12", "【上海市】上海浦东新区分部 派件员：王师傅 正在为您派件"},
        {"2012-03-17 22:41:09", "【上海市】快件已到达 上海转运中心"},
        {"2012-03-16 21:15:44", "【深圳市】快件已从 深圳转运中心 发出，下一站 上海转运中心"},
        {"2012-03-16 18:30:02", "【深圳市】" + name + " 深圳宝安分部 已揽收"},
    };
}

std::vector<TrackEvent> in_transit_history(std::string_view courier) {
    auto history = delivered_history(courier);
    history.erase(history.begin(), history.begin() + 2);
    return history;
}

} // namespace kesvane::standin
