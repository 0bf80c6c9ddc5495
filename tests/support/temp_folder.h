#pragma once

// Files for tests: a temporary folder removed with everything in it, and whole-file reads and writes.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

#include "problem/cp1251.h"

namespace test_support {

namespace fs = std::filesystem;

class TempFolder {
public:
    // `prefix` names the folder under the system's temporary folder, for whoever finds one left over.
    explicit TempFolder(std::string_view prefix) {
        std::string pattern = (fs::temp_directory_path() / (std::string(prefix) + "_XXXXXX")).string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    // Tests take permissions away inside the folder; they are given back so that everything can go.
    ~TempFolder() {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (const auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
            if (!entry.is_symlink())
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const fs::path& path() const { return path_; }
    // A report name for a record: the Windows-1251 form of the UTF-8 path of `leaf` in this folder.
    std::string report_name(std::string_view utf8_leaf) const {
        return *cp1251::from_utf8((path_ / fs::path(std::string(utf8_leaf))).string());
    }

private:
    fs::path path_;
};

inline std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_file(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Writes `bytes` as the file `name` in `folder` and gives its path.
inline std::string write_in(const TempFolder& folder, const std::string& name, std::string_view bytes) {
    std::string path = (folder.path() / name).string();
    write_file(path, bytes);
    return path;
}

}  // namespace test_support
