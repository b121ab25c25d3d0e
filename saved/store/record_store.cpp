#include "record_store.h"

#include "gbk_codec.h"
#include "gbk_text.h"
#include "store_file.h"
#include "store_format.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace kesvane {

namespace {

namespace format = store_format;

// The store that is open. Every change goes to the file with pwrite before
// the operation returns, so a crash or a kill of the program loses nothing;
// close_store flushes the file to the disk once, after the last change.
// Record bytes are read from the file at the first access and kept in step
// with every write, so walking the list costs no system call per record.
struct OpenStore {
    int fd = -1;
    bool writable = false;
    std::string write_path; // symbolic links resolved: renames replace the file itself
    std::string key;        // full path, ASCII letters lowered
    std::string head;       // header and field table as in the file
    format::Layout layout;
    uint32_t count = 0;
    int32_t next_serial = 0;
    bool loaded = false;
    std::string records;  // count records when loaded
    uint32_t current = 0; // from 1; 0 while the store has no record
    bool dirty = false;   // written since the last flush to the disk

    uint64_t record_at(uint32_t n) const {
        return layout.data_offset + uint64_t{n - 1} * layout.record_length;
    }
    char* record_bytes(uint32_t n) { return records.data() + size_t{n - 1} * layout.record_length; }
};

std::optional<OpenStore> g_store;

const std::string& number_field() {
    static const std::string name = gbk("单号");
    return name;
}
const std::string& company_field() {
    static const std::string name = gbk("公司");
    return name;
}
const std::string& note_field() {
    static const std::string name = gbk("备注");
    return name;
}

std::string path_key(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return ascii_lower(error ? path : absolute.lexically_normal().string());
}

bool is_same_file(const std::string& path, int fd) {
    struct stat named {};
    struct stat open {};
    return stat(path.c_str(), &named) == 0 && fstat(fd, &open) == 0 &&
           named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

bool is_open_store(const std::string& path) {
    return g_store && (g_store->key == path_key(path) || is_same_file(path, g_store->fd));
}

int open_file(const std::string& path, bool& writable) {
    // O_NONBLOCK keeps a FIFO put in the store's place from hanging the open.
    const int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    int fd = open(path.c_str(), O_RDWR | flags);
    writable = fd >= 0;
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        fd = open(path.c_str(), O_RDONLY | flags);
    }
    return fd;
}

std::optional<OpenStore> read_store(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    const auto file_size = static_cast<uint64_t>(info.st_size);
    OpenStore store;
    store.head.resize(std::min<uint64_t>(file_size, format::kFieldTableAt));
    if (!store_file::read_exact_at(fd, store.head.data(), store.head.size(), 0)) {
        return std::nullopt;
    }
    const auto head_size = format::head_size(store.head, file_size);
    if (!head_size) {
        return std::nullopt;
    }
    store.head.resize(*head_size);
    if (!store_file::read_exact_at(fd, store.head.data() + format::kFieldTableAt,
                                   *head_size - format::kFieldTableAt, format::kFieldTableAt)) {
        return std::nullopt;
    }
    auto layout = format::describe(store.head, file_size);
    if (!layout) {
        return std::nullopt;
    }
    store.layout = std::move(*layout);
    store.count = store.layout.whole_records;
    store.next_serial = store.layout.next_serial;
    store.current = store.count > 0 ? 1 : 0;
    return store;
}

bool ensure_loaded(OpenStore& store) {
    if (store.loaded) {
        return true;
    }
    store.records.resize(size_t{store.count} * store.layout.record_length);
    if (!store_file::read_exact_at(store.fd, store.records.data(), store.records.size(),
                                   store.layout.data_offset)) {
        store.records.clear();
        return false;
    }
    store.loaded = true;
    return true;
}

const format::Field* find_field(const OpenStore& store, const std::string& name) {
    for (const auto& field : store.layout.fields) {
        if (field.name == name) {
            return &field;
        }
    }
    const std::string lower = ascii_lower(name);
    for (const auto& field : store.layout.fields) {
        if (field.lower_name == lower) {
            return &field;
        }
    }
    return nullptr;
}

// Only text fields are read and written by name; fields of other types are
// kept byte for byte but never interpreted.
const format::Field* find_text_field(const OpenStore& store, const std::string& name) {
    const format::Field* field = find_field(store, name);
    return field && field->is_text() ? field : nullptr;
}

OpenStore* writable_record() {
    return g_store && g_store->writable && g_store->current > 0 ? &*g_store : nullptr;
}

std::string blank_record(uint32_t length, int32_t serial) {
    std::string record(length, '\0');
    format::put_i32(record, 0, serial);
    return record;
}

struct NewRecords {
    std::string bytes;
    uint32_t count = 0;
    int32_t next_serial = 0;
};

// Puts the whole new file in place of the store's file and makes it the
// open one. The old file stays untouched when anything fails.
bool replace_records(OpenStore& store, NewRecords fresh) {
    std::string head = store.head;
    format::put_i32(head, format::kRecordCountAt, static_cast<int32_t>(fresh.count));
    format::put_i32(head, format::kNextSerialAt, fresh.next_serial);
    const int fd = store_file::replace_file(store.write_path, head + fresh.bytes, store.fd);
    if (fd < 0) {
        return false;
    }
    close(store.fd);
    store.fd = fd;
    store.head = std::move(head);
    store.records = std::move(fresh.bytes);
    store.loaded = true;
    store.count = fresh.count;
    store.next_serial = fresh.next_serial;
    store.current = store.count > 0 ? 1 : 0;
    store.dirty = false;
    return true;
}

} // namespace

