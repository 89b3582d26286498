// Pipe delivery: the time from the start of each delivery (the relay script
// or `send` being started) to the driver call it causes, against the same
// deliveries into the floor reader, and how many never arrive; and the time
// from starting `send` to its confirmed exit, against a minimal C sender that
// waits the same way. Runs in a mount namespace of its own with a fresh
// /Customer, as the tests do.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iterator>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "delivery_report.h"
#include "spawn_arguments.h"
#include "table.h"

extern char **environ;

namespace {

// run.sh starts this program with a /Customer of its own (tests/harness.py).
constexpr const char kCustomer[] = "/Customer";
constexpr const char kPipe[] = "/Customer/tulvakpipe";

std::string read_file(const std::string &path) {
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

struct Programs {
    std::string session_host;
    std::string floor_reader;
    std::string floor_sender;  // writes one line and waits for the pipe to empty
    std::string sender;        // the program whose `send` is measured
    std::string counter;       // preload that counts heap allocations
    std::string into_scaler;   // the lines that open the scaler menu, found by name
};

enum class Launcher { relay_script, send_command };

// The session and the floor reader take the same deliveries in alternating
// rounds, so a drift of the machine's speed falls on both alike.
constexpr int kRounds = 5;
// Sends one after another are short and feel the machine's load the more: so
// shorter rounds, more of them.
constexpr int kConfirmedRounds = 20;
// Far beyond any delivery seen; a selection not called by then is lost.
constexpr auto kLostAfter = std::chrono::seconds(3);

// With a preload, the program gets it and its standard error goes to err_path.
pid_t spawn(const std::vector<std::string> &argv, int report_fd, const std::string &preload = "",
            const std::string &err_path = "") {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (report_fd >= 0) posix_spawn_file_actions_adddup2(&actions, report_fd, 3);
    const std::vector<char *> args = bench::pointers_to(argv);
    std::vector<std::string> settings;
    if (!preload.empty()) {
        settings.push_back("LD_PRELOAD=" + preload);
        posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    const std::vector<char *> env = bench::environment_with(settings);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) throw std::runtime_error("cannot start " + argv[0]);
    return pid;
}

int wait_for(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// A writer's open succeeds once a reader holds the pipe.
int open_held_pipe() {
    for (int tries = 0; tries < 10000; ++tries) {
        const int fd = open(kPipe, O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) return fd;
        usleep(1000);
    }
    throw std::runtime_error("no reader came to hold the pipe");
}

void write_all(int fd, const std::string &bytes) {
    if (write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        throw std::runtime_error("cannot write into the pipe");
    }
}

// Sender k selects the scaler menu's item k + 2, which passes the flag 1 << k:
// so each report names its sender, and each sender's selections arrive in
// the order it sent them.
int item_of_sender(int sender) { return sender + 2; }
int sender_of_value(int value) { return value > 0 ? __builtin_ctz(static_cast<unsigned>(value)) : -1; }
int sender_of_item(int item) { return item - 2; }

// One reader (a session or the floor) taking one round of deliveries.
class Round {
public:
    // A session given an allocation log runs with the allocation counter,
    // which writes its count there when the session ends.
    Round(const Programs &programs, bool floor, int senders, const std::string &allocation_log = "")
        : floor_(floor), arrivals_(static_cast<std::size_t>(senders)) {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe2");
        const int report_fd = fcntl(ends[1], F_DUPFD_CLOEXEC, 10);  // never 3 itself
        close(ends[1]);
        reports_ = ends[0];
        reader_ = floor ? spawn({programs.floor_reader}, report_fd)
                        : spawn({programs.session_host, "pipe"}, report_fd,
                                allocation_log.empty() ? "" : programs.counter, allocation_log);
        close(report_fd);
        collector_ = std::thread([this] { collect(); });
        const int fd = open_held_pipe();
        // Into the scaler menu, where every item is one driver call.
        if (!floor) write_all(fd, programs.into_scaler);
        close(fd);
    }

    ~Round() {
        if (reader_ > 0) {
            kill(reader_, SIGKILL);
            wait_for(reader_);
        }
        if (collector_.joinable()) collector_.join();
        close(reports_);
    }

    // Waits for sender's next selection to reach the reader; its time, or a
    // negative number when it never came.
    int64_t arrival_of_next(int sender) {
        std::unique_lock<std::mutex> lock(mutex_);
        auto &queue = arrivals_[static_cast<std::size_t>(sender)];
        if (!arrived_.wait_for(lock, kLostAfter, [&] { return !queue.empty(); })) return -1;
        const int64_t when = queue.front();
        queue.pop_front();
        return when;
    }

    void end() {
        if (floor_) {
            kill(reader_, SIGTERM);
        } else {
            const int fd = open_held_pipe();
            write_all(fd, "99\n99\n99\n");
            close(fd);
        }
        wait_for(reader_);
        reader_ = -1;
        collector_.join();
    }

private:
    void collect() {
        DeliveryReport report;
        while (read(reports_, &report, sizeof report) == sizeof report) {
            const int sender = floor_ ? sender_of_item(report.tag) : sender_of_value(report.tag);
            if (sender < 0 || sender >= static_cast<int>(arrivals_.size())) continue;
            std::lock_guard<std::mutex> lock(mutex_);
            arrivals_[static_cast<std::size_t>(sender)].push_back(report.when_ns);
            arrived_.notify_all();
        }
    }

    bool floor_;
    pid_t reader_ = -1;
    int reports_ = -1;
    std::thread collector_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<std::deque<int64_t>> arrivals_;
};

struct Latencies {
    std::vector<double> ms;
    int lost = 0;
};

std::string sender_name(const Programs &programs) { return programs.sender.substr(programs.sender.rfind('/') + 1); }

std::vector<std::string> delivery_command(const Programs &programs, Launcher launcher, int item) {
    if (launcher == Launcher::relay_script) return {"sh", "tulvak.sh", std::to_string(item)};
    return {programs.sender, "send", std::to_string(item)};
}

// Each sender delivers one selection at a time, as a farm that waits for the
// driver call before it sends the next.
void deliver(const Programs &programs, Launcher launcher, Round &round, int sender, int count, Latencies &into,
             std::mutex &into_mutex) {
    for (int i = 0; i < count; ++i) {
        const int64_t start = monotonic_ns();
        wait_for(spawn(delivery_command(programs, launcher, item_of_sender(sender)), -1));
        const int64_t arrival = round.arrival_of_next(sender);
        std::lock_guard<std::mutex> lock(into_mutex);
        if (arrival < 0) {
            ++into.lost;
        } else {
            into.ms.push_back(static_cast<double>(arrival - start) / 1e6);
        }
    }
}

Latencies run_round(const Programs &programs, bool floor, Launcher launcher, int senders, int deliveries) {
    Round round(programs, floor, senders);
    Latencies latencies;
    std::mutex latencies_mutex;
    std::vector<std::thread> threads;
    for (int sender = 0; sender < senders; ++sender) {
        threads.emplace_back(deliver, std::cref(programs), launcher, std::ref(round), sender, deliveries / senders,
                             std::ref(latencies), std::ref(latencies_mutex));
    }
    for (std::thread &thread : threads) thread.join();
    round.end();
    return latencies;
}

void append(Latencies &to, const Latencies &from) {
    to.ms.insert(to.ms.end(), from.ms.begin(), from.ms.end());
    to.lost += from.lost;
}

void measure(const Programs &programs, Launcher launcher, int senders, int deliveries) {
    Latencies session, floor;
    for (int round = 0; round < kRounds; ++round) {
        append(session, run_round(programs, false, launcher, senders, deliveries / kRounds));
        append(floor, run_round(programs, true, launcher, senders, deliveries / kRounds));
    }
    const std::string how = (launcher == Launcher::relay_script ? "relay script" : sender_name(programs) + " send") +
                            (senders > 1 ? ", " + std::to_string(senders) + " concurrent senders" : "");
    const struct {
        const char *name;
        double q;
        const char *target;
    } figures[] = {{"p50", 0.5, "<= 1.2"}, {"p99", 0.99, "<= 2"}, {"max", 1.0, "far below 1000 ms"}};
    for (const auto &figure : figures) {
        const double measured = bench::quantile(session.ms, figure.q);
        const double base = bench::quantile(floor.ms, figure.q);
        bench::print_row("pipe delivery, " + how + ": " + figure.name, bench::format("%.3f ms", measured),
                         bench::format("%.3f ms", base), measured / base, figure.target);
    }
    const int sent = deliveries / kRounds / senders * senders * kRounds;
    bench::print_row("pipe delivery, " + how + ": lost", std::to_string(session.lost) + " of " + std::to_string(sent),
                     std::to_string(floor.lost) + " of " + std::to_string(sent), NAN, "0");
}

// From starting `send N` to its exit, which comes once the reader has taken
// the line; each send waits for the driver call of the one before it.
void measure_confirmed_send(const Programs &programs, int deliveries) {
    Latencies session, floor;
    for (int round = 0; round < kConfirmedRounds; ++round) {
        for (const bool into_floor : {false, true}) {
            Round reader(programs, into_floor, 1);
            Latencies &into = into_floor ? floor : session;
            const std::string item = std::to_string(item_of_sender(0));
            const std::vector<std::string> command = into_floor
                                                         ? std::vector<std::string>{programs.floor_sender, item}
                                                         : std::vector<std::string>{programs.sender, "send", item};
            for (int i = 0; i < deliveries / kConfirmedRounds; ++i) {
                const int64_t start = monotonic_ns();
                const int status = wait_for(spawn(command, -1));
                const int64_t end = monotonic_ns();
                if (status != 0 || reader.arrival_of_next(0) < 0) {
                    ++into.lost;
                } else {
                    into.ms.push_back(static_cast<double>(end - start) / 1e6);
                }
            }
            reader.end();
        }
    }
    const std::string how = sender_name(programs) + " send N, start to confirmed exit";
    const struct {
        const char *name;
        double q;
        const char *target;
    } figures[] = {{"p50", 0.5, "<= 1.2"}, {"p99", 0.99, "<= 2"}};
    for (const auto &figure : figures) {
        const double measured = bench::quantile(session.ms, figure.q);
        const double base = bench::quantile(floor.ms, figure.q);
        bench::print_row(how + ": " + figure.name, bench::format("%.3f ms", measured),
                         bench::format("%.3f ms (C sender, C reader)", base), measured / base, figure.target);
    }
    const std::string sent = " of " + std::to_string(deliveries / kConfirmedRounds * kConfirmedRounds);
    bench::print_row(how + ": not confirmed", std::to_string(session.lost) + sent, std::to_string(floor.lost) + sent,
                     NAN, "0");
}

long allocations_of_session(const Programs &programs, int selections) {
    const std::string log = "/Customer/allocations";
    {
        Round round(programs, false, 1, log);
        const int fd = open_held_pipe();
        for (int i = 0; i < selections; ++i) {
            write_all(fd, std::to_string(item_of_sender(0)) + "\n");
            if (round.arrival_of_next(0) < 0) throw std::runtime_error("a selection was lost while counting");
        }
        close(fd);
        round.end();
    }
    return static_cast<long>(bench::reported_figure(read_file(log), "allocations"));
}

// The difference between a session of many selections and one of none, so
// that start-up and exit cancel out.
void count_allocations(const Programs &programs, int selections) {
    const long none = allocations_of_session(programs, 0);
    const long many = allocations_of_session(programs, selections);
    bench::print_row("heap allocations per selection, pipe-driven session",
                     bench::format("%.4f", static_cast<double>(many - none) / selections), "0", NAN, "0");
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 7) {
        std::fputs(
            "usage: pipe_delivery SESSION_HOST FLOOR_READER FLOOR_SENDER SENDER COUNTER SCALER_PATH [DELIVERIES]\n",
            stderr);
        return 2;
    }
    std::string into_scaler = std::string(argv[6]) + "\n";
    std::replace(into_scaler.begin(), into_scaler.end(), ' ', '\n');
    const Programs programs{argv[1], argv[2], argv[3], argv[4], argv[5], into_scaler};
    const int deliveries = argc > 7 ? std::atoi(argv[7]) : 1000;
    // The relay script names the pipe relative to where it runs; the library
    // writes the script, which the floor's deliveries run too.
    if (chdir(kCustomer) != 0) return 1;
    signal(SIGPIPE, SIG_IGN);
    try {
        count_allocations(programs, deliveries);
        for (Launcher launcher : {Launcher::relay_script, Launcher::send_command}) {
            for (int senders : {1, 4}) measure(programs, launcher, senders, deliveries);
        }
        measure_confirmed_send(programs, deliveries);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "pipe delivery: %s\n", error.what());
        return 1;
    }
    return 0;
}
