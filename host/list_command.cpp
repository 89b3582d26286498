// list [--json | --names] [WORD]: every item of every menu in the order of the tree, or their names.
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"

namespace {

std::string json_object(const ListedItem &entry) {
    const std::string name = set_name(entry);
    std::string path;
    for (const int32_t number : entry.path) path += (path.empty() ? "" : ", ") + std::to_string(number);
    return "{\"path\": [" + path + "], \"menu\": " + json_string(entry.menu) +
           ", \"label\": " + json_string(entry.item->label) + ", \"action\": " + json_string(action_of(*entry.item)) +
           ", \"name\": " + (name.empty() ? "null" : json_string(name)) + ", \"tree\": " + json_string(own_tree()) +
           "}";
}

enum class Form { lines, json, names };

// What the listing says of one item; JSON objects are joined by the caller.
std::string listed(const ListedItem &entry, Form form) {
    if (form == Form::lines) return listing_line(entry) + "\n";
    if (form == Form::json) return json_object(entry);
    // The names that are the item's alone and that a shell takes as one word.
    std::string names;
    for (const std::string &name : own_names(entry)) {
        if (name.find(' ') == std::string::npos) names += name + "\n";
    }
    return names;
}

}  // namespace

int list_command(const Invocation &invocation, int argc, char **argv) {
    Form form = Form::lines;
    const char *word = nullptr;
    for (int i = 0; i < argc; ++i) {
        const bool json = std::strcmp(argv[i], "--json") == 0;
        if ((json || std::strcmp(argv[i], "--names") == 0) && form == Form::lines) {
            form = json ? Form::json : Form::names;
        } else if (argv[i][0] != '-' && word == nullptr) {
            word = argv[i];
        } else {
            return complain(invocation, kBadUsage, "unexpected argument '%s'", argv[i]);
        }
    }
    const std::string wanted = lower_case(word != nullptr ? word : "");
    const bool json = form == Form::json;
    std::string text;
    for (const ListedItem &entry : catalogue()) {
        if (lower_case(listing_line(entry)).find(wanted) != std::string::npos) {
            text += (json ? text.empty() ? "[\n  " : ",\n  " : "") + listed(entry, form);
        }
    }
    if (json) text += text.empty() ? "[]\n" : "\n]\n";
    return print(invocation, text);
}