bool open_store(const std::string& path) {
    if (path.empty() || is_open_store(path)) {
        return false;
    }
    close_store();
    bool writable = false;
    const int fd = open_file(path, writable);
    if (fd < 0) {
        return false;
    }
    auto store = read_store(fd);
    if (!store) {
        close(fd);
        return false;
    }
    store->fd = fd;
    store->writable = writable;
    std::error_code error;
    const auto canonical = std::filesystem::canonical(path, error);
    store->write_path = error ? path : canonical.string();
    store->key = path_key(path);
    g_store = std::move(store);
    return true;
}

void close_store() {
    if (!g_store) {
        return;
    }
    if (g_store->dirty) {
        fdatasync(g_store->fd);
    }
    close(g_store->fd);
    g_store.reset();
}

int count_records() {
    return g_store ? static_cast<int>(g_store->count) : 0;
}

bool go_first() {
    if (!g_store || g_store->count == 0) {
        return false;
    }
    g_store->current = 1;
    return true;
}

bool go_next() {
    if (!g_store || g_store->current == 0 || g_store->current >= g_store->count) {
        return false;
    }
    ++g_store->current;
    return true;
}

bool go_to_record(int n) {
    if (!g_store || g_store->count == 0) {
        return false;
    }
    g_store->current = static_cast<uint32_t>(std::clamp<int64_t>(n, 1, g_store->count));
    return true;
}

bool append_blank() {
    if (!g_store || !g_store->writable || g_store->count >= static_cast<uint32_t>(INT32_MAX)) {
        return false;
    }
    OpenStore& store = *g_store;
    const int32_t serial = format::serial_for_append(store.next_serial);
    const int32_t next_serial = format::serial_after(serial);
    const uint32_t count = store.count + 1;

    // The count goes first: a crash before the record is written leaves a
    // store whose last record is cut short, which opens with the others.
    std::string counters(8, '\0');
    format::put_i32(counters, 0, static_cast<int32_t>(count));
    format::put_i32(counters, 4, next_serial);
    store.dirty = true;
    const std::string record = blank_record(store.layout.record_length, serial);
    if (!store_file::write_all_at(store.fd, counters, format::kRecordCountAt) ||
        !store_file::write_all_at(store.fd, record, store.record_at(count))) {
        return false;
    }
    store.head.replace(format::kRecordCountAt, counters.size(), counters);
    store.count = count;
    store.next_serial = next_serial;
    if (store.loaded) {
        store.records += record;
    }
    store.current = count;
    return true;
}

std::string read_field(const std::string& name) {
    if (!g_store || g_store->current == 0) {
        return {};
    }
    const format::Field* field = find_text_field(*g_store, name);
    if (!field || !ensure_loaded(*g_store)) {
        return {};
    }
    return format::load_text(g_store->record_bytes(g_store->current) + field->offset, field->width);
}

