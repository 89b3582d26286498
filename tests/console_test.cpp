// A console session through the real host, as a person or a test farm feeding
// standard input sees it: screens byte for byte, driver calls on stderr.
#include <gtest/gtest.h>

#include "support/process.h"
#include "support/screens.h"
#include "tulvak.h"

namespace tulvak_test {
namespace {

Outcome session(const std::string &input) { return run_program({host_path()}, input); }

const std::vector<std::string> kXcLabels = module_labels("XC");

TEST(ConsoleScreens, MainMenuIsExactlyTheConsoleScreen) {
    const Outcome run = session("99\n");
    EXPECT_EQ(run.out,
              "\n"
              "====================================\n"
              "(1) Hardware Config\n"
              "(2) Software Config\n"
              "(3) Pelvar Utility\n"
              "(99) EXIT\n"
              "====================================\n"
              "Please input the item number:\n"
              "TULVAK_SYSTEM_TYPE_BRAMBLEON\n"
              "Select :");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exit_code, 0);
}

TEST(ConsoleScreens, UtilityMenuListsAllModulesWithUnpaddedNumbers) {
    const Outcome run = session("3\n99\n99\n");
    const std::string utility = run.out.substr(screen(kMainLabels).size());
    EXPECT_EQ(utility.rfind("\n====================================\n(1) ACE Menu\n(2) AESDMA Menu\n(3) AVD Menu\n", 0),
              0u);
    EXPECT_NE(utility.find("\n(9) DLC Menu\n(10) DMX Menu\n"), std::string::npos);
    EXPECT_NE(utility.find("\n(29) YS Menu\n"), std::string::npos);
    EXPECT_NE(utility.find("\n(32) XC Menu\n(99) EXIT\n====="), std::string::npos);
    EXPECT_EQ(run.out, screen(kMainLabels) + screen(kUtilityLabels) + screen(kMainLabels));
}

TEST(ConsoleScreens, ConfigRefusalEndsDirectlyAboveTheNextFrame) {
    const std::vector<std::string> hardware = {"Show hardware config"};
    const std::vector<std::string> software = {"Show Basic TV software config", "Show Advance TV software config",
                                               "Show Application config"};
    const Outcome run = session("1\n1\n2\n99\n2\n1\n2\n3\n4\n99\n99\n");
    EXPECT_EQ(run.out, screen(kMainLabels) + screen(hardware) + "not support..." + screens(hardware, 2) +
                           screen(kMainLabels) + screen(software) + "not support..." + screen(software) +
                           "not support..." + screen(software) + "not support..." + screens(software, 2) +
                           screen(kMainLabels));
    EXPECT_NE(run.out.find("Select :not support...\n=========="), std::string::npos);
    EXPECT_EQ(run.err, "");
}

TEST(ConsoleScreens, UnlistedNumbersRedrawSilently) {
    const Outcome main = session("0\n4\n98\n100\n-1\n\n99\n");
    EXPECT_EQ(main.out, screens(kMainLabels, 7));
    EXPECT_EQ(main.err, "");
    const Outcome utility = session("3\n0\n33\n98\n100\n-1\n99\n99\n");
    EXPECT_EQ(utility.out, screen(kMainLabels) + screens(kUtilityLabels, 6) + screen(kMainLabels));
    EXPECT_EQ(utility.err, "");
}

TEST(ConsoleSession, ScalerItemReachesTheDriverAndExitUnwindsToTheHost) {
    const Outcome run = session("3\n32\n2\n99\n99\n99\n");
    EXPECT_EQ(run.err, "QxApi_XC_SetDbgLevel(1)\n");
    EXPECT_EQ(run.out, screen(kMainLabels) + screen(kUtilityLabels) + screens(kXcLabels, 2) + screen(kUtilityLabels) +
                           screen(kMainLabels));
    EXPECT_EQ(run.exit_code, 0);
}

TEST(ConsoleSession, FlagsAreNeverCombinedAndRepeatsCallAgain) {
    const Outcome run = session("3\n32\n5\n6\n6\n13\n1\n99\n99\n99\n");
    EXPECT_EQ(run.err,
              "QxApi_XC_SetDbgLevel(8)\nQxApi_XC_SetDbgLevel(16)\nQxApi_XC_SetDbgLevel(16)\n"
              "QxApi_XC_SetDbgLevel(2048)\nQxApi_XC_SetDbgLevel(0)\n");
}

TEST(ConsoleSession, SecondSessionInOneProcessShowsTheSameMenu) {
    const Outcome run = run_in_child("99\n3\n99\n99\n", [] {
        Tulvak_Manager::Tulvak(TULVAK_SYSTEM_TYPE_BRAMBLEON);
        Tulvak_Manager::GetInstance()->Tulvak(TULVAK_SYSTEM_TYPE_BRAMBLEON);
        return 0;
    });
    EXPECT_EQ(run.out, screen(kMainLabels) + screen(kMainLabels) + screen(kUtilityLabels) + screen(kMainLabels));
}

// End of input ends the whole session: the menu that asked does not redraw,
// and every menu above it returns without asking again.
TEST(ConsoleEndOfInput, EndsTheSessionFromAnyDepth) {
    const Outcome run = session("3\n32\n2\n");
    EXPECT_EQ(run.out, screen(kMainLabels) + screen(kUtilityLabels) + screens(kXcLabels, 2));
    EXPECT_EQ(run.err, "QxApi_XC_SetDbgLevel(1)\n");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_FALSE(run.timed_out);
}

TEST(ConsoleEndOfInput, EmptyInputShowsOneScreenAndEnds) {
    const Outcome run = session("");
    EXPECT_EQ(run.out, screen(kMainLabels));
    EXPECT_EQ(run.exit_code, 0);
}

TEST(ConsoleEndOfInput, LastLineWithoutLineFeedIsStillASelection) {
    const Outcome run = session("3\n32\n13");
    EXPECT_EQ(run.err, "QxApi_XC_SetDbgLevel(2048)\n");
    EXPECT_EQ(run.out, screen(kMainLabels) + screen(kUtilityLabels) + screens(kXcLabels, 2));
}

TEST(ConsoleEndOfInput, EndAfterARefusalStopsWithoutAnotherRefusal) {
    const std::vector<std::string> hardware = {"Show hardware config"};
    const Outcome run = session("1\n1\n");
    EXPECT_EQ(run.out, screen(kMainLabels) + screen(hardware) + "not support..." + screen(hardware));
}

// One line is one selection, however long: the tail of a long line must never
// be taken for the next selection.
TEST(ConsoleLongLines, TailOfALongLineIsNotTheNextSelection) {
    const std::string blanks_then_item(31, ' ');
    const Outcome run = session("3\n32\n" + blanks_then_item + "2\n" + std::string(40, '7') + "3\n99\n99\n99\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, screen(kMainLabels) + screen(kUtilityLabels) + screens(kXcLabels, 3) + screen(kUtilityLabels) +
                           screen(kMainLabels));
}

// The selection text as a user or a script might send it; the effect is read
// off the scaler menu, whose items 1..13 pass distinct values.
struct Typed {
    const char *text;
    const char *calls;  // driver calls the line causes in the scaler menu
};

class ConsoleParsing : public testing::TestWithParam<Typed> {};

TEST_P(ConsoleParsing, SelectsTheItemItNames) {
    const Outcome run = session(std::string("3\n32\n") + GetParam().text + "\n99\n99\n99\n");
    EXPECT_EQ(run.err, GetParam().calls) << "line: " << GetParam().text;
    EXPECT_EQ(run.exit_code, 0);
    // Whatever the line, the scaler menu is still there to leave with 99.
    EXPECT_EQ(run.out.size(), (screen(kMainLabels) + screen(kUtilityLabels) + screens(kXcLabels, 2) +
                               screen(kUtilityLabels) + screen(kMainLabels))
                                  .size());
}

// The full set of parsing rules is tested on the parser itself; these are the
// ones a test farm would trip over first, and the numbers that land on 99 or
// an item when the arithmetic is 64-bit or unchecked.
INSTANTIATE_TEST_SUITE_P(Cases, ConsoleParsing,
                         testing::Values(Typed{"  2", "QxApi_XC_SetDbgLevel(1)\n"},
                                         Typed{"2abc", "QxApi_XC_SetDbgLevel(1)\n"},
                                         Typed{"010", "QxApi_XC_SetDbgLevel(256)\n"},
                                         Typed{"+5", "QxApi_XC_SetDbgLevel(8)\n"}, Typed{"0x5", ""}, Typed{"-5", ""},
                                         Typed{"14", ""}, Typed{"4294967395", ""}, Typed{"-4294967197", ""},
                                         Typed{"-4294967294", ""}, Typed{"18446744073709551715", ""}));

TEST(ConsoleParsing, NulByteEndsTheSelectionButNotTheLine) {
    const Outcome run =
        session(std::string("3\n32\n2\0"
                            "5\n13\n99\n99\n99\n",
                            21));
    EXPECT_EQ(run.err, "QxApi_XC_SetDbgLevel(1)\nQxApi_XC_SetDbgLevel(2048)\n");
}

}  // namespace
}  // namespace tulvak_test
