// The farm's commands and their usage texts, written once for both programs.
#include "commands.h"

#include <cstdarg>
#include <cstring>

namespace {

const Command kCommands[] = {
    {"send",
     "usage: %1$s send [--timeout SECONDS] SELECTION... | -\n"
     "       %1$s send [--timeout SECONDS] --set NAME...\n",
     "write selections into the session's pipe; exit once it has read them",
     "Writes each SELECTION as one line into /Customer/tulvakpipe and exits once\n"
     "the session has read them all; '-' reads them from standard input. --set\n"
     "sends the selections that choose each named item (XC_DBGLEVEL_SETTIMING,\n"
     "XC/SETTIMING, VE/off; see 'list') and return to the main menu. --timeout\n"
     "bounds the wait for a session and for its reading; without it, send fails\n"
     "at once when no session reads. Exit status: 0 all read, 1 not, 2 bad usage.\n",
     send_command},
    {"list", "usage: %1$s list [--json | --names] [WORD]\n", "list every item of every menu",
     "Prints every item of every menu in the order of the tree, a line each:\n"
     "the selections that reach it from the main menu, its menu, its label and\n"
     "what it does, separated by tabs. WORD keeps the lines that contain it,\n"
     "ignoring case. --json prints the same items as a JSON array, --names each\n"
     "name that send --set takes for one of them, a line each.\n",
     list_command},
    {"status", "usage: %1$s status [--json | --names]\n", "say what the session has done and whether it reads",
     "Prints the state the pipe-driven session keeps in " TULVAK_STATE_DIR "/state:\n"
     "its process, when it started, the menu it shows, the selections it has\n"
     "read, and each driver entry point's last value with the item that passed\n"
     "it. --json prints it as one JSON object; --names the --set names of those\n"
     "items, which send --set takes to put the levels back. Exit status: 0 a\n"
     "session reads the pipe, 1 none does (the state is still printed), 2 bad usage.\n",
     status_command},
};

// The program's usage, then a line for each command.
void print_program_usage(std::FILE *out, const Program &program) {
    std::fputs(program.usage, out);
    for (const Command &command : kCommands) std::fprintf(out, "  %-6s %s\n", command.name, command.summary);
    std::fprintf(out, "\n'%s COMMAND --help' shows a command's usage.\n", program.name);
}

}  // namespace

// printf-like, so that the format attribute checks the arguments of every call.
int complain(const Invocation &invocation, Status status, const char *format, ...) {  // NOLINT(cert-dcl50-cpp)
    const char *program = invocation.program->name;
    const Command *command = invocation.command;
    std::fprintf(stderr, "%s%s%s: ", program, command != nullptr ? " " : "", command != nullptr ? command->name : "");
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stderr, format, arguments);  // NOLINT(clang-analyzer-valist.Uninitialized): started above
    va_end(arguments);
    std::fputc('\n', stderr);
    if (status == kBadUsage && command != nullptr) std::fprintf(stderr, command->usage, program);
    if (status == kBadUsage && command == nullptr) print_program_usage(stderr, *invocation.program);
    return status;
}

int print(const Invocation &invocation, const std::string &text) {
    std::fputs(text.c_str(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        return complain(invocation, kFailed, "could not write standard output");
    }
    return kDone;
}

int run_program(const Program &program, int argc, char **argv) {
    for (const Command &command : kCommands) {
        if (argc < 2 || std::strcmp(argv[1], command.name) != 0) continue;
        if (argc == 3 && std::strcmp(argv[2], "--help") == 0) {
            std::printf(command.usage, program.name);
            std::printf("\n%s", command.help);
            return kDone;
        }
        return command.run({&program, &command}, argc - 2, argv + 2);
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        print_program_usage(stdout, program);
        return kDone;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s %s\n", program.name, TULVAK_VERSION);
        return kDone;
    }
    if (program.run_without_command != nullptr) return program.run_without_command({&program, nullptr}, argc, argv);
    if (argc == 1) return complain({&program, nullptr}, kBadUsage, "no command");
    return complain({&program, nullptr}, kBadUsage, "unknown command '%s'", argv[1]);
}
