// Every outside site Kesvane talks to, served on one local port: the
// publisher's site, the kuaidi100 API and pages, STO, China Post, EMS and
// Taobao. Tests and the offline demo point all configured hosts at it.
#pragma once

#include "request_log.h"

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesvane {

class StandinSites {
public:
    StandinSites();
    ~StandinSites(); // stops the server
    StandinSites(const StandinSites&) = delete;
    StandinSites& operator=(const StandinSites&) = delete;

    // Listens on 127.0.0.1 in a thread of its own; port 0 takes any free
    // port. False when the port cannot be bound or the server already runs.
    // May be started again after stop().
    bool start(int port = 0);
    // Ends waits under way at once, then the server; returns within about a
    // second even when a browser holds an idle connection open.
    void stop();
    bool running() const;

    int port() const;             // 0 when not running
    std::string base_url() const; // "http://127.0.0.1:PORT"

    // KESVANE_..._URL names with base_url() as value, for every site.
    std::map<std::string, std::string> environment() const;
    // Puts environment() into this process's environment.
    void export_environment() const;

    // The request log.
    std::vector<LoggedRequest> requests() const;
    void clear_requests();
    std::optional<LoggedRequest> wait_for_request(std::string_view path,
                                                  std::chrono::milliseconds timeout) const;
    std::optional<LoggedRequest> wait_for_request(const RequestLog::Match& match,
                                                  std::chrono::milliseconds timeout) const;
    RequestLog& log();

    // Body of the version file "/soft/updata.gif"; "1.2" at first.
    void set_version_reply(std::string reply);
    // Extra wait before the API answers / before the China Post form is
    // answered, in milliseconds.
    void set_api_delay(int milliseconds);
    void set_form_delay(int milliseconds);
    // The API key the API accepts; the program's built-in key at first.
    void set_api_key(std::string key);

    // Code shown by the last China Post captcha picture ("" before any).
    std::string last_captcha_code() const;
    // Code a China Post session (its JSESSIONID value) expects, "" if unknown.
    std::string captcha_code_of_session(std::string_view session_id) const;
    // Code shown by the last EMS captcha picture.
    std::string last_ems_captcha_code() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace kesvane
