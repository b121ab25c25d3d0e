// The file side of the store: the empty-store template, stores of other
// shapes, stores cut short by a crash, and files that are no store at all.
#include "record_store.h"
#include "store_bytes.h"

#include <cstring>

using namespace kesvane;
using namespace store_test;

namespace {

class StoreFiles : public StoreTest {};

const std::string kTemplateHead = store_head(0, 34, 136, tracking_fields());

} // namespace

TEST_F(StoreFiles, TemplateIsTheEmptyStoreOfTheThreeFields) {
    const std::string bytes = empty_store_template();
    ASSERT_EQ(bytes.size(), 332u);
    EXPECT_EQ(bytes, kTemplateHead);
    double days = 0;
    std::memcpy(&days, bytes.data() + 8, sizeof days);
    EXPECT_DOUBLE_EQ(days, 40205.992476851854);
}

TEST_F(StoreFiles, TheTemplateIsWrittenOnlyWhereNoFileExists) {
    EXPECT_TRUE(create_store_if_missing(path()));
    EXPECT_EQ(read_bytes(path()), kTemplateHead);

    write_bytes(path(), "not a store");
    EXPECT_TRUE(create_store_if_missing(path()));
    EXPECT_EQ(read_bytes(path()), "not a store");

    std::filesystem::create_symlink(path("nowhere"), path("dangling.edb"));
    EXPECT_FALSE(create_store_if_missing(path("dangling.edb")));
    EXPECT_FALSE(std::filesystem::exists(path("nowhere")));

    EXPECT_FALSE(create_store_if_missing(path("no such folder/Danhao.edb")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder()), {}), 2)
        << "no temporary file is left";
}

TEST_F(StoreFiles, StoresOfOtherShapesOpenAndRead) {
    // Two text fields with a gap and a field of another type; 40-byte records.
    const std::vector<FieldSpec> fields = {
        {"Name", 10, 8, 6}, {"Flag", 3, 14, 2}, {gbk("单号"), 10, 16, 16}};
    const std::string head = store_head(3, 9, 40, fields);
    const std::string rows = record(5, {"abc", "ZZ", "SF1"}, 40, fields) +
                             record(-6, {"defghi", "YY", "SF2"}, 40, fields) +
                             record(7, {"", "", std::string(16, 'x')}, 40, fields);
    write_bytes(path(), head + rows);
    ASSERT_TRUE(open_store(path()));
    EXPECT_EQ(count_records(), 3);
    go_to_record(2);
    EXPECT_EQ(read_field("NAME"), "defghi") << "marked records read like the others";
    EXPECT_EQ(read_field("name"), "defghi");
    EXPECT_EQ(read_field(gbk("单号")), "SF2");
    EXPECT_EQ(read_field("Flag"), "") << "fields of other types are not read as text";
    EXPECT_FALSE(write_field("Flag", "AB"));
    EXPECT_EQ(read_field(gbk("公司")), "");
    EXPECT_FALSE(write_field(gbk("公司"), "x"));
    EXPECT_FALSE(modify_record("1", "2", "3")) << "the store has no 公司 field";
    go_to_record(3);
    EXPECT_EQ(read_field(gbk("单号")), std::string(16, 'x'));
    ASSERT_TRUE(write_field("nAmE", "12345678"));
    EXPECT_EQ(read_bytes(path()), head + rows.substr(0, 80) +
                                      record(7, {"123456", "", std::string(16, 'x')}, 40, fields));
    go_to_record(1);
    mark_deleted();
    ASSERT_TRUE(purge_marked());
    EXPECT_EQ(read_bytes(path()), store_head(1, 9, 40, fields) +
                                      record(7, {"123456", "", std::string(16, 'x')}, 40, fields));
}

TEST_F(StoreFiles, FieldNamesIgnoreOnlyTheCaseOfAsciiLetters) {
    // Two-byte characters whose second bytes are 'A' and 'a' are different
    // characters and must not be taken for each other.
    const std::vector<FieldSpec> fields = {{"\x81\x41", 10, 4, 4}, {"\x81\x61", 10, 8, 4}};
    write_bytes(path(), store_head(1, 2, 12, fields) + record(1, {"one", "two"}, 12, fields));
    ASSERT_TRUE(open_store(path()));
    EXPECT_EQ(read_field("\x81\x41"), "one");
    EXPECT_EQ(read_field("\x81\x61"), "two");
}

