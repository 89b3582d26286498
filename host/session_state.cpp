// Reads the state a pipe-driven session keeps: not through a link, not unless it is a regular
// file of a size a state can have, and all of it checked before any of it is believed.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "commands.h"
#include "session/session.h"

namespace {

// Far more than the longest state: every entry point's line at its longest.
constexpr off_t kLargestState = off_t{64} * 1024;

bool whole_number(const std::string &text, long &value) {
    char *end = nullptr;
    errno = 0;
    value = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && errno == 0 && text.find_first_of(" +") == std::string::npos;
}

bool is_stamp(const std::string &text) {
    return text.size() == 20 && text[4] == '-' && text[10] == 'T' && text.back() == 'Z';
}

// The pieces of text between each two separators, as a session writes them:
// one blank between words, a line feed after each line. (No stream here: on
// the set tulvakctl is linked statically, and iostreams would double it.)
std::vector<std::string> split(const std::string &text, char separator) {
    std::vector<std::string> pieces;
    for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
        end = text.find(separator, start);
        pieces.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    }
    return pieces;
}

bool parse_call(const std::string &rest, SessionState::Call &call) {
    const std::vector<std::string> words = split(rest, ' ');
    if (words.size() < 5 || words[0].empty() || !whole_number(words[1], call.value) ||
        !whole_number(words[2], call.count) || call.count < 1 || !is_stamp(words[3])) {
        return false;
    }
    call.entry_point = words[0];
    call.last = words[3];
    for (std::size_t i = 4; i < words.size(); ++i) {
        long number = 0;
        if (!whole_number(words[i], number) || number < 1 || number >= 99) return false;
        call.path.push_back(static_cast<int32_t>(number));
    }
    return true;
}

// One "key value" line; false for a line that a session never writes.
bool parse_line(const std::string &line, SessionState &state) {
    const std::size_t blank = line.find(' ');
    const std::string key = line.substr(0, blank);
    const std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
    if (key == "pid") return whole_number(rest, state.pid) && state.pid > 0;
    if (key == "selections") return whole_number(rest, state.selections) && state.selections >= 0;
    if (key == "marks") return whole_number(rest, state.marks) && state.marks >= 0;
    if (key == "pipe") {
        state.pipe = rest;
        return split(rest, ' ').size() == 2 && rest.find_first_not_of("0123456789 ") == std::string::npos;
    }
    if (key == "tree") {
        state.tree = rest;
        return rest.size() == 16 && rest.find_first_not_of("0123456789abcdef") == std::string::npos;
    }
    if (key == "platform" || key == "menu") {
        (key == "menu" ? state.menu : state.platform) = rest;
        return !rest.empty();
    }
    if (key == "started" || key == "ended") {
        (key == "ended" ? state.ended : state.started) = rest;
        return is_stamp(rest);
    }
    if (key == "mark") {
        state.recent_marks.push_back(rest);
        return !rest.empty() && rest.size() <= tulvak::kMarkTokenLimit;
    }
    if (key == "call") {
        state.calls.emplace_back();
        return parse_call(rest, state.calls.back());
    }
    return false;
}

std::string parse(const std::string &text, SessionState &state) {
    std::vector<std::string> lines = split(text, '\n');
    if (lines[0] != "tulvak-state 1") return "it is not a session's state file";
    if (lines.back().empty()) lines.pop_back();  // what follows the last line feed
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (!parse_line(lines[i], state)) return "line " + std::to_string(i + 1) + " is not one a session writes";
    }
    if (text.back() != '\n' || state.pid == 0 || state.started.empty() || state.menu.empty()) {
        return "it is cut short";
    }
    return "";
}

}  // namespace

std::optional<SessionState> read_state(std::string &why) {
    why.clear();
    const int fd = open(tulvak::kStatePath, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            why = errno == ELOOP ? "it is a link" : std::strerror(errno);  // NOLINT(concurrency-mt-unsafe)
        return std::nullopt;
    }
    struct stat file;
    std::string text;
    if (fstat(fd, &file) != 0 || !S_ISREG(file.st_mode)) {
        why = "it is not a regular file";
    } else if (file.st_size > kLargestState) {
        why = "it is larger than any state (" + std::to_string(file.st_size) + " bytes)";
    } else {
        text.resize(static_cast<std::size_t>(file.st_size));
        if (read(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) why = "it changed while read";
    }
    close(fd);
    SessionState state;
    if (why.empty()) why = text.empty() ? "it is empty" : parse(text, state);
    if (!why.empty()) return std::nullopt;
    return state;
}

std::string pipe_named(const struct stat &pipe) {
    return std::to_string(pipe.st_dev) + " " + std::to_string(pipe.st_ino);
}

const char *state_unwritable() {
    struct statvfs folder;
    if (statvfs(tulvak::kStateDir, &folder) != 0) return nullptr;
    if ((folder.f_flag & ST_RDONLY) != 0) return "is read-only";
    // A file system without a limit says it has no blocks or files at all.
    if ((folder.f_blocks != 0 && folder.f_bfree == 0) || (folder.f_files != 0 && folder.f_ffree == 0)) {
        return "is full";
    }
    return nullptr;
}
