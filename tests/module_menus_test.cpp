// Walks every debug-level menu through the real host: each item in turn, then
// numbers that name no item, then EXIT back to the host.
#include <gtest/gtest.h>

#include "support/process.h"
#include "support/screens.h"

namespace tulvak_test {
namespace {

class ModuleMenuTest : public testing::TestWithParam<ModuleMenu> {};

TEST_P(ModuleMenuTest, EveryItemActsAndUnlistedNumbersOnlyRedraw) {
    const ModuleMenu &menu = GetParam();
    const std::vector<std::string> labels = module_labels(menu.name);
    const std::string last_plus_one = std::to_string(menu.items.size() + 1);

    std::string input = "3\n" + std::to_string(menu.utility_item) + "\n";
    std::string out = screen(kMainLabels) + screen(kUtilityLabels) + screen(labels);
    std::string calls;
    for (const ModuleItem &item : menu.items) {
        input += std::to_string(item.number) + "\n";
        if (item.effect == "Not support!") {
            out += item.effect;
        } else {
            calls += item.effect + "\n";
        }
        out += screen(labels);
    }
    input += "0\n-1\n" + last_plus_one + "\n98\n100\n99\n99\n99\n";
    out += screens(labels, 5) + screen(kUtilityLabels) + screen(kMainLabels);

    const Outcome run = run_program({host_path()}, input);
    EXPECT_EQ(run.out, out);
    EXPECT_EQ(run.err, calls);
    EXPECT_EQ(run.exit_code, 0);
}

INSTANTIATE_TEST_SUITE_P(AllModules, ModuleMenuTest, testing::ValuesIn(module_menus()),
                         [](const testing::TestParamInfo<ModuleMenu> &info) { return info.param.name; });

// The walk above covers only what the data file lists: it must list them all.
TEST(ModuleMenus, DataCoversEveryUtilityItem) {
    const std::vector<ModuleMenu> menus = module_menus();
    ASSERT_EQ(menus.size(), kUtilityLabels.size());
    for (size_t i = 0; i < menus.size(); ++i) EXPECT_EQ(menus[i].utility_item, static_cast<int>(i + 1));
}

// One session that opens and leaves every menu and chooses every item, under
// Valgrind's memcheck: no invalid access, nothing definitely or indirectly lost.
TEST(Memcheck, EveryMenuAndItemWithoutErrorsOrLeaks) {
    if (std::string(TULVAK_VALGRIND).empty()) GTEST_SKIP() << "no valgrind for this build's programs";
    std::string input = "1\n1\n99\n2\n1\n2\n3\n99\n3\n";
    std::string calls;
    for (const ModuleMenu &menu : module_menus()) {
        input += std::to_string(menu.utility_item) + "\n";
        for (const ModuleItem &item : menu.items) {
            input += std::to_string(item.number) + "\n";
            if (item.effect != "Not support!") calls += item.effect + "\n";
        }
        input += "99\n";
    }
    input += "99\n99\n";
    const Outcome run =
        run_program({TULVAK_VALGRIND, "--quiet", "--error-exitcode=3", "--leak-check=full",
                     "--show-leak-kinds=definite,indirect", "--errors-for-leak-kinds=definite,indirect", host_path()},
                    input, 120);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.err, calls);  // memcheck writes nothing when it finds nothing
}

}  // namespace
}  // namespace tulvak_test
