// Files of many megabytes, lines of megabytes and endless devices, which the fuzzers cannot
// make: the readers keep bounded results (their speed shows in the run time, never asserted).
#include <gtest/gtest.h>

#include <algorithm>

#include "records/book.h"
#include "records/game_file.h"
#include "rules/rules_test_util.h"

namespace zelkor {
namespace {

constexpr std::size_t kTwentyMegabytes = 20u << 20;

TEST(BigFiles, AVariantFileOfManyMegabytes) {
    test::TempDir dir;
    std::string text = "ZELKOR Version=0.10\r\n";
    const std::string help = "Help=" + std::string(2000, 'h') + "\r\n";
    for (int block = 1; text.size() < kTwentyMegabytes; ++block) {
        text += "Variant=V" + std::to_string(block) + "\r\nMulJumps=1\r\n";
        for (int i = 0; i < 4; ++i)
            text += help;
        text += "END\r\n";
    }
    test::WriteFile(dir / "variants.ini", text);
    test::RecordingUi ui;
    auto g = test::DefaultGame();
    uint8_t variant = 255;
    EXPECT_EQ(LoadVariant(*g, dir.path(), variant, ui), VariantFileStatus::Loaded);
    EXPECT_EQ(g->defined.name, "V255");
    EXPECT_EQ(ListVariantNames(dir.path(), false).size(), static_cast<size_t>(kMaxVariants));
}

TEST(BigFiles, ABookOfManyMegabytes) {
    test::TempDir dir;
    // The shipped book's first section with its lines (not its names) repeated many times.
    const std::string shipped = test::ReadFile(test::ShippedDataDir() / kBookFileName);
    const std::size_t lines = shipped.find("start\r\n") + 7;
    const std::size_t sectionEnd =
        std::min(shipped.find("\r\nnames\r\n"), shipped.find("\r\nend\r\n"));
    ASSERT_NE(sectionEnd, std::string::npos);
    std::string text = shipped.substr(0, lines);
    const std::string body = shipped.substr(lines, sectionEnd + 2 - lines);
    while (text.size() < kTwentyMegabytes)
        text += body;
    text += "end\r\n";
    test::WriteFile(dir / "zelkor.bok", text);
    auto g = test::DefaultGame();
    test::RecordingUi ui;
    test::ScriptedRandom random;
    const BookResult result = FileBookLookup(1, *g, dir.path(), random, ui);
    EXPECT_FALSE(result.bookMoves.empty());
    EXPECT_LE(result.bookMoves.size(), static_cast<size_t>(kShownBookMoves));
    EXPECT_NE(result.from, 0);
}

TEST(HostileFiles, HugeLinesAndFilesWithoutStart) {
    test::TempDir dir;
    const std::string huge(10 * 1024 * 1024, 'c');
    const std::string game = "ZELKOR Version=0.10\r\nVariant=1\r\nSTART\r\nh4g5\r\n";
    test::WriteFile(dir / "a.zlk", game + huge + "\r\n" + "{" + huge + "}\r\n");
    const GameFileContents a = ReadGameFile(dir / "a.zlk");
    EXPECT_TRUE(a.complete);
    ASSERT_EQ(a.body.size(), 3u);
    EXPECT_EQ(a.body[1].text.size(), kMaxMoveLineLength);
    EXPECT_LE(a.body[2].text.size(), 65536u);

    test::WriteFile(dir / "b.zlk", "ZELKOR Version=0.10\r\n" + huge);
    const GameFileContents b = ReadGameFile(dir / "b.zlk");
    EXPECT_EQ(std::tuple(b.status, b.complete, b.linesAfterStart),
              std::tuple(GameFileStatus::Ok, false, 0));

    std::string keys = "ZELKOR Version=0.10\r\n";
    for (int i = 0; i < 5000; ++i)
        keys += "Depth=3\r\n";
    test::WriteFile(dir / "c.zlk", keys + "START\r\n");
    EXPECT_LE(ReadGameFile(dir / "c.zlk").header.size(), 1000u);

    test::WriteFile(dir / "zelkor.bok", "ZELKOR Version=0.10\r\nVariant=Halma\r\nstart\r\n" + huge);
    auto g = test::DefaultGame();
    test::ScriptedRandom random;
    test::RecordingUi ui;
    EXPECT_FALSE(FileBookLookup(1, *g, dir.path(), random, ui).inBook);

    // A device that never ends: the readers must refuse it instead of reading forever.
    if (!std::filesystem::exists("/dev/zero")) GTEST_SKIP();
    EXPECT_EQ(ReadGameFile("/dev/zero").status, GameFileStatus::Unreadable);
    EXPECT_TRUE(CollectBookGameProposals("/dev", "").candidates.empty());
}

}  // namespace
}  // namespace zelkor
