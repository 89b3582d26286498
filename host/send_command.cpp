// send [--timeout SECONDS] SELECTION... | - and send [--timeout SECONDS] --set NAME...
// Every name is resolved before anything is sent, into the selections that
// reach its item from the main menu and the 99s that return there.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "commands.h"

namespace {

constexpr std::size_t kCandidatesShown = 10;

// "SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_SETTIMING)" names XC_DBGLEVEL_SETTIMING.
std::string level_of(const std::string &label) {
    const std::size_t open = label.rfind('(');
    if (open == std::string::npos || label.back() != ')' || open + 2 >= label.size()) return "";
    return label.substr(open + 1, label.size() - open - 2);
}

bool ends_with(const std::string &text, const std::string &end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A menu is named by its title with or without " Menu" (XC, YS, Main), or by its module (SYS).
bool menu_is_named(const ListedItem &entry, const std::string &menu) {
    const std::string title = lower_case(entry.menu);
    return title == menu || title == menu + " menu" || (entry.module != nullptr && menu == lower_case(entry.module));
}

// A name is an item's level name, or MENU/WORD with WORD the level name, its
// last '_'-separated parts, or (for a label with no level name) a word of the label.
bool names(const std::string &name, const ListedItem &entry) {
    const std::string label = lower_case(entry.item->label);
    const std::string level = level_of(label);
    const std::size_t slash = name.find('/');
    if (slash == std::string::npos) return !level.empty() && level == name;
    const std::string word = name.substr(slash + 1);
    if (word.empty() || !menu_is_named(entry, name.substr(0, slash))) return false;
    if (level.empty()) return (" " + label + " ").find(" " + word + " ") != std::string::npos;
    return ends_with("_" + level, "_" + word);
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

// Adds the selections that choose the item `name` names, then those that
// return to the main menu.
int add_selections_naming(const Invocation &invocation, const char *name, std::vector<std::string> &selections) {
    std::vector<const ListedItem *> matches;
    for (const ListedItem &entry : catalogue()) {
        if (names(lower_case(name), entry)) matches.push_back(&entry);
    }
    if (matches.size() != 1) return refuse_name(invocation, name, matches);
    const ListedItem &item = *matches[0];
    std::transform(item.path.begin(), item.path.end(), std::back_inserter(selections),
                   [](int32_t number) { return std::to_string(number); });
    // One 99 for each menu between the main menu and the one the item leaves the session in.
    const bool opens_menu = item.item->action == tulvak::Item::Action::open_menu;
    selections.insert(selections.end(), item.path.size() - 1 + (opens_menu ? 1 : 0), "99");
    return kDone;
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
    std::vector<std::string> words;
    for (; i < argc; ++i) {
        if (by_name && argv[i][0] == '-') {
            return complain(invocation, kBadUsage, "'%s' after --set: options go before it, names after it", argv[i]);
        }
        if (!by_name && std::strcmp(argv[i], "-") != 0 && !is_selection(argv[i])) {
            return complain(invocation, kBadUsage, "not a selection number: '%s'", argv[i]);
        }
        const int status = by_name ? add_selections_naming(invocation, argv[i], words) : kDone;
        if (status != kDone) return status;
        if (!by_name) words.emplace_back(argv[i]);
    }
    return send_selections(invocation, words, timeout);
}
