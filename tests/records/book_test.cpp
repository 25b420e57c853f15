#include "records/book.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>

#include "replay_helpers.h"
#include "records/game_file.h"
#include "rules/game_setup.h"
#include "rules/movegen.h"
#include "support/fakes.h"

namespace zelkor {
namespace {

using test::RecordingUi;
using test::ScriptedRandom;
using test::TempDir;
using test::WriteFile;

const std::string kSection =
    "Variant=Halma\r\n"
    "BlackStarts=0\r\n"
    "PromoW=A8B8C8D8A7B7C7A6B6A5\r\n"
    "WhiteManMovement=NW;N;NE;E;SE;S;SW;W NW;N;NE;E;SE;S;SW;W\r\n"
    "start\r\n";

class FileBook : public ::testing::Test {
  protected:
    void Book(const std::string& body) {
        WriteFile(dir / "zelkor.bok", "ZELKOR Version=0.10\r\n" + body);
    }
    BookResult Lookup(int mode = 1) { return FileBookLookup(mode, *g, dir.path(), random, ui); }

    TempDir dir;
    std::unique_ptr<GameState> g = test::StartPosition();
    ScriptedRandom random;
    RecordingUi ui;
};

TEST_F(FileBook, StartPositionProposesWhiteMoves) {
    Book(kSection + "c3d4w\r\nc3d4b\r\nh4g5wf6e5b\r\nend\r\n");
    const BookResult r = Lookup();
    EXPECT_EQ(r.bookMoves, (std::vector<std::string>{"c3d4", "h4g5"}));
    EXPECT_FALSE(r.inBook);
    EXPECT_EQ(r.from, 43);
    EXPECT_EQ(r.to, 54);
}

TEST_F(FileBook, WeightedCandidatesAndTreeLines) {
    Book(kSection +
         "h4g5 f6e5b\r\n"
         "h4g5 f6e5bg3h4w\r\n"
         "          g3f4w\r\n"  // h4g5 f6e5bg3f4w: proposes g3f4 only
         "     d6c5b\r\n"       // h4g5 d6c5b
         "g3f4 f6e5b\r\n"
         "end\r\n");
    test::RecordTexts(*g, {"h4g5"});
    random.values = {0.0, 0.5, 0.7, 0.99};
    std::vector<std::string> chosen;
    for (int i = 0; i < 4; ++i) {
        const BookResult r = Lookup();
        EXPECT_TRUE(r.inBook);
        EXPECT_EQ(r.bookMoves, (std::vector<std::string>{"f6e5", "f6e5", "d6c5"}));
        chosen.push_back(SquareName(r.from) + SquareName(r.to));
    }
    EXPECT_EQ(chosen, (std::vector<std::string>{"f6e5", "f6e5", "d6c5", "d6c5"}));

    test::RecordTexts(*g, {"f6e5"});
    const BookResult after = Lookup();
    EXPECT_TRUE(after.inBook);
    EXPECT_EQ(after.bookMoves, (std::vector<std::string>{"g3h4", "g3f4"}));
    test::RecordTexts(*g, {"g3h4"});
    EXPECT_TRUE(Lookup().bookMoves.empty());
}

TEST_F(FileBook, SectionsThatDoNotFitAreSkipped) {
    Book(
        "Variant=Other\r\nstart\r\nh4g5w\r\nend\r\n"
        "Variant=Halma\r\nBlackStarts=1\r\nstart\r\ng3f4w\r\nend\r\n"
        "Variant=Halma\r\nPromoW=A8B8H8\r\nstart\r\ng3f4w\r\nend\r\n"
        "Variant=Halma\r\nBlackManMovement=N;E W\r\nstart\r\ng3f4w\r\nend\r\n"
        "Variant=Halma\r\nSetup=0000\r\nstart\r\ng3f4w\r\nend\r\n"
        "start\r\ng3f4w\r\nend\r\n" +
        kSection + "c3d4w\r\nend\r\n");
    EXPECT_EQ(Lookup().bookMoves, (std::vector<std::string>{"c3d4"}));

    // A game whose Black starts takes the section made for it.
    g->active.flag(BlackStarts) = 1;
    EXPECT_EQ(Lookup().bookMoves, (std::vector<std::string>{"g3f4"}));
    // Home squares are compared as sets, with room for the pieces the value leaves out.
    g->active.flag(BlackStarts) = 0;
    std::reverse(g->active.home[0].begin(), g->active.home[0].end());
    EXPECT_EQ(Lookup().bookMoves, (std::vector<std::string>{"c3d4"}));
}

TEST_F(FileBook, OpeningNames) {
    Book(kSection +
         "h4g5 f6e5b\r\nnames\r\n'Start'\r\nh4g5'Corner'\r\nh4g5 f6e5'Corner, main line'\r\n"
         "h4g5 d6c5'Other'\r\nend\r\n");
    BookResult r = Lookup(0);
    EXPECT_EQ(r.openingName, "Start");
    EXPECT_EQ(ui.Text(Display::OpeningName), "Start");
    test::RecordTexts(*g, {"h4g5"});
    EXPECT_EQ(Lookup(0).openingName, "Corner");
    // Mode 1 names the opening after the chosen move.
    r = Lookup(1);
    EXPECT_EQ(r.openingName, "Corner, main line");
    test::RecordTexts(*g, {"d6c5"});
    EXPECT_EQ(Lookup(0).openingName, "Other");
    EXPECT_FALSE(Lookup(0).inBook);
}

TEST_F(FileBook, FileProblems) {
    EXPECT_FALSE(Lookup().inBook);  // no file: nothing, silently
    EXPECT_TRUE(ui.messages.empty());

    WriteFile(dir / "zelkor.bok", "ZELKOR VERSION=0.10\r\n");
    Lookup();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Shown(ui.messages[0]), "Zelkor: ZELKOR.BOK is not an Zelkor Book file");

