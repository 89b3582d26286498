// The console's text as a person at it reads it, composed from labels.
#ifndef TULVAK_TESTS_SCREENS_H
#define TULVAK_TESTS_SCREENS_H

#include <string>
#include <vector>

namespace tulvak_test {

// What the reader writes on the console before it waits for a line.
inline const std::string kAsk = "\nTULVAK_SYSTEM_TYPE_BRAMBLEON\nSelect :";

// On the pipe-driven platform: the kind line, then nothing until a selection arrives.
inline const std::string kPipeAsk = "\nTULVAK_SYSTEM_TYPE_VUNE\n";

// What the pipe reader writes when no command pipe can be read.
inline const std::string kPipeReport = "pipe file open failed! \nAUTO TEST READ FAIL.........Break\n";

// How many times part occurs in text.
size_t occurrences(const std::string &text, const std::string &part);

// What a pipe-driven session writes before its first screen.
inline const std::string kPipeReady = "make tulvak fifo OK \n";

// One menu's frame, items numbered from 1, EXIT last, the line left open.
std::string frame(const std::vector<std::string> &labels);

// One menu screen followed by the console reader's ask.
std::string screen(const std::vector<std::string> &labels);

// One menu screen on the pipe-driven platform, and the selection text it received.
std::string pipe_screen(const std::vector<std::string> &labels, const std::string &received);

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
