#include "screens.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace tulvak_test {

const std::vector<std::string> kMainLabels = {"Hardware Config", "Software Config", "Pelvar Utility"};

const std::vector<std::string> kUtilityLabels = {
    "ACE Menu", "AESDMA Menu", "AVD Menu",   "CEC Menu",  "CMDQ Menu", "CPU Menu",    "DAC Menu",   "DDC2BI Menu",
    "DLC Menu", "DMX Menu",    "FLASH Menu", "GFX Menu",  "GOP Menu",  "HDMITX Menu", "HWI2C Menu", "JPEG Menu",
    "MBX Menu", "MMFI Menu",   "MPIF Menu",  "QXOS Menu", "MSPI Menu", "MVD Menu",    "MVOP Menu",  "PM Menu",
    "PNL Menu", "PWM Menu",    "PWS Menu",   "SC Menu",   "YS Menu",   "TSP Menu",    "VE Menu",    "XC Menu"};

std::string frame(const std::vector<std::string> &labels) {
    std::string text = "\n====================================\n";
    for (size_t i = 0; i < labels.size(); ++i) text += "(" + std::to_string(i + 1) + ") " + labels[i] + "\n";
    return text + "(99) EXIT\n====================================\nPlease input the item number:";
}

std::string screen(const std::vector<std::string> &labels) { return frame(labels) + kAsk; }

std::string pipe_screen(const std::vector<std::string> &labels, const std::string &received) {
    return frame(labels) + kPipeAsk + "get command " + received + "\n";
}

std::string screens(const std::vector<std::string> &labels, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += screen(labels);
    return text;
}

size_t occurrences(const std::string &text, const std::string &part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

std::vector<ModuleMenu> module_menus() {
    std::ifstream file(TULVAK_TEST_DATA_DIR "/module_menus.tsv");
    if (!file) throw std::runtime_error("cannot open module_menus.tsv");
    std::vector<ModuleMenu> menus;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string utility, name, number, label, effect;
        std::getline(fields, utility, '\t');
        std::getline(fields, name, '\t');
        std::getline(fields, number, '\t');
        std::getline(fields, label, '\t');
        std::getline(fields, effect, '\t');
        if (menus.empty() || menus.back().name != name) menus.push_back({std::stoi(utility), name, {}});
        menus.back().items.push_back({std::stoi(number), label, effect});
    }
    return menus;
}

std::vector<std::string> module_labels(const std::string &name) {
    std::vector<std::string> labels;
    for (const ModuleMenu &menu : module_menus()) {
        if (menu.name != name) continue;
        std::transform(menu.items.begin(), menu.items.end(), std::back_inserter(labels),
                       [](const ModuleItem &item) { return item.label; });
    }
    return labels;
}

}  // namespace tulvak_test
