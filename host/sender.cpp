// Delivers selections without a shell, from any working directory, and
// confirms them. Each group of lines goes into the pipe in one write, so no
// other sender's line lands inside it, and the last ends with a mark of this
// sender's own: the session records the mark in its state file once it has
// acted on every line before it, and send exits 0 only once it sees it there.
// Where the session keeps no state to be confirmed by, an empty pipe is the
// confirmation instead. It writes only into a named pipe: a missing pipe is
// never created as a regular file, and a link is never followed.
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstring>
#include <ctime>
#include <numeric>

#include "commands.h"
#include "session/session.h"

namespace {

constexpr const char *kPipe = tulvak::kCommandPipePath;
// Well inside one line of the session's.
constexpr std::size_t kLongestSelection = 32;
// Nothing wakes a writer when its line is read, so the wait looks at the
// pipe and the state: often at first, when the session is reading, then less
// and less, so that a wait on a stuck session costs next to nothing. (An
// inotify watch would wake it, but closing one takes milliseconds.)
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

// This process and the moment make a token no other sender has.
std::string new_mark() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    char token[tulvak::kMarkTokenLimit + 1];
    std::snprintf(token, sizeof token, "%lx.%lx.%lx", static_cast<unsigned long>(getpid()),
                  static_cast<unsigned long>(now.tv_sec), static_cast<unsigned long>(now.tv_nsec));
    return tulvak::kMarkPrefix + std::string(token) + "\n";
}

int selections_in(const std::string &lines) {
    int count = 0;
    for (std::size_t start = 0, end; (end = lines.find('\n', start)) != std::string::npos; start = end + 1) {
        count += is_selection(lines.substr(start, end - start)) ? 1 : 0;
    }
    return count;
}

class Sender {
public:
    Sender(const Invocation &invocation, int fd, std::optional<double> timeout)
        : invocation_(invocation), fd_(fd), timeout_(timeout), others_seen_(unread_bytes() > 0) {
        struct stat pipe;
        if (fstat(fd_, &pipe) == 0) {
            pipe_ = std::to_string(static_cast<unsigned long long>(pipe.st_dev)) + " " +
                    std::to_string(static_cast<unsigned long long>(pipe.st_ino));
        }
    }
    ~Sender() { close(fd_); }
    Sender(const Sender &) = delete;
    Sender &operator=(const Sender &) = delete;

    // Each group in one write, the last with a mark; then waits until the
    // session has acted on them all.
    int send(std::vector<std::string> groups, double deadline) {
        const std::string mark = new_mark();
        groups.back() += mark;
        const std::size_t batch = written_.size();
        const int count = std::accumulate(groups.begin(), groups.end(), 0,
                                          [](int sum, const std::string &group) { return sum + selections_in(group); });
        attempted_ += count;
        const std::optional<long> marks_before = marks_seen();
        for (const std::string &group : groups) {
            // Short enough to go in whole or not at all; a full pipe is waited on.
            ssize_t written;
            while ((written = write(fd_, group.data(), group.size())) < 0 && errno == EAGAIN) {
                const double left = deadline - seconds_now();
                if (left <= 0)
                    return not_read(true, count - selections_in(written_.substr(batch)) + unread_selections(false));
                if ((wait_for({fd_, POLLOUT, 0}, std::fmin(left, 1.0)) & POLLERR) != 0) break;
            }
            if (written != static_cast<ssize_t>(group.size())) {
                return not_read(false, count - selections_in(written_.substr(batch)) + unread_selections(true));
            }
            written_ += group;
            sent_ += selections_in(group);
        }
        return confirm(mark.substr(sizeof tulvak::kMarkPrefix - 1, mark.size() - sizeof tulvak::kMarkPrefix),
                       marks_before, deadline);
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
            const int status =
                word.empty() ? kDone : send({word + "\n"}, timeout_ ? seconds_now() + *timeout_ : INFINITY);
            if (status != kDone || c == EOF) return status;
            word.clear();
        }
    }

