#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/fakes.h"

namespace {

struct CliRun {
    std::string out;
    int status = -1;
};

// Runs zelkor-cli with the arguments; stdout only (stderr is discarded).
CliRun Cli(const std::string& arguments) {
    CliRun run;
    const std::string command = std::string(ZELKOR_CLI_PATH) + " " + arguments + " 2>/dev/null";
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

TEST(CliMoves, ListsTheLegalMovesOfTheStartInGenerationOrder) {
    const CliRun run = Cli("moves");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, 18), "e1-d2\ne1-e2\ne1-d1\n");
    EXPECT_NE(run.out.find("\nh1xf3\n"), std::string::npos);
    size_t lines = 0;
    for (char c : run.out)
        lines += c == '\n';
    EXPECT_EQ(lines, 24u);
}

TEST(CliPerft, PrintsCountsPerRootMoveThenTheTotal) {
    const CliRun run = Cli("perft 2");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, 10), "e1-d2: 24\n");
    const std::string tail = "\nNodes searched: 576\n";
    ASSERT_GE(run.out.size(), tail.size());
    EXPECT_EQ(run.out.substr(run.out.size() - tail.size()), tail);
    EXPECT_NE(run.out.find("\n\nNodes searched"), std::string::npos);
}

TEST(CliPerft, RejectsBadArguments) {
    EXPECT_EQ(Cli("perft").status, 2);
    EXPECT_EQ(Cli("perft x").status, 2);
    EXPECT_EQ(Cli("perft 0").status, 2);
    EXPECT_EQ(Cli("perft 3x").status, 2);
    EXPECT_EQ(Cli("moves a b").status, 2);
}

TEST(CliFiles, ThePositionAfterTheFileIsUsed) {
    zelkor::test::TempDir dir;
    zelkor::test::WriteFile(dir / "g.zlk",
                            "ZELKOR Version=0.10\r\nVariant=1\r\nSTART\r\nh1f3\r\nd8e7\r\n");
    const std::string file = (dir / "g.zlk").string();
    const CliRun moves = Cli("moves '" + file + "'");
    EXPECT_EQ(moves.status, 0);
    EXPECT_EQ(moves.out.find("h1xf3"), std::string::npos);  // h1 has moved
    EXPECT_NE(moves.out.find("\nf3-e4\n"), std::string::npos);
    size_t lines = 0;
    for (char c : moves.out)
        lines += c == '\n';
    const CliRun perft = Cli("perft 1 '" + file + "'");
    EXPECT_EQ(perft.status, 0);
    EXPECT_NE(perft.out.find("Nodes searched: " + std::to_string(lines) + "\n"), std::string::npos);
}

TEST(CliFiles, UnreadableFilesAndIllegalMovesFail) {
    zelkor::test::TempDir dir;
    zelkor::test::WriteFile(dir / "bad.zlk",
                            "ZELKOR Version=0.10\r\nVariant=1\r\nSTART\r\nh1f3\r\nd8d5\r\n");
    EXPECT_EQ(Cli("moves '" + (dir / "bad.zlk").string() + "'").status, 1);
    EXPECT_EQ(Cli("perft 2 '" + (dir / "missing.zlk").string() + "'").status, 1);
}

}  // namespace
