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
    const auto run = SelfPlay("--games 2 --depth 1 --variant 2 --seed 7 --book white");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out.find("game 1: Orthogonal Halma: "), 0u) << run.out;
    EXPECT_NE(run.out.find("\ngame 2: Orthogonal Halma: "), std::string::npos);
    EXPECT_NE(run.out.find("\ntotal: 2 games, White "), std::string::npos);
    EXPECT_EQ(run.out.find("unfinished after"), std::string::npos);
    EXPECT_EQ(run.out.find("\nWhite: book on, 0 book moves"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nBlack: book off, 0 book moves, "), std::string::npos) << run.out;
}

// A small tree written as a section of its own after the sections already in the file.
TEST(CliBook, AddsTheVariantsSectionWithNamesToTheBookFile) {
    zelkor::test::TempDir dir;
    const std::string out = (dir.path() / "zelkor.bok").string();
    const std::string cli = "--data-dir \"" + zelkor::test::ShippedDataDir().string() + "\" book ";
    for (const char* variant : {"1", "2", "2"})
        ASSERT_EQ(zelkor::test::RunCli(cli + "--depth 1 --plies 2 --out \"" + out +
                                       "\" --variant " + variant)
                      .status,
                  0);
    const std::string book = zelkor::test::ReadFile(out);
    EXPECT_EQ(book.find("ZELKOR Version=0.10\r\nVariant=Halma\r\n"), 0u);
    const auto second = book.find("end\r\nVariant=Orthogonal Halma\r\n");
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(book.find("Variant=Orthogonal Halma", second + 10), std::string::npos);
    EXPECT_NE(book.find(" Opening'\r\n", second), std::string::npos);
}

TEST(CliSelfPlay, RejectsBadArguments) {
    for (const char* arguments : {"--games 0", "--depth", "--depth x", "--time 0", "--colour",
                                  "--book left", "--strength 11"})
        EXPECT_EQ(SelfPlay(arguments).status, 2) << arguments;
}

}  // namespace
