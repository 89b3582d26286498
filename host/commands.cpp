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
     "Writes each SELECTION as one line into /Customer/tulvakpipe and exits\n"
     "once the pipe-driven session has read them all. '-' reads selections\n"
     "from standard input, confirming each before the next. --set sends, for\n"
     "each NAME, the selections that choose its item from the main menu and\n"
     "return there; a NAME is a level name (XC_DBGLEVEL_SETTIMING) or\n"
     "MENU/WORD (XC/SETTIMING, VE/off), as 'list' shows the items.\n"
     "\n"
     "  --timeout SECONDS  wait at most this long for a session and for it to\n"
     "                     read; without it, fail at once if no session reads\n"
     "\n"
     "Exit status: 0 all read, 1 not all read, 2 bad usage.\n",
     send_command},
    {"list", "usage: %1$s list [--json] [WORD]\n", "list every item of every menu",
     "Prints every item of every menu in the order of the tree, a line each:\n"
     "the selections that reach it from the main menu, its menu, its label and\n"
     "what it does, separated by tabs. WORD keeps the lines that contain it,\n"
     "ignoring case. --json prints the same items as a JSON array.\n",
     list_command},
};

void vcomplain(const Invocation &invocation, const char *format, va_list arguments) {
    std::fprintf(stderr, "%s%s%s: ", invocation.program, invocation.command != nullptr ? " " : "",
                 invocation.command != nullptr ? invocation.command->name : "");
    std::vfprintf(stderr, format, arguments);
    std::fputc('\n', stderr);
}

}  // namespace

void complain(const Invocation &invocation, const char *format, ...) {
    va_list arguments;
    va_start(arguments, format);
    vcomplain(invocation, format, arguments);
    va_end(arguments);
}

int usage_error(const Invocation &invocation, const char *format, ...) {
    va_list arguments;
    va_start(arguments, format);
    vcomplain(invocation, format, arguments);
    va_end(arguments);
    std::fprintf(stderr, invocation.command->usage, invocation.program);
    return kBadUsage;
}

void print_program_usage(std::FILE *out, const char *program, const char *text) {
    std::fputs(text, out);
    for (const Command &command : kCommands) std::fprintf(out, "  %-5s %s\n", command.name, command.summary);
    std::fprintf(out, "\n'%s COMMAND --help' shows a command's usage.\n", program);
}

int run_farm_command(const char *program, int argc, char **argv) {
    for (const Command &command : kCommands) {
        if (argc < 2 || std::strcmp(argv[1], command.name) != 0) continue;
        if (argc == 3 && std::strcmp(argv[2], "--help") == 0) {
            std::printf(command.usage, program);
            std::printf("\n%s", command.help);
            return kDone;
        }
        return command.run({program, &command}, argc - 2, argv + 2);
    }
    return -1;
}
