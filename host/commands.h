// The farm's commands, one front for tulvak and tulvakctl: each command with
// its one usage text, the dispatcher that runs them, messages that always
// name who speaks ("tulvakctl send: ..."), and what the commands share: the
// menu tree as they see it, and the confirmed sender.
#ifndef TULVAK_HOST_COMMANDS_H
#define TULVAK_HOST_COMMANDS_H

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

// "PROGRAM COMMAND: " and the message, as a line on standard error, and for
// bad usage the usage of the command (or of the program); returns status.
__attribute__((format(printf, 3, 4))) int complain(const Invocation &invocation, Status status, const char *format,
                                                   ...);

// A program of the farm's commands: tulvakctl, or tulvak, whose session
// runs when no command is named.
struct Program {
    const char *name;
    const char *usage;  // its own forms and text, before the commands'
    int (*run_without_command)(const Invocation &invocation, int argc, char **argv);
};

// Runs the command that argv[1] names (or shows its usage for --help), or
// answers --help and --version, or runs the program's own part.
int run_program(const Program &program, int argc, char **argv);

// The program's usage, then a line for each command.
void print_program_usage(std::FILE *out, const Program &program);

int list_command(const Invocation &invocation, int argc, char **argv);
int send_command(const Invocation &invocation, int argc, char **argv);

// The menu tree, walked from the tables a session runs: one entry per item.
struct ListedItem {
    std::vector<int32_t> path;  // the selections that reach the item from the main menu
    std::string menu;           // the title of its menu: the label that opens it
    const char *module;         // the driver module of its menu, or null
    const tulvak::Item *item;
};

// Each item, then the items of the menu it opens.
const std::vector<ListedItem> &catalogue();

// What the item does: the driver call as the host shows it, the refusal, or
// "opens" and the menu's title.
std::string action_of(const tulvak::Item &item);

// Path, menu, label and action, tab-separated, as `list` prints them.
std::string listing_line(const ListedItem &entry);

std::string lower_case(std::string text);

// Digits with an optional sign, short enough for one line of the session's.
bool is_selection(const std::string &text);

// Sends each selection of `words`, where "-" stands for those read from
// standard input, and returns the exit status. Without a timeout it fails at
// once when no session reads the pipe, and waits as long as one holds it.
int send_selections(const Invocation &invocation, const std::vector<std::string> &words, std::optional<double> timeout);

#endif
