// Selection text of any kind, parsed by both channels' rules and checked
// against a reading of those rules that compares the digits as text, so an
// overflow in the parser's arithmetic cannot hide behind the same one here.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "session/session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    const std::string input(reinterpret_cast<const char *>(data), size);
    const char *text = input.c_str();  // the readers hand the parser a terminated string
    // Blanks as the C locale has them, one sign, then base-10 digits alone.
    std::size_t at = std::strspn(text, " \t\n\v\f\r");
    const bool negative = text[at] == '-';
    at += negative || text[at] == '+' ? 1 : 0;
    std::string digits(text + at, std::strspn(text + at, "0123456789"));
    digits.erase(0, digits.find_first_not_of('0'));
    // Both limits have ten digits: a longer number is larger, one as long compares as text.
    const auto at_least = [&digits](const char *limit) {
        return digits.size() > 10 || (digits.size() == 10 && digits >= limit);
    };
    const int64_t value = digits.empty() || digits.size() > 10 ? 0 : std::stoll(digits);
    // A minus sign never wraps round to a positive number, on either channel.
    const int32_t minus = at_least("2147483648") ? INT32_MIN : static_cast<int32_t>(-value);
    const int32_t console = at_least("4294967296") ? -1 : static_cast<int32_t>(static_cast<uint32_t>(value));
    const int32_t pipe = at_least("2147483648") ? INT32_MAX : static_cast<int32_t>(value);
    if (tulvak::parse_console_selection(text) != (negative ? minus : console)) std::abort();
    if (tulvak::parse_pipe_selection(text) != (negative ? minus : pipe)) std::abort();
    return 0;
}
