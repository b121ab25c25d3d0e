// The store operations on real files: results, current record and the bytes
// every operation leaves in the file.
#include "record_store.h"
#include "store_bytes.h"

#include <climits>
#include <sys/stat.h>

using namespace kesvane;
using namespace store_test;

namespace {

struct Row {
    std::string number, company, note;
};

std::vector<Row> all_rows() {
    std::vector<Row> rows;
    const int count = count_records();
    go_first();
    for (int i = 0; i < count; ++i) {
        rows.push_back({read_field(gbk("单号")), read_field(gbk("公司")), read_field(gbk("备注"))});
        go_next();
    }
    return rows;
}

std::vector<std::string> numbers() {
    std::vector<std::string> out;
    for (const Row& row : all_rows()) {
        out.push_back(row.number);
    }
    return out;
}

bool add(const std::string& number, const std::string& company = gbk("中通"),
         const std::string& note = "") {
    return append_blank() && write_field(gbk("单号"), number) &&
           write_field(gbk("公司"), company) && write_field(gbk("备注"), note);
}

class RecordStore : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        ASSERT_TRUE(create_store_if_missing(path()));
    }
    // A store holding `count` records numbered "N1", "N2", ...
    void fill(int count) {
        ASSERT_TRUE(open_store(path()));
        for (int i = 1; i <= count; ++i) {
            ASSERT_TRUE(add("N" + std::to_string(i)));
        }
    }
};

} // namespace

TEST_F(RecordStore, EveryOperationFailsWithNoStoreOpen) {
    EXPECT_FALSE(open_store(path("missing.edb")));
    EXPECT_EQ(count_records(), 0);
    EXPECT_FALSE(go_first());
    EXPECT_FALSE(go_next());
    EXPECT_FALSE(go_to_record(1));
    EXPECT_FALSE(append_blank());
    EXPECT_EQ(read_field(gbk("单号")), "");
    EXPECT_FALSE(write_field(gbk("单号"), "1"));
    EXPECT_FALSE(modify_record("1", "2", "3"));
    EXPECT_FALSE(mark_deleted());
    EXPECT_FALSE(purge_marked());
    EXPECT_FALSE(clear_store());
    EXPECT_FALSE(rewrite_store({}));
    close_store();
    EXPECT_EQ(read_bytes(path()), empty_store_template());
}

TEST_F(RecordStore, AppendsCarrySerialNumbersAndWriteThrough) {
    ASSERT_TRUE(open_store(path()));
    ASSERT_TRUE(append_blank());
    EXPECT_EQ(count_records(), 1);
    // The blank record is in the file before any field is written.
    EXPECT_EQ(read_bytes(path()), store_head(1, 35, 136, tracking_fields()) + record(34, {}));
    ASSERT_TRUE(write_field(gbk("单号"), "1234567890"));
    ASSERT_TRUE(write_field(gbk("公司"), gbk("圆通")));
    ASSERT_TRUE(write_field(gbk("备注"), gbk("给妈妈的")));
    ASSERT_TRUE(add("SF001", gbk("顺丰")));
    EXPECT_EQ(read_field(gbk("单号")), "SF001") << "the added record is current";
    // Every change is in the file while the store is still open.
    EXPECT_EQ(read_bytes(path()), store_head(2, 36, 136, tracking_fields()) +
                                      record(34, {"1234567890", gbk("圆通"), gbk("给妈妈的")}) +
                                      record(35, {"SF001", gbk("顺丰"), ""}));
    close_store();
    ASSERT_TRUE(open_store(path()));
    ASSERT_EQ(all_rows().size(), 2u);
    EXPECT_EQ(all_rows()[0].note, gbk("给妈妈的"));
}

