#include "cli/problem_file_mapping.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <string_view>

namespace cli {
namespace {

// A read-only private mapping of a whole file, unmapped at the end of its scope.
class Mapping {
public:
    Mapping(int descriptor, std::size_t size) noexcept
        : address_(::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0)), size_(size) {}
    Mapping(const Mapping&) = delete;
    Mapping& operator=(const Mapping&) = delete;
    ~Mapping() {
        if (mapped()) ::munmap(address_, size_);
    }

    bool mapped() const noexcept { return address_ != MAP_FAILED; }
    std::string_view bytes() const noexcept { return {static_cast<const char*>(address_), size_}; }

private:
    void* address_;
    std::size_t size_;
};

// A regular file of a size the reader takes; an empty file cannot be mapped.
bool mappable(const struct stat& status) noexcept {
    return S_ISREG(status.st_mode) && status.st_size > 0 &&
           static_cast<std::size_t>(status.st_size) <= SimplexIteration::kMaxProblemFileBytes;
}

}  // namespace

SimplexIteration read_problem_file(const std::string& path) {
    // Looked at before it is opened: opening a named pipe would wait for, and then fail, its writer.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !mappable(status)) return SimplexIteration(path);
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) return SimplexIteration(path);
    if (::fstat(descriptor, &status) != 0 || !mappable(status)) {  // replaced in between
        ::close(descriptor);
        return SimplexIteration(path);
    }
    const Mapping mapping(descriptor, static_cast<std::size_t>(status.st_size));
    ::close(descriptor);  // the mapping holds the file
    if (!mapping.mapped()) return SimplexIteration(path);
    return SimplexIteration::from_bytes(mapping.bytes());
}

}  // namespace cli
