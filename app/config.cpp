#include "config.h"

#include <cctype>
#include <cstdlib>
#include <mutex>

namespace kesvane {

namespace {

std::string from_environment(const char* name, const char* built_in) {
    std::string variable = "KESVANE_";
    for (const char* c = name; *c != '\0'; ++c) {
        variable += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    }
    const char* value = std::getenv(variable.c_str());
    return value != nullptr ? std::string(value) : std::string(built_in);
}

Config read_config() {
    Config c;
    c.publisher_site_url = from_environment("publisher_site_url", "http://kesvane.example.org");
    c.kuaidi100_api_url = from_environment("kuaidi100_api_url", "http://api.kuaidi100.com");
    c.kuaidi100_site_url = from_environment("kuaidi100_site_url", "http://www.kuaidi100.com");
    c.kuaidi100_wap_url = from_environment("kuaidi100_wap_url", "http://m.kuaidi100.com");
    c.sto_query_url = from_environment("sto_query_url", "http://q1.sto.cn");
    c.china_post_site_url = from_environment("china_post_site_url", "http://www.183.com.cn");
    c.ems_site_url = from_environment("ems_site_url", "http://www.ems.com.cn");
    c.taobao_wap_url = from_environment("taobao_wap_url", "http://login.m.taobao.com");
    c.taobao_referrer_tag = from_environment("taobao_referrer_tag", "kesvane");
    c.kuaidi100_api_key = from_environment("kuaidi100_api_key", "7f1e4d0a8b6c3e2d");
    c.taobao_sid = from_environment("taobao_sid", "3c8e1f5a9d0b6e47");
    c.kuaidi100_sessionid =
        from_environment("kuaidi100_sessionid", "D4A7E09B35F2C6185A0E7B3D9F24C6A1");
    return c;
}

std::mutex config_mutex;
Config* current_config = nullptr;

} // namespace

const Config& config() {
    std::lock_guard lock(config_mutex);
    if (current_config == nullptr) {
        current_config = new Config(read_config());
    }
    return *current_config;
}

void reload_config() {
    std::lock_guard lock(config_mutex);
    // The old values stay alive: a worker may still hold a reference to them.
    current_config = new Config(read_config());
}

} // namespace kesvane
