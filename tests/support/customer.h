// The pipe-driven platform's files live in the fixed directory /Customer.
// Tests that make them get a mount namespace of their own with an empty
// /Customer, so the machine's / is never touched and tests run side by side.
#ifndef TULVAK_TESTS_CUSTOMER_H
#define TULVAK_TESTS_CUSTOMER_H

#include <string>
#include <vector>

namespace tulvak_test {

inline const std::string kCustomer = "/Customer";
inline const std::string kScript = "/Customer/tulvak.sh";
inline const std::string kPipe = "/Customer/tulvakpipe";

// Moves the calling process (and every child it starts later) into a new
// mount namespace and mounts a fresh file system on /Customer, read-only if
// asked. Returns why that could not be done, or an empty string.
std::string enter_private_customer(bool read_only = false);

// Fixture for tests that need their own /Customer; skips, saying why, only
// where mount namespaces are not available.
#define TULVAK_NEED_PRIVATE_CUSTOMER(...)                                               \
    do {                                                                                \
        const std::string why_not = ::tulvak_test::enter_private_customer(__VA_ARGS__); \
        if (!why_not.empty()) GTEST_SKIP() << "no private /Customer: " << why_not;      \
    } while (false)

// Inside a private /Customer: changes the process's root to one that holds
// the machine's top-level directories but no /Customer at all. Returns why
// that could not be done, or an empty string.
std::string hide_customer();

std::string read_file(const std::string &path);
// The file's permission bits, never following a link; 0 when nothing is there.
unsigned permissions_of(const std::string &path);
bool is_regular_file(const std::string &path);
bool is_named_pipe(const std::string &path);
void write_file(const std::string &path, const std::string &content, unsigned mode = 0644);

// The relay script run as a test farm runs it: sh, in /Customer, with N.
std::vector<std::string> relay_command(const std::string &selection);

}  // namespace tulvak_test

#endif
