// Outside hosts and fixed values, built in. Each can be overridden by an
// environment variable named KESVANE_ plus the value's name in capitals,
// which is how the tests and the offline demo point the program at the
// stand-in sites on 127.0.0.1.
#pragma once

#include <string>

namespace kesvane {

struct Config {
    // Scheme and host of each outside site, without a trailing slash.
    std::string publisher_site_url;
    std::string kuaidi100_api_url;
    std::string kuaidi100_site_url;
    std::string kuaidi100_wap_url;
    std::string sto_query_url;
    std::string china_post_site_url;
    std::string ems_site_url;
    std::string taobao_wap_url;
    std::string taobao_referrer_tag;
    // Fixed values sent unchanged.
    std::string kuaidi100_api_key;
    std::string taobao_sid;
    std::string kuaidi100_sessionid;
};

// The values in force; read from the environment on first use.
const Config& config();

// Reads the environment again (tests change it between cases).
void reload_config();

} // namespace kesvane
