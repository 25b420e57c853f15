#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/fakes.h"

namespace {

struct SelfPlayRun {
    std::string out;
    int status = -1;
};

// zelkor-cli with the shipped data folder; stdout only.
SelfPlayRun SelfPlay(const std::string& arguments) {
    SelfPlayRun run;
    const std::string command = std::string(ZELKOR_CLI_PATH) + " --data-dir \"" +
                                zelkor::test::ShippedDataDir().string() + "\" selfplay " +
                                arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

TEST(CliSelfPlay, PlaysEachGameToItsEndAndPrintsTheTotals) {
    const SelfPlayRun run = SelfPlay("--games 2 --depth 1 --variant 2 --seed 7");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out.find("game 1: Orthogonal Halma: "), 0u) << run.out;
    EXPECT_NE(run.out.find("\ngame 2: Orthogonal Halma: "), std::string::npos);
    EXPECT_NE(run.out.find("\ntotal: 2 games, White "), std::string::npos);
    EXPECT_EQ(run.out.find("unfinished after"), std::string::npos);
}

TEST(CliSelfPlay, RejectsBadArguments) {
    for (const char* arguments : {"--games 0", "--depth", "--depth x", "--time 0", "--colour"})
        EXPECT_EQ(SelfPlay(arguments).status, 2) << arguments;
}

}  // namespace
