// Selections from the held command pipe, one line each, woken by the data
// itself rather than by polling the path. The reader takes from the pipe no
// more than the line it delivers, a byte at a time: what the session has not
// acted on stays in the pipe, where its sender sees that it was not read.
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "menu/screen.h"
#include "session/command_pipe.h"
#include "session/customer_paths.h"
#include "session/decimal.h"

namespace tulvak {
namespace {

// At most this much of a line is kept; the rest of it is consumed and dropped.
constexpr std::size_t kLineLimit = 128;
// Text without a line feed (a sender using printf) is a selection once
// nothing more has followed it for this long.
constexpr int kQuietMs = 50;
// How often an idle wait checks that the path still names the pipe we hold,
// and the least time between two reports that no pipe can be read.
constexpr int kCheckMs = 1000;

struct Line {
    char text[kLineLimit + 1];  // always terminated
    std::size_t length;
    bool started;
};
Line line{};

bool reported_failure = false;
timespec last_failure{};

enum class Taken { whole_line, nothing_more, pipe_lost };

// Takes the bytes that are there, up to and including a line feed.
Taken take_line(int fd) {
    for (;;) {
        char c;
        const ssize_t count = read(fd, &c, 1);
        if (count == 1) {
            line.started = true;
            if (line.length < kLineLimit) line.text[line.length++] = c;
            if (c == '\n') return Taken::whole_line;
        } else if (count < 0 && errno == EAGAIN) {
            return Taken::nothing_more;
        } else if (count == 0 || errno != EINTR) {
            // The descriptor is no longer a pipe we can wait on (closed behind
            // our back, say): waiting on it again would spin.
            release_command_pipe();
            return Taken::pipe_lost;
        }
    }
}

Selection deliver_line() {
    line.text[line.length] = '\0';
    if (stdout != nullptr) std::printf("get command %s\n", line.text);
    const int32_t number = parse_pipe_selection(line.text);
    line = Line{};
    return {number, false};
}

void flush_output() {
    if (stdout != nullptr) std::fflush(stdout);
}

void pause_until(const timespec &when) {
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &when, nullptr) == EINTR) {
    }
}

// Without a pipe nothing can arrive. The path is tried again (a new pipe
// may stand there by now) and the failure reported at most once a second,
// so the menus neither spin nor fall silent.
bool regained_pipe_after_pause() {
    if (reported_failure) {
        flush_output();
        timespec next = last_failure;
        next.tv_sec += kCheckMs / 1000;
        pause_until(next);
    }
    return hold_command_pipe();
}

Selection report_no_pipe() {
    write_line("pipe file open failed! ");
    write_line("AUTO TEST READ FAIL.........Break");
    clock_gettime(CLOCK_MONOTONIC, &last_failure);
    reported_failure = true;
    return {0, false};
}

// True when a line already begun has been followed by silence: that ends it.
bool silence_ended_line(int fd) {
    pollfd waits[] = {{fd, POLLIN, 0}, {command_pipe_move_watch(), POLLIN, 0}};
    const int events = poll(waits, 2, line.started ? kQuietMs : kCheckMs);
    if (events < 0 && errno != EINTR) release_command_pipe();
    // The pipe moved: the loop looks at the path before it reads again.
    if ((waits[1].revents & POLLIN) != 0) clear_command_pipe_move_watch();
    return events == 0 && line.started;
}

}  // namespace

void forget_pipe_input() { line = Line{}; }

Selection read_pipe_selection() {
    bool mode_set = false;
    for (;;) {
        const int fd = command_pipe_descriptor();
        if (fd < 0) {
            if (!regained_pipe_after_pause()) return report_no_pipe();
            continue;
        }
        if (!mode_set) {
            // Through the descriptor: the path may by now name something else.
            if (fchmod(fd, kCommandPipeMode) != 0) write_line("failed to chmode! ");
            mode_set = true;
        }
        // Once the path names another pipe (a newer session's, or one made by
        // hand), lines sent there are not ours; those left in the old pipe
        // stay unread, so their senders learn that they were not.
        if (!line.started && !command_pipe_still_named()) {
            hold_command_pipe();
            continue;
        }
        const Taken taken = take_line(fd);
        if (taken == Taken::whole_line) return deliver_line();
        if (taken == Taken::pipe_lost) continue;
        // A farm capturing the output sees each screen before it answers it.
        flush_output();
        if (silence_ended_line(fd)) return deliver_line();
    }
}

}  // namespace tulvak
