#include <gtest/gtest.h>

#include <string>

#include "support/run_cli.h"

namespace {

using zelkor::test::RunCli;

TEST(CliAnalyse, OneLinePerIterationThenTheBestMove) {
    const auto run = RunCli("analyse --depth 3 --noise 0");
    ASSERT_EQ(run.status, 0);
    const auto lines = run.Lines();
    ASSERT_EQ(lines.size(), 4u);
    for (int d = 1; d <= 3; ++d) {
        const std::string& line = lines[d - 1];
        EXPECT_EQ(line.rfind("depth " + std::to_string(d) + " score ", 0), 0u) << line;
        EXPECT_NE(line.find(" nodes "), std::string::npos) << line;
        EXPECT_NE(line.find(" time "), std::string::npos) << line;
        EXPECT_NE(line.find(" pv "), std::string::npos) << line;
    }
    EXPECT_EQ(lines[3].rfind("bestmove ", 0), 0u);
    EXPECT_EQ(lines[3].size(), 13u);  // "bestmove h1f3"
    // Without noise the search is repeatable.
    EXPECT_EQ(RunCli("analyse --depth 3 --noise 0").Lines()[3], lines[3]);
}

TEST(CliAnalyse, SearchesTheLastPositionOfAGameFile) {
    const std::string file = std::string(ZELKOR_TEST_DATA_DIR) + "/engine/midgame.zlk";
    const auto run = RunCli("analyse --depth 2 --noise 0 '" + file + "'");
    ASSERT_EQ(run.status, 0);
    const auto lines = run.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], "bestmove c3e1");  // Black's reply after 21 plies
    EXPECT_EQ(RunCli("analyse --depth 2 /no/such/game.zlk").status, 1);

    // eval: the raw score and the evaluation without noise, for the side to move.
    EXPECT_EQ(RunCli("eval").out, "raw 0\nevaluate 0\n");
    const auto eval = RunCli("eval '" + file + "'");
    EXPECT_EQ(eval.status, 0);
    EXPECT_EQ(eval.out, "raw 250\nevaluate 250\n");
    EXPECT_EQ(RunCli("eval a b").status, 2);
}

TEST(CliAnalyse, RejectsBadArguments) {
    for (const char* arguments :
         {"--depth 0", "--depth 3 --time 2", "--noise -1", "--speed 3", "--depth"})
        EXPECT_EQ(RunCli(std::string("analyse ") + arguments).status, 2) << arguments;
}

}  // namespace
