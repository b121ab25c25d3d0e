#include "store_format.h"

#include "gbk_text.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace kesvane::store_format {

uint32_t get_u32(std::string_view bytes, size_t at) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

int32_t get_i32(std::string_view bytes, size_t at) {
    return static_cast<int32_t>(get_u32(bytes, at));
}

void put_u32(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

void put_i32(std::string& bytes, size_t at, int32_t value) {
    put_u32(bytes, at, static_cast<uint32_t>(value));
}

std::optional<uint64_t> head_size(std::string_view head, uint64_t file_size) {
    if (head.size() < kFieldTableAt || file_size < kFieldTableAt ||
        std::memcmp(head.data(), kMagic, sizeof kMagic) != 0) {
        return std::nullopt;
    }
    const uint64_t table_end =
        kFieldTableAt + uint64_t{get_u32(head, kFieldCountAt)} * kDescriptorSize;
    if (table_end > file_size) {
        return std::nullopt;
    }
    return table_end;
}

namespace {

std::optional<Field> describe_field(std::string_view descriptor, uint32_t record_length) {
    Field field;
    field.name = std::string(until_first_zero(descriptor.substr(0, kFieldNameSize)));
    field.lower_name = ascii_lower(field.name);
    field.type = get_u32(descriptor, kFieldTypeAt);
    field.offset = get_u32(descriptor, kFieldOffsetAt);
    field.width = get_u32(descriptor, kFieldWidthAt);
    // The record word belongs to the engine; no field may overlap it.
    if (field.offset < kRecordWordSize || field.width == 0 ||
        uint64_t{field.offset} + field.width > record_length) {
        return std::nullopt;
    }
    return field;
}

} // namespace

std::optional<Layout> describe(std::string_view head, uint64_t file_size) {
    const auto table_end = head_size(head, file_size);
    if (!table_end || head.size() < *table_end) {
        return std::nullopt;
    }
    const int32_t record_length = get_i32(head, kRecordLengthAt);
    if (record_length < static_cast<int32_t>(kRecordWordSize) || record_length > kMaxRecordLength) {
        return std::nullopt;
    }
    Layout layout;
    layout.record_length = static_cast<uint32_t>(record_length);
    layout.data_offset = *table_end;
    layout.header_count = get_i32(head, kRecordCountAt);
    layout.next_serial = get_i32(head, kNextSerialAt);

    const uint32_t field_count = get_u32(head, kFieldCountAt);
    layout.fields.reserve(field_count);
    for (uint32_t i = 0; i < field_count; ++i) {
        auto field = describe_field(
            head.substr(kFieldTableAt + size_t{i} * kDescriptorSize, kDescriptorSize),
            layout.record_length);
        if (!field) {
            return std::nullopt;
        }
        layout.fields.push_back(std::move(*field));
    }

    if (layout.header_count < 0) {
        return std::nullopt;
    }
    const uint64_t data_size = file_size - layout.data_offset;
    const uint64_t whole = data_size / layout.record_length;
    const uint64_t claimed = static_cast<uint64_t>(layout.header_count);
    // Either the count matches the whole records (an unfinished record after
    // them is ignored), or the last counted record was cut short.
    if (whole != claimed && whole + 1 != claimed) {
        return std::nullopt;
    }
    layout.whole_records = static_cast<uint32_t>(std::min(whole, claimed));
    return layout;
}

void store_text(char* field, uint32_t width, std::string_view text) {
    const size_t kept = std::min<size_t>(text.size(), width);
    std::memcpy(field, text.data(), kept);
    std::memset(field + kept, 0, width - kept);
}

std::string load_text(const char* field, uint32_t width) {
    const void* zero = std::memchr(field, 0, width);
    const size_t length = zero ? static_cast<const char*>(zero) - field : width;
    return std::string(field, length);
}

int32_t serial_for_append(int32_t next_serial) {
    return next_serial <= 0 ? 1 : next_serial;
}

int32_t serial_after(int32_t serial) {
    // Past the largest serial the counter wraps negative, so the next add
    // starts again at 1 instead of overflowing.
    return serial == INT32_MAX ? INT32_MIN : serial + 1;
}

int32_t deleted_word(int32_t word) {
    if (word < 0) {
        return word;
    }
    return word == 0 ? INT32_MIN : -word;
}

} // namespace kesvane::store_format
