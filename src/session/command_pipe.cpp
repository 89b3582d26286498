// The command pipe and the reader of selections from it. From CreatePipeFile
// until the session ends the library holds the pipe open for reading and
// writing: senders then never block and never lose bytes between two reads,
// and the reader never sees end of file. An exclusive lock on it marks the
// pipe as this session's, so two sessions never share one pipe and split a
// farm's selections. The reader takes no more from the pipe than the line it
// delivers, a byte at a time: what the session has not acted on stays in the
// pipe, where its sender sees that it was not read.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "session/session.h"
#include "tulvak.h"

// lstat and fstat of the pipe must not fail for want of room for its inode
// number, as they would on a 32-bit target built without 64-bit file types.
static_assert(sizeof(ino_t) == 8 && sizeof(off_t) == 8, "build with _FILE_OFFSET_BITS=64");

namespace tulvak {
namespace {

// At most this much of a line is kept; the rest of it is consumed and dropped.
constexpr std::size_t kLineLimit = 128;
// Text without a line feed (a sender using printf) is a selection once
// nothing more has followed it for this long.
constexpr int kQuietMs = 50;
// How often an idle wait looks whether the path still names the pipe held,
// and the least time between two reports that no pipe can be read.
constexpr int kCheckMs = 1000;

// All the session knows of its pipe.
struct CommandPipe {
    int fd = -1;
    struct stat file {};  // the pipe held, to see whether the path still names it
    int retired_fd = -1;  // the pipe it replaced, kept open for stranded senders
    // Set once a newer session holds the pipe at the path: what is sent there
    // is meant for that one, so this session never reads from the path again.
    bool taken_over = false;
    char line[kLineLimit + 1] = {};  // the selection being received
    std::size_t line_length = 0;
    bool line_started = false;
    timespec last_report{};  // when it last said that no pipe could be read
};

CommandPipe state;

enum class Hold { held, locked_by_another, unavailable };

bool same_file(const struct stat &a, const struct stat &b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// A host started with its standard streams closed would otherwise get the
// pipe as descriptor 0, 1 or 2: the screens written to "standard output"
// would come back as selections, and the session would feed itself for ever.
int above_standard_streams(int fd) {
    if (fd < 0 || fd > STDERR_FILENO) return fd;
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    close(fd);
    return moved;
}

// The named pipe at path, opened for reading alone, or (when the session is
// to hold it) for writing too, and locked. It never follows a link and opens
// nothing that was not a named pipe when looked at; the descriptor's own file
// is checked again after the open, so a swap in between is caught rather than
// used. The lock lives with the open pipe, so it goes when the session closes
// it, however the session ends. Where the file system has no locks, the pipe
// is used unlocked rather than not at all.
Hold open_locked(const char *path, int access, int &fd, struct stat &file) {
    fd = -1;
    if (lstat(path, &file) != 0 || !S_ISFIFO(file.st_mode)) return Hold::unavailable;
    const int opened = above_standard_streams(open(path, access | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    if (opened < 0) return Hold::unavailable;
    struct stat standing;
    Hold how = Hold::held;
    if (fstat(opened, &standing) != 0 || !same_file(standing, file)) {
        how = Hold::unavailable;
    } else if (flock(opened, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        how = Hold::locked_by_another;
    }
    if (how == Hold::held) {
        fd = opened;
    } else {
        close(opened);
    }
    return how;
}

Hold hold(const char *path) { return open_locked(path, O_RDWR, state.fd, state.file); }

void forget_line() {
    state.line_length = 0;
    state.line_started = false;
}

// Lets go of the pipe held, not of the one it replaced, which stays open for
// its stranded senders until the session ends.
void let_go_of_held_pipe() {
    if (state.fd >= 0) close(state.fd);
    state.fd = -1;
    forget_line();
}

// The old pipe, moved off the path: a relay script run while no session held
// it is blocked in its open. Opening the old pipe for reading lets the script
// finish, and keeping it open until the session ends lets it write: what it
// writes was meant for a session that is gone and is never read. Nothing of
// a pipe that a live session holds is touched: its lock keeps it from being
// opened here, and that session sees that the path has moved on.
void retire(const char *old_name) {
    struct stat file;
    open_locked(old_name, O_RDONLY, state.retired_fd, file);
    unlink(old_name);
}

// Swaps the new pipe with whatever stands at the path, so no sender can
// reach the old pipe once it is off the path. A link is swapped itself,
// never its target; a directory only goes if it is empty, never anything
// inside one.
bool put_in_place(const char *name) {
    struct stat standing;
    const bool directory = lstat(kCommandPipePath, &standing) == 0 && S_ISDIR(standing.st_mode);
    if (directory && rmdir(kCommandPipePath) != 0) return false;
    if (renameat2(AT_FDCWD, name, AT_FDCWD, kCommandPipePath, RENAME_EXCHANGE) == 0) {
        retire(name);
        return true;
    }
    // Nothing stood at the path, or its file system cannot swap: then a
    // sender blocked on the old pipe stays blocked.
    return rename(name, kCommandPipePath) == 0;
}

// The new pipe is made and locked under a name of its own, so no other
// session can take it up between its making and its lock, and the state
// names it before any sender can find it at the path.
bool make_and_hold_pipe() {
    char name[sizeof kCommandPipeTemplate];
    std::memcpy(name, kCommandPipeTemplate, sizeof name);
    const int placeholder = mkostemp(name, O_CLOEXEC);
    if (placeholder < 0) return false;
    close(placeholder);
    unlink(name);
    if (mkfifo(name, kCommandPipeMode) != 0) return false;
    if (hold(name) == Hold::held && state_put_in_place(put_in_place, name)) return true;
    let_go_of_held_pipe();
    unlink(name);
    return false;
}

// Takes up the named pipe at the path in place of the one held, unless a
// newer session holds it: then this session never reads from the path again.
bool take_up_path() {
    let_go_of_held_pipe();
    if (!state.taken_over) state.taken_over = hold(kCommandPipePath) == Hold::locked_by_another;
    if (state.fd >= 0) state_changed();  // the state must name the pipe now held
    return state.fd >= 0;
}

bool path_names_held_pipe() {
    struct stat standing;
    return lstat(kCommandPipePath, &standing) == 0 && same_file(standing, state.file);
}

enum class Taken { whole_line, nothing_more, pipe_lost };

// Takes the bytes that are there, up to and including a line feed.
Taken take_line(int fd) {
    for (;;) {
        char c;
        const ssize_t count = read(fd, &c, 1);
        if (count == 1) {
            state.line_started = true;
            if (state.line_length < kLineLimit) state.line[state.line_length++] = c;
            if (c == '\n') return Taken::whole_line;
        } else {
            return count < 0 && errno == EAGAIN ? Taken::nothing_more : Taken::pipe_lost;
        }
    }
}

bool line_is(const char *text, std::size_t length) {
    return state.line_length == length && std::memcmp(state.line, text, length) == 0;
}

// "@mark=TOKEN\n" exactly, the token of letters, digits, '.', '-' and '_'.
bool line_is_mark() {
    constexpr std::size_t prefix = sizeof kMarkPrefix - 1;
    const std::size_t token = state.line_length - prefix - 1;
    if (state.line_length < prefix + 2 || token > kMarkTokenLimit || state.line[state.line_length - 1] != '\n' ||
        std::memcmp(state.line, kMarkPrefix, prefix) != 0) {
        return false;
    }
    // Spelt out: isalnum would follow the host's locale.
    constexpr char kTokenCharacters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-_";
    for (std::size_t i = prefix; i < prefix + token; ++i) {
        if (std::memchr(kTokenCharacters, state.line[i], sizeof kTokenCharacters - 1) == nullptr) return false;
    }
    return true;
}

// A mark is the farm's alone: it is recorded, and neither shown nor chosen.
// What begins a sender's lines is neither shown nor recorded.
bool took_farm_line() {
    const bool mark = line_is_mark();
    if (!mark && !line_is(kBeginLine, sizeof kBeginLine - 1)) return false;
    if (mark) state_marked(state.line + sizeof kMarkPrefix - 1, state.line_length - sizeof kMarkPrefix);
    forget_line();
    return true;
}

Selection deliver_line() {
    state.line[state.line_length] = '\0';
    if (stdout != nullptr) std::printf("get command %s\n", state.line);
    state_line_read();
    const Selection read = line_is(kToMainLine, sizeof kToMainLine - 1)
                               ? Selection{Selection::Kind::to_main, 0}
                               : Selection{Selection::Kind::number, parse_pipe_selection(state.line)};
    forget_line();
    return read;
}

void flush_output() {
    if (stdout != nullptr) std::fflush(stdout);
}

// Without a pipe nothing can arrive. The path is tried again (a new pipe may
// stand there by now), and the failure reported at most once a second, so
// the menus neither spin nor fall silent.
bool regained_pipe_after_pause() {
    timespec next = state.last_report;
    next.tv_sec += kCheckMs / 1000;
    flush_output();
    state_flush();
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr) == EINTR) {
    }
    if (take_up_path()) return true;
    write_line("pipe file open failed! ");
    write_line("AUTO TEST READ FAIL.........Break");
    clock_gettime(CLOCK_MONOTONIC, &state.last_report);
    return false;
}

}  // namespace

const struct stat *held_pipe() { return state.fd >= 0 ? &state.file : nullptr; }

bool pipe_taken_over() {
    if (!state.taken_over && (state.fd < 0 || !path_names_held_pipe())) {
        int fd = -1;
        struct stat file;
        state.taken_over = open_locked(kCommandPipePath, O_RDONLY, fd, file) == Hold::locked_by_another;
        if (fd >= 0) close(fd);
    }
    return state.taken_over;
}

void release_command_pipe() {
    let_go_of_held_pipe();
    if (state.retired_fd >= 0) close(state.retired_fd);
    state.retired_fd = -1;
}

Selection read_pipe_selection() {
    // Through the descriptor: the path may by now name something else. The
    // message's "chmode" is what logs are searched for: keep it as it is.
    if (state.fd >= 0 && fchmod(state.fd, kCommandPipeMode) != 0) write_line("failed to chmode! ");
    for (;;) {
        if (state.fd < 0 && !regained_pipe_after_pause()) return {Selection::Kind::number, 0};
        const int fd = state.fd;
        // Once the path names another pipe (a newer session's, or one made by
        // hand), lines sent there are not ours; those left in the old pipe
        // stay unread, so their senders learn that they were not.
        if (!state.line_started && !path_names_held_pipe()) {
            take_up_path();
            continue;
        }
        const Taken taken = take_line(fd);
        if (taken == Taken::whole_line && !took_farm_line()) return deliver_line();
        if (taken == Taken::whole_line) continue;
        if (taken == Taken::pipe_lost) {
            // Closed behind our back, say: waiting on it again would spin.
            let_go_of_held_pipe();
            continue;
        }
        // A farm capturing the output sees each screen before it answers it,
        // and the state as the session waits.
        flush_output();
        state_flush();
        pollfd ready{fd, POLLIN, 0};
        const int events = poll(&ready, 1, state.line_started ? kQuietMs : kCheckMs);
        if (events < 0 && errno != EINTR) let_go_of_held_pipe();
        // A line already begun and followed by silence is complete.
        if (events == 0 && state.line_started) return deliver_line();
    }
}

}  // namespace tulvak

int CreatePipeFile() {
    // A sender still holding the old pipe must not reach the new one.
    tulvak::release_command_pipe();
    tulvak::state.taken_over = false;
    const bool made = tulvak::make_and_hold_pipe();
    tulvak::write_line(made ? "make tulvak fifo OK " : "failed to make tulvak fifo ");
    return made ? 1 : 0;
}