    WriteFile(dir / "zelkor.bok", "ZELKOR Version=0.2\r\n");
    Lookup();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(Shown(ui.messages[1]), "Error: Incorrect version of ZELKOR.BOK\r\nNeed version 0.10");
    EXPECT_EQ(ui.messages[1].icon, Icon::Exclamation);

    // A damaged name line (no quotes, or a name so long that its closing quote was cut) never
    // ends the program: told once per change of the file, and no book moves.
    const std::string file = (dir / "zelkor.bok").string();
    BookCache cache;
    for (const std::string& name :
         {std::string("c3d4 no quote"), "c3d4'" + std::string(70000, 'n') + "'"}) {
        Book(kSection + "c3d4w\r\nnames\r\n'Start'\r\n" + name + "\r\nend\r\n");
        ui.messages.clear();
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(cache.Lookup(1, *g, dir.path(), random, ui).bookMoves.empty());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(Shown(ui.messages[0]),
                  "Error: " + file + ", line 10: the name line \"" + name.substr(0, 60) +
                      "\" has no name between quotes; the opening book is not used");
    }
    // Mended, the book is read again at the next look-up.
    Book(kSection + "c3d4w\r\nend\r\n");
    std::filesystem::last_write_time(
        dir / "zelkor.bok",
        std::filesystem::file_time_type::clock::now() + std::chrono::seconds(5));
    EXPECT_EQ(cache.Lookup(1, *g, dir.path(), random, ui).bookMoves,
              std::vector<std::string>{"c3d4"});
}

TEST(BookGames, ProposalsCountsAndDialogTexts) {
    TempDir dir;
    const std::string header = "ZELKOR Version=0.10\r\nSTART\r\n";
    WriteFile(dir / "a.zlk", header + "h4g5\r\n{c}\r\nf6e5\r\ng3f4\r\ne5d4\r\n");
    WriteFile(dir / "b.ZLK", header + "h4g5\r\nf6e5\r\ng3h4\r\n{end}\r\n");
    WriteFile(dir / "c.zlk", header + "h4g5\r\nd6c5\r\ng3h4\r\nf6e5\r\n");
    WriteFile(dir / "d.zlk", header + "g3f4\r\nd6c5\r\n");  // too short to count at the start
    WriteFile(dir / "e.zlk", header + "h4g5\r\nf6e5\r\n");  // its proposal is the last line
    WriteFile(dir / "notes.txt", header + "h4g5\r\nf6e5\r\ng3h4\r\n");

    BookGamesProposals start = CollectBookGameProposals(dir.path(), "");
    EXPECT_EQ(start.filesRead, 5);
    ASSERT_EQ(start.candidates.size(), 1u);
    EXPECT_EQ(start.candidates[0].move, "h4g5");
    EXPECT_EQ(start.candidates[0].count, 3);

    BookGamesProposals after = CollectBookGameProposals(dir.path(), "h4g5");
    ASSERT_EQ(after.candidates.size(), 2u);
    EXPECT_EQ(after.candidates[0].move, "f6e5");
    EXPECT_EQ(after.candidates[0].count, 2);
    EXPECT_EQ(after.candidates[1].move, "d6c5");

    EXPECT_TRUE(CollectBookGameProposals(dir.path(), "H4G5").candidates.empty());
    EXPECT_TRUE(CollectBookGameProposals(dir / "none", "").candidates.empty());

    EXPECT_EQ(BookDialogLine({"c3d4", 3}), "c3d4   3");
    EXPECT_EQ(BookDialogLine({"c3d4", 12}), "c3d4  12");
    EXPECT_EQ(BookGamesLabel(1), " 1 game");
    EXPECT_EQ(BookGamesLabel(4), " 4 games");
    EXPECT_EQ(BookMovesLabel(1), " 1 move");
    EXPECT_EQ(BookMovesLabel(2), " 2 moves");
}

TEST(BookGames, GameTextFromTheMoveList) {
    auto g = test::StartPosition();
    EXPECT_EQ(GameText(*g), "");
    test::RecordTexts(*g, {"h4g5", "F6E5", "g3f4"});
    g->gamePly = 2;  // the text ends at the shown position
    EXPECT_EQ(GameText(*g), "h4g5 f6e5");
    EXPECT_EQ(BookMoveSquares("c3d4"), std::make_pair(43, 54));
    EXPECT_EQ(BookMoveSquares("zz"), std::make_pair(0, 0));
}

TEST(BookGames, IllegalProposalsAreDroppedBeforeTheDialog) {
    TempDir dir;
    auto g = test::StartPosition();
    ResetGameTree(*g);
    ApplyRules(*g);
    const auto folder = dir / kWhiteBookGames;
    std::filesystem::create_directories(folder);
    const std::string header = "ZELKOR Version=0.10\r\nSTART\r\n";
    WriteFile(folder / "a.zlk", header + "h4g5\r\nf6e5\r\ng3f4\r\n");
    WriteFile(folder / "b.zlk", header + "a1a2\r\nf6e5\r\ng3f4\r\n");  // no man on a1
    WriteFile(folder / "c.zlk", header + "h4h6\r\nf6e5\r\ng3f4\r\n");  // no jump there
    // The driver's root moves (here cut to one) stay as the look-up found them.
    GenerateMoves(*g, 0);
    g->plyStart[1] = 1;
    const auto root = g->movePool;
    RecordingUi ui;
    const BookResult r = GamesBookLookup(*g, dir.path(), ui);
    EXPECT_EQ(g->plyStart[1], 1);
    EXPECT_EQ(std::memcmp(g->movePool.data(), root.data(), sizeof root), 0);
    EXPECT_TRUE(ui.bookDialogs.empty());
    EXPECT_EQ(r.from, SquareNumber("H4"));
    EXPECT_EQ(r.to, SquareNumber("G5"));
    EXPECT_EQ(r.bookMoves, (std::vector<std::string>{"h4g5"}));

    // Black to move reads the other folder, which does not exist: nothing, silently.
    g->side = kBlack;
    EXPECT_EQ(GamesBookLookup(*g, dir.path(), ui).from, 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(FileBookLimits, ManyCandidatesStayWithinTheList) {
    TempDir dir;
    std::string book = "ZELKOR Version=0.10\r\nVariant=Halma\r\nstart\r\n";
    for (int i = 0; i < 150; ++i)
        book += i % 2 ? "h4g5w\r\n" : "g3f4w\r\n";  // far more than the original 101 entries
    WriteFile(dir / "zelkor.bok", book + "end\r\n");
    auto g = test::StartPosition();
    ScriptedRandom random;
    random.values = {0.999};
    RecordingUi ui;
    const BookResult r = FileBookLookup(1, *g, dir.path(), random, ui);
    EXPECT_EQ(r.bookMoves.size(), 11u);
    EXPECT_EQ(SquareName(r.from) + SquareName(r.to), "h4g5");  // entry 149
}

}  // namespace
}  // namespace zelkor
