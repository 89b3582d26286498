// The relay script and the command pipe as a session leaves them in
// /Customer, whatever stood at their names before.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "support/customer.h"
#include "support/process.h"
#include "tulvak.h"

namespace tulvak_test {
namespace {

const std::string kScriptText = "echo $1 > tulvakpipe";
const std::string kVictimDir = "/Customer/elsewhere";
const std::string kVictim = "/Customer/elsewhere/victim";

// Both files made as a session makes them; their results go to stderr.
Outcome make_files(mode_t mask = 022) {
    return run_in_child("", [mask] {
        umask(mask);
        const int script = CreateTulvakShell();
        const int pipe = CreatePipeFile();
        std::fprintf(stderr, "%d %d", script, pipe);
        return 0;
    });
}

std::vector<std::string> entries(const std::string &directory) {
    std::vector<std::string> names;
    if (DIR *dir = opendir(directory.c_str())) {
        while (const dirent *entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void make_victim() {
    mkdir(kVictimDir.c_str(), 0755);
    write_file(kVictim, "somebody's data\n", 0640);
}

void expect_victim_untouched() {
    EXPECT_EQ(read_file(kVictim), "somebody's data\n");
    EXPECT_EQ(permissions_of(kVictim), 0640u);
}

void expect_script_in_place() {
    EXPECT_TRUE(is_regular_file(kScript));
    EXPECT_EQ(read_file(kScript), kScriptText);
    EXPECT_EQ(permissions_of(kScript), 0755u);
}

class CustomerFiles : public testing::Test {
protected:
    void SetUp() override { TULVAK_NEED_PRIVATE_CUSTOMER(); }
};

TEST_F(CustomerFiles, SessionStartMakesScriptThenPipeWhateverTheMask) {
    for (const mode_t mask : {mode_t{0}, mode_t{022}, mode_t{077}}) {
        unlink(kScript.c_str());
        unlink(kPipe.c_str());
        const Outcome made = make_files(mask);
        EXPECT_EQ(made.err, "1 1") << "umask " << mask;
        EXPECT_EQ(made.out, "make tulvak fifo OK \n");
        expect_script_in_place();
        EXPECT_TRUE(is_named_pipe(kPipe));
        // Nothing half-made is left beside them.
        EXPECT_EQ(entries(kCustomer), (std::vector<std::string>{"tulvak.sh", "tulvakpipe"}));
    }
}

TEST_F(CustomerFiles, ScriptReplacesAnOldFileAndNeverWritesThroughALink) {
    write_file(kScript, "rm -rf /  # a much longer script than ours\n", 0666);
    EXPECT_EQ(make_files().err, "1 1");
    expect_script_in_place();

    make_victim();
    unlink(kScript.c_str());
    ASSERT_EQ(symlink(kVictim.c_str(), kScript.c_str()), 0);
    EXPECT_EQ(make_files().err, "1 1");
    expect_script_in_place();
    expect_victim_untouched();
}

TEST_F(CustomerFiles, DirectoryAtTheScriptsNameIsAFailure) {
    mkdir(kScript.c_str(), 0755);
    write_file(kScript + "/inside", "kept");
    const Outcome made = make_files();
    EXPECT_EQ(made.err, "0 1");
    EXPECT_EQ(made.out, "\n CreateTulvakShell Fail!\nmake tulvak fifo OK \n");
    EXPECT_EQ(read_file(kScript + "/inside"), "kept");
    EXPECT_EQ(entries(kCustomer), (std::vector<std::string>{"tulvak.sh", "tulvakpipe"}));
}

TEST_F(CustomerFiles, PipeReplacesWhateverStandsAtItsName) {
    make_victim();
    const std::vector<std::pair<std::string, std::function<void()>>> occupants = {
        {"regular file left by a relay script", [] { write_file(kPipe, "3\n"); }},
        {"link to somebody's file", [] { symlink(kVictim.c_str(), kPipe.c_str()); }},
        {"dangling link", [] { symlink("/Customer/nowhere", kPipe.c_str()); }},
        {"empty directory", [] { mkdir(kPipe.c_str(), 0755); }},
        {"pipe of an earlier session", [] { mkfifo(kPipe.c_str(), 0600); }},
    };
    for (const auto &[name, occupy] : occupants) {
        occupy();
        const Outcome made = make_files();
        EXPECT_EQ(made.err, "1 1") << name;
        EXPECT_EQ(made.out, "make tulvak fifo OK \n") << name;
        EXPECT_TRUE(is_named_pipe(kPipe)) << name;
        expect_victim_untouched();
        EXPECT_EQ(entries(kCustomer), (std::vector<std::string>{"elsewhere", "tulvak.sh", "tulvakpipe"})) << name;
        rmdir(kPipe.c_str());
        unlink(kPipe.c_str());
    }
}

TEST_F(CustomerFiles, DirectoryWithContentsAtThePipesNameIsKept) {
    mkdir(kPipe.c_str(), 0755);
    write_file(kPipe + "/inside", "kept");
    const Outcome made = make_files();
    EXPECT_EQ(made.err, "1 0");
    EXPECT_EQ(made.out, "failed to make tulvak fifo \n");
    EXPECT_EQ(read_file(kPipe + "/inside"), "kept");
}

TEST_F(CustomerFiles, ScriptThatCannotBeWrittenWholeIsAFailureAndLeavesNothing) {
    const int filler = open("/Customer/filler", O_WRONLY | O_CREAT, 0600);
    const std::string block(1 << 16, 'f');
    while (write(filler, block.data(), block.size()) > 0) {
    }
    close(filler);
    const Outcome made = make_files();
    EXPECT_EQ(made.err, "0 1");
    EXPECT_EQ(made.out, "\n CreateTulvakShell Fail!\nmake tulvak fifo OK \n");
    EXPECT_EQ(entries(kCustomer), (std::vector<std::string>{"filler", "tulvakpipe"}));
}

TEST(CustomerNotWritable, BothFilesFailWithTheirMessages) {
    TULVAK_NEED_PRIVATE_CUSTOMER(true);
    const Outcome made = make_files();
    EXPECT_EQ(made.err, "0 0");
    EXPECT_EQ(made.out, "\n CreateTulvakShell Fail!\nfailed to make tulvak fifo \n");
}

}  // namespace
}  // namespace tulvak_test
