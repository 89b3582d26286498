// The exported session interface called directly by a host.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/process.h"
#include "support/screens.h"
#include "tulvak.h"
#include "tulvak_sim.h"

namespace tulvak_test {
namespace {

std::string driver_calls;

void record_call(const char *entry_point, int value) {
    driver_calls += std::string(entry_point) + "(" + std::to_string(value) + ")\n";
}

TEST(SessionEntry, InvalidKindIsRefusedAndForgetsTheEarlierKind) {
    for (const int kind : {0, 3, -1}) {
        const Outcome run = run_in_child("99\n", [kind] {
            Set_System_type(TULVAK_SYSTEM_TYPE_BRAMBLEON);
            Tulvak_Manager::Tulvak(static_cast<TULVAK_SYSTEM_TYPE>(kind));
            return static_cast<int>(eSystemTpye);
        });
        EXPECT_EQ(run.out, "\n\nNeed Set System Type \n\n") << "kind " << kind;
        EXPECT_EQ(run.exit_code, 0) << "kind " << kind;
    }
}

TEST(SessionEntry, SetSystemTypeAcceptsOnlyTheTwoPlatforms) {
    const Outcome run = run_in_child("", [] {
        for (const int kind : {1, 0, 7}) {
            const int result = Set_System_type(static_cast<TULVAK_SYSTEM_TYPE>(kind));
            std::fprintf(stderr, "%d%d ", result, static_cast<int>(eSystemTpye));
        }
        return 0;
    });
    EXPECT_EQ(run.err, "11 00 00 ");
    EXPECT_EQ(run.out, "");
}

TEST(SessionEntry, GetInstanceCreatesOneInstanceOnFirstUse) {
    const Outcome run = run_in_child("", [] {
        if (Tulvak_Manager::m_instance != nullptr) return 1;
        Tulvak_Manager *first = Tulvak_Manager::GetInstance();
        if (first == nullptr || Tulvak_Manager::m_instance != first) return 2;
        return Tulvak_Manager::GetInstance() == first ? 0 : 3;
    });
    EXPECT_EQ(run.exit_code, 0);
}

TEST(SessionEntry, MissingStandardOutputEndsTheSessionInsteadOfCrashing) {
    const Outcome run = run_in_child("3\n32\n2\n", [] {
        stdout = nullptr;
        Tulvak_Manager::Tulvak(TULVAK_SYSTEM_TYPE_BRAMBLEON);
        return 0;
    });
    EXPECT_EQ(run.err, "ReadDecimalKeyInput: stdConsole is null\n");
    EXPECT_EQ(run.exit_code, 0);
}

TEST(DirectMenuCalls, ModuleMenuRunsOnItsOwnAndReturnsOnExit) {
    const Outcome run = run_in_child("5\n7\n99\n", [] {
        tulvak_sim_observe(record_call);
        Set_System_type(TULVAK_SYSTEM_TYPE_BRAMBLEON);
        Tulvak_PelvarJPEGConfig();
        std::fputs(driver_calls.c_str(), stderr);
        return 0;
    });
    EXPECT_EQ(run.err, "QxApi_JPEG_SetDbgLevel(7)\nQxApi_JPEG_SetDbgLevel(15)\n");
    EXPECT_EQ(run.exit_code, 0);
}

TEST(DirectMenuCalls, MenuWithoutAKindShowsOnceAndReturns) {
    const Outcome run = run_in_child(
        "2\n",
        [] {
            tulvak_sim_observe(record_call);
            Tulvak_PelvarVEConfig();
            std::fputs(driver_calls.c_str(), stderr);
            return 0;
        },
        10);
    EXPECT_FALSE(run.timed_out);
    EXPECT_EQ(run.out,
              "\n====================================\n"
              "(1) Turn on QxDrv_VE_SetDbgLevel\n"
              "(2) Turn off QxDrv_VE_SetDbgLevel\n"
              "(99) EXIT\n"
              "====================================\n"
              "Please input the item number:\nTULVAK_SYSTEM_TYPE_NULL\n");
    EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace tulvak_test
