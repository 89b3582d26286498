// The pipe benchmarks make the command pipe in /Customer; each runs in a
// mount namespace of its own with a fresh /Customer, so the machine's own
// /Customer, and any session using it, is never touched.
#ifndef TULVAK_BENCH_PRIVATE_CUSTOMER_H
#define TULVAK_BENCH_PRIVATE_CUSTOMER_H

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace bench {

inline bool write_text(const std::string &path, const std::string &text) {
    std::ofstream file(path);
    return static_cast<bool>(file << text);
}

// Why a private /Customer could not be had, or an empty string. Without the
// right to mount (not root, or root in a container that drops it), a user
// namespace lends it to us inside it.
inline std::string enter_private_customer() {
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    if (uid == 0) mkdir("/Customer", 0755);
    if (uid != 0 || unshare(CLONE_NEWNS) != 0) {
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 || !write_text("/proc/self/setgroups", "deny") ||
            !write_text("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !write_text("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) {
            return std::string("no mount namespace: ") + std::strerror(errno);
        }
    }
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tulvak-bench", "/Customer", "tmpfs", 0, "size=16m,mode=0755") != 0) {
        return std::string("cannot mount /Customer: ") + std::strerror(errno);
    }
    return "";
}

inline std::string read_file(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

}  // namespace bench

#endif
