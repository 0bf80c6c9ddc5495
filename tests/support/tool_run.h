#pragma once

// Runs the built qtb-solve (QTB_SOLVE_PATH) as a separate program and catches what it prints.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace test_support {

struct ToolRun {
    int status = -1;  // the exit status; -1 when a signal ended the program
    std::string out;
    std::string err;
};

// The exit status of a run that could not take the privileges of nobody, or as nobody
// could not reach the tool or the folder it runs in.
inline constexpr int kCannotDropPrivileges = 126;

// The tool as nobody may run it. The build folder may lie where only its owner may
// enter (a clone under a private home), so root's runs as nobody use a copy in a
// folder of its own under the temporary folder, open to all; it goes at exit.
inline const std::string& tool_for_nobody() {
    static const TempFolder folder("qtb_tool_for_nobody");
    static const std::string copy = [] {
        constexpr fs::perms kOpenToAll = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                         fs::perms::others_read | fs::perms::others_exec;  // 0755
        const fs::path path = folder.path() / "qtb-solve";
        fs::copy_file(QTB_SOLVE_PATH, path);
        fs::permissions(path, kOpenToAll);
        fs::permissions(folder.path(), kOpenToAll);
        return path.string();
    }();
    return copy;
}

// Runs the tool in `folder`, with the privileges of nobody when asked to and run as root.
// Its output is caught outside that folder; a run that takes more than a minute is ended by SIGALRM.
inline ToolRun run_tool(const fs::path& folder, const std::vector<std::string>& args, bool as_nobody = false) {
    const TempFolder capture("qtb_tool_output");
    const fs::path out_path = capture.path() / "stdout";
    const fs::path err_path = capture.path() / "stderr";
    const bool drop_privileges = as_nobody && geteuid() == 0;
    const char* const program = drop_privileges ? tool_for_nobody().c_str() : QTB_SOLVE_PATH;
    std::vector<char*> argv{const_cast<char*>(program)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(folder.c_str()) != 0) _exit(127);
        if (drop_privileges && (setgid(65534) != 0 || setuid(65534) != 0 || access(program, X_OK) != 0 ||
                                access(folder.c_str(), W_OK | X_OK) != 0)) {
            _exit(kCannotDropPrivileges);
        }
        alarm(60);
        execv(program, argv.data());
        _exit(127);
    }
    int wait_status = 0;
    waitpid(child, &wait_status, 0);
    ToolRun run;
    run.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
    run.out = read_file(out_path);
    run.err = read_file(err_path);
    return run;
}

}  // namespace test_support