TEST_F(RecordStore, TextsAreCutAtTheFieldWidthInBytes) {
    std::string chinese_51;
    for (int i = 0; i < 51; ++i) {
        chinese_51 += gbk("备");
    }
    const std::string number_21 = "123456789012345678901";
    const std::string number_20 = "12345678901234567890";
    struct Case {
        const char* what;
        std::string field, text, read_back;
    } cases[] = {
        {"21-byte number", gbk("单号"), number_21, number_20},
        {"20-byte number", gbk("单号"), number_20, number_20},
        {"51 Chinese characters", gbk("备注"), chinese_51, chinese_51.substr(0, 100)},
        {"cut inside a character", gbk("备注"), "x" + chinese_51,
         ("x" + chinese_51).substr(0, 100)},
        {"13-byte company", gbk("公司"), "ABCDEFGHIJKLM", "ABCDEFGHIJKL"},
        {"empty", gbk("备注"), "", ""},
        {"embedded zero", gbk("单号"), std::string("AB\0CD", 5), "AB"},
    };
    ASSERT_TRUE(open_store(path()));
    for (const Case& c : cases) {
        ASSERT_TRUE(append_blank());
        ASSERT_TRUE(write_field(gbk("单号"), "previous text to overwrite"));
        ASSERT_TRUE(write_field(c.field, c.text)) << c.what;
        EXPECT_EQ(read_field(c.field), c.read_back) << c.what;
    }
    close_store();
    ASSERT_TRUE(open_store(path()));
    ASSERT_TRUE(go_to_record(2));
    EXPECT_EQ(read_field(gbk("单号")), number_20) << "read back whole after reopening";
    const std::string file = read_bytes(path());
    EXPECT_EQ(file.substr(332 + 136 + 4, 20), number_20) << "no terminating zero";
    EXPECT_EQ(file.substr(332 + 136 * 6 + 4, 20), std::string("AB\0CD", 5) + std::string(15, '\0'));
}

TEST_F(RecordStore, GoToRecordClampsAndGoNextStopsAtTheLast) {
    fill(3);
    const std::pair<int, std::string> targets[] = {
        {0, "N1"}, {-7, "N1"}, {2, "N2"}, {3, "N3"}, {4, "N3"}, {INT_MAX, "N3"}, {INT_MIN, "N1"}};
    for (const auto& [n, number] : targets) {
        EXPECT_TRUE(go_to_record(n));
        EXPECT_EQ(read_field(gbk("单号")), number) << n;
    }
    go_to_record(3);
    EXPECT_FALSE(go_next());
    EXPECT_EQ(read_field(gbk("单号")), "N3");
    EXPECT_TRUE(go_first());
    EXPECT_TRUE(go_next());
    EXPECT_EQ(read_field(gbk("单号")), "N2");
}

TEST_F(RecordStore, AnEmptyStoreHasNoCurrentRecord) {
    ASSERT_TRUE(open_store(path()));
    EXPECT_EQ(count_records(), 0);
    EXPECT_FALSE(go_first());
    EXPECT_FALSE(go_to_record(1));
    EXPECT_EQ(read_field(gbk("单号")), "");
    EXPECT_FALSE(write_field(gbk("单号"), "1"));
    EXPECT_FALSE(modify_record("1", "2", "3"));
    EXPECT_FALSE(mark_deleted());
    EXPECT_TRUE(purge_marked());
    EXPECT_TRUE(clear_store());
    close_store();
    EXPECT_EQ(read_bytes(path()), empty_store_template());
}

TEST_F(RecordStore, OpeningTheOpenStoreAgainFailsAndKeepsTheCurrentRecord) {
    fill(3);
    ASSERT_TRUE(go_to_record(2));
    std::string upper = path();
    upper.replace(upper.size() - 10, 10, "DANHAO.EDB");
    const std::string ways_to_name_it[] = {
        path(), upper, folder() + "/./Danhao.edb",
        folder() + "/../" + std::filesystem::path(folder()).filename().string() + "/Danhao.edb"};
    for (const std::string& name : ways_to_name_it) {
        EXPECT_FALSE(open_store(name)) << name;
        EXPECT_EQ(count_records(), 3);
        EXPECT_EQ(read_field(gbk("单号")), "N2") << name;
    }
    std::filesystem::create_symlink(path(), path("link.edb"));
    EXPECT_FALSE(open_store(path("link.edb"))) << "the same file under another name";
    EXPECT_EQ(read_field(gbk("单号")), "N2");

    // Another store replaces the current one.
    write_bytes(path("other.edb"), empty_store_template());
    EXPECT_TRUE(open_store(path("other.edb")));
    EXPECT_EQ(count_records(), 0);
    close_store();
    EXPECT_EQ(count_records(), 0);
    close_store();
    EXPECT_TRUE(open_store(path()));
    EXPECT_EQ(read_field(gbk("单号")), "N1");
}

