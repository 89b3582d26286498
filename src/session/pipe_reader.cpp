// Selections from the held command pipe: one line each, however the bytes
// arrive, woken by the data itself rather than by polling the path.
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

// One read takes at most this much, and at most this much of a line is kept.
constexpr std::size_t kReadSize = 128;
// Text without a line feed (a sender using printf) is a selection once
// nothing more has followed it for this long.
constexpr int kQuietMs = 50;
// How often an idle wait checks that the path still names the pipe we hold,
// and the least time between two reports that no pipe can be read.
constexpr int kCheckMs = 1000;

// Bytes read from the pipe but not yet looked at; several lines may come in one read.
char received[kReadSize];
std::size_t received_begin = 0;
std::size_t received_end = 0;

struct Line {
    char text[kReadSize + 1];  // always terminated
    std::size_t length;
    bool started;
};
Line line{};

bool reported_failure = false;
timespec last_failure{};

// Moves received bytes into the line being assembled; true once it is whole.
// The part of a long line beyond what is kept is consumed and dropped.
bool take_line() {
    while (received_begin < received_end) {
        const char c = received[received_begin++];
        line.started = true;
        if (line.length < kReadSize) line.text[line.length++] = c;
        if (c == '\n') return true;
    }
    return false;
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

void receive(int fd) {
    const ssize_t count = read(fd, received, kReadSize);
    if (count > 0) {
        received_begin = 0;
        received_end = static_cast<std::size_t>(count);
    } else if (count == 0 || (errno != EAGAIN && errno != EINTR)) {
        // The descriptor is no longer a pipe we can wait on (closed behind
        // our back, say): waiting on it again would spin.
        release_command_pipe();
    }
}

// Waits for what comes next on the held pipe and receives it. True when a
// line already started has been followed by silence instead: that ends it.
bool silence_ended_line(int fd) {
    pollfd ready{fd, POLLIN, 0};
    const int events = poll(&ready, 1, line.started ? kQuietMs : kCheckMs);
    if (events == 0) {
        if (line.started) return true;
        if (!command_pipe_still_named()) release_command_pipe();
    } else if (events < 0) {
        if (errno != EINTR) release_command_pipe();
    } else {
        receive(fd);
    }
    return false;
}

}  // namespace

void forget_pipe_input() {
    received_begin = received_end = 0;
    line = Line{};
}

Selection read_pipe_selection() {
    bool mode_set = false;
    for (;;) {
        if (take_line()) return deliver_line();
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
        // A farm capturing the output sees each screen before it answers it.
        flush_output();
        if (silence_ended_line(fd)) return deliver_line();
    }
}

}  // namespace tulvak
