// Selection text to number, from the console and from the command pipe,
// with the same 32-bit results on every machine whatever the width of its long.
#include <gtest/gtest.h>

#include <climits>

#include "session/decimal.h"

namespace {

struct Case {
    const char *text;
    int32_t expected;
};

class ConsoleSelectionText : public testing::TestWithParam<Case> {};

TEST_P(ConsoleSelectionText, ParsesToItsNumber) {
    EXPECT_EQ(tulvak::parse_console_selection(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Digits, ConsoleSelectionText,
                         testing::Values(Case{"7", 7}, Case{"  7", 7}, Case{"\t\v\f\r 7\n", 7}, Case{"7abc", 7},
                                         Case{"7 8", 7}, Case{"010", 10}, Case{"+5", 5}, Case{"0x1F", 0},
                                         Case{"abc", 0}, Case{"", 0}, Case{"\n", 0}, Case{"+", 0}, Case{"-", 0},
                                         Case{"+-5", 0}, Case{"- 5", 0},
                                         Case{"\xa0"
                                              "5",
                                              0},
                                         Case{"0000000000000000000000000000099", 99}));

INSTANTIATE_TEST_SUITE_P(Negative, ConsoleSelectionText,
                         testing::Values(Case{"-5", -5}, Case{"-0", 0}, Case{"-99", -99},
                                         Case{"-2147483647", -2147483647}, Case{"-2147483648", INT32_MIN},
                                         Case{"-2147483649", INT32_MIN},
                                         Case{"-4294967197", INT32_MIN},  // would wrap to 99
                                         Case{"-4294967295", INT32_MIN}, Case{"-99999999999999999999", INT32_MIN}));

INSTANTIATE_TEST_SUITE_P(Overflow, ConsoleSelectionText,
                         testing::Values(Case{"2147483647", INT32_MAX}, Case{"2147483648", INT32_MIN},
                                         Case{"4294967295", -1}, Case{"4294967296", -1},
                                         Case{"4294967395", -1},            // 2^32 + 99
                                         Case{"18446744073709551715", -1},  // 2^64 + 99
                                         Case{"9999999999999999999999999999999", -1}));

class PipeSelectionText : public testing::TestWithParam<Case> {};

TEST_P(PipeSelectionText, ParsesToItsNumber) {
    EXPECT_EQ(tulvak::parse_pipe_selection(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

// Same digits, sign and blanks as the console; only overflow differs.
INSTANTIATE_TEST_SUITE_P(Digits, PipeSelectionText,
                         testing::Values(Case{"3\n", 3}, Case{" \t32\n", 32}, Case{"+5", 5}, Case{"-5", -5},
                                         Case{"010", 10}, Case{"0x1F", 0}, Case{"\n", 0}, Case{"", 0},
                                         Case{"12 34", 12}, Case{"-", 0}));

INSTANTIATE_TEST_SUITE_P(Saturation, PipeSelectionText,
                         testing::Values(Case{"2147483647", INT32_MAX}, Case{"2147483648", INT32_MAX},
                                         Case{"4294967295", INT32_MAX},
                                         Case{"4294967395", INT32_MAX},  // 2^32 + 99 must not become 99
                                         Case{"99999999999999999999999", INT32_MAX}, Case{"-2147483648", INT32_MIN},
                                         Case{"-2147483649", INT32_MIN}, Case{"-4294967197", INT32_MIN},
                                         Case{"-99999999999999999999", INT32_MIN}));

}  // namespace
