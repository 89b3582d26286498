// The farm's commands, one front for tulvak and tulvakctl: each command with
// its one usage text, the dispatcher that runs them, messages that always
// name who speaks ("tulvakctl send: ..."), and what the commands share: the
// menu tree as they see it, and the confirmed sender.
#ifndef TULVAK_HOST_COMMANDS_H
#define TULVAK_HOST_COMMANDS_H

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "menu/menu.h"

enum Status { kDone = 0, kFailed = 1, kBadUsage = 2 };

struct Command;
struct Program;

// Who speaks in messages: the program, and the command it runs, if any.
struct Invocation {
    const Program *program;
    const Command *command;
};

struct Command {
    const char *name;
    const char *usage;    // its forms, "%1$s" standing for the program's name
    const char *summary;  // one line, for the program's usage
    const char *help;     // for COMMAND --help, after the usage
    int (*run)(const Invocation &invocation, int argc, char **argv);
};

// "PROGRAM COMMAND: " and the message on standard error, and for bad usage
// the usage; returns status.
__attribute__((format(printf, 3, 4))) int complain(const Invocation &invocation, Status status, const char *format,
                                                   ...);

// A program of the farm's commands: tulvakctl, or tulvak, whose session
// runs when no command is named.
struct Program {
    const char *name;
    const char *usage;  // its own forms and text, before the commands'
    int (*run_without_command)(const Invocation &invocation, int argc, char **argv);
};

// Runs the command argv[1] names, answers --help and --version, or runs the program's own part.
int run_program(const Program &program, int argc, char **argv);

int list_command(const Invocation &invocation, int argc, char **argv);
int send_command(const Invocation &invocation, int argc, char **argv);
int status_command(const Invocation &invocation, int argc, char **argv);

// A pipe-driven session's state file, as read.
struct SessionState {
    struct Call {
        std::string entry_point;
        long value = 0;
        long count = 0;
        std::string last;
        std::vector<int32_t> path;  // of the item that made it
    };
    long pid = 0;
    std::string platform, tree, started, ended, menu;  // ended is empty while it runs
    std::string pipe;                                  // "DEVICE INODE" of the pipe it held, if it held one
    long selections = 0;
    long marks = 0;                         // seen in all
    std::vector<std::string> recent_marks;  // the newest of them
    std::vector<Call> calls;
};

// The state; nothing with `why` empty where there is none, or saying what is wrong.
std::optional<SessionState> read_state(std::string &why);

// A named pipe as the state names the one its session holds: "DEVICE INODE".
std::string pipe_named(const struct stat &pipe);

// Why no session can write its state now ("is read-only", "is full": its folder), or null.
const char *state_unwritable();

// The menu tree, walked from the tables a session runs: one entry per item.
struct ListedItem {
    std::vector<int32_t> path;  // the selections that reach the item from the main menu
    std::string menu;           // the title of its menu: the label that opens it
    const char *module;         // the driver module of its menu, or null
    const tulvak::Item *item;
};

// Each item, then the items of the menu it opens.
const std::vector<ListedItem> &catalogue();

// The fingerprint of the tree walked, as the state gives a session's: 16 hex digits.
std::string own_tree();

// What the item does: its driver call as the host shows it, its refusal, or "opens" and the menu.
std::string action_of(const tulvak::Item &item);

// Path, menu, label and action, tab-separated, as `list` prints them.
std::string listing_line(const ListedItem &entry);

std::string lower_case(std::string text);

// Writes a command's output; a failure to is a failure of the command.
int print(const Invocation &invocation, const std::string &text);

// Text as a JSON string, escaped; every JSON the commands write goes through it.
std::string json_string(const std::string &text);

// The one rule by which send --set, list --names, status and the shell's
// completion name items (see catalogue.cpp): the items a name stands for,
// ignoring case; the item's names that stand for it alone, its most likely
// own first; and the first of those, empty if it has none.
std::vector<const ListedItem *> items_named(const std::string &name);
std::vector<std::string> own_names(const ListedItem &entry);
std::string set_name(const ListedItem &entry);
// Whether MENU, ignoring case, names the menu of the item.
bool menu_is_named(const ListedItem &entry, const std::string &menu);

// What one send knows of the pipe it writes into and its session (sender.cpp).
struct Sender {
    Invocation invocation;
    std::optional<double> timeout;
    int fd;
    std::string pipe;  // the pipe written into, as pipe_named() names it
    long marks_before;
    bool by_name;  // then the session must run this tulvakctl's tree
    long pid;
};

// Takes the pipe of a session that keeps a state to confirm by, or fails: at once without a timeout.
int open_session_pipe(Sender &sender, double deadline);

// Writes each group, whole lines within PIPE_BUF, in one write, the last
// ending with a mark, and waits until the session has acted on them all or
// cannot: as long as one holds the pipe, or until the deadline.
int send_confirmed(Sender &sender, std::vector<std::string> groups, double deadline);

double seconds_now();

#endif
