// Malformed input of every kind must leave the readers with a clear result: no crash,
// no hang, bounded results.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "replay_helpers.h"
#include "records/book.h"
#include "records/game_file.h"
#include "records/rating.h"
#include "support/fakes.h"

namespace zelkor {
namespace {

using test::TempDir;
using test::WriteFile;

const std::string kGame =
    "ZELKOR Version=0.10\r\nVariant=1\r\n"
    "Setup=0000111100000111000000110000000120000000220000002220000022220000\r\n"
    "Depth=2\r\nNotation=0\r\nMulJumps=0\r\nBlackStarts=0\r\nPromoW=A8B8C8D8A7B7C7A6B6A5\r\n"
    "Offset=\r\nNW;N;NE;E;SE;S;SW;W NW;N;NE;E;SE;S;SW;W\r\nN;S N;S\r\nPlayerName=x\r\n"
    "START\r\n{a\xFF\xFF"
    "b}\r\nh4g5\r\nf6e5\r\n{c}\r\n";
const std::string kBook =
    "ZELKOR Version=0.10\r\nVariant=Halma\r\nBlackStarts=0\r\nPromoW=A8B8C8D8A7B7C7A6B6A5\r\n"
    "WhiteManMovement=NW;N;NE;E;SE;S;SW;W NW;N;NE;E;SE;S;SW;W\r\nstart\r\n"
    "h4g5wf6e5b\r\n     d6c5bg3f4w\r\nnames\r\nh4g5'Corner'\r\nend\r\n";

std::string Mutate(const std::string& base, std::mt19937& rng) {
    std::string text = base;
    const int kind = static_cast<int>(rng() % 4);
    if (kind == 0) {  // truncated
        text.resize(rng() % (text.size() + 1));
    } else if (kind == 1) {  // random bytes
        text.resize(rng() % 600);
        for (char& c : text)
            c = static_cast<char>(rng() % 256);
        if (rng() % 2) text = base.substr(0, 20) + text;
    } else {  // flipped, inserted and deleted bytes
        const int edits = 1 + static_cast<int>(rng() % 8);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const std::size_t at = rng() % text.size();
            const char c = "\r\n{}' =0123456789abwSTART\xFF\x00"[rng() % 23];
            switch (rng() % 3) {
                case 0:
                    text[at] = c;
                    break;
                case 1:
                    text.insert(at, 1, c);
                    break;
                default:
                    text.erase(at, 1);
            }
        }
    }
    return text;
}

TEST(Fuzz, ReadersSurviveDamagedFiles) {
    TempDir dir;
    std::mt19937 rng(20261206);
    auto g = test::StartPosition();
    test::ScriptedRandom random;
    random.fallback = 0.999;
    int fatal = 0;
    for (int i = 0; i < 1000; ++i) {
        const std::string game = Mutate(kGame, rng);
        WriteFile(dir / "g.zlk", game);
        const GameFileContents contents = ReadGameFile(dir / "g.zlk");
        ASSERT_LE(contents.body.size(), 2u * kMaxGamePlies + 1);
        for (const auto& item : contents.body) {
            if (item.kind == GameFileItem::Kind::Move) {
                ASSERT_LE(item.text.size(), 64u);
            }
        }

        CollectBookGameProposals(dir.path(), i % 2 ? "" : "h4g5");

        WriteFile(dir / "zelkor.bok", Mutate(kBook, rng));
        test::RecordingUi ui;
        try {
            const BookResult r = FileBookLookup(i % 2, *g, dir.path(), random, ui);
            ASSERT_LE(r.bookMoves.size(), static_cast<std::size_t>(kShownBookMoves));
        } catch (const test::Terminated&) {
            ++fatal;  // a damaged name line is the book's fatal fault
        }
        if (i % 4 == 0) {
            WriteFile(dir / "zelkor.rtg", game.substr(0, 40));
            const int rating = ReadRatingFile(dir.path());
            ASSERT_GE(rating, 0);
            ASSERT_LE(rating, kMaxRating);
        }
    }
    EXPECT_LT(fatal, 1000);
}

TEST(Fuzz, HugeLinesAndFilesWithoutStart) {
    TempDir dir;
    const std::string huge(10 * 1024 * 1024, 'c');
    WriteFile(dir / "a.zlk", kGame + huge + "\r\n" + "{" + huge + "}\r\n");
    const GameFileContents a = ReadGameFile(dir / "a.zlk");
    EXPECT_TRUE(a.complete);
    ASSERT_EQ(a.body.size(), 6u);
    EXPECT_EQ(a.body[4].text.size(), kMaxMoveLineLength);
    EXPECT_LE(a.body[5].text.size(), 65536u);

    WriteFile(dir / "b.zlk", "ZELKOR Version=0.10\r\n" + huge);
    const GameFileContents b = ReadGameFile(dir / "b.zlk");
    EXPECT_EQ(b.status, GameFileStatus::Ok);
    EXPECT_FALSE(b.complete);
    EXPECT_EQ(b.linesAfterStart, 0);

    std::string keys = "ZELKOR Version=0.10\r\n";
    for (int i = 0; i < 5000; ++i)
        keys += "Depth=3\r\n";
    WriteFile(dir / "c.zlk", keys + "START\r\n");
    EXPECT_LE(ReadGameFile(dir / "c.zlk").header.size(), 1000u);

    WriteFile(dir / "zelkor.bok", kBook.substr(0, kBook.find("start")) + "start\r\n" + huge);
    auto g = test::StartPosition();
    test::ScriptedRandom random;
    test::RecordingUi ui;
    EXPECT_FALSE(FileBookLookup(1, *g, dir.path(), random, ui).inBook);
}

TEST(Fuzz, SpecialFilesAreNotRead) {
    // A device that never ends: the readers must refuse it instead of reading forever.
    if (!std::filesystem::exists("/dev/zero")) GTEST_SKIP();
    EXPECT_EQ(ReadGameFile("/dev/zero").status, GameFileStatus::Unreadable);
    EXPECT_TRUE(CollectBookGameProposals("/dev", "").candidates.empty());
}

}  // namespace
}  // namespace zelkor
