// Sessions of the real host under the faults an unattended test farm or a
// careless host meets: broken standard streams, a /Customer that is missing,
// read-only or full, a command pipe taken away mid-session, senders that
// misbehave. In each the session says what the fault is or shrugs it off,
// waits without using the processor, writes nothing outside /Customer, and
// still ends when its input tells it to.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/customer.h"
#include "support/process.h"
#include "support/screens.h"

namespace tulvak_test {
namespace {

namespace fs = std::filesystem;

// The paths below a directory, relative to it.
std::set<std::string> everything_below(const std::string &directory) {
    std::set<std::string> paths;
    for (const auto &entry : fs::recursive_directory_iterator(directory)) {
        paths.insert(fs::relative(entry.path(), directory).string());
    }
    return paths;
}

std::set<std::string> names_in(const std::string &directory) {
    std::set<std::string> names;
    for (const auto &entry : fs::directory_iterator(directory)) names.insert(entry.path().filename().string());
    return names;
}

// A fault's words as a test name: "full device" becomes full_device.
std::string test_name(const testing::TestParamInfo<std::string> &info) {
    std::string name = info.param;
    for (char &c : name) c = std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    return name;
}

// Selections handed to the running session, which must take them all.
void send(const std::vector<std::string> &selections) {
    std::vector<std::string> command = {host_path(), "send", "--timeout", "5"};
    command.insert(command.end(), selections.begin(), selections.end());
    const Outcome sent = run_program(command, "", 10);
    EXPECT_EQ(sent.exit_code, 0) << sent.err;
}

// Two seconds of waiting cost next to no processor time.
void expect_idle(const Running &session) {
    const double before = session.cpu_seconds();
    sleep(2);
    EXPECT_LT(session.cpu_seconds() - before, 0.2) << "the session spins while it waits";
}

// A keyboard nobody has typed on yet: the session waits on it as a person's
// console, until the test types or ends the input.
class Keyboard {
public:
    Keyboard() { EXPECT_EQ(pipe2(fds_, O_CLOEXEC), 0); }
    ~Keyboard() {
        close(fds_[0]);
        end_input();
    }
    void type(const std::string &text) const {
        EXPECT_EQ(write(fds_[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }
    void end_input() {
        if (fds_[1] >= 0) close(fds_[1]);
        fds_[1] = -1;
    }
    // In the host's child, before it starts: standard input is this keyboard.
    void plug_in() const { dup2(fds_[0], STDIN_FILENO); }

private:
    int fds_[2] = {-1, -1};
};

// Each test's session runs in a directory of its own under /tmp, with HOME
// and TMPDIR beside it. Whatever is written under /tmp lands in a layer of
// the test's own laid over the machine's /tmp, which stays readable (the
// programs under test may live there): the layer must end up holding those
// three directories, empty, and nothing else.
class Faults : public testing::Test {
protected:
    void SetUp() override {
        TULVAK_NEED_PRIVATE_CUSTOMER();
        char layer[] = "/dev/shm/tulvak-faults-XXXXXX";
        ASSERT_NE(mkdtemp(layer), nullptr);
        layer_ = layer;
        fs::create_directory(layer_ + "/upper");
        fs::create_directory(layer_ + "/work");
        // A build tree under /tmp stays outside the layer: a coverage
        // build's programs write their counters there.
        const std::string build = TULVAK_BUILD_DIR;
        const int build_tree = build.rfind("/tmp/", 0) == 0 ? open(build.c_str(), O_PATH | O_CLOEXEC) : -1;
        const std::string layers = "lowerdir=/tmp,upperdir=" + layer_ + "/upper,workdir=" + layer_ + "/work";
        ASSERT_EQ(mount("tulvak-tmp", "/tmp", "overlay", 0, layers.c_str()), 0) << std::strerror(errno);
        if (build_tree >= 0) {
            const std::string held = "/proc/self/fd/" + std::to_string(build_tree);
            ASSERT_EQ(mount(held.c_str(), build.c_str(), nullptr, MS_BIND | MS_REC, nullptr), 0)
                << std::strerror(errno);
            close(build_tree);
        }
        char own[] = "/tmp/tulvak-session-XXXXXX";
        ASSERT_NE(mkdtemp(own), nullptr);
        own_ = own;
        for (const char *directory : {"/work", "/home", "/temp"}) fs::create_directory(own_ + directory);
        ASSERT_EQ(chdir((own_ + "/work").c_str()), 0);
        setenv("HOME", (own_ + "/home").c_str(), 1);
        setenv("TMPDIR", (own_ + "/temp").c_str(), 1);
    }

    void TearDown() override {
        if (layer_.empty()) return;
        if (!own_.empty()) {
            const std::string own = fs::path(own_).filename().string();
            std::set<std::string> expected = {own, own + "/work", own + "/home", own + "/temp"};
            for (const std::string &path : written_outside_) expected.insert(own + "/" + path);
            EXPECT_EQ(everything_below(layer_ + "/upper"), expected);
            EXPECT_EQ(names_in(kCustomer), customer_holds_);
        }
        std::error_code ignored;
        fs::remove_all(layer_, ignored);
    }

    // Where the session started in, for a test that needs it.
    const std::string &own_directory() const { return own_; }

    // A pipe-driven session, once it holds its pipe.
    static std::unique_ptr<Running> pipe_session() {
        auto host = std::make_unique<Running>(std::vector<std::string>{host_path(), "--pipe"}, "");
        EXPECT_TRUE(host->wait_for_output(kPipeAsk)) << host->out();
        return host;
    }

    // What the fault has left in /Customer when the test ends.
    std::set<std::string> customer_holds_ = {"tulvak.sh", "tulvakpipe"};
    // Paths the test itself, not the session, writes in its own directory.
    std::set<std::string> written_outside_;

private:
    std::string layer_;
    std::string own_;
};

// A console session on the keyboard, its standard streams first broken as `fault` does.
std::unique_ptr<Running> console_session(const Keyboard &keyboard, const std::function<void()> &fault) {
    return std::make_unique<Running>("", [&keyboard, fault] {
        keyboard.plug_in();
        fault();
        exec_program({host_path()});
        return 127;
    });
}

const std::string kWriteFailure = "tulvak: could not write standard output\n";

class BrokenStandardOutput : public Faults, public testing::WithParamInterface<std::string> {};

// The driver is still called as chosen; the host reports the lost screens at the end.
TEST_P(BrokenStandardOutput, SelectionsStillActAndTheHostReportsTheFailure) {
    customer_holds_ = {};
    Keyboard keyboard;
    const std::string fault = GetParam();
    const std::unique_ptr<Running> session = console_session(keyboard, [fault] {
        if (fault == "closed") close(STDOUT_FILENO);
        if (fault == "full device") dup2(open("/dev/full", O_WRONLY), STDOUT_FILENO);
    });
    keyboard.type("3\n32\n2\n");
    ASSERT_TRUE(session->wait_for_error("QxApi_XC_SetDbgLevel(1)\n")) << session->err();
    expect_idle(*session);
    keyboard.end_input();
    const Outcome run = session->finish(10);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.err, "QxApi_XC_SetDbgLevel(1)\n" + kWriteFailure);
}

INSTANTIATE_TEST_SUITE_P(Faults, BrokenStandardOutput, testing::Values("closed", "full device"), test_name);

TEST_F(Faults, StandardInputClosedAtStartShowsOneScreenAndEnds) {
    customer_holds_ = {};
    const Outcome run = run_in_child("", [] {
        close(STDIN_FILENO);
        exec_program({host_path()});
        return 127;
    });
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.out, screen(kMainLabels));
}

TEST_F(Faults, ConsoleLineOf100KiBIsOneSelection) {
    customer_holds_ = {};
    Keyboard keyboard;
    const std::unique_ptr<Running> session = console_session(keyboard, [] {});
    std::thread typist([&keyboard] { keyboard.type("3\n32\n" + std::string(100 << 10, '2') + "\n3\n"); });
    ASSERT_TRUE(session->wait_for_error("QxApi_XC_SetDbgLevel(2)\n")) << session->err();
    typist.join();
    expect_idle(*session);
    keyboard.end_input();
    const Outcome run = session->finish(10);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.err, "QxApi_XC_SetDbgLevel(2)\n");
    const std::vector<std::string> xc = module_labels("XC");
    EXPECT_EQ(run.out, screen(kMainLabels) + screen(kUtilityLabels) + screens(xc, 3));
}

// A host run with standard input and output closed: the pipe must not take
// their descriptors, or the session would read its own screens back.
TEST_F(Faults, PipeSessionWithStandardStreamsClosedDoesNotFeedItself) {
    Running session("", [] {
        close(STDIN_FILENO);
        close(STDOUT_FILENO);
        exec_program({host_path(), "--pipe"});
        return 127;
    });
    send({"3"});
    expect_idle(session);
    send({"99", "99"});
    const Outcome run = session.finish(10);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.err, kWriteFailure);
}

const std::string kNoFiles = "\n CreateTulvakShell Fail!\nfailed to make tulvak fifo \n";

// Nothing can be made and nothing read, so the session reports once a second
// what fails; once a pipe stands at the path it is taken up.
void expect_reports_then_recovery(Running &session) {
    ASSERT_TRUE(session.wait_for_output(kPipeReport, 5000)) << session.out();
    EXPECT_EQ(session.out().substr(0, kNoFiles.size()), kNoFiles);
    const size_t before = session.out().size();
    expect_idle(session);
    const size_t reports = occurrences(session.out().substr(before), kPipeReport);
    EXPECT_GE(reports, 1u);
    EXPECT_LE(reports, 3u);
}

void make_pipe_and_leave(Running &session) {
    ASSERT_EQ(mkfifo(kPipe.c_str(), 0666), 0);
    send({"99"});
    const Outcome run = session.finish(10);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.out.substr(run.out.size() - 16), "get command 99\n\n");
}

