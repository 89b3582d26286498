// Console throughput, heap allocations per selection and peak resident
// memory of a console session fed 100,000 selections on standard input,
// against the floor: the same output bytes written with the same stdio calls
// from memory.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "delivery_report.h"
#include "spawn_arguments.h"
#include "table.h"

extern char **environ;

namespace {

struct Programs {
    std::string session_host;
    std::string floor;
    std::string recorder;  // preload that records the console's stdio calls
    std::string counter;   // preload that counts heap allocations
    std::vector<std::string> walk;
};

constexpr int kTimedRuns = 5;

// The walk given, repeated: menu walks with driver calls, refusals and
// selections that choose nothing, ending where they began.
std::string make_input(const std::string &folder, const std::vector<std::string> &walk, int selections) {
    const std::string path = folder + "/input-" + std::to_string(selections);
    std::ofstream input(path);
    for (int i = 0; i < selections; ++i) input << walk[static_cast<std::size_t>(i) % walk.size()] << '\n';
    return path;
}

struct Run {
    double seconds;
    std::string err;
};

Run run(const std::vector<std::string> &argv, const std::string &in, const std::string &out,
        const std::vector<std::string> &environment = {}) {
    const std::string err_path = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                                 "/tulvak-bench-err-" + std::to_string(getpid());
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::vector<char *> args = bench::pointers_to(argv);
    const std::vector<char *> env = bench::environment_with(environment);
    const int64_t start = monotonic_ns();
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env.data()) != 0) {
        throw std::runtime_error("cannot start " + argv[0]);
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const double seconds = static_cast<double>(monotonic_ns() - start) / 1e9;
    std::ifstream err_file(err_path);
    std::stringstream err;
    err << err_file.rdbuf();
    unlink(err_path.c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(argv[0] + " failed: " + err.str());
    return {seconds, err.str()};
}

bool same_bytes(const std::string &path, const std::string &other_path) {
    std::ifstream file(path, std::ios::binary), other(other_path, std::ios::binary);
    return std::equal(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(other), std::istreambuf_iterator<char>());
}

long allocations_of(const Run &counted) {
    return static_cast<long>(bench::reported_figure(counted.err, "allocations"));
}
double replay_seconds(const Run &floor) { return bench::reported_figure(floor.err, "replay seconds"); }
long peak_kib_of(const Run &session) {
    return static_cast<long>(bench::reported_figure(session.err, "peak resident KiB"));
}

void measure(const Programs &programs, const std::string &folder, int selections) {
    const std::string input = make_input(folder, programs.walk, selections);
    const std::string record = folder + "/record";
    const std::vector<std::string> console = {programs.session_host, "console"};
    const std::vector<std::string> floor = {programs.floor, record};

    // The floor must write exactly what the console wrote, or it is no floor.
    run(console, input, folder + "/console.out", {"LD_PRELOAD=" + programs.recorder, "TULVAK_BENCH_RECORD=" + record});
    run(floor, "/dev/null", folder + "/floor.out");
    if (!same_bytes(folder + "/console.out", folder + "/floor.out")) {
        throw std::runtime_error("the floor's output differs from the console's");
    }

    run(console, input, "/dev/null");
    run(floor, "/dev/null", "/dev/null");
    std::vector<double> console_seconds, floor_seconds;
    long peak_kib = 0;
    for (int i = 0; i < kTimedRuns; ++i) {
        const Run session = run(console, input, "/dev/null");
        console_seconds.push_back(session.seconds);
        peak_kib = std::max(peak_kib, peak_kib_of(session));
        floor_seconds.push_back(replay_seconds(run(floor, "/dev/null", "/dev/null")));
    }
    const double console_rate = selections / bench::median(console_seconds);
    const double floor_rate = selections / bench::median(floor_seconds);
    bench::print_row("console throughput, " + std::to_string(selections) + " selections, output to /dev/null",
                     bench::format("%.0f selections/s", console_rate), bench::format("%.0f selections/s", floor_rate),
                     console_rate / floor_rate, ">= 0.8");

    // Allocations made while a session runs: the difference between a long
    // and a short session, so start-up and exit cancel out.
    const int short_selections = selections / 100;
    const std::vector<std::string> counting = {"LD_PRELOAD=" + programs.counter};
    const long short_count =
        allocations_of(run(console, make_input(folder, programs.walk, short_selections), "/dev/null", counting));
    const long long_count = allocations_of(run(console, input, "/dev/null", counting));
    const long idle_count = allocations_of(run({programs.session_host, "idle"}, "/dev/null", "/dev/null", counting));
    const double per_selection = static_cast<double>(long_count - short_count) / (selections - short_selections);
    bench::print_row("heap allocations per selection, console session", bench::format("%.4f", per_selection), "0", NAN,
                     "0");
    bench::print_row("heap allocations of a whole console session (host included)", std::to_string(long_count),
                     std::to_string(idle_count) + " (host, no session)", NAN, "");

    const long idle_kib = peak_kib_of(run({programs.session_host, "idle"}, "/dev/null", "/dev/null"));
    bench::print_row("peak resident memory, console session of " + std::to_string(selections) + " selections",
                     std::to_string(peak_kib) + " KiB", std::to_string(idle_kib) + " KiB (host, no session)",
                     static_cast<double>(peak_kib) / static_cast<double>(idle_kib), "");
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 6) {
        std::fputs("usage: console_throughput SESSION_HOST CONSOLE_FLOOR RECORDER COUNTER WALK [SELECTIONS]\n", stderr);
        return 2;
    }
    std::istringstream words(argv[5]);
    const Programs programs{argv[1], argv[2], argv[3], argv[4], {std::istream_iterator<std::string>(words), {}}};
    const int selections = argc > 6 ? std::atoi(argv[6]) : 100000;
    if (programs.walk.empty()) return 2;
    char folder[] = "/tmp/tulvak-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) return 1;
    int status = 0;
    try {
        measure(programs, folder, selections);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "console throughput: %s\n", error.what());
        status = 1;
    }
    const std::string clean = std::string("rm -rf ") + folder;
    return std::system(clean.c_str()) == 0 ? status : 1;
}
