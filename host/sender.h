// The confirmed sender behind `send`: selections into a running pipe-driven
// session, one line each, and an exit status that says whether it read them.
#ifndef TULVAK_HOST_SENDER_H
#define TULVAK_HOST_SENDER_H

#include <optional>
#include <string>
#include <vector>

#include "commands.h"

// Digits with an optional sign, short enough for one line of the session's.
bool is_selection(const std::string &text);

// Sends each selection of `words`, where "-" stands for those read from
// standard input, and returns the exit status. Without a timeout it fails at
// once when no session reads the pipe, and waits as long as one holds it.
int send_selections(const Invocation &invocation, const std::vector<std::string> &words,
                    std::optional<double> timeout);

#endif
