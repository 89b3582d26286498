// Pipe-driven sessions of the real host, fed the way test farms feed them:
// by the relay script run in /Customer, or by raw writes into the pipe.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/customer.h"
#include "support/process.h"
#include "support/screens.h"

namespace tulvak_test {
namespace {

class PipeSession : public testing::Test {
protected:
    void SetUp() override {
        TULVAK_NEED_PRIVATE_CUSTOMER();
        host_ = std::make_unique<Running>(std::vector<std::string>{host_path(), "--pipe"}, "");
        ASSERT_TRUE(host_->wait_for_output(kPipeAsk)) << host_->out();
    }

    // One write, as a sender that is not the relay script might do it.
    static void write_pipe(const std::string &bytes) {
        const int fd = open(kPipe.c_str(), O_WRONLY | O_NONBLOCK);
        ASSERT_GE(fd, 0) << "no session holds the pipe";
        ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        close(fd);
    }

    static void relay(const std::string &selection) {
        const Outcome sent = run_program(relay_command(selection), "", 10);
        ASSERT_EQ(sent.exit_code, 0) << selection << ": " << sent.err;
    }

    Outcome end_session() { return host_->finish(10); }

    std::unique_ptr<Running> host_;
};

const std::vector<std::string> &xc_labels() {
    static const std::vector<std::string> labels = module_labels("XC");
    return labels;
}

TEST_F(PipeSession, RelayScriptDrivesAWholeSession) {
    EXPECT_EQ(permissions_of(kPipe), 0777u);
    for (const char *selection : {"3", "32", "2", "99", "99", "99"}) relay(selection);
    const Outcome run = end_session();
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.err, "QxApi_XC_SetDbgLevel(1)\n");
    EXPECT_EQ(run.out, kPipeReady + pipe_screen(kMainLabels, "3\n") + pipe_screen(kUtilityLabels, "32\n") +
                           pipe_screen(xc_labels(), "2\n") + pipe_screen(xc_labels(), "99\n") +
                           pipe_screen(kUtilityLabels, "99\n") + pipe_screen(kMainLabels, "99\n"));

    // Nothing reads the pipe once the session is over: a relay script waits
    // for the next session, and the sender tool says nobody is listening.
    EXPECT_TRUE(run_program(relay_command("3"), "", 1).timed_out);
    const Outcome late = run_program({host_path(), "send", "3"}, "", 10);
    EXPECT_EQ(late.exit_code, 1);
    EXPECT_EQ(late.err, "tulvak: no pipe-driven session is reading /Customer/tulvakpipe\n");
}

TEST_F(PipeSession, TwoLinesInOneWriteAreTwoSelectionsInOrder) {
    write_pipe("3\n32\n");
    write_pipe("99\n99\n99\n");
    const Outcome run = end_session();
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.out, kPipeReady + pipe_screen(kMainLabels, "3\n") + pipe_screen(kUtilityLabels, "32\n") +
                           pipe_screen(xc_labels(), "99\n") + pipe_screen(kUtilityLabels, "99\n") +
                           pipe_screen(kMainLabels, "99\n"));
}

TEST_F(PipeSession, EmptyLineFromARelayWithoutArgumentChoosesNothing) {
    relay("");
    relay("99");
    const Outcome run = end_session();
    EXPECT_EQ(run.out, kPipeReady + pipe_screen(kMainLabels, "\n") + pipe_screen(kMainLabels, "99\n"));
}

// Every remaining case leaves the main menu for the utility menu with its
// first selection and comes back with 99, 99.
class PipeDelivery : public PipeSession {
protected:
    void expect_utility_and_back(const std::string &first_received) {
        write_pipe("99\n99\n");
        const Outcome run = end_session();
        EXPECT_EQ(run.exit_code, 0);
        EXPECT_EQ(run.out, kPipeReady + pipe_screen(kMainLabels, first_received) + pipe_screen(kUtilityLabels, "99\n") +
                               pipe_screen(kMainLabels, "99\n"));
    }
};

TEST_F(PipeDelivery, TextWithoutLineFeedIsDeliveredOnceTheSenderPauses) {
    write_pipe("3");
    ASSERT_TRUE(host_->wait_for_output("get command 3\n"));
    expect_utility_and_back("3");
}

TEST_F(PipeDelivery, OverlongLineIsConsumedWholeAndOnlyItsStartParsed) {
    // 128 bytes are kept and shown; the rest, with its line feed, is dropped
    // rather than read as further selections.
    write_pipe("3" + std::string(4000, ' ') + "32\n");
    ASSERT_TRUE(host_->wait_for_output(frame(kUtilityLabels)));
    expect_utility_and_back("3" + std::string(127, ' '));
}

TEST_F(PipeDelivery, NulByteEndsTheTextAndTheNumberButNotTheLine) {
    write_pipe(
        std::string("3\0"
                    "2\n",
                    4));
    expect_utility_and_back("3");
}

TEST_F(PipeDelivery, SendersThatOpenWithoutWritingChangeNothing) {
    close(open(kPipe.c_str(), O_WRONLY | O_NONBLOCK));
    const int holder = open(kPipe.c_str(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(holder, 0);
    relay("3");
    ASSERT_TRUE(host_->wait_for_output("get command 3\n"));
    expect_utility_and_back("3\n");
    close(holder);
}

TEST_F(PipeSession, NoSelectionIsLostAmongConcurrentRelayScripts) {
    relay("3");
    relay("32");
    // Each sender has two scaler items of its own, so its calls can be told
    // apart from the others' and checked in order.
    constexpr int kSenders = 4;
    constexpr int kPerSender = 500;
    std::map<std::string, int> sender_of_call;
    std::vector<std::string> expected[kSenders];
    std::vector<std::unique_ptr<Running>> senders;
    std::mt19937 random(12345);
    for (int sender = 0; sender < kSenders; ++sender) {
        std::string items;
        for (int i = 0; i < kPerSender; ++i) {
            const int item = 2 + 2 * sender + static_cast<int>(random() % 2);
            items += std::to_string(item) + " ";
            expected[sender].push_back("QxApi_XC_SetDbgLevel(" + std::to_string(1 << (item - 2)) + ")");
        }
        for (const int item : {2 + 2 * sender, 3 + 2 * sender}) {
            sender_of_call["QxApi_XC_SetDbgLevel(" + std::to_string(1 << (item - 2)) + ")"] = sender;
        }
        senders.push_back(std::make_unique<Running>(
            std::vector<std::string>{"sh", "-c", "cd /Customer && for n in $1; do sh tulvak.sh $n || exit 1; done",
                                     "sender", items},
            ""));
    }
    for (auto &sender : senders) {
        const Outcome sent = sender->finish(120);
        EXPECT_EQ(sent.exit_code, 0) << sent.err;
        EXPECT_EQ(sent.signal, 0);
    }
    for (const char *selection : {"99", "99", "99"}) relay(selection);
    const Outcome run = end_session();
    ASSERT_EQ(run.exit_code, 0);

    std::vector<std::string> received[kSenders];
    std::istringstream calls(run.err);
    for (std::string call; std::getline(calls, call);) {
        ASSERT_EQ(sender_of_call.count(call), 1u) << "unexpected call " << call;
        received[sender_of_call[call]].push_back(call);
    }
    for (int sender = 0; sender < kSenders; ++sender) EXPECT_EQ(received[sender], expected[sender]) << sender;
}

}  // namespace
}  // namespace tulvak_test
