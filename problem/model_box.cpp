#include "problem/model_box.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <string_view>
#include <vector>

#include "problem/glpk_model_reader.h"
#include "problem/model_load_stop.h"
#include "problem/model_print_file.h"

extern char** environ;

namespace {

constexpr std::size_t kMaxResultBytes = std::size_t{1} << 30;
constexpr int kPollMilliseconds = 50;

// A descriptor closed with the object.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd& operator=(Fd&& other) noexcept {
        if (this != &other) {
            reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    int get() const { return fd_; }
    void reset() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

// Above the standard descriptors and 3, so that the helper's dup2 never meets itself.
Fd high(int fd) {
    if (fd < 0) throw ModelReadError("не удаётся связаться с процессом чтения модели");
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 10);
    close(fd);
    if (moved < 0) throw ModelReadError("не удаётся связаться с процессом чтения модели");
    return Fd(moved);
}

constexpr std::string_view kFolderPrefix = "qtb-model-";
// A folder this old whose reader is gone was left by a program that was killed.
constexpr auto kStaleFolderAge = std::chrono::minutes(1);

std::filesystem::path temporary_root() {
    const char* tmp = getenv("TMPDIR");
    return tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
}

// qtb-model-<pid of the reading program>-XXXXXX: the program whose process is gone left it behind.
bool left_by_dead_reader(const std::filesystem::directory_entry& entry) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(kFolderPrefix)) return false;
    const std::string_view rest = std::string_view(name).substr(kFolderPrefix.size());
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos || rest.size() - dash - 1 != 6) return false;
    pid_t owner = 0;
    for (const char digit : rest.substr(0, dash)) {
        if (digit < '0' || digit > '9' || owner > 100'000'000) return false;
        owner = owner * 10 + (digit - '0');
    }
    struct stat info {};
    if (lstat(entry.path().c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid()) return false;
    const auto changed = std::chrono::system_clock::from_time_t(info.st_mtime);
    if (std::chrono::system_clock::now() - changed < kStaleFolderAge) return false;
    return owner != getpid() && kill(owner, 0) != 0 && errno == ESRCH;
}

// Removes the working folders of readings whose program was killed before it could remove them.
void remove_stale_folders(const std::filesystem::path& root) {
    std::error_code error;
    std::filesystem::directory_iterator entries(root, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::error_code ignored;
        if (left_by_dead_reader(*entries)) std::filesystem::remove_all(entries->path(), ignored);
    }
}

// The private, empty working folder of one reading, removed with the object.
class WorkingFolder {
public:
    WorkingFolder() {
        const std::filesystem::path root = temporary_root();
        remove_stale_folders(root);
        std::string pattern = (root / kFolderPrefix).string() + std::to_string(getpid()) + "-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) throw ModelReadError("не удаётся создать рабочую папку для модели");
        path_ = pattern;
    }
    ~WorkingFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

bool is_program(const std::filesystem::path& path) { return access(path.c_str(), X_OK) == 0; }

std::string signal_name(int signal) {
    switch (signal) {
        case SIGSEGV:
            return "SIGSEGV, обращение к памяти вне отведённой";
        case SIGABRT:
            return "SIGABRT, аварийная остановка";
        case SIGBUS:
            return "SIGBUS";
        case SIGFPE:
            return "SIGFPE";
        case SIGILL:
            return "SIGILL";
        case SIGSYS:
            return "SIGSYS, запрещённый системный вызов";
        default:
            return "сигнал " + std::to_string(signal);
    }
}

std::string seconds_text(double seconds) {
    std::string text = std::to_string(seconds);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

enum class Ending { ran, stopped, timed_out };

}  // namespace

std::string model_box_program() {
    if (const char* named = getenv("QTB_MODEL_BOX"); named != nullptr && *named != '\0') return named;
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        for (const std::filesystem::path& candidate :
             {self.parent_path() / "qtb-model-box", self.parent_path() / "../libexec/qtb/qtb-model-box"}) {
            if (is_program(candidate)) return candidate.lexically_normal().string();
        }
    }
    return QTB_MODEL_BOX_INSTALLED;
}

