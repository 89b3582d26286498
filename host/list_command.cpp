// list [--json] [WORD]: every item of every menu, one line each, in the order of the tree.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "catalogue.h"
#include "farm.h"

namespace {

constexpr const char kUsage[] = "usage: list [--json] [WORD]\n";

std::string json_string(const std::string &text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string json_object(const CatalogueEntry &entry) {
    std::string path;
    for (const int32_t number : entry.path) path += (path.empty() ? "" : ", ") + std::to_string(number);
    return "{\"path\": [" + path + "], \"menu\": " + json_string(entry.menu) +
           ", \"label\": " + json_string(entry.label) + ", \"action\": " + json_string(entry.action) + "}";
}

}  // namespace

int list_items(int argc, char **argv) {
    bool json = false;
    const char *word = nullptr;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0) {
            json = true;
        } else if (argv[i][0] != '-' && word == nullptr) {
            word = argv[i];
        } else {
            std::fprintf(stderr, "list: unexpected argument '%s'\n%s", argv[i], kUsage);
            return 2;
        }
    }
    const std::string wanted = lower_case(word != nullptr ? word : "");
    std::vector<const CatalogueEntry *> shown;
    for (const CatalogueEntry &entry : catalogue()) {
        if (lower_case(listing_line(entry)).find(wanted) != std::string::npos) shown.push_back(&entry);
    }
    if (json) {
        std::fputs("[", stdout);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            std::fputs(((i == 0 ? "\n  " : ",\n  ") + json_object(*shown[i])).c_str(), stdout);
        }
        std::fputs(shown.empty() ? "]\n" : "\n]\n", stdout);
    } else {
        for (const CatalogueEntry *entry : shown) std::fputs((listing_line(*entry) + "\n").c_str(), stdout);
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fputs("list: could not write standard output\n", stderr);
        return 1;
    }
    return 0;
}
