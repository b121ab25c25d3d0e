// Feeds arbitrary bytes to the store engine as a store file. A file that
// does not open must be left byte for byte as it was; one that opens is
// walked and read in full, and a copy of it is changed through every write
// operation, after each of which it must open again with the records the
// engine reported.
#include "record_store.h"
#include "store_format.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

using namespace kesvane;

const std::string& work_folder() {
    // Never destroyed: the exit handler that removes the folder needs it.
    static const std::string& folder = *new std::string([] {
        std::string name = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
        name += "/fuzz_store.XXXXXX";
        if (!mkdtemp(name.data())) {
            std::abort();
        }
        std::atexit([] { std::filesystem::remove_all(work_folder()); });
        return name;
    }());
    return folder;
}

void put_file(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

std::vector<std::string> field_names(const std::string& bytes) {
    std::vector<std::string> names;
    if (auto layout = store_format::describe(bytes, bytes.size())) {
        for (const auto& field : layout->fields) {
            names.push_back(field.name);
        }
    }
    return names;
}

void walk(const std::vector<std::string>& names) {
    const int count = count_records();
    go_first();
    for (int n = 0; n < count; ++n) {
        for (const auto& name : names) {
            (void)read_field(name);
        }
        go_next();
    }
    go_to_record(0);
    go_to_record(count + 1);
    (void)read_field("");
}

// Closes and reopens the store; it must come back with `count` records.
void reopen(const std::string& path, int count) {
    close_store();
    require(open_store(path), "the engine left a store it cannot open");
    require(count_records() == count, "the record count changed on reopening");
}

void change_copy(const std::string& path, const std::string& text,
                 const std::vector<std::string>& names) {
    if (!open_store(path)) {
        return;
    }
    if (append_blank()) {
        for (const auto& name : names) {
            write_field(name, text);
        }
    }
    reopen(path, count_records());
    go_to_record(static_cast<int>(text.size()));
    modify_record(text, text, text);
    mark_deleted();
    reopen(path, count_records());
    go_first();
    mark_deleted();
    purge_marked();
    reopen(path, count_records());
    rewrite_store({{text, text, text}, {"", text, ""}});
    reopen(path, count_records());
    clear_store();
    reopen(path, 0);
    close_store();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = work_folder() + "/Danhao.edb";
    put_file(path, bytes);
    const bool opened = open_store(path);
    const std::vector<std::string> names = field_names(bytes);
    if (opened) {
        walk(names);
        close_store();
    }
    require(count_records() == 0, "a store stayed current");
    require(file_bytes(path) == bytes, "opening or reading changed the file");
    if (opened) {
        const std::string copy = work_folder() + "/copy.edb";
        put_file(copy, bytes);
        change_copy(copy, bytes.substr(size / 2, 120), names);
    }
    return 0;
}
