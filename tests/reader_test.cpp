// The selection reader called directly, as a host may: what it writes, what
// it consumes from standard input, and what it returns.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "support/process.h"
#include "tulvak.h"

namespace tulvak_test {
namespace {

// Reads `reads` selections on the console and reports the results on stderr.
Outcome console_reads(const std::string &input, int reads, const char *prompt = "Select :") {
    return run_in_child(input, [reads, prompt] {
        Set_System_type(TULVAK_SYSTEM_TYPE_BRAMBLEON);
        std::string results;
        for (int i = 0; i < reads; ++i) results += std::to_string(ReadDecimalKeyInput(prompt)) + " ";
        std::fputs(results.c_str(), stderr);
        return 0;
    });
}

TEST(ConsoleReader, WritesKindLineAndPromptThenReadsOneLine) {
    const Outcome run = console_reads("7\n", 1);
    EXPECT_EQ(run.out, "\nTULVAK_SYSTEM_TYPE_BRAMBLEON\nSelect :");
    EXPECT_EQ(run.err, "7 ");
}

TEST(ConsoleReader, NullPromptStillReads) {
    const Outcome run = console_reads("12\n", 1, nullptr);
    EXPECT_EQ(run.out, "\nTULVAK_SYSTEM_TYPE_BRAMBLEON\n");
    EXPECT_EQ(run.err, "12 ");
}

TEST(ConsoleReader, OverlongPromptReturnsZeroWithoutReading) {
    static const std::string longest(1024, 'p');
    static const std::string too_long(1025, 'p');
    const Outcome fits = console_reads("5\n", 1, longest.c_str());
    EXPECT_EQ(fits.out, "\nTULVAK_SYSTEM_TYPE_BRAMBLEON\n" + longest);
    EXPECT_EQ(fits.err, "5 ");

    const Outcome refused = run_in_child("5\n", [] {
        Set_System_type(TULVAK_SYSTEM_TYPE_BRAMBLEON);
        const int first = ReadDecimalKeyInput(too_long.c_str());
        const int second = ReadDecimalKeyInput(nullptr);
        std::fprintf(stderr, "%d %d", first, second);
        return 0;
    });
    EXPECT_EQ(refused.out, "\nTULVAK_SYSTEM_TYPE_BRAMBLEON\n\nTULVAK_SYSTEM_TYPE_BRAMBLEON\n");
    EXPECT_EQ(refused.err, "0 5");
}

TEST(ConsoleReader, LongLineGivesOneSelectionAndItsTailIsDropped) {
    const Outcome run = console_reads(std::string(40, '9') + "\n7\n", 2);
    EXPECT_EQ(run.err, "-1 7 ");
}

TEST(ConsoleReader, LineOfExactlyThirtyOneCharactersKeepsTheNextLine) {
    const Outcome run = console_reads(std::string(29, ' ') + "42\n7\n", 2);
    EXPECT_EQ(run.err, "42 7 ");
}

TEST(ConsoleReader, EndOfInputReturnsZero) {
    const Outcome run = console_reads("3\n", 3);
    EXPECT_EQ(run.err, "3 0 0 ");
}

TEST(ConsoleReader, SignalCaughtWhileWaitingDoesNotEndTheRead) {
    const Outcome run = run_in_child("", [] {
        int line[2];
        if (pipe(line) != 0) return 1;
        if (fork() == 0) {
            usleep(300000);  // long after the first signal
            (void)!write(line[1], "7\n", 2);
            _exit(0);
        }
        dup2(line[0], 0);
        close(line[1]);
        struct sigaction on_alarm {};
        on_alarm.sa_handler = [](int) {};  // no SA_RESTART: the wait is interrupted
        sigaction(SIGALRM, &on_alarm, nullptr);
        const itimerval every_50ms{{0, 50000}, {0, 50000}};
        setitimer(ITIMER_REAL, &every_50ms, nullptr);
        Set_System_type(TULVAK_SYSTEM_TYPE_BRAMBLEON);
        return ReadDecimalKeyInput(nullptr);
    });
    EXPECT_EQ(run.exit_code, 7);
}

TEST(ConsoleReader, WithoutAKindReturnsZeroAndSaysSo) {
    const Outcome run = run_in_child("7\n", [] {
        std::fprintf(stderr, "%d", ReadDecimalKeyInput("Select :"));
        return 0;
    });
    EXPECT_EQ(run.out, "\nTULVAK_SYSTEM_TYPE_NULL\n");
    EXPECT_EQ(run.err, "0");
}

TEST(ConsoleReader, MissingStandardOutputIsReportedOnStandardError) {
    const Outcome run = run_in_child("7\n", [] {
        Set_System_type(TULVAK_SYSTEM_TYPE_BRAMBLEON);
        stdout = nullptr;
        return ReadDecimalKeyInput("Select :");
    });
    EXPECT_EQ(run.err, "ReadDecimalKeyInput: stdConsole is null\n");
    EXPECT_EQ(run.exit_code, 0);
}

}  // namespace
}  // namespace tulvak_test
