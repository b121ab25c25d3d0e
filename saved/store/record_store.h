// The record-file engine for "WEDB" stores: fixed-length records of text
// fields. Like the engine the program was written for, it keeps one current
// store and, in it, one current record; every operation acts on those and
// reports success as a boolean. Used from the GUI thread only.
#pragma once

#include <string>
#include <vector>

namespace kesvane {

struct TrackingRecord {
    std::string number;  // field "单号", GBK
    std::string company; // field "公司", GBK
    std::string note;    // field "备注", GBK
    friend bool operator==(const TrackingRecord&, const TrackingRecord&) = default;
};

// Every change is written to the file before the operation returns, so it
// survives a crash or a kill of the program; close_store flushes the file to
// the disk once after changes. purge_marked, clear_store and rewrite_store
// write the whole new file beside the old one and rename it over.

// Fails, changing nothing, when the store is open already (the same file, or
// the same full path with ASCII letters compared without case). Otherwise
// closes the current store and opens `path`, never creating it; a file that
// is no sound store is refused and left untouched. A last record cut short
// by a crash is left out. A file that may only be read opens read-only, and
// every write to it fails. Record 1 becomes current.
bool open_store(const std::string& path);
void close_store();
int count_records();
bool go_first();
// False on the last record, where nothing changes.
bool go_next();
// Clamps `n` to the records there are; fails only on an empty store.
bool go_to_record(int n);
bool append_blank();
// Only fields of the text type are read and written by name; the bytes of
// fields of other types are kept as they are. Names ignore ASCII case.
std::string read_field(const std::string& name);
bool write_field(const std::string& name, const std::string& text);
// One write covering the three fields; fails, writing nothing, when the
// store lacks one of them.
bool modify_record(const std::string& number, const std::string& company, const std::string& note);
bool mark_deleted();
bool purge_marked();
bool clear_store();

// Replaces every record of the current store with `records`, in order, by
// writing the complete new file beside the old one, flushing it and renaming
// it over: a crash at any moment leaves the old content or the new one. The
// bytes are those that clear_store followed by one append_blank and three
// write_field per record would give. Record 1 becomes current.
bool rewrite_store(const std::vector<TrackingRecord>& records);

// The 332-byte file of an empty store with the fields 单号, 公司 and 备注.
std::string empty_store_template();

// Writes the template to `path` when no file exists there; never touches an
// existing file. Returns whether a store file exists afterwards.
bool create_store_if_missing(const std::string& path);

} // namespace kesvane
