#include "customer.h"

#include <dirent.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tulvak_test {
namespace {

std::string failed(const char *what) { return std::string(what) + ": " + std::strerror(errno); }

bool write_text(const std::string &path, const std::string &text) {
    std::ofstream file(path);
    return static_cast<bool>(file << text);
}

// Without the right to mount (not root, or root in a container that drops
// it), a user namespace lends it to us inside it.
std::string become_root_of_own_namespace() {
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return failed("unshare(user, mount)");
    if (!write_text("/proc/self/setgroups", "deny") ||
        !write_text("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !write_text("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) {
        return "cannot map the user into its namespace";
    }
    return "";
}

}  // namespace

std::string enter_private_customer(bool read_only) {
    struct stat standing;
    const bool exists = stat(kCustomer.c_str(), &standing) == 0 && S_ISDIR(standing.st_mode);
    bool own_namespace = false;
    if (geteuid() == 0) {
        // The empty mount point is all this leaves on the machine's own /.
        if (!exists && mkdir(kCustomer.c_str(), 0755) != 0 && errno != EEXIST) return failed("mkdir /Customer");
        own_namespace = unshare(CLONE_NEWNS) == 0;
    } else if (!exists) {
        return "/Customer does not exist and only root may create it";
    }
    if (!own_namespace) {
        const std::string why_not = become_root_of_own_namespace();
        if (!why_not.empty()) return why_not;
    }
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return failed("making / private");
    const unsigned long flags = read_only ? MS_RDONLY : 0;
    if (mount("tulvak-test", kCustomer.c_str(), "tmpfs", flags, "size=16m,mode=0755") != 0) {
        return failed("mounting tmpfs on /Customer");
    }
    return "";
}

std::string hide_customer() {
    // The private /Customer is the new root: each top-level entry of the
    // machine's / appears in it but /Customer itself. The root is read
    // through /proc, which an emulator that maps / to the target's system
    // root for the programs it runs leaves alone.
    const std::string machine_root = "/proc/self/root/";
    DIR *root = opendir(machine_root.c_str());
    if (root == nullptr) return failed("opendir /");
    std::string why_not;
    while (const dirent *entry = readdir(root)) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || "/" + name == kCustomer) continue;
        const std::string from = machine_root + name, to = kCustomer + "/" + name;
        struct stat standing;
        if (lstat(from.c_str(), &standing) != 0) continue;
        if (S_ISLNK(standing.st_mode)) {
            char target[PATH_MAX];
            const ssize_t length = readlink(from.c_str(), target, sizeof target - 1);
            if (length < 0 || symlink(std::string(target, static_cast<size_t>(length)).c_str(), to.c_str()) != 0) {
                why_not = failed(("copying the link " + from).c_str());
            }
        } else if (S_ISDIR(standing.st_mode)) {
            if (mkdir(to.c_str(), 0755) != 0 ||
                mount(from.c_str(), to.c_str(), nullptr, MS_BIND | MS_REC, nullptr) != 0) {
                why_not = failed(("binding " + from).c_str());
            }
        }
        if (!why_not.empty()) break;
    }
    closedir(root);
    if (why_not.empty() && (chroot(kCustomer.c_str()) != 0 || chdir("/") != 0)) why_not = failed("chroot");
    return why_not;
}

std::string read_file(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

namespace {

struct stat status_of(const std::string &path) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0) status.st_mode = 0;
    return status;
}

}  // namespace

unsigned permissions_of(const std::string &path) { return status_of(path).st_mode & 07777; }
bool is_regular_file(const std::string &path) { return S_ISREG(status_of(path).st_mode); }
bool is_named_pipe(const std::string &path) { return S_ISFIFO(status_of(path).st_mode); }

void write_file(const std::string &path, const std::string &content, unsigned mode) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    if (fd < 0 || write(fd, content.data(), content.size()) != static_cast<ssize_t>(content.size())) {
        throw std::runtime_error("cannot write " + path);
    }
    fchmod(fd, mode);
    close(fd);
}

std::vector<std::string> relay_command(const std::string &selection) {
    return {"sh", "-c", "cd /Customer && sh tulvak.sh \"$1\"", "relay", selection};
}

}  // namespace tulvak_test
