// The store engine beside SQLite doing the same work on the same data: the
// read pass of the list reload, the whole-store rewrite of a reorder, and
// 1,000 added numbers. SQLite keeps one table of three text columns in a
// file in the same folder, with its default settings (rollback journal,
// synchronous=FULL) and every write inside one transaction; the store
// flushes to the disk once, when it is closed.
#include "gbk_codec.h"
#include "record_store.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <sqlite3.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace kesvane;
namespace fs = std::filesystem;

const std::string& folder() {
    // Never destroyed: the exit handler that removes the folder needs it.
    static const std::string& name = *new std::string([] {
        std::string pattern = (fs::temp_directory_path() / "bench_store.XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::abort();
        }
        std::atexit([] { fs::remove_all(folder()); });
        return pattern;
    }());
    return name;
}

std::vector<TrackingRecord> make_records(int count, int salt) {
    const std::string companies[] = {gbk("中通"), gbk("圆通"), gbk("顺丰"),
                                     gbk("EMS"),  gbk("韵达"), gbk("中国邮政")};
    const std::string note = gbk("给家里寄的冬衣，");
    std::vector<TrackingRecord> records;
    records.reserve(count);
    for (int i = 0; i < count; ++i) {
        const std::string serial = std::to_string(1000000000LL + i * 7919LL + salt);
        records.push_back({"YT" + serial, companies[(i + salt) % 6],
                           i % 3 == 0 ? std::string() : note + std::to_string(i)});
    }
    return records;
}

void check(int result, sqlite3* db) {
    if (result != SQLITE_OK && result != SQLITE_DONE && result != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::abort();
    }
}

sqlite3* open_db(const std::string& path) {
    sqlite3* db = nullptr;
    check(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
          db);
    return db;
}

void exec(sqlite3* db, const char* sql) {
    check(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db);
}

void insert_all(sqlite3* db, const std::vector<TrackingRecord>& records) {
    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO records(number, company, note) VALUES(?, ?, ?)", -1,
                             &insert, nullptr),
          db);
    for (const TrackingRecord& r : records) {
        sqlite3_bind_text(insert, 1, r.number.data(), static_cast<int>(r.number.size()),
                          SQLITE_STATIC);
        sqlite3_bind_text(insert, 2, r.company.data(), static_cast<int>(r.company.size()),
                          SQLITE_STATIC);
        sqlite3_bind_text(insert, 3, r.note.data(), static_cast<int>(r.note.size()), SQLITE_STATIC);
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
}

struct Files {
    std::string store;
    std::string db;
};

// The two files holding the same `count` records, made once per size.
const Files& base_files(int count) {
    static std::map<int, Files> made;
    auto found = made.find(count);
    if (found != made.end()) {
        return found->second;
    }
    Files files{folder() + "/base" + std::to_string(count) + ".edb",
                folder() + "/base" + std::to_string(count) + ".db"};
    const auto records = make_records(count, 0);
    create_store_if_missing(files.store);
    open_store(files.store);
    rewrite_store(records);
    close_store();

    sqlite3* db = open_db(files.db);
    exec(db, "CREATE TABLE records(number TEXT, company TEXT, note TEXT)");
    exec(db, "BEGIN");
    insert_all(db, records);
    exec(db, "COMMIT");
    sqlite3_close(db);
    return made.emplace(count, files).first->second;
}

// Copies a starting file and puts it on the disk, so that the measured
// flushes carry only the work's own changes.
void copy_file(const std::string& from, const std::string& to) {
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
    const int fd = open(to.c_str(), O_RDONLY | O_CLOEXEC);
    fsync(fd);
    close(fd);
    sync();
}

void store_reload(benchmark::State& state) {
    const Files& files = base_files(static_cast<int>(state.range(0)));
    const std::string number = gbk("单号"), company = gbk("公司"), note = gbk("备注");
    for (auto _ : state) {
        open_store(files.store);
        go_first();
        const int count = count_records();
        for (int i = 0; i < count; ++i) {
            benchmark::DoNotOptimize(read_field(number));
            benchmark::DoNotOptimize(read_field(company));
            benchmark::DoNotOptimize(read_field(note));
            go_next();
        }
        close_store();
    }
}

void sqlite_reload(benchmark::State& state) {
    const Files& files = base_files(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        sqlite3* db = open_db(files.db);
        sqlite3_stmt* select = nullptr;
        check(sqlite3_prepare_v2(db, "SELECT number, company, note FROM records ORDER BY rowid", -1,
                                 &select, nullptr),
              db);
        while (sqlite3_step(select) == SQLITE_ROW) {
            for (int column = 0; column < 3; ++column) {
                const auto* text =
                    reinterpret_cast<const char*>(sqlite3_column_text(select, column));
                benchmark::DoNotOptimize(
                    std::string(text ? text : "", sqlite3_column_bytes(select, column)));
            }
        }
        sqlite3_finalize(select);
        sqlite3_close(db);
    }
}

void store_rewrite(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string path = folder() + "/rewrite.edb";
    copy_file(base_files(count).store, path);
    const auto records = make_records(count, 1);
    for (auto _ : state) {
        open_store(path);
        if (!rewrite_store(records)) {
            state.SkipWithError("rewrite failed");
        }
        close_store();
    }
}

void sqlite_rewrite(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string path = folder() + "/rewrite.db";
    copy_file(base_files(count).db, path);
    const auto records = make_records(count, 1);
    for (auto _ : state) {
        sqlite3* db = open_db(path);
        exec(db, "BEGIN");
        exec(db, "DELETE FROM records");
        insert_all(db, records);
        exec(db, "COMMIT");
        sqlite3_close(db);
    }
}

void store_append(benchmark::State& state) {
    const Files& files = base_files(static_cast<int>(state.range(0)));
    const std::string path = folder() + "/append.edb";
    const auto added = make_records(1000, 2);
    const std::string number = gbk("单号"), company = gbk("公司"), note = gbk("备注");
    for (auto _ : state) {
        state.PauseTiming();
        copy_file(files.store, path);
        state.ResumeTiming();
        open_store(path);
        for (const TrackingRecord& r : added) {
            append_blank();
            write_field(number, r.number);
            write_field(company, r.company);
            write_field(note, r.note);
        }
        close_store();
    }
}

void sqlite_append(benchmark::State& state) {
    const Files& files = base_files(static_cast<int>(state.range(0)));
    const std::string path = folder() + "/append.db";
    const auto added = make_records(1000, 2);
    for (auto _ : state) {
        state.PauseTiming();
        copy_file(files.db, path);
        state.ResumeTiming();
        sqlite3* db = open_db(path);
        exec(db, "BEGIN");
        insert_all(db, added);
        exec(db, "COMMIT");
        sqlite3_close(db);
    }
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(store_reload)->Apply(sizes);
BENCHMARK(sqlite_reload)->Apply(sizes);
BENCHMARK(store_rewrite)->Apply(sizes);
BENCHMARK(sqlite_rewrite)->Apply(sizes);
BENCHMARK(store_append)->Apply(sizes);
BENCHMARK(sqlite_append)->Apply(sizes);

BENCHMARK_MAIN();
