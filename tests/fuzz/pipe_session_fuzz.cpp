// Any bytes at all delivered through the command pipe, through the whole
// menu tree. Each session is sent the input, then a line end and enough 99s
// to leave any menu: it must end then, and call the driver only as items list.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "driver_calls.h"
#include "support/customer.h"
#include "tulvak.h"

namespace {

// Waits for the session to hold its pipe, as `tulvak send --timeout` does,
// then writes everything, however much the pipe takes at a time.
void send_when_read(const std::string &bytes) {
    int fd;
    while ((fd = open(tulvak_test::kPipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)) < 0) usleep(200);
    for (std::size_t sent = 0; sent < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (errno == EAGAIN) {
            pollfd room{fd, POLLOUT, 0};
            poll(&room, 1, -1);
        } else if (errno != EINTR) {
            break;  // the session ended before reading it all
        }
    }
    close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    const std::string why_not = tulvak_test::enter_private_customer();
    if (!why_not.empty()) {
        std::fprintf(stderr, "no private /Customer: %s\n", why_not.c_str());
        std::exit(1);
    }
    signal(SIGPIPE, SIG_IGN);
    stdout = std::fopen("/dev/null", "w");
    tulvak_fuzz::check_driver_calls();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    const std::string delivery = std::string(reinterpret_cast<const char *>(data), size) + "\n99\n99\n99\n";
    std::thread sender(send_when_read, delivery);
    Tulvak_Manager::Tulvak(TULVAK_SYSTEM_TYPE_VUNE);
    sender.join();
    return 0;
}
