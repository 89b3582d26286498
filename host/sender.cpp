// Delivers selections the way the relay script does, one line per write,
// but without a shell, from any working directory, and confirmed: it exits 0
// only once the session has read every selection it sent. It writes only
// into a named pipe: a missing pipe is never created as a regular file, and
// a link is never followed.
#include "sender.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <ctime>

#include "session/customer_paths.h"

namespace {

constexpr const char *kPipe = tulvak::kCommandPipePath;
// Well inside one atomic pipe write and one line of the session's.
constexpr std::size_t kLongestSelection = 32;
// Nothing wakes a writer when its line is read, so the wait looks at the
// pipe: often at first, when the session is reading, then less and less, so
// that a wait on a stuck session costs next to nothing. (An inotify watch
// would wake it, but closing one takes milliseconds.)
constexpr long kFirstCheckNs = 50L * 1000;
constexpr long kFastChecksNs = 5L * 1000 * 1000;
constexpr long kLongestCheckNs = 20L * 1000 * 1000;
constexpr long kOpenRetryNs = 10L * 1000 * 1000;

double seconds_now() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

timespec duration(double seconds) {
    const double whole = std::floor(seconds);
    return {static_cast<time_t>(whole), static_cast<long>((seconds - whole) * 1e9)};
}

// A session holds the pipe open for reading for as long as it runs, so a
// writer's non-blocking open succeeds exactly when a session is reading.
int open_session_pipe(const Invocation &invocation, double deadline, bool timed) {
    for (;;) {
        struct stat standing;
        const bool not_a_pipe = lstat(kPipe, &standing) == 0 && !S_ISFIFO(standing.st_mode);
        const int fd = not_a_pipe ? -1 : open(kPipe, O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
        struct stat opened;
        if (fd >= 0 && fstat(fd, &opened) == 0 && S_ISFIFO(opened.st_mode)) return fd;
        if (fd >= 0) close(fd);
        if (not_a_pipe || fd >= 0) {
            complain(invocation, "%s is not a named pipe; nothing sent", kPipe);
            return -1;
        }
        if (errno != ENXIO && errno != ENOENT) {
            complain(invocation, "cannot open %s: %s", kPipe, std::strerror(errno));
            return -1;
        }
        if (seconds_now() >= deadline) {
            complain(invocation, "no session is reading %s%s", kPipe, timed ? " (timed out)" : "");
            return -1;
        }
        const timespec pause{0, kOpenRetryNs};
        nanosleep(&pause, nullptr);
    }
}

class Sender {
public:
    Sender(const Invocation &invocation, int fd, std::optional<double> timeout)
        : invocation_(invocation), fd_(fd), timeout_(timeout), others_seen_(unread_bytes() > 0) {}
    ~Sender() { close(fd_); }
    Sender(const Sender &) = delete;
    Sender &operator=(const Sender &) = delete;

    // Each selection as one line, then waits until the session has read them all.
    int send_and_confirm(const std::string *selections, int count, double deadline) {
        attempted_ += count;
        for (int i = 0; i < count; ++i) {
            const Written written = write_line(selections[i], deadline);
            if (written == Written::line) continue;
            const int unread = count - i + unread_lines_of(selections, i);
            return not_read(written == Written::time_up, unread);
        }
        return confirm(selections, count, deadline);
    }

    // Whitespace-separated selections, each sent and confirmed as it is
    // read, so a farm can stream them through one sender. Each gets the whole
    // timeout from when it was read: time spent waiting for the farm is not
    // the session's.
    int send_standard_input() {
        std::string word;
        for (int c = std::getchar();; c = std::getchar()) {
            if (c != EOF && std::isspace(c) == 0) {
                if (word.size() <= kLongestSelection) word += static_cast<char>(c);
                continue;
            }
            if (!word.empty()) {
                if (!is_selection(word)) {
                    complain(invocation_, "'%s' is not a selection number; %d sent before it", word.c_str(), sent_);
                    return kBadUsage;
                }
                const int status = send_and_confirm(&word, 1, timeout_ ? seconds_now() + *timeout_ : INFINITY);
                if (status != kDone) return status;
                word.clear();
            }
            if (c == EOF) return kDone;
        }
    }

private:
    enum class Written { line, time_up, let_go };

    [[nodiscard]] int unread_bytes() const {
        int unread = 0;
        return ioctl(fd_, FIONREAD, &unread) == 0 ? unread : 0;
    }

    Written write_line(const std::string &selection, double deadline) {
        const std::string line = selection + "\n";
        for (;;) {
            // Short enough to go in whole or not at all.
            const ssize_t written = write(fd_, line.data(), line.size());
            if (written == static_cast<ssize_t>(line.size())) break;
            if (written < 0 && errno == EINTR) continue;
            if (written >= 0 || errno != EAGAIN) return Written::let_go;
            // The pipe is full: wait for room.
            const double left = deadline - seconds_now();
            if (left <= 0) return Written::time_up;
            const timespec wait = duration(std::fmin(left, 1.0));
            pollfd room{fd_, POLLOUT, 0};
            if (ppoll(&room, 1, &wait, nullptr) > 0 && (room.revents & POLLERR) != 0) return Written::let_go;
        }
        ++sent_;
        return Written::line;
    }

    // Empty pipe: all read, even if the session has ended since. Lines left
    // in it once no session holds it are lines the session never read.
    int confirm(const std::string *selections, int count, double deadline) {
        bool held = true;
        int last_unread = unread_bytes();
        long check_ns = kFirstCheckNs;
        long waited_ns = 0;
        for (;;) {
            const int unread = unread_bytes();
            if (unread == 0) return kDone;
            others_seen_ = others_seen_ || unread > last_unread;
            last_unread = unread;
            const double left = deadline - seconds_now();
            if (!held || left <= 0) return not_read(held, unread_lines_of(selections, count));
            if (waited_ns < kFastChecksNs) {
                waited_ns += check_ns;
            } else if (check_ns < kLongestCheckNs) {
                check_ns *= 2;
            }
            const timespec check = duration(std::fmin(left, static_cast<double>(check_ns) * 1e-9));
            pollfd reader_gone{fd_, 0, 0};
            ppoll(&reader_gone, 1, &check, nullptr);
            held = (reader_gone.revents & (POLLERR | POLLHUP)) == 0;
        }
    }

    // The newest of `count` selections whose lines the unread bytes cover:
    // exact when they make up exactly whole lines of ours and nobody else was seen.
    int unread_lines_of(const std::string *selections, int count) {
        const int unread = unread_bytes();
        int covered = 0;
        int lines = 0;
        for (int i = count - 1; i >= 0 && covered < unread; --i, ++lines) {
            covered += static_cast<int>(selections[i].size()) + 1;
        }
        others_seen_ = others_seen_ || covered != unread;
        return lines;
    }

    int not_read(bool still_held, int unread) {
        const char *up_to = others_seen_ ? "up to " : "";
        if (still_held) {
            complain(invocation_,
                     "the session holds the pipe but has not read %s%d of %d selections after %g s (is it stuck in a "
                     "driver call?)",
                     up_to, unread, attempted_, timeout_.value_or(0));
        } else {
            complain(invocation_, "the session stopped reading; %s%d of %d selections were not read", up_to, unread,
                     attempted_);
        }
        return kFailed;
    }

    Invocation invocation_;
    int fd_;
    std::optional<double> timeout_;
    bool others_seen_;
    int sent_ = 0;
    int attempted_ = 0;
};

}  // namespace

bool is_selection(const std::string &text) {
    const std::size_t sign = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    return text.size() > sign && text.size() <= kLongestSelection &&
           text.find_first_not_of("0123456789", sign) == std::string::npos;
}

int send_selections(const Invocation &invocation, const std::vector<std::string> &words,
                    std::optional<double> timeout) {
    // A session that ends while we write must give an error, not kill us.
    signal(SIGPIPE, SIG_IGN);
    // The timeout bounds the whole wait, for a session and for its reading.
    const double deadline = seconds_now() + timeout.value_or(0);
    const int fd = open_session_pipe(invocation, deadline, timeout.has_value());
    if (fd < 0) return kFailed;
    Sender sender(invocation, fd, timeout);
    // Selections given together are sent together and confirmed together;
    // each "-" streams standard input, confirming selection by selection.
    for (std::size_t i = 0; i < words.size();) {
        std::size_t end = i;
        while (end < words.size() && words[end] != "-") ++end;
        const int count = static_cast<int>(end - i);
        int status = count > 0 ? sender.send_and_confirm(&words[i], count, timeout ? deadline : INFINITY) : kDone;
        if (status == kDone && end < words.size()) status = sender.send_standard_input();
        if (status != kDone) return status;
        i = end + 1;
    }
    return kDone;
}
