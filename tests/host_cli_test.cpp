// The tulvak host program's command line.
#include <gtest/gtest.h>

#include "support/process.h"
#include "support/screens.h"

namespace tulvak_test {
namespace {

TEST(HostCommandLine, HelpPrintsUsageAndRunsNoSession) {
    const Outcome run = run_program({host_path(), "--help"}, "99\n");
    EXPECT_EQ(run.out.rfind("usage: tulvak", 0), 0u) << run.out;
    EXPECT_EQ(run.out.find("===="), std::string::npos);
    EXPECT_EQ(run.exit_code, 0);
}

TEST(HostCommandLine, UnknownArgumentIsAUsageError) {
    const Outcome run = run_program({host_path(), "--bogus"}, "99\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("tulvak: unknown argument '--bogus'\nusage: tulvak", 0), 0u) << run.err;
    EXPECT_EQ(run.exit_code, 2);
}

TEST(HostCommandLine, ConsoleIsTheDefaultAndCanBeNamed) {
    const Outcome run = run_program({host_path(), "--console"}, "99\n");
    EXPECT_EQ(run.out, screen(kMainLabels));
    EXPECT_EQ(run.exit_code, 0);
}

TEST(CHost, LoadsTheLibraryByNameAndRunsAMenu) {
    const Outcome run = run_program({TULVAK_C_HOST_PATH, library_path()}, "32\n2\n99\n99\n");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.err, "QxApi_XC_SetDbgLevel(1)\n");
    EXPECT_EQ(run.out.rfind(screen(kUtilityLabels), 0), 0u);
}

}  // namespace
}  // namespace tulvak_test
