#include "standin_sites.h"

#include "captcha.h"
#include "china_post.h"
#include "html_text.h"
#include "kuaidi100_api.h"
#include "site_pages.h"

#include <httplib.h>
#include <sys/socket.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace kesvane {

using namespace standin;

namespace {

constexpr int kServerThreads = 16;
constexpr auto kWaitStep = std::chrono::milliseconds(10);

const char* const kSiteVariables[] = {
    "KESVANE_PUBLISHER_SITE_URL", "KESVANE_KUAIDI100_API_URL", "KESVANE_KUAIDI100_SITE_URL",
    "KESVANE_KUAIDI100_WAP_URL",  "KESVANE_STO_QUERY_URL",     "KESVANE_CHINA_POST_SITE_URL",
    "KESVANE_EMS_SITE_URL",       "KESVANE_TAOBAO_WAP_URL",
};

// The server library adds these to the request's headers itself.
bool is_added_by_server(const std::string& name) {
    return name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" ||
           name == "LOCAL_PORT";
}

} // namespace

struct StandinSites::Impl {
    std::unique_ptr<httplib::Server> server;
    std::thread thread;
    std::atomic<int> port{0};
    std::atomic<bool> stopping{false};
    std::atomic<bool> listen_returned{false};

    RequestLog log;
    ChinaPostSite china_post;

    std::atomic<int> api_delay_ms{0};
    std::atomic<int> form_delay_ms{0};
    mutable std::mutex settings_mutex;
    std::string version_reply = "1.2";
    std::string api_key = kDefaultApiKey;
    std::string last_ems_code;

    // Sleeps in short steps so that stop() is never held up; false when the
    // server is stopping.
    bool pause(long long milliseconds) const {
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < until) {
            if (stopping) {
                return false;
            }
            std::this_thread::sleep_for(kWaitStep);
        }
        return !stopping;
    }

    std::string setting(const std::string& value) const {
        std::lock_guard lock(settings_mutex);
        return value;
    }

    static LoggedRequest to_logged(const httplib::Request& req) {
        LoggedRequest logged;
        logged.method = req.method;
        logged.target = req.target;
        for (const auto& [name, value] : req.headers) {
            if (!is_added_by_server(name)) {
                logged.header_lines.push_back(name + ": " + value);
            }
        }
        logged.body = req.body;
        return logged;
    }

    static std::vector<std::string> cookie_headers(const httplib::Request& req) {
        std::vector<std::string> values;
        const auto range = req.headers.equal_range("Cookie");
        for (auto it = range.first; it != range.second; ++it) {
            values.push_back(it->second);
        }
        return values;
    }

    Reply api(const httplib::Request& req) {
        ApiQuery query{req.get_param_value("id"),   req.get_param_value("com"),
                       req.get_param_value("nu"),   req.get_param_value("show"),
                       req.get_param_value("muti"), req.get_param_value("order")};
        long long wait = api_delay_ms;
        if (const auto seconds = slow_seconds(query.number)) {
            wait += 1000LL * *seconds;
        }
        if (!pause(wait)) {
            return {503, "text/plain", "stopping", {}};
        }
        return api_reply(query, setting(api_key));
    }

    Reply ems_captcha() {
        const std::string code = random_captcha_code();
        {
            std::lock_guard lock(settings_mutex);
            last_ems_code = code;
        }
        Reply reply{200, "image/png", captcha_png(code, ems_captcha_style()), {}};
        reply.headers.emplace_back("Cache-Control", "no-cache, no-store");
        return reply;
    }

    Reply dispatch(const httplib::Request& req) {
        const std::string& path = req.path;
        if (path == "/") {
            return home_page();
        }
        if (path == "/soft/welcome.html") {
            return welcome_page();
        }
        if (path == "/soft/updata.gif") {
            return version_file(setting(version_reply));
        }
        if (path == "/result.aspx") {
            return sto_result_page(req.get_param_value("wen"));
        }
        if (path == "/wap_result.jsp") {
            return kuaidi100_wap_result_page(req.get_param_value("id"),
                                             req.get_param_value("postid"));
        }
        if (path == "/all/ems.shtml") {
            return kuaidi100_ems_page();
        }
        if (path == "/login/login.htm") {
            return taobao_login_page(req.get_param_value("redirect_url"));
        }
        if (path == "/api") {
            return api(req);
        }
        if (path == "/image") {
            return china_post.captcha_image(cookie_headers(req));
        }
        if (path == "/queryMail.do") {
            if (!pause(form_delay_ms)) {
                return {503, "text/plain", "stopping", {}};
            }
            return china_post.query(cookie_headers(req), req.body);
        }
        if (path == "/servlet/ImageCaptchaServlet") {
            return ems_captcha();
        }
        return not_found_page(path);
    }

    void handle(const httplib::Request& req, httplib::Response& res) {
        log.add(to_logged(req));
        const Reply reply = dispatch(req);
        res.status = reply.status;
        for (const auto& [name, value] : reply.headers) {
            res.set_header(name.c_str(), value);
        }
        res.set_content(reply.body, reply.content_type.c_str());
    }
};

