// Start-up, side by side in one run:
// - Kesvane against a minimal QtWebEngine window that loads the same welcome
//   page: time from process start to the page's load finished, and memory;
// - Kesvane from process start to its saved list shown, with an empty store
//   and with 10,000 saved numbers.
//
//   bench_startup [rounds]      runs them all, alternating, and prints the tables
#include "config.h"
#include "gbk_codec.h"
#include "main_window.h"
#include "process_metrics.h"
#include "record_store.h"
#include "standin_sites.h"
#include "store_location.h"
#include "web_engine_pane.h"

#include <QApplication>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace kesvane;
using namespace kesvane::bench;

namespace {

// Printed by a child when the page has loaded: its clock, own peak and the
// resident size of its process tree.
void report_and_quit() {
    std::printf("%lld %lld %lld\n", static_cast<long long>(monotonic_micros()),
                static_cast<long long>(own_peak_kib()),
                static_cast<long long>(tree_resident_kib()));
    std::fflush(stdout);
    std::_Exit(0);
}

int run_kesvane_child(int argc, char** argv, const char* run_dir) {
    WebEnginePane::register_local_scheme();
    QApplication app(argc, argv);
    set_run_directory(run_dir);
    auto* window = new MainWindow(std::make_unique<WebEnginePane>());
    QObject::connect(&window->pane(), &ResultPane::downloadComplete, [] { report_and_quit(); });
    window->show();
    return QApplication::exec();
}

// Reports once the window, its list filled from the store, has been painted.
int run_list_child(int argc, char** argv, const char* run_dir) {
    WebEnginePane::register_local_scheme();
    QApplication app(argc, argv);
    set_run_directory(run_dir);
    auto* window = new MainWindow(std::make_unique<WebEnginePane>());
    window->show();
    QCoreApplication::processEvents();
    window->repaint();
    report_and_quit();
    return 0;
}

int run_minimal_child(int argc, char** argv) {
    QApplication app(argc, argv);
    QWebEngineView view;
    QObject::connect(&view, &QWebEngineView::loadFinished, [] { report_and_quit(); });
    view.resize(861, 591);
    view.load(QUrl(QString::fromStdString(config().publisher_site_url + "/soft/welcome.html")));
    view.show();
    return QApplication::exec();
}

struct Sample {
    double millis;
    double peak_mib;
    double tree_mib;
};

bool run_child(const char* self, const char* mode, const std::string& run_dir, Sample& sample) {
    int out[2];
    if (::pipe(out) != 0) {
        return false;
    }
    const long long started = monotonic_micros();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::execl(self, self, "--child", mode, run_dir.c_str(), static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    ::close(out[1]);
    std::string line;
    char buffer[256];
    ssize_t n = 0;
    while ((n = ::read(out[0], buffer, sizeof buffer)) > 0) {
        line.append(buffer, static_cast<size_t>(n));
    }
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    long long loaded = 0, peak = 0, tree = 0;
    if (std::sscanf(line.c_str(), "%lld %lld %lld", &loaded, &peak, &tree) != 3) {
        return false;
    }
    sample = {(loaded - started) / 1000.0, peak / 1024.0, tree / 1024.0};
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "--child") {
        const std::string mode = argv[2];
        int qt_argc = 1;
        if (mode == "list") {
            return run_list_child(qt_argc, argv, argv[3]);
        }
        return mode == "kesvane" ? run_kesvane_child(qt_argc, argv, argv[3])
                                 : run_minimal_child(qt_argc, argv);
    }
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (::getuid() == 0) {
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    }
    StandinSites sites;
    if (!sites.start()) {
        std::fprintf(stderr, "cannot start the stand-in sites\n");
        return 1;
    }
    sites.export_environment();
    const std::string run_dir = std::filesystem::temp_directory_path() / "kesvane-bench-startup";
    std::filesystem::create_directories(run_dir);

    std::vector<double> times[2], peaks[2], trees[2];
    const char* modes[2] = {"kesvane", "minimal"};
    for (int round = 0; round < rounds + 1; ++round) {
        for (int m = 0; m < 2; ++m) {
            Sample sample{};
            if (!run_child("/proc/self/exe", modes[m], run_dir, sample)) {
                std::fprintf(stderr, "%s child failed\n", modes[m]);
                return 1;
            }
            if (round > 0) { // the first round warms the disk cache
                times[m].push_back(sample.millis);
                peaks[m].push_back(sample.peak_mib);
                trees[m].push_back(sample.tree_mib);
            }
        }
    }
    std::filesystem::remove_all(run_dir);

    // The saved list: an empty store against 10,000 saved numbers.
    const std::string empty_dir = run_dir + "-empty";
    const std::string full_dir = run_dir + "-10000";
    std::filesystem::create_directories(empty_dir);
    std::filesystem::create_directories(full_dir);
    {
        std::vector<TrackingRecord> records;
        for (int i = 0; i < 10000; ++i) {
            records.push_back({"ZT" + std::to_string(7000000000LL + i * 7919LL % 1000003LL),
                               gbk("中通"), gbk("给家里寄的冬衣")});
        }
        const std::string store = full_dir + "/Danhao.edb";
        create_store_if_missing(store);
        open_store(store);
        rewrite_store(records);
        close_store();
    }
    std::vector<double> list_times[2];
    const std::string list_dirs[2] = {empty_dir, full_dir};
    for (int round = 0; round < rounds + 1; ++round) {
        for (int m = 0; m < 2; ++m) {
            Sample sample{};
            if (!run_child("/proc/self/exe", "list", list_dirs[m], sample)) {
                std::fprintf(stderr, "list child failed\n");
                return 1;
            }
            if (round > 0) {
                list_times[m].push_back(sample.millis);
            }
        }
    }
    std::filesystem::remove_all(empty_dir);
    std::filesystem::remove_all(full_dir);

    std::printf("%-10s %18s %22s %24s\n", "program", "start->loaded ms", "peak RSS main (MiB)",
                "RSS all processes (MiB)");
    for (int m = 0; m < 2; ++m) {
        std::printf("%-10s %18.1f %22.1f %24.1f\n", modes[m], median(times[m]), median(peaks[m]),
                    median(trees[m]));
    }
    std::printf("ratio      %18.2f %22.2f %24.2f   (medians of %d rounds; target <= 1.20)\n",
                median(times[0]) / median(times[1]), median(peaks[0]) / median(peaks[1]),
                median(trees[0]) / median(trees[1]), rounds);
    std::printf("\nprocess start -> main window with its saved list shown\n");
    std::printf("empty store      %8.1f ms\n10,000 numbers   %8.1f ms\nratio            %8.2f"
                "   (medians of %d rounds; target < 1.30)\n",
                median(list_times[0]), median(list_times[1]),
                median(list_times[1]) / median(list_times[0]), rounds);
    return 0;
}