private:
    [[nodiscard]] int unread_bytes() const {
        int unread = 0;
        return ioctl(fd_, FIONREAD, &unread) == 0 ? unread : 0;
    }

    // The state of the session that holds the pipe written to, if there is one.
    [[nodiscard]] std::optional<SessionState> our_state() const {
        std::string why;
        std::optional<SessionState> state = read_state(why);
        if (!state || pipe_.empty() || state->pipe != pipe_) return std::nullopt;
        return state;
    }

    // How many marks the session had seen, if its state is the one to confirm by.
    [[nodiscard]] std::optional<long> marks_seen() const {
        const std::optional<SessionState> state = our_state();
        if (!state || !state->ended.empty()) return std::nullopt;
        return state->marks;
    }

    // Whether the state shows the mark, or, as nullopt, can no longer tell:
    // it is gone, another's, or more marks came after ours than it lists.
    [[nodiscard]] std::optional<bool> state_shows(const std::string &token, long marks_before) const {
        const std::optional<SessionState> state = our_state();
        if (!state) return std::nullopt;
        const std::vector<std::string> &marks = state->recent_marks;
        if (std::find(marks.begin(), marks.end(), token) != marks.end()) return true;
        if (state->marks - static_cast<long>(marks.size()) > marks_before) return std::nullopt;
        return false;
    }

    // Once the session lets go of the pipe, lines left in it are lines it
    // never read; those read before it ended count as read.
    int confirm(const std::string &token, std::optional<long> marks_before, double deadline) {
        bool held = true;
        double check = kFirstCheck;
        double waited = 0;
        for (int last_unread = unread_bytes();;) {
            const int unread = unread_bytes();
            const std::optional<bool> shown = marks_before ? state_shows(token, *marks_before) : std::nullopt;
            if (!shown) marks_before.reset();
            if (shown.value_or(false) || (!marks_before && unread == 0)) return forget_read();
            others_seen_ = others_seen_ || unread > last_unread;
            last_unread = unread;
            const int not_acted_on = unread_selections(!held);
            if (!held && not_acted_on == 0) return forget_read();
            const double left = deadline - seconds_now();
            if (!held || left <= 0) return not_read(held, not_acted_on);
            waited += check;
            if (waited > kFastChecks) check = std::fmin(2 * check, kLongestCheck);
            held = (wait_for({fd_, 0, 0}, std::fmin(left, check)) & (POLLERR | POLLHUP)) == 0;
        }
    }

    // Keeps of what was written only what may still be in the pipe (a mark
    // the session ended before, say), so that a stream of any length costs
    // no more memory than one line.
    int forget_read() {
        written_.erase(0, written_.size() - std::min(written_.size(), static_cast<std::size_t>(unread_bytes())));
        return kDone;
    }

    // The selections among the newest lines written that the unread bytes
    // cover: exact when they make up exactly whole lines of ours and nobody
    // else was seen. The session reads a byte at a time, so while it reads it
    // is often mid-line: only once it has let go of the pipe (settled) do
    // unread bytes that begin inside a line of ours tell of another sender.
    int unread_selections(bool settled) {
        const auto unread = static_cast<std::size_t>(unread_bytes());
        const std::size_t start = written_.size() - std::min(unread, written_.size());
        others_seen_ =
            others_seen_ || unread > written_.size() || (settled && start > 0 && written_[start - 1] != '\n');
        // A line begun in the bytes read is one the session has not acted on.
        const std::size_t line_start = start == 0 ? 0 : written_.rfind('\n', start - 1) + 1;
        return selections_in(written_.substr(line_start));
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
    std::string pipe_;     // the pipe written to, as the session's state names the pipe it holds
    std::string written_;  // what may still be in the pipe of what was written
    int sent_ = 0;
    int attempted_ = 0;
};

}  // namespace

bool is_selection(const std::string &text) {
    const std::size_t sign = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    return text.size() > sign && text.size() <= kLongestSelection &&
           text.find_first_not_of("0123456789", sign) == std::string::npos;
}

int send_groups(const Invocation &invocation, const std::vector<std::string> &groups, std::optional<double> timeout) {
    // A session that ends while we write must give an error, not kill us.
    signal(SIGPIPE, SIG_IGN);
    // The timeout bounds the whole wait, for a session and for its reading.
    const double deadline = seconds_now() + timeout.value_or(0);
    const int fd = open_session_pipe(invocation, deadline, timeout.has_value());
    if (fd < 0) return kFailed;
    Sender sender(invocation, fd, timeout);
    // Groups given together are sent together and confirmed together; each
    // "-" streams standard input, confirming selection by selection.
    std::vector<std::string> together;
    for (std::size_t i = 0; i <= groups.size(); ++i) {
        if (i < groups.size() && groups[i] != "-") {
            together.push_back(groups[i]);
            continue;
        }
        int status = together.empty() ? kDone : sender.send(together, timeout ? deadline : INFINITY);
        if (status == kDone && i < groups.size()) status = sender.send_standard_input();
        if (status != kDone) return status;
        together.clear();
    }
    return kDone;
}