LpModel run_model_box(const ModelBoxRequest& request, const ModelReadLimits& limits, std::string& printed) {
    printed.clear();
    const std::string program = model_box_program();
    if (!is_program(program))
        throw ModelReadError("не найдена программа чтения моделей qtb-model-box (" + program + ")");
    const WorkingFolder folder;
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) pair[0] = pair[1] = -1;
    Fd request_out = high(pair[0]);
    Fd request_in = high(pair[1]);
    int pipe_ends[2];
    if (pipe2(pipe_ends, O_CLOEXEC) != 0) pipe_ends[0] = pipe_ends[1] = -1;
    Fd print_in = high(pipe_ends[0]);
    Fd print_out = high(pipe_ends[1]);
    if (pipe2(pipe_ends, O_CLOEXEC) != 0) pipe_ends[0] = pipe_ends[1] = -1;
    Fd result_in = high(pipe_ends[0]);
    Fd result_out = high(pipe_ends[1]);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, request_in.get(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, print_out.get(), STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, result_out.get(), 3);
    std::string folder_argument = folder.path();
    std::string program_argument = program;
    char* argv[] = {program_argument.data(), folder_argument.data(), nullptr};
    pid_t child = -1;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        throw ModelReadError("не найдена программа чтения моделей qtb-model-box (" + program + ")");
    }
    request_in.reset();
    print_out.reset();
    result_out.reset();
    for (const Fd* fd : {&request_out, &print_in, &result_in}) fcntl(fd->get(), F_SETFL, O_NONBLOCK);

    const std::string bytes = encode_request(request);
    std::size_t sent = 0;
    std::string kept;
    std::size_t printed_bytes = 0;
    std::string result;
    bool result_too_long = false;
    Ending ending = Ending::ran;
    const auto deadline =
        std::chrono::steady_clock::now() +
        std::chrono::milliseconds(static_cast<long long>(std::ceil(std::fmax(limits.time_seconds, 0.0) * 1000.0)));
    char buffer[1 << 16];
    while (print_in.get() >= 0 || result_in.get() >= 0) {
        if (limits.stop != nullptr && limits.stop->requested()) {
            ending = Ending::stopped;
        } else if (std::chrono::steady_clock::now() >= deadline) {
            ending = Ending::timed_out;
        }
        if (ending != Ending::ran) {
            kill(child, SIGKILL);
            break;
        }
        std::vector<pollfd> watched;
        if (request_out.get() >= 0) watched.push_back({request_out.get(), POLLOUT, 0});
        if (print_in.get() >= 0) watched.push_back({print_in.get(), POLLIN, 0});
        if (result_in.get() >= 0) watched.push_back({result_in.get(), POLLIN, 0});
        poll(watched.data(), watched.size(), kPollMilliseconds);
        for (const pollfd& ready : watched) {
            if (ready.revents == 0) continue;
            if (ready.fd == request_out.get()) {
                const ssize_t n = send(ready.fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
                if (n > 0) sent += static_cast<std::size_t>(n);
                if ((n < 0 && errno != EAGAIN && errno != EINTR) || sent == bytes.size()) request_out.reset();
                continue;
            }
            const ssize_t n = read(ready.fd, buffer, sizeof buffer);
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            if (ready.fd == print_in.get()) {
                if (n <= 0) {
                    print_in.reset();
                    continue;
                }
                printed_bytes += static_cast<std::size_t>(n);
                const std::size_t room = kKeptModelPrintBytes + 4 - std::min(kept.size(), kKeptModelPrintBytes + 4);
                kept.append(buffer, std::min(room, static_cast<std::size_t>(n)));
            } else {
                if (n <= 0) {
                    result_in.reset();
                    continue;
                }
                if (result.size() + static_cast<std::size_t>(n) > kMaxResultBytes) {
                    result_too_long = true;
                    result_in.reset();
                    print_in.reset();
                    kill(child, SIGKILL);
                    break;
                }
                result.append(buffer, static_cast<std::size_t>(n));
            }
        }
    }
    request_out.reset();
    print_in.reset();
    result_in.reset();
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    printed = model_print_text(std::move(kept), printed_bytes);

    const std::string memory = std::to_string(limits.memory_mib) + " МиБ";
    if (ending == Ending::stopped) throw ModelReadError("чтение модели прервано", printed);
    if (ending == Ending::timed_out || (WIFSIGNALED(status) && WTERMSIG(status) == SIGXCPU)) {
        throw ModelReadError(
            "модель читалась дольше предела времени (" + seconds_text(limits.time_seconds) + " с) и была остановлена",
            printed);
    }
    if (WIFSIGNALED(status)) {
        if (WTERMSIG(status) == SIGKILL && !result_too_long) {
            throw ModelReadError(
                "процесс чтения модели был убит системой; вероятно, модели не хватило памяти (предел " + memory + ")",
                printed);
        }
        throw ModelReadError("GLPK аварийно завершился при чтении модели (" + signal_name(WTERMSIG(status)) + ")",
                             printed);
    }
    const std::optional<ModelBoxResult> outcome =
        WIFEXITED(status) && WEXITSTATUS(status) == 0 ? decode_result(result) : std::nullopt;
    if (!outcome) {
        throw ModelReadError("процесс чтения модели вернул испорченный результат (код завершения " +
                                 std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + ")",
                             printed);
    }
    switch (outcome->kind) {
        case ModelBoxResult::Kind::model:
            return outcome->model;
        case ModelBoxResult::Kind::out_of_memory:
            throw ModelReadError("модели не хватило памяти (предел " + memory + "): " + outcome->message, printed);
        case ModelBoxResult::Kind::message:
            break;
    }
    throw ModelReadError(outcome->message, printed);
}
