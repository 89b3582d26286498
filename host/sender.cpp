// Delivers selections the way the relay script does, one line per write,
// but without a shell, from any working directory, and confirmed: it exits 0
// only once the session has read every selection it sent. It writes only
// into a named pipe: a missing pipe is never created as a regular file, and
// a link is never followed.
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

#include "commands.h"
#include "session/session.h"

namespace {

constexpr const char *kPipe = tulvak::kCommandPipePath;
// Well inside one atomic pipe write and one line of the session's.
constexpr std::size_t kLongestSelection = 32;
// Nothing wakes a writer when its line is read, so the wait looks at the
// pipe: often at first, when the session is reading, then less and less, so
// that a wait on a stuck session costs next to nothing. (An inotify watch
// would wake it, but closing one takes milliseconds.)
constexpr double kFirstCheck = 50e-6;
constexpr double kFastChecks = 5e-3;
constexpr double kLongestCheck = 20e-3;
constexpr double kOpenRetry = 10e-3;

double seconds_now() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Waits up to `seconds` for the events watched, and returns those that came:
// POLLERR or POLLHUP once no session holds the pipe.
int wait_for(pollfd watched, double seconds) {
    const double whole = std::floor(seconds);
    const timespec wait{static_cast<time_t>(whole), static_cast<long>((seconds - whole) * 1e9)};
    ppoll(&watched, 1, &wait, nullptr);
    return watched.revents;
}

// A session holds the pipe open for reading for as long as it runs, so a
// writer's non-blocking open succeeds exactly when a session is reading.
int open_session_pipe(const Invocation &invocation, double deadline, bool timed) {
    for (;;) {
        struct stat file;
        const bool not_a_pipe = lstat(kPipe, &file) == 0 && !S_ISFIFO(file.st_mode);
        const int fd = not_a_pipe ? -1 : open(kPipe, O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
        if (fd >= 0 && fstat(fd, &file) == 0 && S_ISFIFO(file.st_mode)) return fd;
        if (not_a_pipe || fd >= 0) {
            if (fd >= 0) close(fd);
            complain(invocation, kFailed, "%s is not a named pipe; nothing sent", kPipe);
            return -1;
        }
        if (errno != ENXIO && errno != ENOENT) {
            complain(invocation, kFailed, "cannot open %s: %s", kPipe,
                     std::strerror(errno));  // NOLINT(concurrency-mt-unsafe)
            return -1;
        }
        if (seconds_now() >= deadline) {
            complain(invocation, kFailed, "no session is reading %s%s", kPipe, timed ? " (timed out)" : "");
            return -1;
        }
        wait_for({-1, 0, 0}, kOpenRetry);
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
    int send(const std::vector<std::string> &selections, double deadline) {
        const int count = static_cast<int>(selections.size());
        attempted_ += count;
        for (int i = 0; i < count; ++i, ++sent_) {
            const std::string line = selections[static_cast<std::size_t>(i)] + "\n";
            // Short enough to go in whole or not at all; a full pipe is waited on.
            ssize_t written;
            while ((written = write(fd_, line.data(), line.size())) < 0 && errno == EAGAIN) {
                const double left = deadline - seconds_now();
                if (left <= 0) return not_read(true, count - i + unread_lines_of(selections.data(), i));
                if ((wait_for({fd_, POLLOUT, 0}, std::fmin(left, 1.0)) & POLLERR) != 0) break;
            }
            if (written != static_cast<ssize_t>(line.size())) {
                return not_read(false, count - i + unread_lines_of(selections.data(), i));
            }
        }
        return confirm(selections, deadline);
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
            if (!word.empty() && !is_selection(word)) {
                // Bad usage, though what was sent before it is gone: the usage would not help.
                complain(invocation_, kFailed, "'%s' is not a selection number; %d sent before it", word.c_str(),
                         sent_);
                return kBadUsage;
            }
            const int status = word.empty() ? kDone : send({word}, timeout_ ? seconds_now() + *timeout_ : INFINITY);
            if (status != kDone || c == EOF) return status;
            word.clear();
        }
    }

private:
    [[nodiscard]] int unread_bytes() const {
        int unread = 0;
        return ioctl(fd_, FIONREAD, &unread) == 0 ? unread : 0;
    }

    // Empty pipe: all read, even if the session has ended since. Lines left
    // in it once no session holds it are lines the session never read.
    int confirm(const std::vector<std::string> &selections, double deadline) {
        bool held = true;
        double check = kFirstCheck;
        double waited = 0;
        for (int last_unread = unread_bytes();;) {
            const int unread = unread_bytes();
            if (unread == 0) return kDone;
            others_seen_ = others_seen_ || unread > last_unread;
            last_unread = unread;
            const double left = deadline - seconds_now();
            if (!held || left <= 0)
                return not_read(held, unread_lines_of(selections.data(), static_cast<int>(selections.size())));
            waited += check;
            if (waited > kFastChecks) check = std::fmin(2 * check, kLongestCheck);
            held = (wait_for({fd_, 0, 0}, std::fmin(left, check)) & (POLLERR | POLLHUP)) == 0;
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
        if (!still_held) {
            return complain(invocation_, kFailed, "the session stopped reading; %s%d of %d selections were not read",
                            up_to, unread, attempted_);
        }
        return complain(
            invocation_, kFailed,
            "the session holds the pipe but has not read %s%d of %d selections after %g s (is it stuck in a "
            "driver call?)",
            up_to, unread, attempted_, *timeout_);  // held past a deadline: there is one
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
    std::vector<std::string> together;
    for (std::size_t i = 0; i <= words.size(); ++i) {
        if (i < words.size() && words[i] != "-") {
            together.push_back(words[i]);
            continue;
        }
        int status = together.empty() ? kDone : sender.send(together, timeout ? deadline : INFINITY);
        if (status == kDone && i < words.size()) status = sender.send_standard_input();
        if (status != kDone) return status;
        together.clear();
    }
    return kDone;
}
