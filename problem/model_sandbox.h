#pragma once

// The walls the model box's helper puts up around itself before GLPK runs:
// resource limits (address space, processor time, no files written, no core),
// no new privileges, Landlock (reading beneath the working folder only) and a
// seccomp filter (no sockets, no programs run; with no Landlock, no file opened
// for writing). Where the kernel has neither, the pre-scan of the model
// (problem/model_file_access.h) is the guard.

#include <cstdint>
#include <string>

struct SandboxState {
    bool landlock = false;
    bool seccomp = false;
};

// False only when a limit could not be set; the walls the kernel lacks are left out.
bool enter_model_sandbox(const std::string& working_folder, std::uint64_t memory_mib, std::uint64_t cpu_seconds,
                         SandboxState& state);
