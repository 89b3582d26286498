// Any bytes as a session's input, through the whole menu tree: typed on the
// console, or with TULVAK_FUZZ_PIPE sent through the command pipe, then a line
// end and enough 99s to leave any menu. The session must end when its input
// says so, and call the driver only as a menu item lists (tests/data/menus.tsv).
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <thread>

#include "tulvak.h"
#include "tulvak_sim.h"

namespace {

std::set<std::string> listed_calls;  // "F(1)", as the host shows a call

void check_call(const char *entry_point, int value) {
    if (listed_calls.count(std::string(entry_point) + "(" + std::to_string(value) + ")") == 0) std::abort();
}

#ifdef TULVAK_FUZZ_PIPE
// Once the session holds its pipe, everything, however much the pipe takes at a time.
void send(const std::string &bytes) {
    int fd;
    while ((fd = open("/Customer/tulvakpipe", O_WRONLY | O_NONBLOCK | O_CLOEXEC)) < 0) usleep(200);
    pollfd room{fd, POLLOUT, 0};
    for (std::size_t sent = 0; sent < bytes.size() && (poll(&room, 1, -1) > 0 || errno == EINTR);) {
        const ssize_t n = write(fd, bytes.data() + sent, bytes.size() - sent);
        if (n < 0 && errno != EAGAIN && errno != EINTR) break;  // the session ended before reading it all
        sent += n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    close(fd);
}
#endif

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    std::ifstream menus(TULVAK_MENUS);
    for (std::string line; std::getline(menus, line);) listed_calls.insert(line.substr(line.rfind('\t') + 1));
    tulvak_sim_observe(check_call);
    std::signal(SIGPIPE, SIG_IGN);
    stdout = std::fopen("/dev/null", "w");  // the screens are not checked here; writing them still is
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    std::string input(reinterpret_cast<const char *>(data), size);
#ifdef TULVAK_FUZZ_PIPE
    std::thread sender(send, input + "\n99\n99\n99\n");
    Tulvak_Manager::Tulvak(TULVAK_SYSTEM_TYPE_VUNE);
    sender.join();
#else
    stdin = size > 0 ? fmemopen(input.data(), size, "r") : std::fopen("/dev/null", "r");
    Tulvak_Manager::Tulvak(TULVAK_SYSTEM_TYPE_BRAMBLEON);
    std::fclose(stdin);
#endif
    return 0;
}
