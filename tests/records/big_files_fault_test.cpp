// Data files of many megabytes: the readers take time in proportion to the size and keep
// bounded results. Their speed is measured by the run time of these tests (a 20 MB file of
// each kind reads in well under a second in the Release build), never asserted.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "records/book.h"
#include "rules/game_setup.h"
#include "rules/variant_file.h"
#include "support/fakes.h"

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
    auto g = std::make_unique<GameState>();
    SetUpDefaultGame(*g);
    uint8_t variant = 255;
    EXPECT_EQ(LoadVariant(*g, dir.path(), variant, ui), VariantFileStatus::Loaded);
    EXPECT_EQ(g->defined.name, "V255");
    EXPECT_EQ(ListVariantNames(dir.path(), false).size(), static_cast<size_t>(kMaxVariants));
}

TEST(BigFiles, ABookOfManyMegabytes) {
    test::TempDir dir;
    // The shipped book's first section with its first lines repeated many times.
    const std::string shipped = test::ReadFile(test::ShippedDataDir() / kBookFileName);
    const std::size_t lines = shipped.find("start\r\n") + 7;
    // Only book lines are repeated: after "names" every line must be a name line.
    const std::size_t sectionEnd =
        std::min(shipped.find("\r\nnames\r\n"), shipped.find("\r\nend\r\n"));
    ASSERT_NE(sectionEnd, std::string::npos);
    std::string text = shipped.substr(0, lines);
    const std::string body = shipped.substr(lines, sectionEnd + 2 - lines);
    while (text.size() < kTwentyMegabytes)
        text += body;
    text += "end\r\n";
    test::WriteFile(dir / "zelkor.bok", text);
    auto g = std::make_unique<GameState>();
    SetUpDefaultGame(*g);
    test::RecordingUi ui;
    test::ScriptedRandom random;
    const BookResult result = FileBookLookup(1, *g, dir.path(), random, ui);
    EXPECT_FALSE(result.bookMoves.empty());
    EXPECT_LE(result.bookMoves.size(), static_cast<size_t>(kShownBookMoves));
    EXPECT_NE(result.from, 0);
}

}  // namespace
}  // namespace zelkor