TEST_F(StoreFiles, AStoreWhoseLastRecordWasCutShortOpensWithItsWholeRecords) {
    const std::string rows = record(34, {"N1"}) + record(35, {"N2"}) + record(36, {"N3"});
    const struct {
        const char* what;
        int32_t count;
        size_t bytes_of_records;
        int whole;
    } cases[] = {
        {"third record half written", 3, 136 * 2 + 60, 2},
        {"third record not written at all", 3, 136 * 2, 2},
        {"an uncounted record half written", 2, 136 * 2 + 60, 2},
        {"one record cut short", 1, 10, 0},
    };
    for (const auto& c : cases) {
        const std::string bytes =
            store_head(c.count, 37, 136, tracking_fields()) + rows.substr(0, c.bytes_of_records);
        write_bytes(path(), bytes);
        ASSERT_TRUE(open_store(path())) << c.what;
        EXPECT_EQ(count_records(), c.whole) << c.what;
        go_to_record(c.whole);
        if (c.whole > 0) {
            EXPECT_EQ(read_field(gbk("单号")), "N" + std::to_string(c.whole)) << c.what;
            EXPECT_TRUE(write_field(gbk("备注"), "kept"));
        }
        close_store();
        // Opening and writing a whole record leave the broken tail alone...
        const std::string after = read_bytes(path());
        EXPECT_EQ(after.size(), bytes.size()) << c.what;
        EXPECT_EQ(after.substr(0, 332), bytes.substr(0, 332)) << c.what;
        // ...and the next append writes over it.
        ASSERT_TRUE(open_store(path()));
        ASSERT_TRUE(append_blank());
        close_store();
        EXPECT_EQ(read_bytes(path()).size(), 332 + 136u * (c.whole + 1)) << c.what;
        ASSERT_TRUE(open_store(path()));
        EXPECT_EQ(count_records(), c.whole + 1) << c.what;
        close_store();
    }
}

TEST_F(StoreFiles, FilesThatAreNoSoundStoreDoNotOpenAndStayUntouched) {
    const auto fields = tracking_fields();
    const std::string one = record(34, {"N1"});
    auto with = [](std::string bytes, size_t at, uint32_t value) {
        put_le(bytes, at, value);
        return bytes;
    };
    const std::string good = store_head(1, 35, 136, fields) + one;
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty file", ""},
        {"header only", good.substr(0, 112)},
        {"ends inside the field count", good.substr(0, 114)},
        {"other magic", "WEDC" + good.substr(4)},
        {"magic in lower case", "wedb" + good.substr(4)},
        {"field table past the end", good.substr(0, 116 + 72 + 10)},
        {"field count too large", with(good, 112, 7)},
        {"field count huge", with(good, 112, 0xFFFFFFFF)},
        {"record length 0", with(good, 24, 0)},
        {"record length shorter than the record word", with(good, 24, 3)},
        {"record length negative", with(good, 24, 0xFFFFFF78)},
        {"record length absurd", with(good, 24, 0x40000000)},
        {"record length shorter than the fields", with(good, 24, 135)},
        {"field over the record word", with(good, 116 + 24, 2)},
        {"field past the record's end", with(good, 116 + 72 * 2 + 24, 37)},
        {"field width 0", with(good, 116 + 72 + 28, 0)},
        {"field width wrapping around", with(good, 116 + 28, 0xFFFFFFFE)},
        {"field offset wrapping around", with(good, 116 + 24, 0xFFFFFFF0)},
        {"record count negative", with(good, 16, 0xFFFFFFFF)},
        {"record count too large", with(good, 16, 3)},
        {"record count too large by many", with(good, 16, 0x7FFFFFFF)},
        {"record count too small", with(good, 16, 0) + one},
        {"records beyond the count", good + one},
    };
    write_bytes(path("good.edb"), good);
    for (const auto& c : cases) {
        write_bytes(path(), c.bytes);
        ASSERT_TRUE(open_store(path("good.edb")));
        go_to_record(1);
        EXPECT_FALSE(open_store(path())) << c.what;
        EXPECT_EQ(count_records(), 0) << c.what << ": no store is current";
        EXPECT_FALSE(append_blank()) << c.what;
        EXPECT_FALSE(clear_store()) << c.what;
        EXPECT_EQ(read_bytes(path()), c.bytes) << c.what;
    }
    EXPECT_EQ(read_bytes(path("good.edb")), good);
    EXPECT_FALSE(open_store(folder())) << "a folder";
    EXPECT_FALSE(open_store(path("missing.edb")));
    EXPECT_FALSE(std::filesystem::exists(path("missing.edb"))) << "never created";
    EXPECT_FALSE(open_store(""));
}
