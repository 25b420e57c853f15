#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct AnalyseRun {
    std::vector<std::string> lines;
    int status = -1;
};

// Runs zelkor-cli with the arguments; the lines of stdout (stderr is discarded).
AnalyseRun RunAnalyse(const std::string& arguments) {
    AnalyseRun run;
    const std::string command = std::string(ZELKOR_CLI_PATH) + " " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        run.lines.push_back(line);
    return run;
}

TEST(CliAnalyse, OneLinePerIterationThenTheBestMove) {
    const AnalyseRun run = RunAnalyse("analyse --depth 3 --noise 0");
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 4u);
    for (int d = 1; d <= 3; ++d) {
        const std::string& line = run.lines[d - 1];
        EXPECT_EQ(line.rfind("depth " + std::to_string(d) + " score ", 0), 0u) << line;
        EXPECT_NE(line.find(" nodes "), std::string::npos) << line;
        EXPECT_NE(line.find(" time "), std::string::npos) << line;
        EXPECT_NE(line.find(" pv "), std::string::npos) << line;
    }
    EXPECT_EQ(run.lines[3].rfind("bestmove ", 0), 0u);
    EXPECT_EQ(run.lines[3].size(), 13u);  // "bestmove h1f3"
    // Without noise the search is repeatable.
    EXPECT_EQ(RunAnalyse("analyse --depth 3 --noise 0").lines[3], run.lines[3]);
}

TEST(CliAnalyse, SearchesTheLastPositionOfAGameFile) {
    const std::string file = std::string(ZELKOR_TEST_DATA_DIR) + "/engine/midgame.zlk";
    const AnalyseRun run = RunAnalyse("analyse --depth 2 --noise 0 '" + file + "'");
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 3u);
    EXPECT_EQ(run.lines[2], "bestmove c3e1");  // Black's reply after 21 plies
    EXPECT_EQ(RunAnalyse("analyse --depth 2 /no/such/game.zlk").status, 1);
}

TEST(CliAnalyse, RejectsBadArguments) {
    EXPECT_EQ(RunAnalyse("analyse --depth 0").status, 2);
    EXPECT_EQ(RunAnalyse("analyse --depth 3 --time 2").status, 2);
    EXPECT_EQ(RunAnalyse("analyse --noise -1").status, 2);
    EXPECT_EQ(RunAnalyse("analyse --speed 3").status, 2);
    EXPECT_EQ(RunAnalyse("analyse --depth").status, 2);
}

}  // namespace
