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

bool open_store(const std::string& path);
void close_store();
int count_records();
bool go_first();
bool go_next();
bool go_to_record(int n);
bool append_blank();
std::string read_field(const std::string& name);
bool write_field(const std::string& name, const std::string& text);
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
