// A person at a terminal: the host runs on a pseudo-terminal, keys are typed
// into it, and what the terminal shows is read back.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "support/process.h"
#include "support/screens.h"

namespace tulvak_test {
namespace {

class Terminal {
public:
    Terminal() {
        pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
        if (pid_ == 0) {
            exec_program({host_path()});
            _exit(127);
        }
    }
    ~Terminal() {
        if (pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (master_ >= 0) close(master_);
    }

    bool started() const { return pid_ > 0; }

    // Reads what the terminal shows until `text` appears after what was
    // already seen (directly after it, when `next` is set); gives up after a
    // few seconds.
    bool shows(const std::string &text, bool next = false) {
        for (int waited = 0; waited < 100; ++waited) {
            const size_t at = screen_.find(text, consumed_);
            if (at != std::string::npos && next && at != consumed_) return false;
            if (at != std::string::npos) {
                consumed_ = at + text.size();
                return true;
            }
            pollfd ready{master_, POLLIN, 0};
            if (poll(&ready, 1, 50) <= 0) continue;
            char buffer[4096];
            const ssize_t n = read(master_, buffer, sizeof buffer);
            if (n <= 0) return false;
            screen_.append(buffer, static_cast<size_t>(n));
        }
        return false;
    }

    void type(const std::string &keys) { ASSERT_EQ(write(master_, keys.data(), keys.size()), ssize_t(keys.size())); }

    int exit_code() {
        int status = 0;
        for (int waited = 0; waited < 100; ++waited) {
            if (waitpid(pid_, &status, WNOHANG) == pid_) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            usleep(50000);
        }
        return -1;
    }

    const std::string &screen() const { return screen_; }

private:
    pid_t pid_ = -1;
    int master_ = -1;
    std::string screen_;
    size_t consumed_ = 0;
};

// The terminal turns each line feed into a carriage return and a line feed.
std::string as_shown(const std::string &text) {
    std::string shown;
    for (const char c : text) shown += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return shown;
}

TEST(Terminal, PromptIsVisibleBeforeTypingAndInputIsEchoed) {
    Terminal terminal;
    ASSERT_TRUE(terminal.started());
    ASSERT_TRUE(terminal.shows(as_shown(tulvak_test::screen(kMainLabels)))) << terminal.screen();

    terminal.type("3\n");
    EXPECT_TRUE(terminal.shows("3\r\n", true)) << terminal.screen();
    EXPECT_TRUE(terminal.shows(as_shown(tulvak_test::screen(kUtilityLabels)))) << terminal.screen();

    terminal.type("32\n");
    EXPECT_TRUE(terminal.shows("32\r\n", true)) << terminal.screen();
    terminal.type("2\n");
    EXPECT_TRUE(terminal.shows("QxApi_XC_SetDbgLevel(1)\r\n")) << terminal.screen();
    EXPECT_TRUE(terminal.shows("(13) SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_PARAMETER_TRACE)\r\n(99) EXIT\r\n"));

    terminal.type("99\n99\n99\n");
    EXPECT_EQ(terminal.exit_code(), 0);
}

TEST(Terminal, EndOfFileKeyEndsTheSession) {
    Terminal terminal;
    ASSERT_TRUE(terminal.started());
    ASSERT_TRUE(terminal.shows("Select :"));
    terminal.type("3\n");
    ASSERT_TRUE(terminal.shows("(32) XC Menu\r\n"));
    terminal.type("\x04");  // Ctrl-D at the start of a line
    EXPECT_EQ(terminal.exit_code(), 0);
}

}  // namespace
}  // namespace tulvak_test
