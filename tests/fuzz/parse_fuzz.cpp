// Selection text of any kind, parsed by the rules of both channels and
// checked against a reading of those rules that compares digits as text, so
// an overflow in the parser's arithmetic cannot hide behind the same one here.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "session/decimal.h"

namespace {

struct Reading {
    bool negative = false;
    std::string digits;  // without leading zeros; empty for zero or no digits
};

// Blanks as the C locale has them, one sign, then base-10 digits only.
Reading read(const std::string &text) {
    std::size_t at = text.find_first_not_of(" \t\n\v\f\r");
    Reading reading;
    if (at == std::string::npos) return reading;
    if (text[at] == '-' || text[at] == '+') reading.negative = text[at++] == '-';
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        if (!reading.digits.empty() || text[at] != '0') reading.digits += text[at];
        ++at;
    }
    return reading;
}

bool at_least(const std::string &digits, const std::string &limit) {
    return digits.size() != limit.size() ? digits.size() > limit.size() : digits >= limit;
}

const std::string k2Pow31 = "2147483648";
const std::string k2Pow32 = "4294967296";

int64_t value_of(const std::string &digits) { return digits.empty() ? 0 : std::stoll(digits); }

// A minus sign never wraps round to a positive number on either channel.
int32_t negative_result(const Reading &r) {
    return at_least(r.digits, k2Pow31) ? INT32_MIN : static_cast<int32_t>(-value_of(r.digits));
}

// Console: 32-bit unsigned, saturating at 2^32 - 1, then read as signed.
int32_t expected_console(const Reading &r) {
    if (r.negative) return negative_result(r);
    if (at_least(r.digits, k2Pow32)) return -1;
    return static_cast<int32_t>(static_cast<uint32_t>(value_of(r.digits)));
}

// Pipe: signed, saturating at INT32_MAX.
int32_t expected_pipe(const Reading &r) {
    if (r.negative) return negative_result(r);
    return at_least(r.digits, k2Pow31) ? INT32_MAX : static_cast<int32_t>(value_of(r.digits));
}

void check(const char *channel, const std::string &text, int32_t got, int32_t expected) {
    if (got == expected) return;
    std::fprintf(stderr, "%s parse of \"%s\": %d, expected %d\n", channel, text.c_str(), got, expected);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    // The readers hand the parser a terminated string: a NUL ends the text.
    const std::string text(reinterpret_cast<const char *>(data), size);
    const char *terminated = text.c_str();
    const Reading reading = read(terminated);
    check("console", terminated, tulvak::parse_console_selection(terminated), expected_console(reading));
    check("pipe", terminated, tulvak::parse_pipe_selection(terminated), expected_pipe(reading));
    return 0;
}
