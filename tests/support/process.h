// Runs the console the way its users do: a real process, real standard
// streams, output compared byte for byte.
#ifndef TULVAK_TESTS_PROCESS_H
#define TULVAK_TESTS_PROCESS_H

#include <functional>
#include <string>
#include <vector>

namespace tulvak_test {

struct Outcome {
    std::string out;
    std::string err;
    int exit_code = -1;  // -1 when the process did not exit normally
    int signal = 0;
    bool timed_out = false;
};

// Replaces the calling process with argv[0] (searched in PATH when it names no
// directory); returns only if that failed. In a cross build a program built
// for the target runs under the build's emulator.
void exec_program(const std::vector<std::string> &argv);

// Runs argv[0] as exec_program does, with input as its standard input; a
// process that outlives timeout_seconds is killed and reported as timed out, so no test can hang.
Outcome run_program(const std::vector<std::string> &argv, const std::string &input, int timeout_seconds = 30);

// Runs body in a forked child with the same redirections; the child's exit
// code is body's result. Library state set in the child dies with it.
Outcome run_in_child(const std::string &input, const std::function<int()> &body, int timeout_seconds = 30);

// The host program and libraries under test, as built.
std::string host_path();
std::string library_path();

}  // namespace tulvak_test

#endif
