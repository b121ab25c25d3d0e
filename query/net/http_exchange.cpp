#include "http_exchange.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string_view>

#include "curl_session.h"
#include "gbk_text.h"

namespace kesvane {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int max_redirects = 10;
// A header block this long is an attack or a broken server, not a reply.
constexpr std::size_t max_header_bytes = 1024u * 1024u;
// How often a waiting transfer looks at the cancel flag and the stall clock;
// short enough for a cancelled call to return well within 200 ms.
constexpr std::chrono::milliseconds poll_interval{20};

struct MultiCloser {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
using MultiHandle = std::unique_ptr<CURLM, MultiCloser>;

struct ListCloser {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, ListCloser>;

// What the callbacks of one hop collect.
struct HopState {
    std::size_t body_limit = 0;
    std::string body;
    bool over_limit = false;
    std::string headers;
    bool headers_closed = false;
    bool connected = false;
    Clock::time_point last_progress;
};

// One request of a possibly redirected exchange.
struct Hop {
    std::string url;
    std::string method;
    bool post = false;
};

struct HopResult {
    ExchangeOutcome outcome = ExchangeOutcome::failed;
    long status = 0;
    std::string location;
};

std::size_t on_header(char* data, std::size_t size, std::size_t count, void* user) {
    auto* hop = static_cast<HopState*>(user);
    const std::size_t length = size * count;
    hop->last_progress = Clock::now();
    std::string_view line(data, length);
    if (starts_with_text(line, "HTTP/")) {
        // A new status line: an interim reply (100 Continue) came before.
        hop->headers.clear();
        hop->headers_closed = false;
    } else if (hop->headers_closed) {
        return length; // trailers of a chunked body
    }
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.remove_suffix(1);
    }
    if (hop->headers.size() + line.size() + 2 > max_header_bytes) {
        return 0;
    }
    hop->headers.append(line).append("\r\n");
    hop->headers_closed = line.empty();
    return length;
}

std::size_t on_body(char* data, std::size_t size, std::size_t count, void* user) {
    auto* hop = static_cast<HopState*>(user);
    const std::size_t length = size * count;
    hop->last_progress = Clock::now();
    const std::size_t room = hop->body_limit - hop->body.size();
    if (length > room) {
        hop->body.append(data, room);
        hop->over_limit = true;
        return 0; // ends the transfer
    }
    hop->body.append(data, length);
    return length;
}

int on_connected(void* user, char*, char*, int, int) {
    auto* hop = static_cast<HopState*>(user);
    hop->connected = true;
    hop->last_progress = Clock::now();
    return CURL_PREREQFUNC_OK;
}

std::string proxy_address(const std::string& proxy) {
    if (starts_with_text(proxy, "http://")) {
        return proxy;
    }
    return "http://" + proxy;
}

HeaderList build_header_list(const HttpRequest& request, bool post) {
    curl_slist* list = nullptr;
    auto add = [&list](const std::string& line) {
        if (curl_slist* grown = curl_slist_append(list, line.c_str())) {
            list = grown;
        }
    };
    for (const HeaderLine& line : request.header_lines) {
        if (post || !line.with_body_only) {
            add(line.text);
        }
    }
    // Lines libcurl would otherwise add of its own accord. A line of the same
    // name given above still goes out; these only silence libcurl's defaults.
    for (const char* name :
         {"Accept:", "Expect:", "Proxy-Connection:", "Content-Type:", "Content-Length:"}) {
        add(name);
    }
    return HeaderList(list);
}

void set_options(CURL* easy, const HttpRequest& request, const Hop& hop,
                 const RequestControl& control, curl_slist* headers, HopState& state) {
    curl_easy_setopt(easy, CURLOPT_URL, hop.url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    // Lets a cancelled call return without waiting for a name lookup to end.
    curl_easy_setopt(easy, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(std::max<long long>(1, control.connect_timeout.count())));
    if (request.proxy) {
        const std::string proxy = proxy_address(*request.proxy);
        curl_easy_setopt(easy, CURLOPT_PROXY, proxy.c_str());
        curl_easy_setopt(easy, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
        curl_easy_setopt(easy, CURLOPT_NOPROXY, "");
    } else {
        // The empty name also overrides any proxy named in the environment.
        curl_easy_setopt(easy, CURLOPT_PROXY, "");
    }
    if (!request.user_agent.empty()) {
        curl_easy_setopt(easy, CURLOPT_USERAGENT, request.user_agent.c_str());
    }
    if (hop.post) {
        curl_easy_setopt(easy, CURLOPT_POST, 1L);
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(request.body.size()));
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, request.body.c_str());
        if (hop.method != "POST") {
            curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, hop.method.c_str());
        }
    } else {
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    }
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, on_header);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &state);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, on_body);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &state);
    curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, on_connected);
    curl_easy_setopt(easy, CURLOPT_PREREQDATA, &state);
}