TEST_F(Faults, CustomerMissing) {
    const std::string why_not = hide_customer();
    ASSERT_EQ(why_not, "");
    ASSERT_EQ(chdir((own_directory() + "/work").c_str()), 0);
    Running session({host_path(), "--pipe"}, "");
    expect_reports_then_recovery(session);
    ASSERT_EQ(mkdir(kCustomer.c_str(), 0755), 0);
    make_pipe_and_leave(session);
    customer_holds_ = {"tulvakpipe"};
}

TEST_F(Faults, CustomerReadOnly) {
    ASSERT_EQ(mount(nullptr, kCustomer.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    Running session({host_path(), "--pipe"}, "");
    expect_reports_then_recovery(session);
    ASSERT_EQ(mount(nullptr, kCustomer.c_str(), nullptr, MS_REMOUNT, nullptr), 0);
    make_pipe_and_leave(session);
    customer_holds_ = {"tulvakpipe"};
}

// The script cannot be written whole, but the pipe needs no space: the
// session is driven through it all the same.
TEST_F(Faults, CustomerFull) {
    const int filler = open("/Customer/filler", O_WRONLY | O_CREAT, 0600);
    const std::string block(1 << 16, 'f');
    while (write(filler, block.data(), block.size()) > 0) {
    }
    close(filler);
    const std::unique_ptr<Running> session = pipe_session();
    EXPECT_EQ(session->out().substr(0, 25), "\n CreateTulvakShell Fail!");
    expect_idle(*session);
    send({"3", "99", "99"});
    const Outcome run = session->finish(10);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(occurrences(run.out, "get command"), 3u);
    customer_holds_ = {"filler", "tulvakpipe"};
}

// Whatever takes the pipe's place is reported at most once a second, never
// read from or written to; a pipe made at the path again is taken up.
class ReplacedPipe : public Faults, public testing::WithParamInterface<std::string> {};

TEST_P(ReplacedPipe, IsReportedNeverReadAndThePathTriedAgain) {
    const std::unique_ptr<Running> session = pipe_session();
    const std::string other_pipe = "/Customer/other";
    ASSERT_EQ(unlink(kPipe.c_str()), 0);
    if (GetParam() == "regular file") run_program(relay_command("3"), "", 10);  // what the script leaves now
    if (GetParam() == "directory") mkdir(kPipe.c_str(), 0755);
    if (GetParam() == "link to a pipe") {
        mkfifo(other_pipe.c_str(), 0666);
        symlink(other_pipe.c_str(), kPipe.c_str());
    }
    ASSERT_TRUE(session->wait_for_output(kPipeReport, 5000)) << session->out();
    const size_t before = session->out().size();
    expect_idle(*session);
    const size_t reports = occurrences(session->out().substr(before), kPipeReport);
    EXPECT_GE(reports, 1u);
    EXPECT_LE(reports, 3u);
    EXPECT_EQ(session->out().find("get command"), std::string::npos);
    if (GetParam() == "regular file") {
        EXPECT_EQ(read_file(kPipe), "3\n");
    }
    if (GetParam() == "link to a pipe") {
        // Nobody holds it for reading, so a non-blocking writer is refused.
        EXPECT_LT(open(other_pipe.c_str(), O_WRONLY | O_NONBLOCK), 0);
        unlink(other_pipe.c_str());
    }
    unlink(kPipe.c_str());
    rmdir(kPipe.c_str());
    make_pipe_and_leave(*session);
}

INSTANTIATE_TEST_SUITE_P(Faults, ReplacedPipe,
                         testing::Values("removed", "regular file", "directory", "link to a pipe"), test_name);

// The script names its pipe relative to where it runs: elsewhere it leaves
// a file of that name there, and the session never hears of it.
TEST_F(Faults, RelayScriptRunFromAnotherDirectory) {
    const std::unique_ptr<Running> session = pipe_session();
    const std::string elsewhere = own_directory() + "/elsewhere";
    fs::create_directory(elsewhere);
    const Outcome relayed = run_program({"sh", "-c", "cd \"$1\" && sh /Customer/tulvak.sh 3", "sh", elsewhere}, "", 10);
    EXPECT_EQ(relayed.exit_code, 0) << relayed.err;
    EXPECT_EQ(read_file(elsewhere + "/tulvakpipe"), "3\n");
    written_outside_ = {"elsewhere", "elsewhere/tulvakpipe"};
    expect_idle(*session);
    EXPECT_EQ(session->out().find("get command"), std::string::npos);
    send({"99"});
    EXPECT_EQ(session->finish(10).exit_code, 0);
}

TEST_F(Faults, SenderThatOpensThePipeAndNeverWrites) {
    const std::unique_ptr<Running> session = pipe_session();
    const int silent = open(kPipe.c_str(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(silent, 0);
    expect_idle(*session);
    EXPECT_EQ(session->out().find("get command"), std::string::npos);
    send({"99"});
    EXPECT_EQ(session->finish(10).exit_code, 0);
    close(silent);
}

// More than the pipe holds at once: the sender blocks until the session has
// read its way through, and only the line's start is kept and parsed.
TEST_F(Faults, PipeLineOf100KiBIsOneSelection) {
    const std::unique_ptr<Running> session = pipe_session();
    const std::string line = "3" + std::string(100 << 10, '7') + "\n";
    std::thread sender([&line] {
        const int fd = open(kPipe.c_str(), O_WRONLY | O_NONBLOCK);
        for (size_t sent = 0; fd >= 0 && sent < line.size();) {
            pollfd room{fd, POLLOUT, 0};
            if (poll(&room, 1, 10000) != 1) break;  // the session stopped reading
            const ssize_t n = write(fd, line.data() + sent, line.size() - sent);
            if (n > 0) sent += static_cast<size_t>(n);
        }
        close(fd);
    });
    const bool shown = session->wait_for_output("get command " + line.substr(0, 128) + "\n" + frame(kMainLabels));
    sender.join();
    ASSERT_TRUE(shown) << session->out();
    expect_idle(*session);
    send({"99"});
    const Outcome run = session->finish(10);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(occurrences(run.out, "get command"), 2u);
    // The number saturates and names no item: the main menu is shown again.
    EXPECT_EQ(occurrences(run.out, frame(kMainLabels)), 2u);
}

}  // namespace
}  // namespace tulvak_test