bool write_field(const std::string& name, const std::string& text) {
    OpenStore* store = writable_record();
    const format::Field* field = store ? find_text_field(*store, name) : nullptr;
    if (!field) {
        return false;
    }
    std::string bytes(field->width, '\0');
    format::store_text(bytes.data(), field->width, text);
    store->dirty = true;
    if (!store_file::write_all_at(store->fd, bytes,
                                  store->record_at(store->current) + field->offset)) {
        return false;
    }
    if (store->loaded) {
        std::memcpy(store->record_bytes(store->current) + field->offset, bytes.data(),
                    bytes.size());
    }
    return true;
}

bool modify_record(const std::string& number, const std::string& company, const std::string& note) {
    OpenStore* store = writable_record();
    if (!store) {
        return false;
    }
    const std::pair<const format::Field*, const std::string*> writes[] = {
        {find_text_field(*store, number_field()), &number},
        {find_text_field(*store, company_field()), &company},
        {find_text_field(*store, note_field()), &note},
    };
    uint32_t from = UINT32_MAX;
    uint32_t to = 0;
    for (const auto& [field, text] : writes) {
        if (!field) {
            return false;
        }
        from = std::min(from, field->offset);
        to = std::max(to, field->offset + field->width);
    }
    if (!ensure_loaded(*store)) {
        return false;
    }
    // One write covering all three fields, so the record never holds a mix
    // of old and new texts; bytes between the fields are kept.
    char* record = store->record_bytes(store->current);
    std::string span(record + from, to - from);
    for (const auto& [field, text] : writes) {
        format::store_text(span.data() + (field->offset - from), field->width, *text);
    }
    store->dirty = true;
    if (!store_file::write_all_at(store->fd, span, store->record_at(store->current) + from)) {
        return false;
    }
    std::memcpy(record + from, span.data(), span.size());
    return true;
}

bool mark_deleted() {
    OpenStore* store = writable_record();
    if (!store || !ensure_loaded(*store)) {
        return false;
    }
    char* record = store->record_bytes(store->current);
    std::string word(record, format::kRecordWordSize);
    format::put_i32(word, 0, format::deleted_word(format::get_i32(word, 0)));
    store->dirty = true;
    if (!store_file::write_all_at(store->fd, word, store->record_at(store->current))) {
        return false;
    }
    std::memcpy(record, word.data(), word.size());
    return true;
}

bool purge_marked() {
    if (!g_store || !g_store->writable || !ensure_loaded(*g_store)) {
        return false;
    }
    OpenStore& store = *g_store;
    NewRecords kept;
    kept.next_serial = store.next_serial;
    const uint32_t length = store.layout.record_length;
    for (uint32_t n = 1; n <= store.count; ++n) {
        const char* record = store.record_bytes(n);
        if (format::get_i32(std::string_view(record, length), 0) >= 0) {
            kept.bytes.append(record, length);
            ++kept.count;
        }
    }
    if (kept.count == store.count) {
        store.current = store.count > 0 ? 1 : 0;
        return true;
    }
    return replace_records(store, std::move(kept));
}

bool clear_store() {
    if (!g_store || !g_store->writable) {
        return false;
    }
    NewRecords none;
    none.next_serial = g_store->next_serial;
    return replace_records(*g_store, std::move(none));
}

bool rewrite_store(const std::vector<TrackingRecord>& records) {
    if (!g_store || !g_store->writable || records.size() > static_cast<size_t>(INT32_MAX)) {
        return false;
    }
    OpenStore& store = *g_store;
    // Missing fields are skipped, as the writes of an append would fail.
    const format::Field* fields[] = {find_text_field(store, number_field()),
                                     find_text_field(store, company_field()),
                                     find_text_field(store, note_field())};
    const uint32_t length = store.layout.record_length;
    NewRecords fresh;
    fresh.count = static_cast<uint32_t>(records.size());
    fresh.next_serial = store.next_serial;
    fresh.bytes.assign(size_t{fresh.count} * length, '\0');
    char* record = fresh.bytes.data();
    for (const TrackingRecord& source : records) {
        const int32_t serial = format::serial_for_append(fresh.next_serial);
        fresh.next_serial = format::serial_after(serial);
        const std::string* texts[] = {&source.number, &source.company, &source.note};
        std::string word(format::kRecordWordSize, '\0');
        format::put_i32(word, 0, serial);
        std::memcpy(record, word.data(), word.size());
        for (int i = 0; i < 3; ++i) {
            if (fields[i]) {
                format::store_text(record + fields[i]->offset, fields[i]->width, *texts[i]);
            }
        }
        record += length;
    }
    return replace_records(store, std::move(fresh));
}

} // namespace kesvane
