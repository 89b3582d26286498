// Delivers selections the way the relay script does, one line per write,
// but without a shell, from any working directory, and confirmed: it exits 0
// only once the session has read every selection it sent. It writes only
// into a named pipe: a missing pipe is never created as a regular file, and
// a link is never followed. It uses the C library alone, so that it also
// builds into a sender with no C++ runtime.
#include "send.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
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

#include "session/customer_paths.h"

namespace {

constexpr const char *kPipe = tulvak::kCommandPipePath;
// Well inside one atomic pipe write and one reader's line.
constexpr std::size_t kLongestSelection = 32;
// Nothing wakes a writer when its line is read, so the wait looks at the
// pipe: often at first, when the session is reading, then less and less, so
// that a wait on a stuck session costs next to nothing. (An inotify watch
// would wake it, but closing one takes milliseconds.)
constexpr long kFirstCheckNs = 50L * 1000;
constexpr long kFastChecksNs = 5L * 1000 * 1000;
constexpr long kLongestCheckNs = 20L * 1000 * 1000;

enum Status { kSent = 0, kNotDelivered = 1, kBadUsage = 2 };

bool is_selection(const char *text) {
    const std::size_t length = std::strlen(text);
    const std::size_t sign = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (length <= sign || length > kLongestSelection) return false;
    return std::strspn(text + sign, "0123456789") == length - sign;
}

double seconds_now() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

int refuse_what_is_not_a_pipe() {
    std::fprintf(stderr, "tulvak: %s is not a named pipe; nothing sent\n", kPipe);
    return -1;
}

// A session holds the pipe open for reading for as long as it runs, so a
// writer's non-blocking open succeeds exactly when a session is reading.
int open_session_pipe(double deadline, bool timed) {
    for (;;) {
        struct stat standing;
        if (lstat(kPipe, &standing) == 0 && !S_ISFIFO(standing.st_mode)) return refuse_what_is_not_a_pipe();
        const int fd = open(kPipe, O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
        if (fd >= 0) {
            struct stat opened;
            if (fstat(fd, &opened) == 0 && S_ISFIFO(opened.st_mode)) return fd;
            close(fd);
            return refuse_what_is_not_a_pipe();
        }
        if (errno != ENXIO && errno != ENOENT) {
            std::fprintf(stderr, "tulvak: cannot open %s: %m\n", kPipe);
            return -1;
        }
        if (seconds_now() >= deadline) {
            std::fprintf(stderr, "tulvak: no pipe-driven session is reading %s%s\n", kPipe,
                         timed ? " (timed out)" : "");
            return -1;
        }
        const timespec pause{0, 10L * 1000 * 1000};
        nanosleep(&pause, nullptr);
    }
}

// Lines of this sender that may still be in the pipe: the last `count` words
// sent, oldest first.
struct Pending {
    const char *const *words;
    int count;
};

class Sender {
public:
    Sender(int fd, bool timed, double timeout_seconds) : fd_(fd), timed_(timed), timeout_seconds_(timeout_seconds) {
        // Bytes already waiting came from someone else.
        others_seen_ = unread_bytes() > 0;
    }
    ~Sender() { close(fd_); }
    Sender(const Sender &) = delete;
    Sender &operator=(const Sender &) = delete;

    // Each word as one line, then waits until the session has read them all.
    Status send_and_confirm(Pending words, double deadline) {
        attempted_ += words.count;
        for (int i = 0; i < words.count; ++i) {
            const Written written = send(words.words[i], deadline);
            if (written == Written::line) continue;
            const int unread = words.count - i + unread_lines_of({words.words, i});
            return written == Written::time_up ? timed_out(unread) : let_go(unread);
        }
        return confirm(words, deadline);
    }

    // Whitespace-separated selections, each sent and confirmed as it is read,
    // so a farm can stream them through one sender.
    Status send_standard_input() {
        char word[kLongestSelection + 2];
        std::size_t length = 0;
        for (int c = std::getchar();; c = std::getchar()) {
            if (c != EOF && std::isspace(c) == 0) {
                if (length < sizeof word - 1) word[length++] = static_cast<char>(c);
                continue;
            }
            if (length > 0) {
                word[length] = '\0';
                length = 0;
                if (!is_selection(word)) {
                    std::fprintf(stderr, "tulvak: '%s' is not a selection number; %d sent before it\n", word, sent_);
                    return kBadUsage;
                }
                const char *one[] = {word};
                const Status status = send_and_confirm({one, 1}, deadline_from_now());
                if (status != kSent) return status;
            }
            if (c == EOF) return kSent;
        }
    }

private:
    // A selection streamed from standard input gets the whole timeout from
    // when it was read: time spent waiting for the farm is not the session's.
    [[nodiscard]] double deadline_from_now() const { return timed_ ? seconds_now() + timeout_seconds_ : INFINITY; }

    [[nodiscard]] int unread_bytes() const {
        int unread = 0;
        return ioctl(fd_, FIONREAD, &unread) == 0 ? unread : 0;
    }

    enum class Written { line, time_up, let_go };

    // Waits for room in a full pipe.
    Written wait_for_room(double deadline) {
        for (;;) {
            const double left = deadline - seconds_now();
            if (left <= 0) return Written::time_up;
            pollfd room{fd_, POLLOUT, 0};
            if (poll(&room, 1, left > 1 ? 1000 : static_cast<int>(left * 1000) + 1) > 0) {
                return (room.revents & POLLERR) != 0 ? Written::let_go : Written::line;
            }
        }
    }

    Written send(const char *selection, double deadline) {
        char line[kLongestSelection + 2];
        const int length = std::snprintf(line, sizeof line, "%s\n", selection);
        for (;;) {
            // Short enough to go in whole or not at all.
            const ssize_t written = write(fd_, line, static_cast<std::size_t>(length));
            if (written == length) break;
            if (written < 0 && errno == EINTR) continue;
            if (written >= 0 || errno != EAGAIN) return Written::let_go;
            const Written room = wait_for_room(deadline);
            if (room != Written::line) return room;
        }
        ++sent_;
        return Written::line;
    }

    // Empty pipe: all read, even if the session has ended since. Lines left
    // in it once no session holds it are lines the session never read.
    Status confirm(Pending words, double deadline) {
        bool held = true;
        int last_unread = unread_bytes();
        long check_ns = kFirstCheckNs;
        long waited_ns = 0;
        for (;;) {
            const int unread = unread_bytes();
            if (unread == 0) return kSent;
            if (unread > last_unread) others_seen_ = true;
            last_unread = unread;
            if (!held) return let_go(unread_lines_of(words));
            const double left = deadline - seconds_now();
            if (left <= 0) return timed_out(unread_lines_of(words));
            if (waited_ns < kFastChecksNs) {
                waited_ns += check_ns;
            } else if (check_ns < kLongestCheckNs) {
                check_ns *= 2;
            }
            const timespec check{0,
                                 left * 1e9 < static_cast<double>(check_ns) ? static_cast<long>(left * 1e9) : check_ns};
            pollfd reader_gone{fd_, 0, 0};
            ppoll(&reader_gone, 1, &check, nullptr);
            held = (reader_gone.revents & (POLLERR | POLLHUP)) == 0;
        }
    }

    // The newest of `words` whose bytes the unread bytes cover: exact when
    // they make up exactly whole lines of ours and nobody else was seen.
    int unread_lines_of(Pending words) {
        const int unread = unread_bytes();
        int covered = 0;
        int lines = 0;
        for (int i = words.count - 1; i >= 0 && covered < unread; --i, ++lines) {
            covered += static_cast<int>(std::strlen(words.words[i])) + 1;
        }
        if (covered != unread) others_seen_ = true;
        return lines;
    }

    [[nodiscard]] const char *up_to() const { return others_seen_ ? "up to " : ""; }

    Status let_go(int unread) {
        std::fprintf(stderr, "tulvak: the session stopped reading; %s%d of %d selections were not read\n", up_to(),
                     unread, attempted_);
        return kNotDelivered;
    }

    Status timed_out(int unread) {
        std::fprintf(stderr,
                     "tulvak: the session holds the pipe but has not read %s%d of %d selections after %g s (is it "
                     "stuck in a driver call?)\n",
                     up_to(), unread, attempted_, timeout_seconds_);
        return kNotDelivered;
    }

    int fd_;
    bool timed_;
    double timeout_seconds_;
    bool others_seen_ = false;
    int sent_ = 0;
    int attempted_ = 0;
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
    const double started = seconds_now();
    double timeout_seconds = 0;
    bool timed = false;
    int first = 0;
    for (; first < argc && std::strcmp(argv[first], "--timeout") == 0; first += 2) {
        if (first + 1 == argc) return usage_error("missing seconds after", argv[first]);
        if (!parse_timeout(argv[first + 1], timeout_seconds)) return usage_error("bad timeout", argv[first + 1]);
        timed = true;
    }
    if (first == argc) return usage_error("nothing to send after", "send");
    for (int i = first; i < argc; ++i) {
        if (std::strcmp(argv[i], "-") != 0 && !is_selection(argv[i])) {
            return usage_error("not a selection number:", argv[i]);
        }
    }
    // A session that ends while we write must give an error, not kill us.
    signal(SIGPIPE, SIG_IGN);
    // --timeout bounds the whole wait, for a session and for its reading;
    // without it no session means failure at once, and a session that holds
    // the pipe is waited for as long as it does.
    const double deadline = started + timeout_seconds;
    const int fd = open_session_pipe(deadline, timed);
    if (fd < 0) return kNotDelivered;
    Sender sender(fd, timed, timeout_seconds);
    const double read_deadline = timed ? deadline : INFINITY;
    // Numbers given together are sent together and confirmed together; each
    // `-` streams standard input, confirming selection by selection.
    for (int i = first; i < argc;) {
        int end = i;
        while (end < argc && std::strcmp(argv[end], "-") != 0) ++end;
        Status status = end > i ? sender.send_and_confirm({argv + i, end - i}, read_deadline) : kSent;
        if (status == kSent && end < argc) status = sender.send_standard_input();
        if (status != kSent) return status;
        i = end + 1;
    }
    return kSent;
}
