// send [--timeout SECONDS] SELECTION... | - and send [--timeout SECONDS] --set NAME...: every name
// is resolved before anything is sent, into the group of lines that chooses its item from any menu.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "session/session.h"

namespace {

constexpr std::size_t kCandidatesShown = 10;
// Digits with an optional sign, short enough for one line of the session's.
constexpr std::size_t kLongestSelection = 32;
// The most a group of lines may hold: with the line before and the mark
// after, one write, which no other sender's bytes can land inside.
constexpr std::size_t kGroupLimit = PIPE_BUF - 64;

bool is_selection(const std::string &text) {
    const std::size_t sign = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    return text.size() > sign && text.size() <= kLongestSelection &&
           text.find_first_not_of("0123456789", sign) == std::string::npos;
}

// What a user most likely meant: the items of the menu named, else every
// item whose line holds the word.
std::vector<const ListedItem *> near_misses(const std::string &name) {
    const std::size_t slash = name.find('/');
    std::vector<const ListedItem *> near;
    for (const ListedItem &entry : catalogue()) {
        if (slash != std::string::npos && menu_is_named(entry, name.substr(0, slash))) near.push_back(&entry);
    }
    if (!near.empty()) return near;
    const std::string word = slash == std::string::npos ? name : name.substr(slash + 1);
    for (const ListedItem &entry : catalogue()) {
        if (lower_case(listing_line(entry)).find(word) != std::string::npos) near.push_back(&entry);
    }
    return near;
}

int refuse_name(const Invocation &invocation, const char *name, const std::vector<const ListedItem *> &matches) {
    const std::vector<const ListedItem *> candidates = matches.empty() ? near_misses(lower_case(name)) : matches;
    // Bad usage, but the candidates help more than the usage would.
    if (!matches.empty()) {
        complain(invocation, kFailed, "'%s' names %zu items; nothing sent. Name one of:", name, matches.size());
    } else {
        complain(invocation, kFailed, "'%s' names no item; nothing sent.%s", name,
                 candidates.empty() ? " 'list' shows every item." : " Items like it:");
    }
    for (std::size_t i = 0; i < candidates.size() && i < kCandidatesShown; ++i) {
        std::fprintf(stderr, "  %s\n", listing_line(*candidates[i]).c_str());
    }
    if (candidates.size() > kCandidatesShown) {
        std::fprintf(stderr, "  ... and %zu more\n", candidates.size() - kCandidatesShown);
    }
    return kBadUsage;
}

// The group that chooses the item `name` names from whatever menu the
// session shows: back to the main menu, the item's path, and the 99s that
// return there.
int add_group_naming(const Invocation &invocation, const char *name, std::vector<std::string> &groups) {
    const std::vector<const ListedItem *> matches = items_named(name);
    if (matches.size() != 1) return refuse_name(invocation, name, matches);
    const ListedItem &item = *matches[0];
    std::string group = tulvak::kToMainLine;
    for (const int32_t number : item.path) group += std::to_string(number) + "\n";
    // One EXIT for each menu between the main menu and the one the item leaves the session in.
    const bool opens_menu = item.item->action == tulvak::Item::Action::open_menu;
    for (std::size_t i = 1; i < item.path.size() + (opens_menu ? 1 : 0); ++i)
        group += std::to_string(tulvak::kExitItem) + "\n";
    groups.push_back(group);
    return kDone;
}

// Selections given together go in as few writes as hold them.
void add_selection(const std::string &selection, std::vector<std::string> &groups) {
    if (groups.empty() || groups.back() == "-" || groups.back().size() + selection.size() + 1 > kGroupLimit) {
        groups.emplace_back();
    }
    groups.back() += selection + "\n";
}

// Whitespace-separated selections, each sent and confirmed as it is read,
// so a farm can stream them through one sender. Each gets the whole timeout
// from when it was read: time spent waiting for the farm is not the session's.
int send_standard_input(Sender &sender) {
    std::string word;
    int sent = 0;
    for (int c = std::getchar();; c = std::getchar()) {
        if (c != EOF && std::isspace(c) == 0) {
            if (word.size() <= kLongestSelection) word += static_cast<char>(c);
            continue;
        }
        if (!word.empty() && !is_selection(word)) {
            // Bad usage, though what was sent before it is gone: the usage would not help.
            complain(sender.invocation, kFailed, "'%s' is not a selection number; %d sent before it", word.c_str(),
                     sent);
            return kBadUsage;
        }
        const int status =
            word.empty() ? kDone
                         : send_confirmed(sender, {word + "\n"}, seconds_now() + sender.timeout.value_or(INFINITY));
        if (status != kDone || c == EOF) return status;
        ++sent;
        word.clear();
    }
}

// Groups given together are sent together and confirmed together; each "-"
// streams standard input, confirming selection by selection.
int deliver(const Invocation &invocation, const std::vector<std::string> &groups, std::optional<double> timeout,
            bool by_name) {
    // A session that ends while we write must give an error, not kill us.
    signal(SIGPIPE, SIG_IGN);
    Sender sender{invocation, timeout, -1, "", 0, by_name, 0};
    // The timeout bounds the whole wait, for a session and for its reading.
    const double deadline = seconds_now() + timeout.value_or(0);
    int status = open_session_pipe(sender, deadline);
    for (auto group = groups.begin(); status == kDone && group != groups.end();) {
        const auto together = std::find(group, groups.end(), "-");
        if (together != group) status = send_confirmed(sender, {group, together}, timeout ? deadline : INFINITY);
        if (status == kDone && together != groups.end()) status = send_standard_input(sender);
        group = together == groups.end() ? together : together + 1;
    }
    if (sender.fd >= 0) close(sender.fd);
    return status;
}

bool parse_timeout(const char *text, double &seconds) {
    char *end = nullptr;
    seconds = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(seconds) && seconds >= 0;
}

}  // namespace

int send_command(const Invocation &invocation, int argc, char **argv) {
    std::optional<double> timeout;
    int i = 0;
    for (; i < argc && std::strcmp(argv[i], "--timeout") == 0; i += 2) {
        double seconds = 0;
        if (i + 1 == argc) return complain(invocation, kBadUsage, "missing seconds after '--timeout'");
        if (!parse_timeout(argv[i + 1], seconds))
            return complain(invocation, kBadUsage, "bad timeout '%s'", argv[i + 1]);
        timeout = seconds;
    }
    const bool by_name = i < argc && std::strcmp(argv[i], "--set") == 0;
    i += by_name ? 1 : 0;
    if (i == argc)
        return complain(invocation, kBadUsage, "%s", by_name ? "--set needs at least one NAME" : "nothing to send");
    std::vector<std::string> groups;
    for (; i < argc; ++i) {
        if (by_name && argv[i][0] == '-') {
            return complain(invocation, kBadUsage, "'%s' after --set: options go before it, names after it", argv[i]);
        }
        if (by_name) {
            const int status = add_group_naming(invocation, argv[i], groups);
            if (status != kDone) return status;
        } else if (std::strcmp(argv[i], "-") == 0) {
            groups.emplace_back("-");
        } else if (!is_selection(argv[i])) {
            return complain(invocation, kBadUsage, "not a selection number: '%s'", argv[i]);
        } else {
            add_selection(argv[i], groups);
        }
    }
    return deliver(invocation, groups, timeout, by_name);
}
