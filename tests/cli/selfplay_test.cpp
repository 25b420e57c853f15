#include <gtest/gtest.h>

#include <filesystem>
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
    // A variant the file does not hold, or a file that cannot be read, is an error.
    EXPECT_EQ(SelfPlay("--variant 99").status, 1);
    zelkor::test::TempDir dir;
    std::filesystem::create_directory(dir / "variants.ini");
    const auto folder =
        zelkor::test::RunCli("--data-dir '" + dir.path().string() + "' selfplay --depth 1", true);
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.out.find("variants.ini cannot be read"), std::string::npos) << folder.out;
}

TEST(CliSelfPlay, AGameDecidedBeforeAnyMoveNamesItsWinner) {
    // White's only target square, a8, is taken by a White man before the first move.
    zelkor::test::TempDir dir;
    std::string setup(64, '0');
    setup[56] = '1';  // a8
    setup[7] = '2';   // h1
    zelkor::test::WriteFile(dir / "variants.ini",
                            "ZELKOR Version=0.10\r\nVariant=Done\r\nSetup=" + setup +
                                "\r\nPromoW=A8\r\nPromoB=H8\r\nEND\r\n");
    const auto run =
        zelkor::test::RunCli("--data-dir '" + dir.path().string() + "' selfplay --depth 1");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("game 1: Done: White wins after 0 plies", 0), 0u) << run.out;
}

}  // namespace