TEST_F(RecordStore, ModifyRecordWritesTheThreeFieldsOfTheCurrentRecord) {
    fill(3);
    ASSERT_TRUE(go_to_record(2));
    ASSERT_TRUE(modify_record("123456789012345678901", gbk("申通"), gbk("改过")));
    const std::string expected = store_head(3, 37, 136, tracking_fields()) +
                                 record(34, {"N1", gbk("中通"), ""}) +
                                 record(35, {"12345678901234567890", gbk("申通"), gbk("改过")}) +
                                 record(36, {"N3", gbk("中通"), ""});
    EXPECT_EQ(read_bytes(path()), expected);
    ASSERT_TRUE(modify_record("", "", ""));
    EXPECT_EQ(all_rows()[1].number, "");
}

TEST_F(RecordStore, MarkedRecordsKeepTheirPlaceUntilPurged) {
    fill(4);
    go_to_record(2);
    ASSERT_TRUE(mark_deleted());
    go_to_record(4);
    ASSERT_TRUE(mark_deleted());
    ASSERT_TRUE(mark_deleted()) << "marking twice keeps the mark";
    const std::string rows = record(34, {"N1", gbk("中通")}) + record(-35, {"N2", gbk("中通")}) +
                             record(36, {"N3", gbk("中通")}) + record(-37, {"N4", gbk("中通")});
    EXPECT_EQ(read_bytes(path()), store_head(4, 38, 136, tracking_fields()) + rows);
    EXPECT_EQ(count_records(), 4);
    EXPECT_EQ(numbers(), (std::vector<std::string>{"N1", "N2", "N3", "N4"}));

    go_to_record(3);
    ASSERT_TRUE(purge_marked());
    EXPECT_EQ(read_field(gbk("单号")), "N1") << "record 1 is current after a purge";
    EXPECT_EQ(read_bytes(path()), store_head(2, 38, 136, tracking_fields()) +
                                      record(34, {"N1", gbk("中通")}) +
                                      record(36, {"N3", gbk("中通")}));
    EXPECT_TRUE(purge_marked()) << "nothing left to purge";
    EXPECT_EQ(numbers(), (std::vector<std::string>{"N1", "N3"}));
}

TEST_F(RecordStore, ClearKeepsTheNextSerialNumber) {
    fill(2);
    ASSERT_TRUE(clear_store());
    EXPECT_EQ(count_records(), 0);
    EXPECT_EQ(read_bytes(path()), store_head(0, 36, 136, tracking_fields()));
    ASSERT_TRUE(add("after"));
    EXPECT_EQ(read_bytes(path()),
              store_head(1, 37, 136, tracking_fields()) + record(36, {"after", gbk("中通")}));
}

TEST_F(RecordStore, AppendStartsAtOneWhenTheHeaderHoldsNoSerial) {
    const struct {
        int32_t next_serial, first_word, next_after;
    } cases[] = {{0, 1, 2}, {-5, 1, 2}, {INT32_MIN, 1, 2}, {INT32_MAX, INT32_MAX, INT32_MIN}};
    for (const auto& c : cases) {
        write_bytes(path(), store_head(0, c.next_serial, 136, tracking_fields()));
        ASSERT_TRUE(open_store(path()));
        ASSERT_TRUE(append_blank());
        close_store();
        EXPECT_EQ(read_bytes(path()),
                  store_head(1, c.next_after, 136, tracking_fields()) + record(c.first_word, {}))
            << c.next_serial;
    }
    ASSERT_TRUE(open_store(path()));
    ASSERT_TRUE(append_blank()) << "after the largest serial the count starts again";
    EXPECT_EQ(get_le(read_bytes(path()), 332 + 136), 1);
}

