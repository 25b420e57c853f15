#include "records/book.h"
#include "records/book_choice.h"
#include "records/book_games.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <map>

#include "records/game_file.h"
#include "records/settings.h"
#include "records/text_file.h"
#include "rules/rules_test_util.h"

namespace zelkor::test {
namespace {

using Moves = std::vector<std::string>;

const std::string kSection =
    "Variant=Halma\r\nBlackStarts=0\r\nPromoW=A8B8C8D8A7B7C7A6B6A5\r\n"
    "WhiteManMovement=NW;N;NE;E;SE;S;SW;W NW;N;NE;E;SE;S;SW;W\r\nstart\r\n";
const std::string kGameStart = "ZELKOR Version=0.10\r\nSTART\r\n";

class FileBook : public ::testing::Test {
  protected:
    void Book(const std::string& body) {
        WriteFile(dir / "zelkor.bok", "ZELKOR Version=0.10\r\n" + body);
    }
    BookResult Lookup(int mode = 1) { return FileBookLookup(mode, *g, dir.path(), random, ui); }
    std::string Chosen(const BookResult& r) { return SquareName(r.from) + SquareName(r.to); }

    TempDir dir;
    std::unique_ptr<GameState> g = DefaultGame();
    ScriptedRandom random;
    RecordingUi ui;
};

TEST_F(FileBook, WeightedCandidatesAndTreeLines) {
    Book(kSection + "c3d4w\r\nc3d4b\r\nh4g5wf6e5b\r\nend\r\n");
    BookResult r = Lookup();
    EXPECT_EQ(std::tuple(r.bookMoves, r.inBook, r.from, r.to),
              std::tuple(Moves{"c3d4", "h4g5"}, false, 43, 54));

    Book(kSection +
         "h4g5 f6e5b\r\n"
         "h4g5 f6e5bg3h4w\r\n"
         "          g3f4w\r\n"  // h4g5 f6e5bg3f4w: proposes g3f4 only
         "     d6c5b\r\n"       // h4g5 d6c5b
         "g3f4 f6e5b\r\nend\r\n");
    RecordTexts(*g, {"h4g5"});
    random.values = {0.0, 0.5, 0.7, 0.99};
    Moves chosen;
    for (int i = 0; i < 4; ++i) {
        r = Lookup();
        EXPECT_EQ(std::tuple(r.inBook, r.bookMoves),
                  std::tuple(true, Moves{"f6e5", "f6e5", "d6c5"}));
        chosen.push_back(Chosen(r));
    }
    EXPECT_EQ(chosen, (Moves{"f6e5", "f6e5", "d6c5", "d6c5"}));
    RecordTexts(*g, {"f6e5"});
    r = Lookup();
    EXPECT_EQ(std::tuple(r.inBook, r.bookMoves), std::tuple(true, Moves{"g3h4", "g3f4"}));
    RecordTexts(*g, {"g3h4"});
    EXPECT_TRUE(Lookup().bookMoves.empty());
    // A move without its side's marker at a line's end proposes nothing, whatever line follows.
    Book(kSection + "h4g5 f6e5\r\nb3c4w\r\nend\r\n");
    g = DefaultGame();
    RecordTexts(*g, {"h4g5"});
    EXPECT_TRUE(Lookup().bookMoves.empty());
    // Past the first eleven proposals, the one drawn is still the file's own.
    std::string many;
    for (const char* move : {"a7a6", "b7b6", "c7c6", "d7d6", "e7e6", "f7f6", "g7g6", "h7h6", "a8a5",
                             "b8b5", "c8c5", "h8h5", "g8g5", "f8f5", "e8e5", "d8d5"})
        many += std::string("h4g5 ") + move + "b\r\n";
    Book(kSection + many + "end\r\n");
    random.values = {0.99};
    r = Lookup();
    EXPECT_EQ(std::tuple(r.bookMoves.size(), Chosen(r)), std::tuple(size_t{11}, "d8d5"));
}

TEST_F(FileBook, SectionsThatDoNotFitAreSkipped) {
    Book(
        "Variant=Other\r\nstart\r\nh4g5w\r\nend\r\n"
        "Variant=Halma\r\nBlackStarts=1\r\nstart\r\ng3f4w\r\nend\r\n"
        "Variant=Halma\r\nPromoW=A8B8H8\r\nstart\r\ng3f4w\r\nend\r\n"
        "Variant=Halma\r\nPromoB=A1\r\nstart\r\ng3f4w\r\nend\r\n"
        "Variant=Halma\r\nBlackManMovement=N;E W\r\nstart\r\ng3f4w\r\nend\r\n"
        "Variant=Halma\r\nSetup=" +
        std::string(64, '0') + "\r\nstart\r\ng3f4w\r\nend\r\nstart\r\ng3f4w\r\nend\r\n" + kSection +
        "c3d4w\r\nend\r\n");
    BookCache cache;  // kept as a game keeps it: another start position takes its own section
    EXPECT_EQ(cache.Lookup(1, *g, dir.path(), random, ui).bookMoves, Moves{"c3d4"});
    const Board start = g->initialBoard;
    g->initialBoard = EmptyBoard();
    EXPECT_EQ(cache.Lookup(1, *g, dir.path(), random, ui).bookMoves, Moves{"g3f4"});
    g->initialBoard = start;
    ParseDirections("N;E W", 1, g->directions);  // as does another movement
    EXPECT_EQ(cache.Lookup(1, *g, dir.path(), random, ui).bookMoves, Moves{"g3f4"});
    ParseDirections(kAllDirections, 1, g->directions);
    g->active.flag(BlackStarts) = 1;  // a game whose Black starts takes the section for it
    EXPECT_EQ(Lookup().bookMoves, Moves{"g3f4"});
    // Home squares are compared as sets, with room for the pieces the value leaves out.
    g->active.flag(BlackStarts) = 0;
    std::reverse(g->active.home[0].begin(), g->active.home[0].end());
    EXPECT_EQ(Lookup().bookMoves, Moves{"c3d4"});
    Book("Variant=Halma\r\nMulJumps=\r\nstart\r\ne3f4w\r\nend\r\n" + kSection +
         "c3d4w\r\nend\r\n");  // the first counts; a flag without a number is 0
    EXPECT_EQ(Lookup().bookMoves, Moves{"e3f4"});
}

TEST_F(FileBook, OpeningNames) {
    Book(kSection +
         "h4g5 f6e5b\r\nnames\r\n'Start'\r\nh4g5'Corner'\r\nh4g5 f6e5'Corner, main line'\r\n"
         "h4g5 d6c5 g5f6'Deep'\r\nh4g5 d6c5'Other'\r\nend\r\n");
    EXPECT_TRUE(Lookup(0).openingName == "Start" && ui.Text(Display::OpeningName) == "Start");
    RecordTexts(*g, {"h4g5"});
    EXPECT_EQ(Lookup(0).openingName, "Corner");
    EXPECT_EQ(Lookup(1).openingName, "Corner, main line");  // named after the chosen move
    RecordTexts(*g, {"d6c5"});
    EXPECT_TRUE(Lookup(0).openingName == "Other" && !Lookup(0).inBook);
    RecordTexts(*g, {"g5f6"});
    EXPECT_EQ(Lookup(0).openingName, "Other");  // a later, shorter line wins
    // A section's names end at its own "end": the next section's names are not its.
    Book(kSection + "h4g5w\r\nnames\r\nh4g5'Corner'\r\nend\r\n" +
         "Variant=Other\r\nstart\r\nh4g5w\r\nnames\r\nh4g5'Elsewhere'\r\nend\r\n");
    g = DefaultGame();
    RecordTexts(*g, {"h4g5"});
    EXPECT_EQ(Lookup(0).openingName, "Corner");
}

TEST_F(FileBook, FileProblemsAndLimits) {
    EXPECT_TRUE(!Lookup().inBook && ui.messages.empty());  // no file: nothing, silently
    for (auto [first, message] :
         {std::pair{"ZELKOR VERSION=0.10", "Zelkor: ZELKOR.BOK is not an Zelkor Book file"},
          {"ZELKOR Version=1.10", "Error: Incorrect version of ZELKOR.BOK\r\nNeed version 0.10"}}) {
        WriteFile(dir / "zelkor.bok", std::string(first) + "\r\n");
        Lookup();
        EXPECT_EQ(std::tuple(Shown(ui.messages.back()), ui.messages.back().icon),
                  std::tuple(message, Icon::Exclamation));
    }
    // A name line without quotes (or cut before its closing one, or in names before any
    // section): told once, no book moves.
    const std::string file = (dir / "zelkor.bok").string();
    BookCache cache;
    const std::string named = kSection + "c3d4w\r\nnames\r\n'Start'\r\n";
    for (const auto& [before, name] : {std::pair{named, std::string("c3d4 no quote")},
                                       {named, "c3d4'" + std::string(70000, 'n') + "'"},
                                       {"names\r\n", "c3d4 no quote"}}) {
        Book(before + name + "\r\nend\r\n");
        ui.messages.clear();
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(cache.Lookup(1, *g, dir.path(), random, ui).bookMoves.empty());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(Shown(ui.messages[0]),
                  "Error: " + file + ", line " +
                      std::to_string(std::count(before.begin(), before.end(), '\n') + 2) +
                      ": the name line \"" + name.substr(0, 60) +
                      "\" has no name between quotes; the opening book is not used");
    }
    // Mended, the book is read again at the next look-up.
    Book(kSection + "c3d4w\r\nend\r\n");
    const auto later = std::filesystem::file_time_type::clock::now() + std::chrono::seconds(5);
    std::filesystem::last_write_time(dir / "zelkor.bok", later);
    EXPECT_EQ(cache.Lookup(1, *g, dir.path(), random, ui).bookMoves, Moves{"c3d4"});

    // A book swapped for a same-size, same-time copy, or rewritten in place, is read again.
    const auto time = std::filesystem::last_write_time(dir / "zelkor.bok");
    WriteFile(dir / "other.bok", "ZELKOR Version=0.10\r\n" + kSection + "h4g5w\r\nend\r\n");
    std::filesystem::last_write_time(dir / "other.bok", time);
    std::filesystem::rename(dir / "other.bok", dir / "zelkor.bok");
    EXPECT_EQ(cache.Lookup(1, *g, dir.path(), random, ui).bookMoves, Moves{"h4g5"});
    Book(kSection + "g3f4w\r\nend\r\n");
    std::filesystem::last_write_time(dir / "zelkor.bok", time);
    EXPECT_EQ(cache.Lookup(1, *g, dir.path(), random, ui).bookMoves, Moves{"g3f4"});
    // The section found is kept for the rules it was found for, not for others.
    Book(kSection + "g3f4w\r\nend\r\nVariant=Halma\r\nBlackStarts=1\r\nstart\r\nd6c5b\r\nend\r\n");
    EXPECT_EQ(cache.Lookup(1, *g, dir.path(), random, ui).bookMoves, Moves{"g3f4"});
    std::tie(g->active.flag(BlackStarts), g->side) = std::tuple(1, kBlack);
    EXPECT_EQ(cache.Lookup(1, *g, dir.path(), random, ui).bookMoves, Moves{"d6c5"});
    std::tie(g->active.flag(BlackStarts), g->side) = std::tuple(0, kWhite);
    // Sections without an end, and empty lines: each section ends at the first "end".
    Book("Variant=Other\r\nstart\r\n" + kSection + "\r\n\r\nc3d4w\r\nend\r\nstart\r\n");
    EXPECT_EQ(Lookup().bookMoves, Moves{"c3d4"});
    // A book over the size limit is reported, not read.
    ui.messages.clear();
    Book(kSection + std::string(kMaxBookFileSize, '\n'));
    EXPECT_TRUE(Lookup().bookMoves.empty());
    EXPECT_EQ(Shown(ui.messages.at(0)),
              "Error: " + file + " is larger than 32 MB; the opening book is not used");

    std::string many = "Variant=Halma\r\nstart\r\n";
    for (int i = 0; i < 150; ++i)
        many += i % 2 ? "h4g5w\r\n" : "g3f4w\r\n";  // far more than the original 101 entries
    Book(many + "end\r\n");
    random.values = {0.999};
    const BookResult r = Lookup();
    EXPECT_EQ(std::tuple(r.bookMoves.size(), Chosen(r)), std::tuple(11u, "h4g5"));  // entry 149
}

TEST(BookGames, ProposalsCountsDialogTextsAndIllegalProposals) {
    TempDir dir;
    WriteFile(dir / "a.zlk", kGameStart + "h4g5\r\n{c}\r\nf6e5\r\ng3f4\r\ne5d4\r\n");
    WriteFile(dir / "b.ZLK", kGameStart + "h4g5\r\nf6e5\r\ng3h4\r\n{end}\r\n");
    WriteFile(dir / "c.zlk", kGameStart + "h4g5\r\nd6c5\r\ng3h4\r\nf6e5\r\n");
    WriteFile(dir / "d.zlk", kGameStart + "g3f4\r\nd6c5\r\n");  // too short to count at the start
    WriteFile(dir / "e.zlk", kGameStart + "h4g5\r\nf6e5\r\n");  // its proposal is the last line
    WriteFile(dir / "f.zlk", kGameStart + "{only a comment}\r\n");
    WriteFile(dir / "notes.txt", kGameStart + "h4g5\r\nf6e5\r\ng3h4\r\n");
    auto text = [](const BookGamesProposals& p) {
        std::string out = std::to_string(p.filesRead) + ":";
        for (const auto& c : p.candidates)
            out += " " + c.move + "x" + std::to_string(c.count);
        return out;
    };
    EXPECT_EQ(text(CollectBookGameProposals(dir.path(), "")), "6: h4g5x3");
    EXPECT_EQ(text(CollectBookGameProposals(dir.path(), "h4g5")), "6: f6e5x2 d6c5x1");
    // Equal counts keep the order of the files.
    EXPECT_EQ(text(CollectBookGameProposals(dir.path(), "h4g5 f6e5")), "6: g3f4x1 g3h4x1");
    EXPECT_TRUE(CollectBookGameProposals(dir.path(), "H4G5").candidates.empty() &&
                CollectBookGameProposals(dir / "none", "").candidates.empty());
    EXPECT_EQ(BookDialogLine({"c3d4", 12}) + "|" + BookDialogLine({"c3d4", 1234}),
              "c3d4  12|c3d4 1234");  // a count's own blank parts it from a long move
    EXPECT_EQ(BookGamesLabel(1) + BookGamesLabel(4), " 1 game 4 games");
    EXPECT_EQ(BookMovesLabel(1) + BookMovesLabel(2), " 1 move 2 moves");

    auto g = DefaultGame();
    EXPECT_EQ(GameText(*g), "");
    RecordTexts(*g, {"h4g5", "F6E5", "g3f4"});
    g->gamePly = 2;  // the text ends at the shown position
    EXPECT_EQ(GameText(*g), "h4g5 f6e5");
    EXPECT_EQ(std::pair(BookMoveSquares("c3d4"), BookMoveSquares("zz")),
              std::pair(std::make_pair(43, 54), std::make_pair(0, 0)));

    // A game naming other rules proposes nothing; without them, or in another order, it counts.
    const std::string kOther =
        "ZELKOR Version=0.10\r\nVariant=2\r\nMulJumps=0\r\n{}\r\nSTART\r\nh4g5\r\nf6e5\r\ng3h4\r\n";
    ParseDirections("N N", 0, g->directions);  // the sides move differently: "Offset=" names
    ParseDirections("E E", 1, g->directions);  // White's movement, then Black's
    const std::pair<std::string, bool> headers[] = {
        {"MulJumps=1", false},
        {"Offset=\r\nN;E;S;W N;E;S;W\r\nN;E;S;W N;E;S;W", false},
        {"Offset=\r\nE E\r\nN N", false},
        {"Offset=\r\nN N\r\nE E", true},
        {"PromoW=A8", false},
        {"PromoW=A5B6A6C7B7A7D8C8B8A8", true},
        {"Setup=1", false},
        {"Setup=" + SetupText(g->initialBoard).substr(0, 60), true},  // e8-h8 empty, left out
        {"BlackStarts=0", true},
        {"BlackStarts=1", false}};
    for (const auto& [header, fits] : headers) {
        TempDir games;
        std::string file = kOther;
        file.replace(file.find("{}"), 2, header);
        WriteFile(games / "g.zlk", file);
        EXPECT_EQ(CollectBookGameProposals(games.path(), "", g.get()).candidates.size(),
                  fits ? 1u : 0u)
            << header;
    }

    // Illegal proposals are dropped before the dialog.
    g = DefaultGame();
    const auto folder = dir / kWhiteBookGames;
    std::filesystem::create_directories(folder);
    WriteFile(folder / "a.zlk", kGameStart + "h4g5\r\nf6e5\r\ng3f4\r\n");
    WriteFile(folder / "b.zlk", kGameStart + "a7c5\r\nf6e5\r\ng3f4\r\n");  // Black's man
    WriteFile(folder / "c.zlk", kGameStart + "h4h6\r\nf6e5\r\ng3f4\r\n");  // no jump there
    // The driver's root moves (here cut to one) stay as the look-up found them.
    GenerateMoves(*g, MoveSet::Search);
    g->plyStart[1] = 1;
    const auto root = g->movePool;
    RecordingUi ui;
    const BookResult r = GamesBookLookup(*g, dir.path(), ui);
    EXPECT_TRUE(g->plyStart[1] == 1 && ui.bookDialogs.empty());
    EXPECT_EQ(std::memcmp(g->movePool.data(), root.data(), sizeof root), 0);
    EXPECT_EQ(std::tuple(r.from, r.to, r.bookMoves),
              std::tuple(SquareNumber("H4"), SquareNumber("G5"), Moves{"h4g5"}));
    // Black to move reads the other folder, which does not exist: nothing (no a7c5), silently.
    g->side = kBlack;
    EXPECT_TRUE(GamesBookLookup(*g, dir.path(), ui).from == 0 && ui.messages.empty());
}

// The shipped book and games: every line legal, a section per variant found, rules and help.
TEST(ShippedData, BookLinesAndGamesAreLegalAndEveryVariantHasItsSection) {
    const auto dir = ShippedDataDir();
    const auto names = ListVariantNames(dir, false);
    const auto number = [&](const std::string& name) {
        return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin()) + 1;
    };
    std::map<std::string, int> sections;
    LineReader in(dir / kBookFileName);
    std::string variant, line;  // an indented line repeats the start of the line before
    bool inLines = false;
    while (auto next = in.Next()) {
        if (next->rfind("Variant=", 0) == 0) ++sections[variant = next->substr(8)];
        const bool start = *next == "start";
        inLines = start || (inLines && *next != "names" && *next != "end");
        if (!inLines || start) continue;
        const std::size_t blanks = std::min(next->find_first_not_of(' '), next->size());
        line = line.substr(0, blanks) + next->substr(blanks);
        auto g = VariantGame(dir, number(variant));
        ASSERT_TRUE(g) << variant;
        for (std::size_t at = 0; at + 4 <= line.size(); at += 5) {
            const char marker = at + 4 < line.size() ? line[at + 4] : ' ';
            EXPECT_TRUE(marker == ' ' || marker == (g->side == kWhite ? 'w' : 'b')) << line;
            ASSERT_TRUE(Play(*g, line.substr(at, 4))) << variant << ": " << line;
        }
    }
    EXPECT_EQ(sections.size(), names.size());
    for (std::size_t v = 1; v <= names.size(); ++v) {
        SCOPED_TRACE(names[v - 1]);
        EXPECT_EQ(sections[names[v - 1]], 1);
        auto g = VariantGame(dir, static_cast<int>(v));
        ASSERT_TRUE(g);
        for (uint8_t flag : g->defined.flags)
            EXPECT_LE(flag, 1);
        // Where move input takes the reduced move set, the help says what it leaves out.
        if (g->defined.flag(MulJumps) || g->defined.flag(CapRequired) ||
            g->defined.flag(MaxCapMove)) {
            EXPECT_NE(g->defined.help.find("two squares farther"), std::string::npos);
        }
        RecordingUi ui;
        ScriptedRandom random;
        const BookResult r = FileBookLookup(1, *g, dir, random, ui);
        EXPECT_TRUE(!r.bookMoves.empty() && !r.openingName.empty() && ui.messages.empty());
    }
    for (const char* folder : {kWhiteBookGames, kBlackBookGames})
        for (const auto& entry : std::filesystem::directory_iterator(dir / folder)) {
            const GameFileContents game = ReadGameFile(entry.path());
            ASSERT_TRUE(game.status == GameFileStatus::Ok && game.complete) << entry.path();
            int gameVariant = 1;
            for (const auto& h : game.header)
                if (h.key == "Variant=") gameVariant = static_cast<int>(h.number);
            auto g = VariantGame(dir, gameVariant);
            ASSERT_TRUE(g);
            for (const auto& item : game.body)
                if (item.kind == GameFileItem::Kind::Move) {
                    ASSERT_TRUE(Play(*g, item.text)) << entry.path() << " " << item.text;
                }
        }
}

}  // namespace
}  // namespace zelkor::test
