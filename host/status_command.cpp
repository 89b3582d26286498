// status [--json | --names]: what the pipe-driven session of this set has
// done, from its state file, and whether it still reads the pipe. Whatever
// the answer, the last state that could be read is printed, so that a farm
// can keep it before the next session replaces it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>

#include "commands.h"
#include "session/session.h"

namespace {

// A call is named only by an item of this very tree that makes it: same path, entry point and value.
std::string name_of(const SessionState &state, const SessionState::Call &call) {
    const std::vector<ListedItem> &items = catalogue();
    const auto item = std::find_if(items.begin(), items.end(), [&](const ListedItem &entry) {
        return entry.path == call.path &&
               action_of(*entry.item) == call.entry_point + "(" + std::to_string(call.value) + ")";
    });
    return item == items.end() || state.tree != own_tree() ? "" : set_name(*item);
}

std::string joined(const std::vector<int32_t> &path, const char *between) {
    std::string text;
    for (const int32_t step : path) text += (text.empty() ? "" : between) + std::to_string(step);
    return text;
}

// Empty while the session reads: its process is alive and holds the pipe.
std::string why_not_reading(const SessionState &state) {
    const std::string pid = "pid " + std::to_string(state.pid);
    if (!state.ended.empty()) return "the session of " + pid + " ended at " + state.ended;
    if (kill(static_cast<pid_t>(state.pid), 0) != 0 && errno == ESRCH) {
        return pid + " is gone without ending (it crashed or was killed)";
    }
    // Only the session reads the pipe its state names while that pipe stands at the path.
    struct stat pipe;
    const int fd = open(tulvak::kCommandPipePath, O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    const bool held = fd >= 0 && fstat(fd, &pipe) == 0 && S_ISFIFO(pipe.st_mode) && pipe_named(pipe) == state.pipe;
    if (fd >= 0) close(fd);
    if (!held) return pid + " does not hold " + tulvak::kCommandPipePath;
    if (const char *unwritable = state_unwritable()) {
        return pid + " cannot write its state, so it may have changed since (" + tulvak::kStateDir + " " + unwritable +
               ")";
    }
    return "";
}

std::string as_text(const SessionState &state, bool running) {
    std::string text =
        "session: pid " + std::to_string(state.pid) + ", started " + state.started +
        (!state.ended.empty() ? ", ended at " + state.ended
         : running            ? std::string(", reading ") + tulvak::kCommandPipePath
                              : ", not reading") +
        "\nmenu: " + state.menu + "\nselections: " + std::to_string(state.selections) + "\n" +
        (state.tree == own_tree() ? "" : "tree: " + state.tree + ", not this tulvakctl's: no call is named\n");
    for (const SessionState::Call &call : state.calls) {
        const std::string name = name_of(state, call);
        text += call.entry_point + ": " + std::to_string(call.value) + ", by " + (name.empty() ? "" : name + " ") +
                "(" + joined(call.path, " ") + "), " + std::to_string(call.count) +
                (call.count == 1 ? " call" : " calls") + ", the last at " + call.last + "\n";
    }
    return text;
}

std::string as_json(const SessionState &state, bool running) {
    std::string calls;
    for (const SessionState::Call &call : state.calls) {
        const std::string name = name_of(state, call);
        calls += std::string(calls.empty() ? "" : ", ") + "{\"entry_point\": " + json_string(call.entry_point) +
                 ", \"value\": " + std::to_string(call.value) +
                 ", \"name\": " + (name.empty() ? "null" : json_string(name)) + ", \"path\": [" +
                 joined(call.path, ", ") + "], \"count\": " + std::to_string(call.count) +
                 ", \"last\": " + json_string(call.last) + "}";
    }
    return "{\"pid\": " + std::to_string(state.pid) + ", \"running\": " + (running ? "true" : "false") +
           ", \"platform\": " + json_string(state.platform) + ", \"tree\": " + json_string(state.tree) +
           ", \"started\": " + json_string(state.started) +
           ", \"ended\": " + (state.ended.empty() ? "null" : json_string(state.ended)) +
           ", \"menu\": " + json_string(state.menu) + ", \"selections\": " + std::to_string(state.selections) +
           ", \"calls\": [" + calls + "]}\n";
}

// The --set names of the calls' items, which put their levels back, and why any is missing.
std::string names_of_calls(const SessionState &state, std::string &why) {
    std::string text;
    for (const SessionState::Call &call : state.calls) {
        const std::string name = name_of(state, call);
        if (name.empty()) why = call.entry_point + "'s item (" + joined(call.path, " ") + ") has no name here";
        text += name.empty() ? "" : (text.empty() ? "" : " ") + name;
    }
    if (state.tree != own_tree()) why = "the session's menus are another tree than this tulvakctl's: no call is named";
    return text + "\n";
}

}  // namespace

int status_command(const Invocation &invocation, int argc, char **argv) {
    const char *form = argc == 1 ? argv[0] : "";
    if (argc > 1 || (argc == 1 && std::strcmp(form, "--json") != 0 && std::strcmp(form, "--names") != 0)) {
        return complain(invocation, kBadUsage, "unexpected argument '%s'", argv[argc - 1]);
    }
    std::string why;
    const std::optional<SessionState> state = read_state(why);
    if (!state && why.empty()) {
        return complain(invocation, kFailed, "no session has run here (no %s)", tulvak::kStatePath);
    }
    if (!state) return complain(invocation, kFailed, "cannot read %s: %s", tulvak::kStatePath, why.c_str());
    why = why_not_reading(*state);
    std::string text;
    if (std::strcmp(form, "--names") == 0) {
        text = names_of_calls(*state, why);
    } else {
        text = form[0] == '\0' ? as_text(*state, why.empty()) : as_json(*state, why.empty());
    }
    const int printed = print(invocation, text);
    return printed != kDone || why.empty() ? printed : complain(invocation, kFailed, "%s", why.c_str());
}
