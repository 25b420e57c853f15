#include <gtest/gtest.h>

#include <string>

#include "support/fakes.h"
#include "support/run_cli.h"

namespace {

using Cli = zelkor::test::CliRun;
using zelkor::test::RunCli;

TEST(CliMoves, ListsTheLegalMovesOfTheStartInGenerationOrder) {
    const Cli run = RunCli("moves");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, 18), "e1-d2\ne1-e2\ne1-d1\n");
    EXPECT_NE(run.out.find("\nh1xf3\n"), std::string::npos);
    EXPECT_EQ(run.Lines().size(), 24u);
}

TEST(CliPerft, PrintsCountsPerRootMoveThenTheTotal) {
    const Cli run = RunCli("perft 2");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, 10), "e1-d2: 24\n");
    const std::string tail = "\nNodes searched: 576\n";
    ASSERT_GE(run.out.size(), tail.size());
    EXPECT_EQ(run.out.substr(run.out.size() - tail.size()), tail);
    EXPECT_NE(run.out.find("\n\nNodes searched"), std::string::npos);
}

TEST(CliPerft, RejectsBadArguments) {
    for (const char* arguments : {"perft", "perft x", "perft 0", "perft 3x", "moves a b"})
        EXPECT_EQ(RunCli(arguments).status, 2) << arguments;
    const Cli help = RunCli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: zelkor-cli [--data-dir DIR] COMMAND [ARGS]\n", 0), 0u);
    EXPECT_NE(help.out.find("\n  eval [FILE.zlk]"), std::string::npos);
}

TEST(CliFiles, ThePositionAfterTheFileIsUsed) {
    zelkor::test::TempDir dir;
    zelkor::test::WriteFile(dir / "g.zlk",
                            "ZELKOR Version=0.10\r\nVariant=1\r\nSTART\r\nh1f3\r\nd8e7\r\n");
    const std::string file = (dir / "g.zlk").string();
    const Cli moves = RunCli("moves '" + file + "'");
    EXPECT_EQ(moves.status, 0);
    EXPECT_EQ(moves.out.find("h1xf3"), std::string::npos);  // h1 has moved
    EXPECT_NE(moves.out.find("\nf3-e4\n"), std::string::npos);
    const size_t lines = moves.Lines().size();
    const Cli perft = RunCli("perft 1 '" + file + "'");
    EXPECT_EQ(perft.status, 0);
    EXPECT_NE(perft.out.find("Nodes searched: " + std::to_string(lines) + "\n"), std::string::npos);
}

TEST(CliFiles, UnreadableFilesAndIllegalMovesFail) {
    zelkor::test::TempDir dir;
    zelkor::test::WriteFile(dir / "bad.zlk",
                            "ZELKOR Version=0.10\r\nVariant=1\r\nSTART\r\nh1f3\r\nd8d5\r\n");
    EXPECT_EQ(RunCli("moves '" + (dir / "bad.zlk").string() + "'").status, 1);
    EXPECT_EQ(RunCli("perft 2 '" + (dir / "missing.zlk").string() + "'").status, 1);
    // A file that stops loading early is no position to work on.
    zelkor::test::WriteFile(dir / "cut.zlk",
                            "ZELKOR Version=0.10\r\nVariant=1\r\nSTART\r\nh1f3\r\n{\r\nd8e7\r\n");
    const Cli cut = RunCli("moves '" + (dir / "cut.zlk").string() + "'", true);
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.out, "zelkor-cli: " + (dir / "cut.zlk").string() +
                           ": cut.zlk, line 5: \"{\" could not be read; 1 move was loaded\n");
}

}  // namespace