TEST_F(RecordStore, RewriteGivesTheBytesOfClearAndAppends) {
    const std::vector<TrackingRecord> records = {
        {"A1", gbk("中通"), gbk("一")},
        {"123456789012345678901", gbk("ABCDEFGHIJKLMNOP"), std::string(120, 'n')},
        {"", "", ""},
    };
    // A store with history: serials used, a record marked deleted.
    const std::string start = store_head(2, 40, 136, tracking_fields()) +
                              record(38, {"old", "x", "y"}) + record(-39, {"gone"});
    write_bytes(path("sequence.edb"), start);
    write_bytes(path(), start);
    chmod(path().c_str(), 0640);

    ASSERT_TRUE(open_store(path("sequence.edb")));
    ASSERT_TRUE(clear_store());
    for (const TrackingRecord& r : records) {
        ASSERT_TRUE(add(r.number, r.company, r.note));
    }
    close_store();

    ASSERT_TRUE(open_store(path()));
    ASSERT_TRUE(rewrite_store(records));
    EXPECT_EQ(read_field(gbk("单号")), "A1") << "record 1 is current";
    EXPECT_EQ(read_bytes(path()), read_bytes(path("sequence.edb")));
    ASSERT_TRUE(rewrite_store({records[2], records[0]}));
    EXPECT_EQ(numbers(), (std::vector<std::string>{"", "A1"}));
    close_store();

    struct stat info {};
    ASSERT_EQ(stat(path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u) << "the new file keeps the permissions";
    ASSERT_TRUE(open_store(path()));
    EXPECT_EQ(numbers(), (std::vector<std::string>{"", "A1"}));
}

TEST_F(RecordStore, WholeFileWritesLeaveNoTemporaryFiles) {
    // One left by a process that was killed, one by a process still running.
    const std::string dead = path("Danhao.edb.tmp-2147483646-1");
    const std::string alive = path("Danhao.edb.tmp-" + std::to_string(getpid()) + "-999999");
    write_bytes(dead, "x");
    write_bytes(alive, "x");
    fill(3);
    go_to_record(2);
    ASSERT_TRUE(mark_deleted());
    ASSERT_TRUE(purge_marked());
    ASSERT_TRUE(rewrite_store({{"a", "b", "c"}}));
    ASSERT_TRUE(clear_store());
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Danhao.edb",
                                               std::filesystem::path(alive).filename().string()}));
}

TEST_F(RecordStore, RecordsKeepTheOrderOfTheListThroughEveryChange) {
    fill(3);
    close_store();
    // Each step as the list's operations run it: open, change, reload.
    ASSERT_TRUE(open_store(path()));
    ASSERT_TRUE(add("N4"));
    EXPECT_EQ(numbers(), (std::vector<std::string>{"N1", "N2", "N3", "N4"}));
    close_store();

    ASSERT_TRUE(open_store(path()));
    go_to_record(2);
    mark_deleted();
    ASSERT_TRUE(purge_marked());
    EXPECT_EQ(numbers(), (std::vector<std::string>{"N1", "N3", "N4"}));
    close_store();

    ASSERT_TRUE(open_store(path()));
    ASSERT_TRUE(rewrite_store({{"N4", "", ""}, {"N1", "", ""}, {"N3", "", ""}}));
    close_store();
    ASSERT_TRUE(open_store(path()));
    EXPECT_EQ(numbers(), (std::vector<std::string>{"N4", "N1", "N3"}));
    // A sort writes the rows back in place.
    const char* sorted[] = {"N1", "N3", "N4"};
    for (int i = 1; i <= 3; ++i) {
        go_to_record(i);
        ASSERT_TRUE(write_field(gbk("单号"), sorted[i - 1]));
    }
    close_store();
    ASSERT_TRUE(open_store(path()));
    EXPECT_EQ(numbers(), (std::vector<std::string>{"N1", "N3", "N4"}));
    close_store();

    ASSERT_TRUE(open_store(path()));
    ASSERT_TRUE(clear_store());
    ASSERT_TRUE(add("N9"));
    close_store();
    ASSERT_TRUE(open_store(path()));
    EXPECT_EQ(numbers(), (std::vector<std::string>{"N9"}));
}
