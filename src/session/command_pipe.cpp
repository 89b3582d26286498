// Making and holding the command pipe. The library keeps it open from the
// moment the session makes it until the session ends, through a read end and
// a write end of its own: senders then never block and never lose bytes
// between two reads, and the read end never sees end of file. A session
// marks the pipe it holds with an exclusive lock on its read end, so that
// two sessions never share one pipe and split a farm's selections.
#include "session/command_pipe.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "menu/screen.h"
#include "session/customer_paths.h"
#include "tulvak.h"

// lstat and fstat of the pipe must not fail for want of room for its inode
// number, as they would on a 32-bit target built without 64-bit file types.
static_assert(sizeof(ino_t) == 8 && sizeof(off_t) == 8, "build with _FILE_OFFSET_BITS=64");

namespace tulvak {
namespace {

// Long enough for released relay scripts to write their lines, short enough
// not to hold up the session's first screen for long. A pipe whose last
// writer has closed need not wake a poll, so the wait is taken in slices.
constexpr int kStrandedSendersMs = 500;
constexpr int kStrandedSliceMs = 10;

struct HeldPipe {
    int read_fd = -1;
    int write_fd = -1;
    int moved_watch = -1;  // in move_watcher
    struct stat file {};
};

HeldPipe held;

// One inotify instance for the life of the process, watching the held pipe:
// closing one takes the kernel milliseconds, too long to pay at every
// session's end, where adding and removing a watch costs microseconds.
int move_watcher = -1;

// Set once a newer session holds the pipe at the path: whatever is sent there
// is meant for that session, so this one never reads from the path again.
bool taken_over = false;

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

// Never follows a link, and opens nothing that was not a named pipe when
// looked at; the descriptor's own file is checked again after the open, so
// a swap in between is caught rather than used.
int open_named_pipe(const char *path, int access, const struct stat &expected) {
    const int fd = above_standard_streams(open(path, access | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    if (fd < 0) return -1;
    struct stat opened;
    if (fstat(fd, &opened) != 0 || !S_ISFIFO(opened.st_mode) || !same_file(opened, expected)) {
        close(fd);
        return -1;
    }
    return fd;
}

// Set when the pipe last looked at was locked by another session.
bool locked_by_another = false;

// The lock lives with the open read end, so it goes when the session closes
// it, however the session ends. Where the file system has no locks, the
// pipe is used unlocked rather than not at all.
bool lock_for_this_session(int fd) {
    int locked;
    do locked = flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    locked_by_another = locked != 0 && errno == EWOULDBLOCK;
    return !locked_by_another;
}

// The read end of the named pipe at `path`, locked for this session.
int open_and_lock(const char *path) {
    locked_by_another = false;
    struct stat standing;
    if (lstat(path, &standing) != 0 || !S_ISFIFO(standing.st_mode)) return -1;
    const int fd = open_named_pipe(path, O_RDONLY, standing);
    if (fd < 0 || lock_for_this_session(fd)) return fd;
    close(fd);
    return -1;
}

// A newer session swaps its pipe into the path: this wakes the wait at once,
// while that session still holds its pipe, rather than at the next look at
// the path, by which time it may have ended. Where inotify cannot be had,
// the look once a second remains.
int watch_for_move(int fd) {
    if (move_watcher < 0) move_watcher = above_standard_streams(inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    char own_pipe[32];
    std::snprintf(own_pipe, sizeof own_pipe, "/proc/self/fd/%d", fd);
    return move_watcher < 0 ? -1 : inotify_add_watch(move_watcher, own_pipe, IN_MOVE_SELF);
}

bool hold(const char *path) {
    const int read_fd = open_and_lock(path);
    if (read_fd < 0) return false;
    struct stat file;
    // Opened only after the read end, so it cannot block.
    const int write_fd = fstat(read_fd, &file) == 0 ? open_named_pipe(path, O_WRONLY, file) : -1;
    if (write_fd < 0) {
        close(read_fd);
        return false;
    }
    held = {read_fd, write_fd, watch_for_move(read_fd), file};
    return true;
}

// What the released senders write was meant for a session that is gone: it
// is read and dropped, never acted on. Closing before they have written would
// kill them with SIGPIPE, so this waits until every one has closed the pipe.
void drop_what_stranded_senders_write(int fd) {
    char sink[128];
    for (int waited = 0; waited < kStrandedSendersMs; waited += kStrandedSliceMs) {
        ssize_t count;
        while ((count = read(fd, sink, sizeof sink)) > 0 || (count < 0 && errno == EINTR)) {
        }
        if (count == 0 || errno != EAGAIN) break;
        pollfd ready{fd, POLLIN, 0};
        poll(&ready, 1, kStrandedSliceMs);
    }
}

// The old pipe, moved off the path: a relay script run while no session held
// it is blocked in its open, and opening it for reading lets the script
// finish. Nothing of a pipe that a live session holds is touched: its
// senders are not blocked, and it sees that the path has moved on.
void retire(const char *old_name) {
    const int fd = open_and_lock(old_name);
    if (fd >= 0) {
        drop_what_stranded_senders_write(fd);
        close(fd);
    }
    unlink(old_name);
}

// The new pipe is made and locked under a name of its own and then swapped
// with whatever stands at the path, so no other session can take it up
// between its making and its lock, and no sender can reach the old pipe
// once it is off the path. A link is swapped itself, never its target; a
// directory only goes if it is empty, never anything inside one.
bool make_and_hold_pipe() {
    char name[sizeof kCommandPipeTemplate];
    std::memcpy(name, kCommandPipeTemplate, sizeof name);
    const int placeholder = mkostemp(name, O_CLOEXEC);
    if (placeholder < 0) return false;
    close(placeholder);
    unlink(name);
    if (mkfifo(name, kCommandPipeMode) != 0) return false;
    struct stat standing;
    const bool directory = lstat(kCommandPipePath, &standing) == 0 && S_ISDIR(standing.st_mode);
    if (hold(name) && (!directory || rmdir(kCommandPipePath) == 0)) {
        if (renameat2(AT_FDCWD, name, AT_FDCWD, kCommandPipePath, RENAME_EXCHANGE) == 0) {
            retire(name);
            return true;
        }
        // Nothing stood at the path, or its file system cannot swap: then a
        // sender blocked on the old pipe stays blocked.
        if (rename(name, kCommandPipePath) == 0) return true;
    }
    release_command_pipe();
    unlink(name);
    return false;
}

void close_pipe(const HeldPipe &pipe) {
    if (pipe.read_fd >= 0) close(pipe.read_fd);
    if (pipe.write_fd >= 0) close(pipe.write_fd);
    if (pipe.moved_watch >= 0) inotify_rm_watch(move_watcher, pipe.moved_watch);
}

}  // namespace

bool hold_command_pipe() {
    // The pipe held so far is let go only once the path has been looked at, so
    // that no moment passes without a pipe held or the path's lock tested.
    HeldPipe previous = held;
    held = HeldPipe{};
    const bool holding = !taken_over && hold(kCommandPipePath);
    taken_over = taken_over || (!holding && locked_by_another);
    // Taken up again, the same pipe has the same watch.
    if (previous.moved_watch == held.moved_watch) previous.moved_watch = -1;
    close_pipe(previous);
    forget_pipe_input();
    return holding;
}

void release_command_pipe() {
    close_pipe(held);
    held = HeldPipe{};
    forget_pipe_input();
}

int command_pipe_descriptor() { return held.read_fd; }

int command_pipe_move_watch() { return held.moved_watch >= 0 ? move_watcher : -1; }

void clear_command_pipe_move_watch() {
    char events[256];
    while (read(move_watcher, events, sizeof events) > 0) {
    }
}

bool command_pipe_still_named() {
    struct stat standing;
    return held.read_fd >= 0 && lstat(kCommandPipePath, &standing) == 0 && same_file(standing, held.file);
}

}  // namespace tulvak

int CreatePipeFile() {
    // A sender still holding the old pipe must not reach the new one.
    tulvak::release_command_pipe();
    tulvak::taken_over = false;
    const bool made = tulvak::make_and_hold_pipe();
    tulvak::write_line(made ? "make tulvak fifo OK " : "failed to make tulvak fifo ");
    return made ? 1 : 0;
}
