// Runs the console the way its users do: a real process, real standard
// streams, output compared byte for byte.
#ifndef TULVAK_TESTS_PROCESS_H
#define TULVAK_TESTS_PROCESS_H

#include <sys/types.h>

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

// argv as this machine can run it: in a cross build, a program built for the
// target gets the build's emulator in front of it.
std::vector<std::string> runnable_command(const std::vector<std::string> &argv);

// Replaces the calling process with argv[0] (searched in PATH when it names no
// directory); returns only if that failed. In a cross build a program built
// for the target runs under the build's emulator.
void exec_program(const std::vector<std::string> &argv);

// A process left running while the test acts on it. Its standard streams
// are memory files, so what it has written so far can be read at any time.
class Running {
public:
    // Runs argv[0] as exec_program does, with input as its standard input.
    Running(const std::vector<std::string> &argv, const std::string &input);
    // Runs body in a forked child; the child's exit code is body's result.
    Running(const std::string &input, const std::function<int()> &body);
    Running(const Running &) = delete;
    Running &operator=(const Running &) = delete;
    ~Running();  // kills the process if it still runs

    std::string out() const;
    std::string err() const;
    // True once standard output holds `text`; false when that has not
    // happened within timeout_ms.
    bool wait_for_output(const std::string &text, int timeout_ms = 10000) const;
    // The same for standard error.
    bool wait_for_error(const std::string &text, int timeout_ms = 10000) const;
    // Processor time (user and system) it has used so far, in seconds.
    double cpu_seconds() const;
    // Waits for it to end; one that outlives timeout_seconds is killed and
    // reported as timed out, so no test can hang.
    Outcome finish(int timeout_seconds = 30);

private:
    void start(const std::string &input, const std::function<void()> &child);
    static bool wait_for(int fd, const std::string &text, int timeout_ms);

    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
};

// Runs argv[0] to its end (see Running).
Outcome run_program(const std::vector<std::string> &argv, const std::string &input, int timeout_seconds = 30);

// Runs body in a forked child with the same redirections; the child's exit
// code is body's result. Library state set in the child dies with it.
Outcome run_in_child(const std::string &input, const std::function<int()> &body, int timeout_seconds = 30);

// The host program and libraries under test, as built.
std::string host_path();
std::string library_path();

}  // namespace tulvak_test

#endif
