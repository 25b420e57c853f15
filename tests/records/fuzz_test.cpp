// Malformed input the fuzz targets cannot make: lines of megabytes, files without end and
// devices. The readers must give a clear result: no crash, no hang, bounded results.
#include <gtest/gtest.h>

#include "book_maker.h"
#include "records/book.h"
#include "records/game_file.h"
#include "support/fakes.h"

namespace zelkor {
namespace {

using test::WriteFile;

TEST(HostileFiles, HugeLinesAndFilesWithoutStart) {
    test::TempDir dir;
    const std::string huge(10 * 1024 * 1024, 'c');
    const std::string game = "ZELKOR Version=0.10\r\nVariant=1\r\nSTART\r\nh4g5\r\n";
    WriteFile(dir / "a.zlk", game + huge + "\r\n" + "{" + huge + "}\r\n");
    const GameFileContents a = ReadGameFile(dir / "a.zlk");
    EXPECT_TRUE(a.complete);
    ASSERT_EQ(a.body.size(), 3u);
    EXPECT_EQ(a.body[1].text.size(), kMaxMoveLineLength);
    EXPECT_LE(a.body[2].text.size(), 65536u);

    WriteFile(dir / "b.zlk", "ZELKOR Version=0.10\r\n" + huge);
    const GameFileContents b = ReadGameFile(dir / "b.zlk");
    EXPECT_EQ(std::tuple(b.status, b.complete, b.linesAfterStart),
              std::tuple(GameFileStatus::Ok, false, 0));

    std::string keys = "ZELKOR Version=0.10\r\n";
    for (int i = 0; i < 5000; ++i)
        keys += "Depth=3\r\n";
    WriteFile(dir / "c.zlk", keys + "START\r\n");
    EXPECT_LE(ReadGameFile(dir / "c.zlk").header.size(), 1000u);

    WriteFile(dir / "zelkor.bok", "ZELKOR Version=0.10\r\nVariant=Halma\r\nstart\r\n" + huge);
    auto g = test::StartPosition();
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