bool cancelled(const RequestControl& control) {
    return control.cancel != nullptr && control.cancel->load();
}

// Drives the transfer through the multi interface so that the cancel flag and
// the stall clock are looked at every poll_interval, not only when libcurl
// calls back.
HopResult run_hop(const HttpRequest& request, const Hop& hop, const RequestControl& control,
                  HopState& state) {
    HopResult result;
    if (cancelled(control)) {
        result.outcome = ExchangeOutcome::cancelled;
        return result;
    }
    // Declared first so that the list outlives the handle that points to it.
    HeaderList headers = build_header_list(request, hop.post);
    EasyHandle easy = new_shared_easy_handle();
    MultiHandle multi(curl_multi_init());
    if (!easy || !multi) {
        return result;
    }
    set_options(easy.get(), request, hop, control, headers.get(), state);
    if (curl_multi_add_handle(multi.get(), easy.get()) != CURLM_OK) {
        return result;
    }
    struct Detach {
        CURLM* multi;
        CURL* easy;
        ~Detach() { curl_multi_remove_handle(multi, easy); }
    } detach{multi.get(), easy.get()};

    curl_off_t uploaded = 0;
    while (true) {
        int running = 0;
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            return result;
        }
        if (running == 0) {
            break;
        }
        if (cancelled(control)) {
            result.outcome = ExchangeOutcome::cancelled;
            return result;
        }
        const Clock::time_point now = Clock::now();
        curl_off_t uploaded_now = 0;
        if (curl_easy_getinfo(easy.get(), CURLINFO_SIZE_UPLOAD_T, &uploaded_now) == CURLE_OK &&
            uploaded_now != uploaded) {
            uploaded = uploaded_now;
            state.last_progress = now;
        }
        if (state.connected && now - state.last_progress > control.stall_timeout) {
            return result; // ends with what has arrived
        }
        curl_multi_poll(multi.get(), nullptr, 0, static_cast<int>(poll_interval.count()), nullptr);
    }

    CURLcode code = CURLE_RECV_ERROR;
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi.get(), &queued)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == easy.get()) {
            code = message->data.result;
        }
    }
    if (state.over_limit) {
        result.outcome = ExchangeOutcome::cut_at_bound;
        return result;
    }
    if (code != CURLE_OK) {
        return result;
    }
    result.outcome = ExchangeOutcome::complete;
    curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &result.status);
    char* location = nullptr;
    if (curl_easy_getinfo(easy.get(), CURLINFO_REDIRECT_URL, &location) == CURLE_OK &&
        location != nullptr) {
        result.location = location;
    }
    return result;
}

bool is_followed_redirect(long status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

} // namespace

bool is_post_method(const std::string& method) {
    return ascii_upper(method) == "POST";
}

HttpReply perform_exchange(const HttpRequest& request, const RequestControl& control) {
    Hop hop{request.url, request.method, is_post_method(request.method)};
    if (!hop.post) {
        hop.method = "GET";
    }
    for (int redirects = 0;; ++redirects) {
        HopState state;
        state.body_limit = control.max_body_bytes;
        const HopResult result = run_hop(request, hop, control, state);
        if (result.outcome == ExchangeOutcome::cancelled) {
            return HttpReply{ExchangeOutcome::cancelled, {}, {}};
        }
        if (result.outcome == ExchangeOutcome::complete && is_followed_redirect(result.status) &&
            !result.location.empty()) {
            if (redirects == max_redirects) {
                return HttpReply{};
            }
            hop.url = result.location;
            // Browsers turn a redirected form post into a GET; 307 and 308
            // ask for the same request again.
            if (result.status == 303 ||
                ((result.status == 301 || result.status == 302) && hop.post)) {
                hop.method = "GET";
                hop.post = false;
            }
            continue;
        }
        return HttpReply{result.outcome, std::move(state.body), std::move(state.headers)};
    }
}

} // namespace kesvane
