// posix_spawn takes its arguments and environment as null-terminated arrays
// of char pointers; the bench programs keep theirs as strings.
#ifndef TULVAK_BENCH_SPAWN_ARGUMENTS_H
#define TULVAK_BENCH_SPAWN_ARGUMENTS_H

#include <unistd.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace bench {

// Points into the strings, which must outlive the result.
inline std::vector<char *> pointers_to(const std::vector<std::string> &strings) {
    std::vector<char *> pointers;
    std::transform(strings.begin(), strings.end(), std::back_inserter(pointers),
                   [](const std::string &s) { return const_cast<char *>(s.c_str()); });
    pointers.push_back(nullptr);
    return pointers;
}

// This process's environment with `extra` settings added.
inline std::vector<char *> environment_with(const std::vector<std::string> &extra) {
    std::vector<char *> environment;
    for (char **setting = environ; *setting != nullptr; ++setting) environment.push_back(*setting);
    const std::vector<char *> added = pointers_to(extra);
    environment.insert(environment.end(), added.begin(), added.end());
    return environment;
}

}  // namespace bench

#endif
