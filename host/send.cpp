// Delivers selections the way the relay script does, one line per write,
// but without a shell, from any working directory, and saying so when no
// session takes them. It writes only into a named pipe: a missing pipe is
// never created as a regular file, and a link is never followed.
#include "send.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "session/customer_paths.h"

namespace {

constexpr const char *kPipe = tulvak::kCommandPipePath;
// Well inside one atomic pipe write and one reader's read.
constexpr std::size_t kLongestSelection = 32;

enum Status { kSent = 0, kNotDelivered = 1, kBadUsage = 2 };

bool is_selection(const char *text) {
    const std::size_t length = std::strlen(text);
    const std::size_t sign = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (length <= sign || length > kLongestSelection) return false;
    return std::strspn(text + sign, "0123456789") == length - sign;
}

int refuse_what_is_not_a_pipe() {
    std::fprintf(stderr, "tulvak: %s is not a named pipe; nothing sent\n", kPipe);
    return -1;
}

double seconds_now() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// A session holds the pipe open for reading for as long as it runs, so a
// writer's non-blocking open succeeds exactly when a session is reading.
int open_session_pipe(double timeout_seconds) {
    const double deadline = seconds_now() + timeout_seconds;
    for (;;) {
        struct stat standing;
        if (lstat(kPipe, &standing) == 0 && !S_ISFIFO(standing.st_mode)) return refuse_what_is_not_a_pipe();
        const int fd = open(kPipe, O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
        if (fd >= 0) {
            struct stat opened;
            if (fstat(fd, &opened) == 0 && S_ISFIFO(opened.st_mode) && fcntl(fd, F_SETFL, 0) == 0) return fd;
            close(fd);
            return refuse_what_is_not_a_pipe();
        }
        if (errno != ENXIO && errno != ENOENT) {
            std::fprintf(stderr, "tulvak: cannot open %s: %m\n", kPipe);
            return -1;
        }
        if (seconds_now() >= deadline) {
            std::fprintf(stderr, "tulvak: no pipe-driven session is reading %s%s\n", kPipe,
                         timeout_seconds > 0 ? " (timed out)" : "");
            return -1;
        }
        const timespec pause{0, 10L * 1000 * 1000};
        nanosleep(&pause, nullptr);
    }
}

class Sender {
public:
    explicit Sender(int fd) : fd_(fd) {}
    ~Sender() { close(fd_); }

    Status send(const char *selection) {
        if (!is_selection(selection)) {
            std::fprintf(stderr, "tulvak: '%s' is not a selection number; %d sent before it\n", selection, sent_);
            return kBadUsage;
        }
        const std::string line = std::string(selection) + "\n";
        ssize_t written;
        do written = write(fd_, line.data(), line.size());
        while (written < 0 && errno == EINTR);
        if (written != static_cast<ssize_t>(line.size())) {
            std::fprintf(stderr, "tulvak: the session stopped reading; %d sent, '%s' was not\n", sent_, selection);
            return kNotDelivered;
        }
        ++sent_;
        return kSent;
    }

    // Whitespace-separated selections, sent as they are read, so a farm can
    // stream them through one sender.
    Status send_standard_input() {
        std::string word;
        for (int c = std::getchar();; c = std::getchar()) {
            if (c != EOF && std::isspace(c) == 0) {
                word += static_cast<char>(c);
                continue;
            }
            if (!word.empty()) {
                const Status status = send(word.c_str());
                if (status != kSent) return status;
                word.clear();
            }
            if (c == EOF) return kSent;
        }
    }

private:
    int fd_;
    int sent_ = 0;
};

bool parse_timeout(const char *text, double &seconds) {
    char *end = nullptr;
    seconds = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(seconds) && seconds >= 0;
}

int usage_error(const char *what, const char *word) {
    std::fprintf(stderr, "tulvak send: %s '%s'\nusage: tulvak send [--timeout SECONDS] SELECTION... | -\n", what, word);
    return kBadUsage;
}

}  // namespace

int send_selections(int argc, char **argv) {
    double timeout_seconds = 0;
    int first = 0;
    for (; first < argc && std::strcmp(argv[first], "--timeout") == 0; first += 2) {
        if (first + 1 == argc) return usage_error("missing seconds after", argv[first]);
        if (!parse_timeout(argv[first + 1], timeout_seconds)) return usage_error("bad timeout", argv[first + 1]);
    }
    if (first == argc) return usage_error("nothing to send after", "send");
    for (int i = first; i < argc; ++i) {
        if (std::strcmp(argv[i], "-") != 0 && !is_selection(argv[i])) {
            return usage_error("not a selection number:", argv[i]);
        }
    }
    // A session that ends while we write must give an error, not kill us.
    signal(SIGPIPE, SIG_IGN);
    const int fd = open_session_pipe(timeout_seconds);
    if (fd < 0) return kNotDelivered;
    Sender sender(fd);
    for (int i = first; i < argc; ++i) {
        const Status status = std::strcmp(argv[i], "-") == 0 ? sender.send_standard_input() : sender.send(argv[i]);
        if (status != kSent) return status;
    }
    return kSent;
}
