// The byte layout of a "WEDB" store file: a 112-byte header, the field
// count, one 72-byte descriptor per field and then the fixed-length records.
// Only the parts the engine needs are named here; every other header byte is
// carried over unchanged when the engine writes a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesvane::store_format {

inline constexpr char kMagic[4] = {'W', 'E', 'D', 'B'};
inline constexpr size_t kHeaderSize = 112;
inline constexpr size_t kVersionAt = 4;
inline constexpr size_t kDateAt = 8;
inline constexpr size_t kRecordCountAt = 16;
inline constexpr size_t kNextSerialAt = 20;
inline constexpr size_t kRecordLengthAt = 24;
inline constexpr size_t kFieldCountAt = 112;
inline constexpr size_t kFieldTableAt = 116;
inline constexpr size_t kDescriptorSize = 72;
inline constexpr size_t kFieldNameSize = 20;
inline constexpr size_t kFieldTypeAt = 20;
inline constexpr size_t kFieldOffsetAt = 24;
inline constexpr size_t kFieldWidthAt = 28;
inline constexpr size_t kRecordWordSize = 4;
inline constexpr uint32_t kTextType = 10;

// Larger records are refused rather than trusted: a damaged length field
// must not make one blank record cost gigabytes.
inline constexpr int32_t kMaxRecordLength = 1 << 20;

struct Field {
    std::string name;       // GBK, up to the first zero byte
    std::string lower_name; // name with ASCII letters lowered, for lookups
    uint32_t type = 0;
    uint32_t offset = 0; // in the record
    uint32_t width = 0;
    bool is_text() const { return type == kTextType; }
};

struct Layout {
    std::vector<Field> fields;
    uint32_t record_length = 0;
    uint64_t data_offset = 0; // where record 1 starts
    int32_t header_count = 0; // the record count the header claims
    int32_t next_serial = 0;
    uint32_t whole_records = 0; // records that are complete in the file
};

uint32_t get_u32(std::string_view bytes, size_t at);
int32_t get_i32(std::string_view bytes, size_t at);
void put_u32(std::string& bytes, size_t at, uint32_t value);
void put_i32(std::string& bytes, size_t at, int32_t value);

// Bytes of the file needed before describe() can run: the header and the
// field count first, then the whole field table. Yields nullopt when `head`
// (the first min(file size, 116) bytes) is no store's beginning.
std::optional<uint64_t> head_size(std::string_view head, uint64_t file_size);

// Checks everything the engine relies on against the file's size: magic,
// field table and record length inside the file, every field inside the
// record and past the record word, and a record count that matches the
// size, allowing only for one incomplete record at the end (an append cut
// short). `head` holds at least head_size() bytes.
std::optional<Layout> describe(std::string_view head, uint64_t file_size);

// Field bytes for `text`: its first `width` bytes, zero-padded.
void store_text(char* field, uint32_t width, std::string_view text);

// A text field's value: bytes up to the first zero, or all of them.
std::string load_text(const char* field, uint32_t width);

// The serial number an added record receives, and the header's next one.
int32_t serial_for_append(int32_t next_serial);
int32_t serial_after(int32_t serial);

// The record word of a record marked deleted.
int32_t deleted_word(int32_t word);

} // namespace kesvane::store_format
