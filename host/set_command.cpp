// send [OPTION...] --set NAME...: items chosen by name. Every name is resolved
// before anything is sent, into the selections that reach the item from the
// main menu and the 99s that return there, and all of them go out through
// the one sender that numbers use.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "catalogue.h"
#include "farm.h"
#include "send.h"

namespace {

constexpr const char kExit[] = "99";
constexpr std::size_t kCandidatesShown = 10;

bool ends_with_part(const std::string &text, const std::string &part) {
    return text.size() > part.size() && text.compare(text.size() - part.size(), part.size(), part) == 0 &&
           text[text.size() - part.size() - 1] == '_';
}

bool has_word(const std::string &label, const std::string &word) {
    return (" " + label + " ").find(" " + word + " ") != std::string::npos;
}

bool menu_is_named(const CatalogueEntry &entry, const std::string &menu) {
    static const std::string suffix = " menu";
    std::string title = lower_case(entry.menu);
    if (title.size() > suffix.size() && title.compare(title.size() - suffix.size(), suffix.size(), suffix) == 0) {
        title.resize(title.size() - suffix.size());
    }
    return menu == title || menu == lower_case(entry.module);
}

// A name is an item's level name, or MENU/WORD with WORD the level name, its
// last '_'-separated parts, or (for a label with no level name) a word of the label.
bool names(const std::string &name, const CatalogueEntry &entry) {
    const std::string level = lower_case(entry.level);
    const std::size_t slash = name.find('/');
    if (slash == std::string::npos) return !level.empty() && level == name;
    const std::string word = name.substr(slash + 1);
    if (word.empty() || !menu_is_named(entry, name.substr(0, slash))) return false;
    if (level.empty()) return has_word(lower_case(entry.label), word);
    return level == word || ends_with_part(level, word);
}

// What a user most likely meant: the items of the menu named, else every
// item whose line holds the word.
std::vector<const CatalogueEntry *> near_misses(const std::string &name) {
    const std::size_t slash = name.find('/');
    const std::string word = slash == std::string::npos ? name : name.substr(slash + 1);
    std::vector<const CatalogueEntry *> near;
    for (const CatalogueEntry &entry : catalogue()) {
        if (slash != std::string::npos && menu_is_named(entry, name.substr(0, slash))) near.push_back(&entry);
    }
    if (!near.empty()) return near;
    for (const CatalogueEntry &entry : catalogue()) {
        if (lower_case(listing_line(entry)).find(word) != std::string::npos) near.push_back(&entry);
    }
    return near;
}

int refuse_name(const char *name, const std::vector<const CatalogueEntry *> &matches) {
    const std::vector<const CatalogueEntry *> candidates = matches.empty() ? near_misses(lower_case(name)) : matches;
    if (matches.empty()) {
        std::fprintf(stderr, "send: '%s' names no item; nothing sent.%s\n", name,
                     candidates.empty() ? " 'list' shows every item." : " Items like it:");
    } else {
        std::fprintf(stderr, "send: '%s' names %zu items; nothing sent. Name one of:\n", name, matches.size());
    }
    for (std::size_t i = 0; i < candidates.size() && i < kCandidatesShown; ++i) {
        std::fprintf(stderr, "  %s\n", listing_line(*candidates[i]).c_str());
    }
    if (candidates.size() > kCandidatesShown) {
        std::fprintf(stderr, "  ... and %zu more\n", candidates.size() - kCandidatesShown);
    }
    return 2;
}

}  // namespace

int send_to_session(int argc, char **argv) {
    int set = 0;
    while (set < argc && std::strcmp(argv[set], "--set") != 0) ++set;
    if (set == argc) return send_selections(argc, argv);
    if (set + 1 == argc) {
        std::fputs("send: --set needs at least one NAME\nusage: send [--timeout SECONDS] --set NAME...\n", stderr);
        return 2;
    }
    // The options before --set go to the sender as they were given.
    std::vector<std::string> words(argv, argv + set);
    for (int i = set + 1; i < argc; ++i) {
        if (argv[i][0] == '-') {
            std::fprintf(stderr, "send: '%s' after --set: options go before it, names after it\n", argv[i]);
            return 2;
        }
        std::vector<const CatalogueEntry *> matches;
        for (const CatalogueEntry &entry : catalogue()) {
            if (names(lower_case(argv[i]), entry)) matches.push_back(&entry);
        }
        if (matches.size() != 1) return refuse_name(argv[i], matches);
        const CatalogueEntry &item = *matches[0];
        std::transform(item.path.begin(), item.path.end(), std::back_inserter(words),
                       [](int32_t number) { return std::to_string(number); });
        // One 99 for each menu between the main menu and the one the item leaves the session in.
        const std::size_t depth = item.path.size() - 1 + (item.opens_menu ? 1 : 0);
        words.insert(words.end(), depth, kExit);
    }
    std::vector<char *> sender_argv(words.size() + 1, nullptr);
    std::transform(words.begin(), words.end(), sender_argv.begin(), [](std::string &word) { return word.data(); });
    return send_selections(static_cast<int>(words.size()), sender_argv.data());
}
