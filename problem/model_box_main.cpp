// qtb-model-box WORKING_FOLDER: the model box's helper (problem/model_box.h). It
// takes the request from its standard input, writes the model into the empty
// working folder, walls itself in and lets GLPK read the model; what the model
// prints goes to its standard output, the result to descriptor 3.

#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>

#include <cstdio>
#include <new>
#include <string>

#include "problem/glpk_model_reader.h"
#include "problem/model_box_wire.h"
#include "problem/model_sandbox.h"
#include "problem/model_translation.h"

namespace {

constexpr int kResultFd = 3;
constexpr std::size_t kMaxRequestBytes = std::size_t{600} << 20;

bool read_request(std::string& bytes) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
        if (n == 0) return true;
        if (n < 0) return false;
        if (bytes.size() + static_cast<std::size_t>(n) > kMaxRequestBytes) return false;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

[[noreturn]] void finish(const ModelBoxResult& result) {
    std::fflush(stdout);
    const std::string bytes = encode_result(result);
    for (std::size_t sent = 0; sent < bytes.size();) {
        const ssize_t n = write(kResultFd, bytes.data() + sent, bytes.size() - sent);
        if (n <= 0) _exit(3);
        sent += static_cast<std::size_t>(n);
    }
    _exit(0);
}

[[noreturn]] void fail(ModelBoxResult::Kind kind, std::string message) {
    ModelBoxResult result;
    result.kind = kind;
    result.message = std::move(message);
    finish(result);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    // The reading ends with the program that asked for it, even when that one is killed.
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0) return 2;
    const std::string folder = argv[1];
    try {
        ModelFiles files;
        ModelFormat format{};
        std::uint64_t memory_mib = 0;
        std::uint64_t cpu_seconds = 0;
        {
            std::string bytes;
            if (!read_request(bytes)) return 2;
            std::optional<ModelBoxRequest> request = decode_request(bytes);
            if (!request) return 2;
            format = request->format;
            memory_mib = request->memory_mib;
            cpu_seconds = request->cpu_seconds;
            files = write_model_files(folder, format, request->model_text, request->data_text, request->model_name,
                                      request->data_name);
        }  // the texts go before the limits are set
        close(STDIN_FILENO);
        SandboxState state;
        if (!enter_model_sandbox(folder, memory_mib, cpu_seconds, state))
            fail(ModelBoxResult::Kind::message, "не удаётся ограничить процесс чтения модели");
        limit_translation_memory(memory_mib);
        ModelBoxResult result;
        result.kind = ModelBoxResult::Kind::model;
        result.model = translate_model(files, format, "/dev/stdout");
        finish(result);
    } catch (const ModelOutOfMemory& error) {
        fail(ModelBoxResult::Kind::out_of_memory, error.what());
    } catch (const ModelReadError& error) {
        fail(ModelBoxResult::Kind::message, error.what());
    } catch (const std::bad_alloc&) {
        fail(ModelBoxResult::Kind::out_of_memory, "не хватило памяти");
    } catch (const std::exception& error) {
        fail(ModelBoxResult::Kind::message, error.what());
    }
}
