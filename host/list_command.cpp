// list [--json] [WORD]: every item of every menu, one line each, in the order of the tree.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"

namespace {

// Labels, titles and actions hold no quote, backslash or control character
// (the listing's test checks every one), so they need no escaping.
std::string json_string(const std::string &text) { return "\"" + text + "\""; }

std::string json_object(const ListedItem &entry) {
    std::string path;
    for (const int32_t number : entry.path) path += (path.empty() ? "" : ", ") + std::to_string(number);
    return "{\"path\": [" + path + "], \"menu\": " + json_string(entry.menu) +
           ", \"label\": " + json_string(entry.item->label) + ", \"action\": " + json_string(action_of(*entry.item)) +
           "}";
}

}  // namespace

int list_command(const Invocation &invocation, int argc, char **argv) {
    bool json = false;
    const char *word = nullptr;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0) {
            json = true;
        } else if (argv[i][0] != '-' && word == nullptr) {
            word = argv[i];
        } else {
            return complain(invocation, kBadUsage, "unexpected argument '%s'", argv[i]);
        }
    }
    const std::string wanted = lower_case(word != nullptr ? word : "");
    std::string text;
    for (const ListedItem &entry : catalogue()) {
        if (lower_case(listing_line(entry)).find(wanted) == std::string::npos) continue;
        text += json ? (text.empty() ? "[\n  " : ",\n  ") + json_object(entry) : listing_line(entry) + "\n";
    }
    if (json) text += text.empty() ? "[]\n" : "\n]\n";
    std::fputs(text.c_str(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        return complain(invocation, kFailed, "could not write standard output");
    }
    return kDone;
}
