#include "process.h"

#include <elf.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace tulvak_test {
namespace {

int memory_file(const char *name, const std::string &content) {
    const int fd = memfd_create(name, 0);
    if (fd < 0) throw std::runtime_error("memfd_create failed");
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n <= 0) throw std::runtime_error("writing test input failed");
        done += static_cast<size_t>(n);
    }
    lseek(fd, 0, SEEK_SET);
    return fd;
}

std::string contents(int fd) {
    std::string text;
    char buffer[65536];
    off_t offset = 0;
    for (;;) {
        const ssize_t n = pread(fd, buffer, sizeof buffer, offset);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
        offset += n;
    }
    return text;
}

void sleep_millisecond() {
    const timespec millisecond{0, 1000000};
    nanosleep(&millisecond, nullptr);
}

// The machine an ELF file is built for, or EM_NONE for anything else.
int elf_machine(const char *path) {
    std::ifstream file(path, std::ios::binary);
    Elf32_Ehdr header{};  // e_machine sits at the same offset in 32- and 64-bit files
    if (!file.read(reinterpret_cast<char *>(&header), sizeof header)) return EM_NONE;
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0) return EM_NONE;
    return header.e_machine;
}

}  // namespace

// The build machine's kernel runs only its own programs. A cross build names
// an emulator, and a program built for the target, like this test program,
// runs under it whether or not binfmt_misc would have found one.
std::vector<std::string> runnable_command(const std::vector<std::string> &argv) {
    std::istringstream emulator(TULVAK_EMULATOR);
    std::vector<std::string> command;
    for (std::string word; emulator >> word;) command.push_back(word);
    if (command.empty() || argv[0].find('/') == std::string::npos) return argv;
    const int machine = elf_machine(argv[0].c_str());
    if (machine == EM_NONE || machine != elf_machine("/proc/self/exe")) return argv;
    command.insert(command.end(), argv.begin(), argv.end());
    return command;
}

void exec_program(const std::vector<std::string> &argv) {
    const std::vector<std::string> command = runnable_command(argv);
    std::vector<char *> args;
    std::transform(command.begin(), command.end(), std::back_inserter(args),
                   [](const std::string &arg) { return const_cast<char *>(arg.c_str()); });
    args.push_back(nullptr);
    execvp(args[0], args.data());
}

Running::Running(const std::vector<std::string> &argv, const std::string &input) {
    start(input, [&argv] { exec_program(argv); });
}

Running::Running(const std::string &input, const std::function<int()> &body) {
    start(input, [&body] {
        const int code = body();
        if (stdout != nullptr) std::fflush(stdout);
        _exit(code);
    });
}

void Running::start(const std::string &input, const std::function<void()> &child) {
    const int in = memory_file("stdin", input);
    out_ = memory_file("stdout", "");
    err_ = memory_file("stderr", "");
    std::fflush(nullptr);
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        dup2(in, 0);
        dup2(out_, 1);
        dup2(err_, 2);
        child();
        _exit(127);
    }
    close(in);
}

Running::~Running() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    close(out_);
    close(err_);
}

std::string Running::out() const { return contents(out_); }
std::string Running::err() const { return contents(err_); }

bool Running::wait_for(int fd, const std::string &text, int timeout_ms) {
    for (int waited = 0; waited <= timeout_ms; ++waited) {
        if (contents(fd).find(text) != std::string::npos) return true;
        sleep_millisecond();
    }
    return false;
}

bool Running::wait_for_output(const std::string &text, int timeout_ms) const {
    return wait_for(out_, text, timeout_ms);
}
bool Running::wait_for_error(const std::string &text, int timeout_ms) const { return wait_for(err_, text, timeout_ms); }

double Running::cpu_seconds() const {
    std::ifstream file("/proc/" + std::to_string(pid_) + "/stat");
    const std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // The command name may hold blanks; the fields after it do not.
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int i = 3; i < 14; ++i) fields >> field;  // state ... cmajflt
    double user_ticks = 0, system_ticks = 0;
    fields >> user_ticks >> system_ticks;
    return (user_ticks + system_ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

Outcome Running::finish(int timeout_seconds) {
    Outcome outcome;
    int status = 0;
    const long deadline_ms = timeout_seconds * 1000L;
    for (long waited_ms = 0;; ++waited_ms) {
        if (waitpid(pid_, &status, WNOHANG) == pid_) break;
        if (waited_ms >= deadline_ms) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            outcome.timed_out = true;
            break;
        }
        sleep_millisecond();
    }
    pid_ = -1;
    if (WIFEXITED(status)) outcome.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
    outcome.out = out();
    outcome.err = err();
    return outcome;
}

Outcome run_program(const std::vector<std::string> &argv, const std::string &input, int timeout_seconds) {
    return Running(argv, input).finish(timeout_seconds);
}

Outcome run_in_child(const std::string &input, const std::function<int()> &body, int timeout_seconds) {
    return Running(input, body).finish(timeout_seconds);
}

std::string host_path() { return TULVAK_HOST_PATH; }
std::string library_path() { return TULVAK_LIBRARY_PATH; }

}  // namespace tulvak_test
