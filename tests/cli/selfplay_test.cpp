#include <gtest/gtest.h>

#include <string>

#include "support/fakes.h"
#include "support/run_cli.h"

namespace {

// zelkor-cli selfplay with the shipped data folder.
zelkor::test::CliRun SelfPlay(const std::string& arguments) {
    return zelkor::test::RunCli("--data-dir \"" + zelkor::test::ShippedDataDir().string() +
                                "\" selfplay " + arguments);
}

TEST(CliSelfPlay, PlaysEachGameToItsEndAndPrintsTheTotals) {
    const auto run = SelfPlay("--games 2 --depth 1 --variant 2 --seed 7");
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
