#include "record_store.h"

#include "gbk_codec.h"
#include "store_file.h"
#include "store_format.h"

#include <cerrno>
#include <sys/stat.h>

namespace kesvane {

namespace {

namespace format = store_format;

struct TemplateField {
    const char* name; // UTF-8
    uint32_t offset;
    uint32_t width;
};

constexpr TemplateField kFields[] = {{"单号", 4, 20}, {"公司", 24, 12}, {"备注", 36, 100}};
constexpr int32_t kRecordLength = 136;
constexpr int32_t kFirstSerial = 34;
constexpr uint32_t kVersion = 65536;
// 2010-01-27 23:49:10 as days since 1899-12-30, a 64-bit float.
constexpr unsigned char kDate[8] = {0x98, 0xD0, 0x5E, 0xC2, 0xBF, 0xA1, 0xE3, 0x40};

} // namespace

std::string empty_store_template() {
    std::string bytes(format::kFieldTableAt + std::size(kFields) * format::kDescriptorSize, '\0');
    bytes.replace(0, sizeof format::kMagic, format::kMagic, sizeof format::kMagic);
    format::put_u32(bytes, format::kVersionAt, kVersion);
    bytes.replace(format::kDateAt, sizeof kDate, reinterpret_cast<const char*>(kDate),
                  sizeof kDate);
    format::put_i32(bytes, format::kRecordCountAt, 0);
    format::put_i32(bytes, format::kNextSerialAt, kFirstSerial);
    format::put_i32(bytes, format::kRecordLengthAt, kRecordLength);
    format::put_u32(bytes, format::kFieldCountAt, std::size(kFields));
    size_t at = format::kFieldTableAt;
    for (const TemplateField& field : kFields) {
        const std::string name = gbk(field.name);
        bytes.replace(at, name.size(), name);
        format::put_u32(bytes, at + format::kFieldTypeAt, format::kTextType);
        format::put_u32(bytes, at + format::kFieldOffsetAt, field.offset);
        format::put_u32(bytes, at + format::kFieldWidthAt, field.width);
        at += format::kDescriptorSize;
    }
    return bytes;
}

namespace {

bool is_file(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

bool create_store_if_missing(const std::string& path) {
    struct stat info {};
    // Whatever is there, even a dangling link, stays as it is.
    if (lstat(path.c_str(), &info) == 0 || errno != ENOENT) {
        return is_file(path);
    }
    // Another process may create the file meanwhile; theirs is kept.
    store_file::create_file(path, empty_store_template());
    return is_file(path);
}

} // namespace kesvane
