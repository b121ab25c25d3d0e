// Plain POSIX file access for the store engine: whole reads and writes at an
// offset, and whole-file replacement that a crash or a kill at any moment
// leaves either before or after, never in between.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kesvane::store_file {

// False when the file ends before `size` bytes could be read.
bool read_exact_at(int fd, char* out, size_t size, uint64_t at);

bool write_all_at(int fd, std::string_view bytes, uint64_t at);

// Writes `bytes` to a new file in the folder of `target`, flushes it to the
// disk and renames it over `target`. The new file takes the permissions of
// the file open as `like_fd`. Returns the new file opened for reading and
// writing, or -1 when `target` was left as it was.
int replace_file(const std::string& target, std::string_view bytes, int like_fd);

// Like replace_file, but only when nothing exists at `target`; an existing
// file is never touched, even one that appears while this runs.
bool create_file(const std::string& target, std::string_view bytes);

} // namespace kesvane::store_file
