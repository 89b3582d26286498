// tulvak send: the farm's way to hand selections to a running session.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/customer.h"
#include "support/process.h"
#include "support/screens.h"

namespace tulvak_test {
namespace {

Outcome send(std::vector<std::string> words, const std::string &input = "") {
    words.insert(words.begin(), {host_path(), "send"});
    return run_program(words, input, 20);
}

const std::string kXcSession = "QxApi_XC_SetDbgLevel(1)\n";

class SendTool : public testing::Test {
protected:
    void SetUp() override { TULVAK_NEED_PRIVATE_CUSTOMER(); }
};

TEST_F(SendTool, DeliversEachSelectionToTheSession) {
    Running host({host_path(), "--pipe"}, "");
    ASSERT_TRUE(host.wait_for_output(kPipeAsk));
    // From any working directory: it names the pipe by its full path.
    const Outcome sent = send({"3", "32", "2", "99", "99", "99"});
    EXPECT_EQ(sent.exit_code, 0) << sent.err;
    EXPECT_EQ(sent.err, "");
    const Outcome run = host.finish(10);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.err, kXcSession);
    EXPECT_NE(run.out.find(pipe_screen(kUtilityLabels, "32\n")), std::string::npos);
}

TEST_F(SendTool, ReadsSelectionsFromStandardInput) {
    Running host({host_path(), "--pipe"}, "");
    ASSERT_TRUE(host.wait_for_output(kPipeAsk));
    const Outcome sent = send({"-"}, "3\n32  2\n\t99\n99 99");
    EXPECT_EQ(sent.exit_code, 0) << sent.err;
    const Outcome run = host.finish(10);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.err, kXcSession);
}

TEST_F(SendTool, WaitsForASessionWhenGivenATimeout) {
    Running early({host_path(), "send", "--timeout", "10", "3", "32", "2", "99", "99", "99"}, "");
    usleep(200 * 1000);
    EXPECT_FALSE(is_named_pipe(kPipe)) << "a sender must never make the pipe";
    Running host({host_path(), "--pipe"}, "");
    const Outcome sent = early.finish(15);
    EXPECT_EQ(sent.exit_code, 0) << sent.err;
    const Outcome run = host.finish(10);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.err, kXcSession);
}

TEST_F(SendTool, FailsWhenNoSessionIsReading) {
    const Outcome missing = send({"3"});
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_EQ(missing.err, "tulvak: no pipe-driven session is reading /Customer/tulvakpipe\n");
    EXPECT_EQ(permissions_of(kPipe), 0u) << "nothing may be created at the pipe's path";

    ASSERT_EQ(mkfifo(kPipe.c_str(), 0666), 0);
    const Outcome unread = send({"--timeout", "0.3", "3"});
    EXPECT_EQ(unread.exit_code, 1);
    EXPECT_EQ(unread.err, "tulvak: no pipe-driven session is reading /Customer/tulvakpipe (timed out)\n");
}

TEST_F(SendTool, RefusesAnythingButANamedPipe) {
    write_file(kPipe, "3\n", 0666);
    const Outcome regular = send({"32"});
    EXPECT_EQ(regular.exit_code, 1);
    EXPECT_EQ(regular.err, "tulvak: /Customer/tulvakpipe is not a named pipe; nothing sent\n");
    EXPECT_EQ(read_file(kPipe), "3\n");

    unlink(kPipe.c_str());
    write_file("/Customer/victim", "kept", 0600);
    ASSERT_EQ(symlink("/Customer/victim", kPipe.c_str()), 0);
    EXPECT_EQ(send({"32"}).exit_code, 1);
    EXPECT_EQ(read_file("/Customer/victim"), "kept");
}

TEST_F(SendTool, RefusesWhatIsNotASelectionBeforeSendingAnything) {
    Running host({host_path(), "--pipe"}, "");
    ASSERT_TRUE(host.wait_for_output(kPipeAsk));
    for (const std::vector<std::string> &words : std::vector<std::vector<std::string>>{{"3", "abc"},
                                                                                       {"3", ""},
                                                                                       {"3", "4\n5"},
                                                                                       {"3", "+"},
                                                                                       {"3", std::string(33, '1')},
                                                                                       {"--timeout"},
                                                                                       {"--timeout", "-1", "3"},
                                                                                       {"--timeout", "soon", "3"},
                                                                                       {}}) {
        const Outcome refused = send(words);
        EXPECT_EQ(refused.exit_code, 2) << refused.err;
        EXPECT_NE(refused.err.find("usage: tulvak send"), std::string::npos);
    }
    // From standard input the selections before a bad one have been sent.
    const Outcome partly = send({"-"}, "3 x 99");
    EXPECT_EQ(partly.exit_code, 2);
    EXPECT_EQ(partly.err, "tulvak: 'x' is not a selection number; 1 sent before it\n");
    ASSERT_TRUE(host.wait_for_output(pipe_screen(kMainLabels, "3\n")));
    usleep(200 * 1000);
    EXPECT_EQ(host.out(), kPipeReady + pipe_screen(kMainLabels, "3\n") + frame(kUtilityLabels) + kPipeAsk);
}

TEST_F(SendTool, SaysSoWhenTheSessionEndsBeforeItsTurn) {
    Running host({host_path(), "--pipe"}, "");
    ASSERT_TRUE(host.wait_for_output(kPipeAsk));
    // 99 ends the session; the selection sent a second later has no reader.
    std::vector<std::string> command = {"sh", "-c", "{ echo 99; sleep 1; echo 3; } | \"$@\" send -", "sh"};
    const std::vector<std::string> tulvak = runnable_command({host_path()});
    command.insert(command.end(), tulvak.begin(), tulvak.end());
    const Outcome sent = run_program(command, "", 20);
    EXPECT_EQ(sent.exit_code, 1);
    EXPECT_EQ(sent.err, "tulvak: the session stopped reading; 1 sent, '3' was not\n");
    EXPECT_EQ(host.finish(10).exit_code, 0);
}

}  // namespace
}  // namespace tulvak_test