StandinSites::StandinSites() : impl_(std::make_unique<Impl>()) {}

StandinSites::~StandinSites() {
    stop();
}

bool StandinSites::start(int port) {
    if (impl_->server) {
        return false;
    }
    auto server = std::make_unique<httplib::Server>();
    server->new_task_queue = [] { return new httplib::ThreadPool(kServerThreads); };
    // Idle keep-alive connections hold up stop() for this long at most.
    server->set_keep_alive_timeout(1);
    // The library's default also sets SO_REUSEPORT, which would let a second
    // stand-in share the port and take half of the requests.
    server->set_socket_options([](socket_t sock) {
        int yes = 1;
        ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    Impl* impl = impl_.get();
    const auto handler = [impl](const httplib::Request& req, httplib::Response& res) {
        impl->handle(req, res);
    };
    server->Get(".*", handler);
    server->Post(".*", handler);
    server->Put(".*", handler);
    server->Patch(".*", handler);
    server->Delete(".*", handler);
    server->Options(".*", handler);

    int bound = 0;
    if (port == 0) {
        bound = server->bind_to_any_port("127.0.0.1");
    } else if (server->bind_to_port("127.0.0.1", port)) {
        bound = port;
    }
    if (bound <= 0) {
        return false;
    }
    impl_->stopping = false;
    impl_->listen_returned = false;
    impl_->port = bound;
    httplib::Server* raw = server.get();
    impl_->server = std::move(server);
    impl_->thread = std::thread([raw, impl] {
        raw->listen_after_bind();
        impl->listen_returned = true;
    });
    // stop() only reaches a server that has begun to listen.
    while (!raw->is_running() && !impl_->listen_returned) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void StandinSites::stop() {
    if (!impl_->server) {
        return;
    }
    impl_->stopping = true;
    impl_->server->stop();
    if (impl_->thread.joinable()) {
        impl_->thread.join();
    }
    impl_->server.reset();
    impl_->port = 0;
    impl_->stopping = false;
}

bool StandinSites::running() const {
    return impl_->server != nullptr;
}

int StandinSites::port() const {
    return impl_->port;
}

std::string StandinSites::base_url() const {
    return "http://127.0.0.1:" + std::to_string(impl_->port.load());
}

std::map<std::string, std::string> StandinSites::environment() const {
    std::map<std::string, std::string> variables;
    for (const char* name : kSiteVariables) {
        variables[name] = base_url();
    }
    return variables;
}

void StandinSites::export_environment() const {
    for (const auto& [name, value] : environment()) {
        ::setenv(name.c_str(), value.c_str(), 1);
    }
}

std::vector<LoggedRequest> StandinSites::requests() const {
    return impl_->log.entries();
}

void StandinSites::clear_requests() {
    impl_->log.clear();
}

std::optional<LoggedRequest>
StandinSites::wait_for_request(std::string_view path, std::chrono::milliseconds timeout) const {
    const std::string wanted(path);
    return impl_->log.wait_for([&wanted](const LoggedRequest& r) { return r.path() == wanted; },
                               timeout);
}

std::optional<LoggedRequest>
StandinSites::wait_for_request(const RequestLog::Match& match,
                               std::chrono::milliseconds timeout) const {
    return impl_->log.wait_for(match, timeout);
}

RequestLog& StandinSites::log() {
    return impl_->log;
}

void StandinSites::set_version_reply(std::string reply) {
    std::lock_guard lock(impl_->settings_mutex);
    impl_->version_reply = std::move(reply);
}

void StandinSites::set_api_delay(int milliseconds) {
    impl_->api_delay_ms = milliseconds;
}

void StandinSites::set_form_delay(int milliseconds) {
    impl_->form_delay_ms = milliseconds;
}

void StandinSites::set_api_key(std::string key) {
    std::lock_guard lock(impl_->settings_mutex);
    impl_->api_key = std::move(key);
}

std::string StandinSites::last_captcha_code() const {
    return impl_->china_post.last_code();
}

std::string StandinSites::captcha_code_of_session(std::string_view session_id) const {
    return impl_->china_post.code_of(session_id);
}

std::string StandinSites::last_ems_captcha_code() const {
    std::lock_guard lock(impl_->settings_mutex);
    return impl_->last_ems_code;
}

} // namespace kesvane
