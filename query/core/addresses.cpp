#include "addresses.h"

#include "config.h"

namespace kesvane {

std::string sto_result_address(const std::string& number) {
    return config().sto_query_url + "/result.aspx?wen=" + number;
}

std::string sf_result_address(const std::string& number) {
    return config().kuaidi100_wap_url +
           "/wap_result.jsp?rand=36739&id=shunfeng&fromWeb=null&sessionid=" +
           config().kuaidi100_sessionid + "&postid=" + number + "&sub=%E6%9F%A5%E8%AF%A2";
}

std::string ems_page_address() {
    return config().kuaidi100_site_url + "/all/ems.shtml";
}

std::string api_request_address(const std::string& company_code, const std::string& number) {
    return config().kuaidi100_api_url + "/api?id=" + config().kuaidi100_api_key +
           "&com=" + company_code + "&nu=" + number + "&show=2&muti=1&order=desc";
}

std::string welcome_address() {
    return config().publisher_site_url + "/soft/welcome.html";
}

std::string version_file_address() {
    return config().publisher_site_url + "/soft/updata.gif";
}

std::string taobao_bought_items_address() {
    std::string encoded_site;
    for (const char c : config().taobao_wap_url) {
        if (c == ':') {
            encoded_site += "%3A";
        } else if (c == '/') {
            encoded_site += "%2F";
        } else {
            encoded_site += c;
        }
    }
    return config().taobao_wap_url + "/login/login.htm?redirect_url=" + encoded_site +
           "%2Ftrade%2Fbought_item_lists.htm%3Fsprefer%3D" + config().taobao_referrer_tag +
           "%26sid%3D" + config().taobao_sid + "%26status_id%3D5";
}

} // namespace kesvane
