// Base-10 only: a leading zero is a digit, never an octal or hex prefix.
#include "session/session.h"

namespace tulvak {
namespace {

constexpr uint64_t kUnsigned32Max = 0xFFFFFFFFU;
constexpr uint64_t kSigned32Magnitude = 0x80000000U;

struct Decimal {
    bool negative;
    uint64_t magnitude;  // stops growing once past kUnsigned32Max
};

// The white space strtoul skips in the C locale, whatever locale the host set.
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

Decimal scan(const char *text) {
    while (is_blank(*text)) ++text;
    Decimal result{*text == '-', 0};
    if (*text == '-' || *text == '+') ++text;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (result.magnitude <= kUnsigned32Max) {
            result.magnitude = result.magnitude * 10 + static_cast<uint64_t>(*text - '0');
        }
    }
    return result;
}

// Both channels: a minus sign never wraps round, whatever the magnitude.
int32_t negative_value(uint64_t magnitude) {
    return magnitude >= kSigned32Magnitude ? INT32_MIN : -static_cast<int32_t>(magnitude);
}

}  // namespace

int32_t parse_console_selection(const char *text) {
    const Decimal d = scan(text);
    if (d.negative) return negative_value(d.magnitude);
    if (d.magnitude > kUnsigned32Max) return -1;
    // The unsigned 32-bit value taken as signed, as the console always has.
    return static_cast<int32_t>(static_cast<uint32_t>(d.magnitude));
}

int32_t parse_pipe_selection(const char *text) {
    const Decimal d = scan(text);
    if (d.negative) return negative_value(d.magnitude);
    if (d.magnitude >= kSigned32Magnitude) return INT32_MAX;
    return static_cast<int32_t>(d.magnitude);
}

}  // namespace tulvak
