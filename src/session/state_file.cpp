// The pipe-driven session's record for the farm, /Customer/tulvak.state: one
// fact a line, so that cat shows it and a shell script reads it. It is made
// beside its name and renamed over it, so that no reader sees half of it and
// a link at the name is replaced, never written through. It is written only
// when something has changed and the session is about to wait, or has seen a
// mark, since on a set /Customer may be flash.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iterator>

#include "session/session.h"

namespace tulvak {
namespace {

constexpr const char *kEntryPointNames[] = {
#define TULVAK_ENTRY_POINT_NAME(name) #name,
    TULVAK_ENTRY_POINTS(TULVAK_ENTRY_POINT_NAME)};
constexpr std::size_t kDepthLimit = 8;  // deeper than the tables nest
constexpr std::size_t kMarksKept = 8;   // enough for many senders' marks between two looks of each
constexpr mode_t kStateMode = 0644;

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
    time_t started;
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
char text[4096];
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
    append("tulvak-state 1\npid %ld\nplatform TULVAK_SYSTEM_TYPE_VUNE\nstarted %s\n", static_cast<long>(getpid()),
           stamp(record.started).text);
    // By the pipe's device and inode a sender knows the state of the session it writes to.
    if (const struct stat *pipe = held_pipe()) {
        append("pipe %llu %llu\n", static_cast<unsigned long long>(pipe->st_dev),
               static_cast<unsigned long long>(pipe->st_ino));
    }
    const std::size_t shown = std::min(record.depth, kDepthLimit);
    append("menu %s\nselections %lu\nmarks %lu\n", shown == 0 ? "Main Menu" : record.titles[shown - 1], record.lines,
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

// A record that cannot be written is removed rather than left to tell of an
// earlier state as if it were this one's.
void write_record(bool ended) {
    if (pipe_taken_over()) {
        record.active = false;  // the file is the newer session's now
        return;
    }
    compose(ended);
    char name[sizeof kStateTemplate];
    std::memcpy(name, kStateTemplate, sizeof name);
    const int fd = mkostemp(name, O_CLOEXEC);
    bool written =
        fd >= 0 && write(fd, text, text_length) == static_cast<ssize_t>(text_length) && fchmod(fd, kStateMode) == 0;
    written = fd >= 0 && close(fd) == 0 && written && rename(name, kStatePath) == 0;
    if (!written) {
        if (fd >= 0) unlink(name);
        unlink(kStatePath);
    }
    record.changed = false;
}

}  // namespace

void state_begin() {
    record = Record{};
    record.active = true;
    record.started = std::time(nullptr);
    write_record(false);
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

void state_marked(const char *token, std::size_t length) {
    if (!record.active) return;
    char *kept = record.marks[record.mark_count++ % kMarksKept];
    std::memcpy(kept, token, length);
    kept[length] = '\0';
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
