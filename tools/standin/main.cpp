// kesvane-standin: serves the stand-in sites on 127.0.0.1 until SIGINT or
// SIGTERM, for the offline demo and for trying the program by hand.
#include "standin_sites.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <mutex>
#include <string>

namespace {

constexpr int kDefaultPort = 18080;

void print_usage(std::ostream& out) {
    out << "usage: kesvane-standin [--port N] [--print-env] [--version-reply TEXT] [--log FILE]\n"
           "  --port N             listen on 127.0.0.1:N (default 18080, 0 = any free port)\n"
           "  --print-env          print export lines for a shell pointing Kesvane here, then "
           "exit\n"
           "  --version-reply TEXT body of /soft/updata.gif (default 1.2)\n"
           "  --log FILE           append one line per request to FILE\n";
}

// Control bytes would break the one-line-per-request shape of the log.
std::string escaped(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20 || c == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string timestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

bool parse_port(const char* text, int& port) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 65535) {
        return false;
    }
    port = static_cast<int>(value);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int port = kDefaultPort;
    bool print_env = false;
    std::string version_reply = "1.2";
    std::string log_path;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--port" && has_value) {
            if (!parse_port(argv[++i], port)) {
                std::cerr << "kesvane-standin: bad port " << argv[i] << "\n";
                return 2;
            }
        } else if (arg == "--print-env") {
            print_env = true;
        } else if (arg == "--version-reply" && has_value) {
            version_reply = argv[++i];
        } else if (arg == "--log" && has_value) {
            log_path = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            print_usage(std::cout);
            return 0;
        } else {
            print_usage(std::cerr);
            return 2;
        }
    }

    if (print_env) {
        const std::string base = "http://127.0.0.1:" + std::to_string(port);
        for (const char* name :
             {"KESVANE_PUBLISHER_SITE_URL", "KESVANE_KUAIDI100_API_URL",
              "KESVANE_KUAIDI100_SITE_URL", "KESVANE_KUAIDI100_WAP_URL", "KESVANE_STO_QUERY_URL",
              "KESVANE_CHINA_POST_SITE_URL", "KESVANE_EMS_SITE_URL", "KESVANE_TAOBAO_WAP_URL"}) {
            std::cout << "export " << name << "=" << base << "\n";
        }
        return 0;
    }

    // Signals are taken by sigwait below, not by whichever thread they hit.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    kesvane::StandinSites sites;
    sites.set_version_reply(version_reply);

    std::ofstream log_file;
    std::mutex log_mutex;
    if (!log_path.empty()) {
        log_file.open(log_path, std::ios::app);
        if (!log_file) {
            std::cerr << "kesvane-standin: cannot open " << log_path << "\n";
            return 1;
        }
        sites.log().set_sink([&](const kesvane::LoggedRequest& request) {
            std::lock_guard lock(log_mutex);
            log_file << timestamp() << ' ' << request.method << ' ' << escaped(request.target);
            if (!request.body.empty()) {
                log_file << " body=" << escaped(request.body);
            }
            log_file << std::endl;
        });
    }

    if (!sites.start(port)) {
        std::cerr << "kesvane-standin: cannot listen on 127.0.0.1:" << port << "\n";
        return 1;
    }
    std::cerr << "kesvane-standin: serving " << sites.base_url() << "\n";

    int received = 0;
    sigwait(&signals, &received);
    sites.stop();
    sites.log().set_sink(nullptr);
    return 0;
}
