// The selection reader on the pipe-driven platform, called directly as a
// host may call it, and a session whose /Customer cannot be written.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>

#include "support/customer.h"
#include "support/process.h"
#include "support/screens.h"
#include "tulvak.h"

namespace tulvak_test {
namespace {

// Prepares the channel, sends `bytes` in one write, then reads `reads`
// selections and reports them on stderr.
Outcome pipe_reads(const std::string &bytes, int reads) {
    return run_in_child("", [&bytes, reads] {
        Set_System_type(TULVAK_SYSTEM_TYPE_VUNE);
        const int sender = open(kPipe.c_str(), O_WRONLY | O_NONBLOCK);
        if (sender < 0 || write(sender, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) return 1;
        close(sender);
        std::string results;
        for (int i = 0; i < reads; ++i) results += std::to_string(ReadDecimalKeyInput("Select :")) + " ";
        std::fputs(results.c_str(), stderr);
        return 0;
    });
}

TEST(PipeReader, ParsesSignedAndSaturatingOneLinePerCall) {
    TULVAK_NEED_PRIVATE_CUSTOMER();
    const Outcome run = pipe_reads("99999999999\n-99999999999\n  +5 \n7x\n-3\n010\n2147483647\n", 7);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.err, "2147483647 -2147483648 5 7 -3 10 2147483647 ");
    // The prompt is never written on this platform.
    EXPECT_EQ(run.out, kPipeReady + kPipeAsk + "get command 99999999999\n\n" + kPipeAsk +
                           "get command -99999999999\n\n" + kPipeAsk + "get command   +5 \n\n" + kPipeAsk +
                           "get command 7x\n\n" + kPipeAsk + "get command -3\n\n" + kPipeAsk + "get command 010\n\n" +
                           kPipeAsk + "get command 2147483647\n\n");
}

TEST(PipeReader, ExactlyOneReadsWorthIsParsedFromItsStart) {
    TULVAK_NEED_PRIVATE_CUSTOMER();
    const std::string text = "12 " + std::string(125, 'x');
    const Outcome run = pipe_reads(text + "\n5\n", 2);
    EXPECT_EQ(run.err, "12 5 ");
    EXPECT_EQ(run.out, kPipeReady + kPipeAsk + "get command " + text + "\n" + kPipeAsk + "get command 5\n\n");
}

TEST(PipeReader, UnwritableCustomerStartsTheSessionAndReportsOnceASecond) {
    TULVAK_NEED_PRIVATE_CUSTOMER(true);
    Running host({host_path(), "--pipe"}, "");
    const std::string opening = "\n CreateTulvakShell Fail!\nfailed to make tulvak fifo \n" + frame(kMainLabels) +
                                kPipeAsk + kPipeReport + frame(kMainLabels) + kPipeAsk;
    ASSERT_TRUE(host.wait_for_output(opening.substr(opening.size() - 40)));
    EXPECT_EQ(host.out().substr(0, opening.size()), opening);
    const double cpu_before = host.cpu_seconds();
    sleep(3);
    EXPECT_LT(host.cpu_seconds() - cpu_before, 0.3);
    const size_t reports = occurrences(host.out(), kPipeReport);
    EXPECT_GE(reports, 3u);
    EXPECT_LE(reports, 5u);
}

}  // namespace
}  // namespace tulvak_test
