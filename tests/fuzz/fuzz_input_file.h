#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

// An in-memory file that the reader opens by name like any problem file, so the
// fuzzers exercise the real file path without touching the disk.
class FuzzInputFile {
public:
    FuzzInputFile() : fd_(memfd_create("qtb-fuzz-input", 0)), path_("/proc/self/fd/" + std::to_string(fd_)) {}
    ~FuzzInputFile() { close(fd_); }
    FuzzInputFile(const FuzzInputFile&) = delete;
    FuzzInputFile& operator=(const FuzzInputFile&) = delete;

    // Replaces the file's contents; returns its name.
    const std::string& write(const std::uint8_t* data, std::size_t size) {
        if (ftruncate(fd_, 0) != 0) return path_;
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        return path_;
    }

private:
    int fd_;
    std::string path_;
};
