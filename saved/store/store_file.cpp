#include "store_file.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kesvane::store_file {

namespace {

namespace fs = std::filesystem;

struct TargetParts {
    std::string folder;
    std::string name;
};

TargetParts split(const std::string& target) {
    const fs::path path(target);
    std::string folder = path.parent_path().string();
    return {folder.empty() ? std::string(".") : folder, path.filename().string()};
}

std::string temp_prefix(const TargetParts& parts) {
    return parts.name + ".tmp-";
}

// A rewrite killed half-way leaves its temporary file behind. Those of
// processes that no longer run are removed; a live writer's file is kept.
void remove_stale_temps(const TargetParts& parts) {
    DIR* dir = opendir(parts.folder.c_str());
    if (!dir) {
        return;
    }
    const std::string prefix = temp_prefix(parts);
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.substr(0, prefix.size()) != prefix) {
            continue;
        }
        const long pid = std::strtol(entry->d_name + prefix.size(), nullptr, 10);
        if (pid > 0 && kill(static_cast<pid_t>(pid), 0) == -1 && errno == ESRCH) {
            unlinkat(dirfd(dir), entry->d_name, 0);
        }
    }
    closedir(dir);
}

struct TempFile {
    std::string path;
    int fd = -1;
};

TempFile create_temp(const TargetParts& parts) {
    static unsigned sequence = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        TempFile temp;
        temp.path = parts.folder + "/" + temp_prefix(parts) + std::to_string(getpid()) + "-" +
                    std::to_string(++sequence);
        temp.fd = open(temp.path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (temp.fd >= 0 || errno != EEXIST) {
            return temp;
        }
    }
    return {};
}

void sync_folder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// Writes and flushes a new temporary file beside `target`.
TempFile write_temp(const TargetParts& parts, std::string_view bytes, int like_fd) {
    remove_stale_temps(parts);
    TempFile temp = create_temp(parts);
    if (temp.fd < 0) {
        return temp;
    }
    struct stat like {};
    if (like_fd >= 0 && fstat(like_fd, &like) == 0) {
        fchmod(temp.fd, like.st_mode & 07777);
        if (fchown(temp.fd, like.st_uid, like.st_gid) != 0) {
            // Only root may give the file away; the permissions still hold.
        }
    }
    if (!write_all_at(temp.fd, bytes, 0) || fdatasync(temp.fd) != 0) {
        close(temp.fd);
        unlink(temp.path.c_str());
        temp.fd = -1;
    }
    return temp;
}

bool rename_no_replace(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // File systems without RENAME_NOREPLACE: link(2) refuses to replace too.
    if (link(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    unlink(from.c_str());
    return true;
}

} // namespace

bool read_exact_at(int fd, char* out, size_t size, uint64_t at) {
    while (size > 0) {
        const ssize_t got = pread(fd, out, size, static_cast<off_t>(at));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        out += got;
        size -= static_cast<size_t>(got);
        at += static_cast<uint64_t>(got);
    }
    return true;
}

bool write_all_at(int fd, std::string_view bytes, uint64_t at) {
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t put = pwrite(fd, data, left, static_cast<off_t>(at));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        data += put;
        left -= static_cast<size_t>(put);
        at += static_cast<uint64_t>(put);
    }
    return true;
}

int replace_file(const std::string& target, std::string_view bytes, int like_fd) {
    const TargetParts parts = split(target);
    TempFile temp = write_temp(parts, bytes, like_fd);
    if (temp.fd < 0) {
        return -1;
    }
    if (rename(temp.path.c_str(), target.c_str()) != 0) {
        close(temp.fd);
        unlink(temp.path.c_str());
        return -1;
    }
    sync_folder(parts.folder);
    return temp.fd;
}

bool create_file(const std::string& target, std::string_view bytes) {
    const TargetParts parts = split(target);
    TempFile temp = write_temp(parts, bytes, -1);
    if (temp.fd < 0) {
        return false;
    }
    close(temp.fd);
    const bool created = rename_no_replace(temp.path, target);
    if (!created) {
        unlink(temp.path.c_str());
    } else {
        sync_folder(parts.folder);
    }
    return created;
}

} // namespace kesvane::store_file
