// Delivers selections from anywhere and confirms them by one rule. Each group of lines is one
// write, so no other sender's line lands inside it; it begins with the line that ends whatever
// line another writer left open, and the last ends with a mark of this sender's own, which the
// session records in its state once it has acted on every line before it. Only that state,
// naming the very pipe written into, confirms them. It writes only into a named pipe a session
// holds: never one it made, never through a link.
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <ctime>

#include "commands.h"
#include "session/session.h"

namespace {

constexpr const char *kPipe = tulvak::kCommandPipePath;
constexpr int kNotYet = -1;
// Nothing wakes a sender when its lines are acted on, so it looks at the
// state: often at first, while the session is reading, then less and less,
// so that a wait on a stuck session costs next to nothing.
constexpr double kFirstLook = 50e-6;
constexpr double kLongestLook = 20e-3;

void pause_for(double seconds) {
    const timespec pause{0, static_cast<long>(seconds * 1e9)};
    nanosleep(&pause, nullptr);
}

// Done once the state shows the mark, or that the session ended with no more
// of ours unread than the mark; failed once it shows that the session cannot
// act on the rest or cannot record it; else not yet. write_error is that of
// a write just tried, if one failed: EAGAIN when the pipe is full.
int settle(Sender &sender, int write_error, const std::string &token, double deadline) {
    // Whether nobody reads the pipe (the session is gone, reaped or not), looked at before the
    // state, which a session that ends writes before it lets go of the pipe.
    pollfd reader{sender.fd, 0, 0};
    const bool gone = (poll(&reader, 1, 0) == 1 && (reader.revents & POLLERR) != 0) ||
                      (kill(static_cast<pid_t>(sender.pid), 0) != 0 && errno == ESRCH);
    std::string why;
    const std::optional<SessionState> state = read_state(why);
    const std::vector<std::string> marks = state ? state->recent_marks : std::vector<std::string>{};
    int unread = 0;
    if (!state || state->pipe != sender.pipe) {
        why = state ? "the session stopped reading (another pipe is in its place)" : "its state is gone";
    } else if (write_error == 0 && std::find(marks.begin(), marks.end(), token) != marks.end()) {
        sender.marks_before = state->marks;
        return kDone;
    } else if (!state->ended.empty()) {
        const std::size_t mark = token.size() + sizeof tulvak::kMarkPrefix;  // its line feed in place of the NUL
        if (write_error == 0 && ioctl(sender.fd, FIONREAD, &unread) == 0 && static_cast<std::size_t>(unread) <= mark) {
            return kDone;
        }
        why = "the session stopped reading (it ended)";
    } else if (gone) {
        why = "the session stopped reading (its process is gone)";
    } else if (write_error != 0 && write_error != EAGAIN) {
        why = std::string("the pipe cannot be written (") + std::strerror(write_error) + ")";  // NOLINT
    } else if (state->marks - static_cast<long>(marks.size()) > sender.marks_before) {
        why = "too many marks came at once for the state to list them all";
    } else if (const char *unwritable = state_unwritable()) {
        why = std::string("the session cannot write its state (") + tulvak::kStateDir + " " + unwritable + ")";
    } else if (seconds_now() < deadline) {
        return kNotYet;
    } else {
        return complain(sender.invocation, kFailed,
                        "not confirmed: the session holds the pipe but has not acted on what was sent after %g s "
                        "(is it stuck in a driver call?)",
                        *sender.timeout);  // a deadline has passed: there is one
    }
    return complain(sender.invocation, kFailed, "not confirmed: %s", why.c_str());
}

}  // namespace

double seconds_now() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// A session holds the pipe open for reading for as long as it runs, so a
// writer's non-blocking open succeeds exactly when a session is reading;
// nothing is sent to one whose state cannot confirm it.
int open_session_pipe(Sender &sender, double deadline) {
    struct stat file;
    bool not_a_pipe = false;
    for (;;) {
        not_a_pipe = lstat(kPipe, &file) == 0 && !S_ISFIFO(file.st_mode);
        sender.fd = not_a_pipe ? -1 : open(kPipe, O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
        if (not_a_pipe || sender.fd >= 0 || (errno != ENXIO && errno != ENOENT)) break;
        if (seconds_now() >= deadline) {
            return complain(sender.invocation, kFailed, "no session is reading %s%s", kPipe,
                            sender.timeout ? " (timed out)" : "");
        }
        pause_for(kLongestLook);
    }
    if (!not_a_pipe && sender.fd < 0 && errno != ELOOP) {
        return complain(sender.invocation, kFailed, "cannot open %s: %s", kPipe, std::strerror(errno));  // NOLINT
    }
    if (sender.fd < 0 || fstat(sender.fd, &file) != 0 || !S_ISFIFO(file.st_mode)) {
        return complain(sender.invocation, kFailed, "%s is not a named pipe; nothing sent", kPipe);
    }
    std::string why;
    const std::optional<SessionState> state = read_state(why);
    sender.pipe = pipe_named(file);
    if (state && state->pipe == sender.pipe && sender.by_name && state->tree != own_tree()) {
        return complain(sender.invocation, kFailed,
                        "the session's menus are another tree than this tulvakctl's (%s, here %s), where a name may "
                        "choose another item; nothing sent",
                        state->tree.empty() ? "unknown" : state->tree.c_str(), own_tree().c_str());
    }
    if (state && state->pipe == sender.pipe) {
        sender.marks_before = state->marks;
        sender.pid = state->pid;
        return kDone;
    }
    return complain(sender.invocation, kFailed, "the session reading %s keeps no state in %s%s; nothing sent", kPipe,
                    tulvak::kStateDir, access(tulvak::kStateDir, F_OK) == 0 ? "" : " (it is missing)");
}

int send_confirmed(Sender &sender, std::vector<std::string> groups, double deadline) {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::string token =
        std::to_string(getpid()) + "." + std::to_string(now.tv_sec) + "." + std::to_string(now.tv_nsec);
    groups.back() += tulvak::kMarkPrefix + token + "\n";
    for (std::string &group : groups) {
        group.insert(0, tulvak::kBeginLine);
        // Short enough to go in whole or not at all; a full pipe is waited on.
        while (write(sender.fd, group.data(), group.size()) < 0) {
            const int settled = settle(sender, errno, token, deadline);
            if (settled != kNotYet) return settled;
            pause_for(kLongestLook);
        }
    }
    for (int look = 0;; ++look) {
        const int settled = settle(sender, 0, token, deadline);
        if (settled != kNotYet) return settled;
        pause_for(std::fmin(kFirstLook * std::ldexp(1, look), kLongestLook));
    }
}
