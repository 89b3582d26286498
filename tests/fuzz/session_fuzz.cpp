// Any bytes at all as a session's input, through the whole menu tree: typed
// on the console, or, built with TULVAK_FUZZ_PIPE, delivered through the
// command pipe followed by a line end and enough 99s to leave any menu. The
// session must end when its input says so, and call the driver only as a menu
// item lists (tests/data/menus.tsv).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
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
    const std::string call = std::string(entry_point) + "(" + std::to_string(value) + ")";
    if (listed_calls.count(call) == 0) {
        std::fprintf(stderr, "driver called as %s, which no menu item lists\n", call.c_str());
        std::abort();
    }
}

// Waits for the session to hold its pipe, then writes everything, however
// much the pipe takes at a time.
void send_when_read(const std::string &bytes) {
    int fd;
    while ((fd = open("/Customer/tulvakpipe", O_WRONLY | O_NONBLOCK | O_CLOEXEC)) < 0) usleep(200);
    for (std::size_t sent = 0; sent < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + sent, bytes.size() - sent);
        pollfd room{fd, POLLOUT, 0};
        if (n > 0) sent += static_cast<std::size_t>(n);
        else if (errno == EAGAIN) poll(&room, 1, -1);
        else if (errno != EINTR) break;  // the session ended before reading it all
    }
    close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    std::ifstream menus(TULVAK_MENUS);
    for (std::string line; std::getline(menus, line);) {
        const std::string action = line.substr(line.rfind('\t') + 1);
        if (action.find('(') != std::string::npos) listed_calls.insert(action);
    }
    tulvak_sim_observe(check_call);
    signal(SIGPIPE, SIG_IGN);
    // The screens are not what is checked here; writing them still is.
    stdout = std::fopen("/dev/null", "w");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    const std::string input(reinterpret_cast<const char *>(data), size);
#ifdef TULVAK_FUZZ_PIPE
    std::thread sender(send_when_read, input + "\n99\n99\n99\n");
    Tulvak_Manager::Tulvak(TULVAK_SYSTEM_TYPE_VUNE);
    sender.join();
#else
    FILE *typed = size > 0 ? fmemopen(const_cast<char *>(input.data()), size, "r") : std::fopen("/dev/null", "r");
    stdin = typed;
    Tulvak_Manager::Tulvak(TULVAK_SYSTEM_TYPE_BRAMBLEON);
    std::fclose(typed);
#endif
    return 0;
}
