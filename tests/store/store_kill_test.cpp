// A child process changes the store in a loop and is killed at a random
// moment, again and again; the store must always open with the content of
// before or after the change that was under way, never less.
#include "record_store.h"
#include "store_bytes.h"

#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace kesvane;
using namespace store_test;

namespace {

std::vector<TrackingRecord> numbered(const std::string& prefix, int count) {
    std::vector<TrackingRecord> records;
    for (int i = 0; i < count; ++i) {
        records.push_back({prefix + std::to_string(i), gbk("韵达"), std::string(90, 'n')});
    }
    return records;
}

std::vector<TrackingRecord> stored_records(const std::string& path) {
    std::vector<TrackingRecord> records;
    if (!open_store(path)) {
        return records;
    }
    const int count = count_records();
    go_first();
    for (int i = 0; i < count; ++i) {
        records.push_back(
            {read_field(gbk("单号")), read_field(gbk("公司")), read_field(gbk("备注"))});
        go_next();
    }
    close_store();
    return records;
}

// Runs `work` forever in a child that is killed `delay` after it has opened
// the store.
template <typename Work>
void run_and_kill(const std::string& path, std::chrono::microseconds delay, Work work) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(ready[0]);
        if (!open_store(path)) {
            _exit(1);
        }
        const char byte = 1;
        if (write(ready[1], &byte, 1) != 1) {
            _exit(1);
        }
        for (;;) {
            work();
        }
    }
    close(ready[1]);
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1) << "the child could not open the store";
    close(ready[0]);
    std::this_thread::sleep_for(delay);
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
}

class StoreKill : public StoreTest {
protected:
    std::mt19937 random_{std::random_device{}()};
};

} // namespace

TEST_F(StoreKill, AKilledRewriteLeavesTheOldOrTheNewRecords) {
    const auto old_records = numbered("OLD", 300);
    const auto new_records = numbered("NEW", 500);
    ASSERT_TRUE(create_store_if_missing(path()));
    ASSERT_TRUE(open_store(path()));
    // The kills are spread over about three rewrites.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(rewrite_store(new_records));
    ASSERT_TRUE(rewrite_store(old_records));
    const auto one_rewrite = (std::chrono::steady_clock::now() - start) / 2;
    close_store();
    std::uniform_int_distribution<long> moment(
        0, std::chrono::duration_cast<std::chrono::microseconds>(one_rewrite * 3).count() + 100);

    int seen_old = 0;
    int seen_new = 0;
    for (int round = 0; round < 200; ++round) {
        bool next_is_new = true;
        run_and_kill(path(), std::chrono::microseconds(moment(random_)), [&] {
            rewrite_store(next_is_new ? new_records : old_records);
            next_is_new = !next_is_new;
        });
        const auto found = stored_records(path());
        if (found == old_records) {
            ++seen_old;
        } else if (found == new_records) {
            ++seen_new;
        } else {
            FAIL() << "round " << round << ": " << found.size() << " records";
        }
    }
    EXPECT_GT(seen_old, 0);
    EXPECT_GT(seen_new, 0) << "no rewrite finished before a kill";
}

TEST_F(StoreKill, AKilledAppendLeavesEveryEarlierRecordWhole) {
    std::uniform_int_distribution<long> moment(0, 3000);
    size_t seen = 0;
    for (int round = 0; round < 100; ++round) {
        write_bytes(path(), empty_store_template());
        int added = 0;
        run_and_kill(path(), std::chrono::microseconds(moment(random_)), [&] {
            const std::string number = "R" + std::to_string(round) + "-" + std::to_string(added++);
            append_blank();
            write_field(gbk("单号"), number);
            write_field(gbk("公司"), gbk("EMS"));
            write_field(gbk("备注"), number);
            // Keep the file small: start over now and then.
            if (added % 200 == 0) {
                clear_store();
            }
        });
        const auto found = stored_records(path());
        ASSERT_TRUE(open_store(path())) << "round " << round;
        close_store();
        // Every record but the last, which the kill may have caught half
        // written, is complete.
        for (size_t i = 0; i + 1 < found.size(); ++i) {
            ASSERT_EQ(found[i].company, gbk("EMS")) << "round " << round << " record " << i;
            ASSERT_EQ(found[i].note, found[i].number) << "round " << round << " record " << i;
        }
        seen += found.size();
    }
    EXPECT_GT(seen, 0u) << "no append finished before a kill";
}
