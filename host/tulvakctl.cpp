// tulvakctl: the test farm's commands alone, for the TV, where the session runs inside the
// platform's own host: it needs neither the driver library nor libtulvak.
#include "commands.h"

int main(int argc, char **argv) {
    const Program tulvakctl{"tulvakctl",
                            "usage: tulvakctl COMMAND [ARGUMENT...]\n"
                            "       tulvakctl --version | --help\n"
                            "\n"
                            "The test farm's commands, for a pipe-driven session:\n",
                            nullptr};
    return run_program(tulvakctl, argc, argv);
}
