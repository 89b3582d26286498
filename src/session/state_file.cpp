// The pipe-driven session's record for the farm, kStatePath: one fact a line,
// so that cat shows it and a shell script reads it. It lives in RAM, where a
// write per selection costs nothing, never on the set's flash. It is made
// beside its name and renamed over it, so that no reader sees half of it,
// and only in a folder that nobody but its owner can write, where no link
// can be put in its way.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iterator>

#include "menu/menu.h"
#include "session/session.h"

namespace tulvak {
namespace {

constexpr std::size_t kDepthLimit = 8;  // deeper than the tables nest
constexpr std::size_t kMarksKept = 32;  // enough for many senders' marks between two looks of each
constexpr mode_t kStateMode = 0644;
constexpr mode_t kFolderMode = 0755;
// One name for the file being written: writers take turns under the
// folder's lock, and one killed while writing leaves it for the next to
// replace, never a file more.
constexpr char kStateName[] = "state";
constexpr char kWritingName[] = ".state.new";

struct Call {
    int value;
    unsigned long count;
    time_t when;
    std::size_t path[kDepthLimit];
    std::size_t path_length;
};

struct Record {
    bool active;
    bool changed;
    bool failing;  // the last write failed, and the session has said so
    time_t started;
    unsigned long long tree;        // the menus' fingerprint
    std::size_t path[kDepthLimit];  // the selections that opened each menu shown
    const char *titles[kDepthLimit];
    std::size_t depth;
    unsigned long lines;
    char marks[kMarksKept][kMarkTokenLimit + 1];
    unsigned long mark_count;
    Call calls[std::size(kEntryPointNames)];
};

Record record;
// Room for every line at its longest; a session never allocates.
char text[8192];
std::size_t text_length;

// printf-like, so that the format attribute checks the arguments of every call.
__attribute__((format(printf, 1, 2))) void append(const char *format, ...) {  // NOLINT(cert-dcl50-cpp)
    va_list arguments;
    va_start(arguments, format);
    // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized): started above
    const int length = std::vsnprintf(text + text_length, sizeof text - text_length, format, arguments);
    va_end(arguments);
    if (length > 0) text_length = std::min(sizeof text - 1, text_length + static_cast<std::size_t>(length));
}

// UTC in ISO 8601, which date -d and every JSON reader take.
struct Stamp {
    char text[64];  // room for any year, as the compiler sees the fields
};

Stamp stamp(time_t when) {
    tm parts{};
    gmtime_r(&when, &parts);
    Stamp made{};
    std::snprintf(made.text, sizeof made.text, "%04d-%02d-%02dT%02d:%02d:%02dZ", parts.tm_year + 1900, parts.tm_mon + 1,
                  parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
    return made;
}

void compose(bool ended) {
    text_length = 0;
    append("tulvak-state 1\npid %ld\nplatform TULVAK_SYSTEM_TYPE_VUNE\ntree %016llx\nstarted %s\n",
           static_cast<long>(getpid()), record.tree, stamp(record.started).text);
    // By the pipe's device and inode a sender knows the state of the session it writes to.
    if (const struct stat *pipe = held_pipe()) {
        append("pipe %llu %llu\n", static_cast<unsigned long long>(pipe->st_dev),
               static_cast<unsigned long long>(pipe->st_ino));
    }
    const std::size_t shown = std::min(record.depth, kDepthLimit);
    append("menu %s\nselections %lu\nmarks %lu\n", shown == 0 ? kMainMenuTitle : record.titles[shown - 1], record.lines,
           record.mark_count);
    for (unsigned long i = record.mark_count - std::min<unsigned long>(record.mark_count, kMarksKept);
         i < record.mark_count; ++i) {
        append("mark %s\n", record.marks[i % kMarksKept]);
    }
    for (std::size_t i = 0; i < std::size(record.calls); ++i) {
        const Call &call = record.calls[i];
        if (call.count == 0) continue;
        append("call %s %d %lu %s", kEntryPointNames[i], call.value, call.count, stamp(call.when).text);
        for (std::size_t step = 0; step < call.path_length; ++step) append(" %zu", call.path[step]);
        append("\n");
    }
    if (ended) append("ended %s\n", stamp(std::time(nullptr)).text);
}

void report_failure(const char *why) {
    if (!record.failing && stdout != nullptr)
        std::printf("cannot keep the session's state in %s: %s\n", kStateDir, why);
    record.failing = true;
}

// The folder, locked against every other session's writes, or -1 with why.
int lock_folder(const char *&why) {
    const int folder = open(kStateDir, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat standing;
    why = folder < 0 ? std::strerror(errno) : nullptr;  // NOLINT(concurrency-mt-unsafe): one thread
    if (folder >= 0 && (fstat(folder, &standing) != 0 || (standing.st_mode & (S_IWGRP | S_IWOTH)) != 0)) {
        why = "others may write in it";
    } else if (folder >= 0 && flock(folder, LOCK_EX) != 0) {
        why = std::strerror(errno);  // NOLINT(concurrency-mt-unsafe)
    }
    if (why == nullptr) return folder;
    if (folder >= 0) close(folder);
    return -1;
}

// A record that cannot be written is removed rather than left to tell of an
// earlier state as if it were this one's: a sender then sees at once that
// nothing can confirm it. The session says so once, when writing starts to fail.
void write_locked(int folder, bool ended) {
    compose(ended);
    const int fd = openat(folder, kWritingName, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, kStateMode);
    errno = ENOSPC;  // what a short write means
    bool written = fd >= 0 && write(fd, text, text_length) == static_cast<ssize_t>(text_length);
    written = fd >= 0 && close(fd) == 0 && written && renameat(folder, kWritingName, folder, kStateName) == 0;
    if (!written) {
        const char *why = std::strerror(errno);  // NOLINT(concurrency-mt-unsafe): one thread
        unlinkat(folder, kWritingName, 0);
        unlinkat(folder, kStateName, 0);
        report_failure(why);
    }
    record.failing = !written;
    record.changed = !written;
}

// Unless a newer session holds the pipe: then the record is that one's now.
// Both are decided under the lock a session starting holds while it writes
// its record and puts its pipe in place, so neither can come between.
void write_record(bool ended) {
    const char *why = nullptr;
    const int folder = lock_folder(why);
    if (folder < 0) {
        report_failure(why);
        return;
    }
    if (pipe_taken_over()) {
        record.active = false;
    } else {
        write_locked(folder, ended);
    }
    close(folder);
}

}  // namespace

void state_begin() {
    record = Record{};
    record.active = true;
    record.started = std::time(nullptr);
    record.tree = tree_fingerprint();
    // Made where the platform has not: root owns the folder, and it goes with the RAM.
    mkdir(kStateDir, kFolderMode);
}

bool state_put_in_place(bool (*put_in_place)(const char *name), const char *name) {
    const char *why = nullptr;
    const int folder = record.active ? lock_folder(why) : -1;
    if (folder >= 0) write_locked(folder, false);
    if (why != nullptr) report_failure(why);
    const bool put = put_in_place(name);
    if (folder >= 0) close(folder);
    return put;
}

void state_end() {
    if (record.active) write_record(true);
    record.active = false;
}

void state_opened(std::size_t number, const char *title) {
    if (!record.active) return;
    if (record.depth < kDepthLimit) {
        record.path[record.depth] = number;
        record.titles[record.depth] = title;
    }
    ++record.depth;
    record.changed = true;
}

void state_left() {
    if (!record.active || record.depth == 0) return;
    --record.depth;
    record.changed = true;
}

void state_line_read() {
    ++record.lines;
    record.changed = true;
}

void state_changed() { record.changed = true; }

void state_marked(const char *token, std::size_t length) {
    if (!record.active) return;
    char *kept = record.marks[record.mark_count++ % kMarksKept];
    std::memcpy(kept, token, length);
    kept[length] = '\0';
    // What the session wrote for the lines before the mark is out before the
    // sender can see its mark.
    if (stdout != nullptr) std::fflush(stdout);
    write_record(false);
}

void state_called(std::size_t number, EntryPoint entry_point, int value) {
    if (!record.active) return;
    Call &call = record.calls[static_cast<std::size_t>(entry_point)];
    call.value = value;
    ++call.count;
    call.when = std::time(nullptr);
    call.path_length = std::min(record.depth, kDepthLimit - 1);
    std::memcpy(call.path, record.path, call.path_length * sizeof call.path[0]);
    call.path[call.path_length++] = number;
    record.changed = true;
}

void state_flush() {
    if (record.active && record.changed) write_record(false);
}

}  // namespace tulvak
