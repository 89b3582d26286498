// The console's text as a person at it reads it, composed from labels.
#ifndef TULVAK_TESTS_SCREENS_H
#define TULVAK_TESTS_SCREENS_H

#include <string>
#include <vector>

namespace tulvak_test {

// What the reader writes on the console before it waits for a line.
inline const std::string kAsk = "\nTULVAK_SYSTEM_TYPE_BRAMBLEON\nSelect :";

// One menu screen, items numbered from 1, EXIT last, followed by the reader's ask.
std::string screen(const std::vector<std::string> &labels);

// The same screen shown `times` times in a row.
std::string screens(const std::vector<std::string> &labels, int times);

extern const std::vector<std::string> kMainLabels;
extern const std::vector<std::string> kUtilityLabels;

struct ModuleItem {
    int number;
    std::string label;
    std::string effect;  // the driver call as the host shows it, or the refusal text
};

struct ModuleMenu {
    int utility_item;
    std::string name;
    std::vector<ModuleItem> items;
};

// Every debug-level menu as written down in tests/data/module_menus.tsv.
std::vector<ModuleMenu> module_menus();

// The labels of one module's menu, in screen order.
std::vector<std::string> module_labels(const std::string &name);

}  // namespace tulvak_test

#endif
