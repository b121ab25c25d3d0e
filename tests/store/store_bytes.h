// Builds store files byte by byte from field values, independently of the
// engine, and gives each test its own temporary folder.
#pragma once

#include "gbk_codec.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace store_test {

inline void put_le(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>(value >> (8 * i));
    }
}

inline int32_t get_le(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value |= uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    }
    return static_cast<int32_t>(value);
}

struct FieldSpec {
    std::string name; // GBK
    uint32_t type;
    uint32_t offset;
    uint32_t width;
};

inline std::vector<FieldSpec> tracking_fields() {
    using kesvane::gbk;
    return {{gbk("单号"), 10, 4, 20}, {gbk("公司"), 10, 24, 12}, {gbk("备注"), 10, 36, 100}};
}

// Header (112 bytes), field count and descriptors (72 bytes each).
inline std::string store_head(int32_t count, int32_t next_serial, int32_t record_length,
                              const std::vector<FieldSpec>& fields) {
    std::string bytes(116 + 72 * fields.size(), '\0');
    bytes.replace(0, 4, "WEDB");
    put_le(bytes, 4, 65536);
    const unsigned char date[8] = {0x98, 0xD0, 0x5E, 0xC2, 0xBF, 0xA1, 0xE3, 0x40};
    bytes.replace(8, 8, reinterpret_cast<const char*>(date), 8);
    put_le(bytes, 16, static_cast<uint32_t>(count));
    put_le(bytes, 20, static_cast<uint32_t>(next_serial));
    put_le(bytes, 24, static_cast<uint32_t>(record_length));
    put_le(bytes, 112, static_cast<uint32_t>(fields.size()));
    for (size_t i = 0; i < fields.size(); ++i) {
        const size_t at = 116 + 72 * i;
        bytes.replace(at, fields[i].name.size(), fields[i].name);
        put_le(bytes, at + 20, fields[i].type);
        put_le(bytes, at + 24, fields[i].offset);
        put_le(bytes, at + 28, fields[i].width);
    }
    return bytes;
}

// One record: the record word, then each text cut at its field's width.
inline std::string record(int32_t word, const std::vector<std::string>& texts,
                          int32_t record_length = 136,
                          const std::vector<FieldSpec>& fields = tracking_fields()) {
    std::string bytes(static_cast<size_t>(record_length), '\0');
    put_le(bytes, 0, static_cast<uint32_t>(word));
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::string kept = texts[i].substr(0, fields[i].width);
        bytes.replace(fields[i].offset, kept.size(), kept);
    }
    return bytes;
}

inline std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A fresh folder per test, removed afterwards; the engine's store is closed
// on both ends so that no test inherits another's current store.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string path(const std::string& name = "Danhao.edb") const { return folder_ + "/" + name; }
    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
};

} // namespace store_test
