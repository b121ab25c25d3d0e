// A stand-in HTTP server on 127.0.0.1 for the network tests. It records every
// request byte for byte (head and body) and answers with the bytes a test
// scripts, so that tests can check each header line that went out and can
// make replies stall, break off or carry odd bytes.
#pragma once

#include "web_request.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace kesvane::testing {

struct RecordedRequest {
    // Request line and header lines, each ending in CR LF, then the empty line.
    std::string head;
    std::string body;

    // The request line and the header lines, without their line ends.
    std::vector<std::string> lines() const;
    std::string request_line() const;
};

struct ScriptedReply {
    // Written as they are.
    std::string bytes;
    // Keep the connection open without sending anything more until the
    // client goes away or the server stops.
    bool stall_after = false;
};

class RawHttpServer {
public:
    using Responder = std::function<ScriptedReply(const RecordedRequest&)>;

    explicit RawHttpServer(Responder responder);
    ~RawHttpServer();
    RawHttpServer(const RawHttpServer&) = delete;
    RawHttpServer& operator=(const RawHttpServer&) = delete;

    int port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by `path`.
    std::string url(std::string_view path = "/") const;
    std::vector<RecordedRequest> requests() const;

private:
    void serve();
    void serve_connection(int connection);

    Responder responder_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<RecordedRequest> requests_;
    std::thread thread_;
};

// A complete reply with a Content-Length line; `extra_headers` are whole
// lines, each ending in CR LF.
std::string reply_text(std::string_view status, std::string_view body,
                       std::string_view extra_headers = {});

// Timeouts short enough that a test of a stalled server ends quickly.
inline RequestControl quick_control() {
    RequestControl control;
    control.connect_timeout = std::chrono::milliseconds(2000);
    control.stall_timeout = std::chrono::milliseconds(2000);
    return control;
}

} // namespace kesvane::testing
