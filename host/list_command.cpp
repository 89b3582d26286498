// list [--json | --names] [WORD]: every item of every menu, one line each, in
// the order of the tree, or the names send --set takes for them.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"

namespace {

std::string json_object(const ListedItem &entry) {
    std::string path;
    for (const int32_t number : entry.path) path += (path.empty() ? "" : ", ") + std::to_string(number);
    return "{\"path\": [" + path + "], \"menu\": " + json_string(entry.menu) +
           ", \"label\": " + json_string(entry.item->label) + ", \"action\": " + json_string(action_of(*entry.item)) +
           "}";
}

}  // namespace

int list_command(const Invocation &invocation, int argc, char **argv) {
    const char *form = nullptr;
    const char *word = nullptr;
    for (int i = 0; i < argc; ++i) {
        if ((std::strcmp(argv[i], "--json") == 0 || std::strcmp(argv[i], "--names") == 0) && form == nullptr) {
            form = argv[i];
        } else if (argv[i][0] != '-' && word == nullptr) {
            word = argv[i];
        } else {
            return complain(invocation, kBadUsage, "unexpected argument '%s'", argv[i]);
        }
    }
    const std::string wanted = lower_case(word != nullptr ? word : "");
    const bool json = form != nullptr && std::strcmp(form, "--json") == 0;
    std::string text;
    for (const ListedItem &entry : catalogue()) {
        if (lower_case(listing_line(entry)).find(wanted) == std::string::npos) continue;
        if (form == nullptr) {
            text += listing_line(entry) + "\n";
        } else if (json) {
            text += (text.empty() ? "[\n  " : ",\n  ") + json_object(entry);
        } else {
            // Those that name the item alone and that a shell takes as one word.
            for (const std::string &name : names_of(entry)) {
                if (name.find(' ') == std::string::npos && items_named(name).size() == 1) text += name + "\n";
            }
        }
    }
    if (json) text += text.empty() ? "[]\n" : "\n]\n";
    std::fputs(text.c_str(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        return complain(invocation, kFailed, "could not write standard output");
    }
    return kDone;
}
