// The farm's commands, one front for tulvak and tulvakctl: each command with
// its one usage text, the dispatcher that runs them, and messages that
// always name who speaks ("tulvakctl send: ...").
#ifndef TULVAK_HOST_COMMANDS_H
#define TULVAK_HOST_COMMANDS_H

#include <cstdio>

enum Status { kDone = 0, kFailed = 1, kBadUsage = 2 };

struct Command;

// Who speaks in messages: the program, and the command it runs, if any.
struct Invocation {
    const char *program;
    const Command *command;
};

struct Command {
    const char *name;
    const char *usage;    // its forms, "%1$s" standing for the program's name
    const char *summary;  // one line, for the program's usage
    const char *help;     // for COMMAND --help, after the usage
    int (*run)(const Invocation &invocation, int argc, char **argv);
};

// "PROGRAM COMMAND: " and the message, as a line on standard error.
__attribute__((format(printf, 2, 3))) void complain(const Invocation &invocation, const char *format, ...);

// complain, then the command's usage; returns kBadUsage.
__attribute__((format(printf, 2, 3))) int usage_error(const Invocation &invocation, const char *format, ...);

// The program's own text, then a line for each command.
void print_program_usage(std::FILE *out, const char *program, const char *text);

// Runs the command that argv[1] names, or shows its usage for --help; -1
// when argv[1] names no command.
int run_farm_command(const char *program, int argc, char **argv);

int list_command(const Invocation &invocation, int argc, char **argv);
int send_command(const Invocation &invocation, int argc, char **argv);

#endif
