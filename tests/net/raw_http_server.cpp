#include "raw_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace kesvane::testing {

namespace {

constexpr int poll_ms = 20;

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

std::size_t content_length(const std::string& head) {
    const std::string lowered = lower(head);
    const std::size_t at = lowered.find("\r\ncontent-length:");
    if (at == std::string::npos) {
        return 0;
    }
    return static_cast<std::size_t>(std::strtoull(head.c_str() + at + 17, nullptr, 10));
}

void send_all(int connection, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(connection, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) {
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

} // namespace

std::vector<std::string> RecordedRequest::lines() const {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = head.find("\r\n", start);
        if (end == std::string::npos || end == start) {
            return out;
        }
        out.push_back(head.substr(start, end - start));
        start = end + 2;
    }
}

std::string RecordedRequest::request_line() const {
    const std::vector<std::string> all = lines();
    return all.empty() ? std::string() : all.front();
}

RawHttpServer::RawHttpServer(Responder responder) : responder_(std::move(responder)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    const int yes = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 16) != 0) {
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

RawHttpServer::~RawHttpServer() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

std::string RawHttpServer::url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<RecordedRequest> RawHttpServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void RawHttpServer::serve() {
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, poll_ms) <= 0) {
            continue;
        }
        const int connection = ::accept(listener_, nullptr, nullptr);
        if (connection < 0) {
            continue;
        }
        serve_connection(connection);
        ::close(connection);
    }
}

void RawHttpServer::serve_connection(int connection) {
    // Reads until the client closes or the server stops; false at either.
    auto read_more = [&](std::string& into) {
        while (!stopping_) {
            pollfd waiting{connection, POLLIN, 0};
            if (::poll(&waiting, 1, poll_ms) <= 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
            if (got <= 0) {
                return false;
            }
            into.append(buffer, static_cast<std::size_t>(got));
            return true;
        }
        return false;
    };

    std::string received;
    std::size_t head_end = std::string::npos;
    while ((head_end = received.find("\r\n\r\n")) == std::string::npos) {
        if (!read_more(received)) {
            return;
        }
    }
    RecordedRequest request;
    request.head = received.substr(0, head_end + 4);
    const std::size_t body_length = content_length(request.head);
    std::string body = received.substr(head_end + 4);
    while (body.size() < body_length) {
        if (!read_more(body)) {
            return;
        }
    }
    request.body = body;
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    const ScriptedReply reply = responder_(request);
    send_all(connection, reply.bytes);
    if (!reply.stall_after) {
        ::shutdown(connection, SHUT_WR);
    }
    // Wait for the client to leave, so that closing never resets a reply
    // that is still on its way.
    std::string ignored;
    while (read_more(ignored)) {
        ignored.clear();
    }
}

std::string reply_text(std::string_view status, std::string_view body,
                       std::string_view extra_headers) {
    std::string out = "HTTP/1.1 ";
    out += status;
    out += "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n";
    out += extra_headers;
    out += "\r\n";
    out += body;
    return out;
}

} // namespace kesvane::testing
