// The saved list at scale, each figure beside its baseline in one run:
// - StartUp/0 and StartUp/10000: a main window (on a recording pane, no
//   browser) built, shown and painted, with an empty store and with 10,000
//   saved numbers;
// - SortByColumn: a header click on 10,000 rows, store rewrite included,
//   beside StoreRewrite, the whole-store rewrite of the same rows alone.
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include "main_window.h"
#include "message_recorder.h"
#include "record_store.h"
#include "recording_pane.h"
#include "saved_list.h"
#include "saved_rows.h"
#include "sort_drag.h"
#include "store_location.h"
#include "temp_run_dir.h"

#include "gbk_codec.h"

#include <QApplication>
#include <QTableWidget>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace kesvane;

std::vector<TrackingRecord> make_records(int count) {
    const char* companies[] = {"中通", "圆通", "顺丰", "EMS", "韵达", "中国邮政", "申通", "德邦"};
    const std::string note = gbk("给家里寄的冬衣，");
    std::vector<TrackingRecord> records;
    records.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        // Serials out of order, so that sorting has work to do.
        const std::string serial = std::to_string(1000000000LL + (i * 7919LL) % 1000003LL);
        records.push_back({"YT" + serial, gbk(companies[i % 8]),
                           i % 3 == 0 ? std::string() : note + std::to_string(i)});
    }
    return records;
}

void fill_store(const std::string& path, const std::vector<TrackingRecord>& records) {
    create_store_if_missing(path);
    close_store();
    open_store(path);
    rewrite_store(records);
    close_store();
}

// What the idle time after a change does: every row gets its cells.
void finish_idle_work() {
    if (auto* list = main_control<QTableWidget>("超级列表框1")) {
        finish_saved_rows(list);
    }
    QApplication::processEvents();
}

void StartUp(benchmark::State& state) {
    testing::TempRunDir run_dir;
    testing::MessageRecorder messages;
    fill_store(run_dir.store_file(), make_records(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        auto* window = new MainWindow(std::make_unique<testing::RecordingPane>());
        window->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(main_control<QTableWidget>("超级列表框1")->rowCount());
        state.PauseTiming();
        finish_idle_work();
        delete window;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(StartUp)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void SortByColumn(benchmark::State& state) {
    testing::TempRunDir run_dir;
    testing::MessageRecorder messages;
    fill_store(run_dir.store_file(), make_records(10000));
    auto window = std::make_unique<MainWindow>(std::make_unique<testing::RecordingPane>());
    window->show();
    QApplication::processEvents();
    int column = 0;
    for (auto _ : state) {
        // Alternate the columns, so that every click reorders every row.
        sort_by_column(column);
        column = (column + 1) % 3;
        // Idle time between clicks, as a user leaves it: the rows out of
        // view get their new texts.
        state.PauseTiming();
        finish_idle_work();
        state.ResumeTiming();
    }
}
BENCHMARK(SortByColumn)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void StoreRewrite(benchmark::State& state) {
    testing::TempRunDir run_dir;
    const std::vector<TrackingRecord> records = make_records(10000);
    fill_store(run_dir.store_file(), records);
    for (auto _ : state) {
        open_store(store_path());
        benchmark::DoNotOptimize(rewrite_store(records));
        close_store();
    }
}
BENCHMARK(StoreRewrite)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
