#include "problem/model_sandbox.h"

#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <stddef.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace {

// Landlock, as the kernel's ABI 7 defines it; the system's header may be older.
constexpr std::uint32_t kCreateRulesetVersion = 1U << 0;
constexpr int kRulePathBeneath = 1;
constexpr std::uint64_t kFsExecute = 1ULL << 0;
constexpr std::uint64_t kFsReadFile = 1ULL << 2;
constexpr std::uint64_t kFsReadDir = 1ULL << 3;
// Rights by the ABI that brought them: 1 has bits 0..12, 2 REFER, 3 TRUNCATE, 5 IOCTL_DEV.
constexpr std::uint64_t kFsRightsAbi1 = (1ULL << 13) - 1;
constexpr std::uint64_t kFsRefer = 1ULL << 13;
constexpr std::uint64_t kFsTruncate = 1ULL << 14;
constexpr std::uint64_t kFsIoctlDev = 1ULL << 15;
constexpr std::uint64_t kNetBindTcp = 1ULL << 0;
constexpr std::uint64_t kNetConnectTcp = 1ULL << 1;
constexpr std::uint64_t kScopeAbstractUnixSocket = 1ULL << 0;
constexpr std::uint64_t kScopeSignal = 1ULL << 1;

struct RulesetAttr {
    std::uint64_t handled_access_fs;
    std::uint64_t handled_access_net;
    std::uint64_t scoped;
};

struct PathBeneathAttr {
    std::uint64_t allowed_access;
    std::int32_t parent_fd;
} __attribute__((packed));

bool enter_landlock(const std::string& folder) {
#ifdef SYS_landlock_create_ruleset
    const long abi = syscall(SYS_landlock_create_ruleset, nullptr, 0, kCreateRulesetVersion);
    if (abi < 1) return false;
    RulesetAttr ruleset{kFsRightsAbi1, 0, 0};
    if (abi >= 2) ruleset.handled_access_fs |= kFsRefer;
    if (abi >= 3) ruleset.handled_access_fs |= kFsTruncate;
    if (abi >= 4) ruleset.handled_access_net = kNetBindTcp | kNetConnectTcp;
    if (abi >= 5) ruleset.handled_access_fs |= kFsIoctlDev;
    if (abi >= 6) ruleset.scoped = kScopeAbstractUnixSocket | kScopeSignal;
    const std::size_t size = abi >= 6   ? sizeof ruleset
                             : abi >= 4 ? offsetof(RulesetAttr, scoped)
                                        : offsetof(RulesetAttr, handled_access_net);
    const int ruleset_fd = static_cast<int>(syscall(SYS_landlock_create_ruleset, &ruleset, size, 0U));
    if (ruleset_fd < 0) return false;
    bool entered = false;
    const int folder_fd = open(folder.c_str(), O_PATH | O_CLOEXEC | O_DIRECTORY);
    if (folder_fd >= 0) {
        PathBeneathAttr beneath{kFsReadFile | kFsReadDir, folder_fd};
        entered = syscall(SYS_landlock_add_rule, ruleset_fd, kRulePathBeneath, &beneath, 0U) == 0 &&
                  syscall(SYS_landlock_restrict_self, ruleset_fd, 0U) == 0;
        close(folder_fd);
    }
    close(ruleset_fd);
    static_cast<void>(kFsExecute);
    return entered;
#else
    static_cast<void>(folder);
    return false;
#endif
}

// A classic BPF program for seccomp: the calls that fail with EPERM.
bool enter_seccomp(bool deny_writing_opens) {
#if defined(__x86_64__)
    constexpr std::uint32_t kArch = AUDIT_ARCH_X86_64;
    constexpr std::uint32_t kDeny = SECCOMP_RET_ERRNO | EPERM;
    constexpr std::uint32_t kWriting = O_WRONLY | O_RDWR | O_CREAT | O_TRUNC | O_APPEND;
    std::vector<sock_filter> program = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kArch, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        // The x32 calls live above 0x40000000: none is wanted.
        BPF_JUMP(BPF_JMP | BPF_JGE | BPF_K, 0x40000000U, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, kDeny),
    };
    const auto deny = [&](long call) {
        program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<std::uint32_t>(call), 0, 1));
        program.push_back(BPF_STMT(BPF_RET | BPF_K, kDeny));
    };
    for (const long call :
         {SYS_socket,  SYS_connect,  SYS_bind,      SYS_listen,    SYS_accept,   SYS_accept4, SYS_sendto,
          SYS_sendmsg, SYS_execve,   SYS_execveat,  SYS_fork,      SYS_vfork,    SYS_ptrace,  SYS_creat,
          SYS_rename,  SYS_renameat, SYS_renameat2, SYS_unlink,    SYS_unlinkat, SYS_mkdir,   SYS_mkdirat,
          SYS_link,    SYS_linkat,   SYS_symlink,   SYS_symlinkat, SYS_truncate}) {
        deny(call);
    }
    if (deny_writing_opens) {
        deny(SYS_openat2);  // its flags lie behind a pointer
        // open(path, flags): flags in args[1]; openat(dir, path, flags): flags in args[2].
        const auto deny_flags = [&](long call, std::size_t arg) {
            program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<std::uint32_t>(call), 0, 3));
            program.push_back(
                BPF_STMT(BPF_LD | BPF_W | BPF_ABS,
                         static_cast<std::uint32_t>(offsetof(seccomp_data, args) + sizeof(std::uint64_t) * arg)));
            program.push_back(BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, kWriting, 0, 1));
            program.push_back(BPF_STMT(BPF_RET | BPF_K, kDeny));
            // reload the call's number for the next test
            program.push_back(BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)));
        };
        deny_flags(SYS_open, 1);
        deny_flags(SYS_openat, 2);
    }
    program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    const sock_fprog filter{static_cast<unsigned short>(program.size()), program.data()};
    return prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter, 0, 0) == 0;
#else
    static_cast<void>(deny_writing_opens);
    return false;
#endif
}

bool set_limit(int resource, rlim_t value) {
    const rlimit limit{value, value};
    return setrlimit(resource, &limit) == 0;
}

}  // namespace

// GCC tells a build with AddressSanitizer by __SANITIZE_ADDRESS__, clang by __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define QTB_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QTB_ADDRESS_SANITIZER
#endif
#endif

bool enter_model_sandbox(const std::string& working_folder, std::uint64_t memory_mib, std::uint64_t cpu_seconds,
                         SandboxState& state) {
    bool limited = set_limit(RLIMIT_CORE, 0) && set_limit(RLIMIT_FSIZE, 0);
    // The soft limit sends SIGXCPU, the hard one a second later SIGKILL.
    const rlimit cpu{static_cast<rlim_t>(cpu_seconds), static_cast<rlim_t>(cpu_seconds + 1)};
    limited = limited && setrlimit(RLIMIT_CPU, &cpu) == 0;
#if !defined(QTB_ADDRESS_SANITIZER) && !defined(QTB_NO_MEMORY_LIMIT)
    // (AddressSanitizer's shadow memory needs far more address space than any limit.)
    limited = limited && set_limit(RLIMIT_AS, static_cast<rlim_t>(memory_mib) << 20);
#else
    static_cast<void>(memory_mib);
#endif
    limited = limited && prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0;
    state.landlock = enter_landlock(working_folder);
    state.seccomp = enter_seccomp(!state.landlock);
    return limited;
}
