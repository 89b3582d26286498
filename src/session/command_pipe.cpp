// Making and holding the command pipe. The library keeps it open from the
// moment the session makes it until the session ends, through a read end and
// a write end of its own: senders then never block and never lose bytes
// between two reads, and the read end never sees end of file.
#include "session/command_pipe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "menu/screen.h"
#include "session/customer_paths.h"
#include "tulvak.h"

// lstat and fstat of the pipe must not fail for want of room for its inode
// number, as they would on a 32-bit target built without 64-bit file types.
static_assert(sizeof(ino_t) == 8 && sizeof(off_t) == 8, "build with _FILE_OFFSET_BITS=64");

namespace tulvak {
namespace {

struct HeldPipe {
    int read_fd = -1;
    int write_fd = -1;
    struct stat file {};
};

HeldPipe held;

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
int open_named_pipe(int access, const struct stat &expected) {
    const int fd =
        above_standard_streams(open(kCommandPipePath, access | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    if (fd < 0) return -1;
    struct stat opened;
    if (fstat(fd, &opened) != 0 || !S_ISFIFO(opened.st_mode) || !same_file(opened, expected)) {
        close(fd);
        return -1;
    }
    return fd;
}

void remove_whatever_stands_at(const char *path) {
    // unlink removes a link itself, never its target; only an empty
    // directory is taken away, never anything inside one.
    if (unlink(path) != 0 && (errno == EISDIR || errno == EPERM)) rmdir(path);
}

}  // namespace

bool hold_command_pipe() {
    release_command_pipe();
    struct stat standing;
    if (lstat(kCommandPipePath, &standing) != 0 || !S_ISFIFO(standing.st_mode)) return false;
    const int read_fd = open_named_pipe(O_RDONLY, standing);
    if (read_fd < 0) return false;
    // Opened only after the read end, so it cannot block.
    const int write_fd = open_named_pipe(O_WRONLY, standing);
    if (write_fd < 0) {
        close(read_fd);
        return false;
    }
    held = {read_fd, write_fd, standing};
    return true;
}

void release_command_pipe() {
    if (held.read_fd >= 0) close(held.read_fd);
    if (held.write_fd >= 0) close(held.write_fd);
    held = HeldPipe{};
    forget_pipe_input();
}

int command_pipe_descriptor() { return held.read_fd; }

bool command_pipe_still_named() {
    struct stat standing;
    return held.read_fd >= 0 && lstat(kCommandPipePath, &standing) == 0 && same_file(standing, held.file);
}

}  // namespace tulvak

int CreatePipeFile() {
    // A sender still holding the old pipe must not reach the new one.
    tulvak::release_command_pipe();
    tulvak::remove_whatever_stands_at(tulvak::kCommandPipePath);
    if (mkfifo(tulvak::kCommandPipePath, tulvak::kCommandPipeMode) != 0) {
        tulvak::write_line("failed to make tulvak fifo ");
        return 0;
    }
    tulvak::write_line("make tulvak fifo OK ");
    // Should this fail (the pipe swapped for something else in between), the
    // reader reports it and keeps trying the path.
    tulvak::hold_command_pipe();
    return 1;
}
