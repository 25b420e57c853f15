#include "records/book.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <map>
#include <memory>

#include "records/game_file.h"
#include "records/settings.h"
#include "records/text_file.h"
#include "replay_helpers.h"
#include "rules/game_setup.h"
#include "rules/movegen.h"
#include "rules/variant_file.h"
#include "support/fakes.h"

namespace zelkor {
namespace {

using test::WriteFile;
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

    test::TempDir dir;
    std::unique_ptr<GameState> g = test::StartPosition();
    test::ScriptedRandom random;
    test::RecordingUi ui;
};

TEST_F(FileBook, WeightedCandidatesAndTreeLines) {
    Book(kSection + "c3d4w\r\nc3d4b\r\nh4g5wf6e5b\r\nend\r\n");
    BookResult r = Lookup();
    EXPECT_EQ(r.bookMoves, (Moves{"c3d4", "h4g5"}));
    EXPECT_EQ(std::tuple(r.inBook, r.from, r.to), std::tuple(false, 43, 54));

    Book(kSection +
         "h4g5 f6e5b\r\n"
         "h4g5 f6e5bg3h4w\r\n"
         "          g3f4w\r\n"  // h4g5 f6e5bg3f4w: proposes g3f4 only
         "     d6c5b\r\n"       // h4g5 d6c5b
         "g3f4 f6e5b\r\nend\r\n");
    test::RecordTexts(*g, {"h4g5"});
    random.values = {0.0, 0.5, 0.7, 0.99};
    Moves chosen;
    for (int i = 0; i < 4; ++i) {
        r = Lookup();
        EXPECT_TRUE(r.inBook);
        EXPECT_EQ(r.bookMoves, (Moves{"f6e5", "f6e5", "d6c5"}));
        chosen.push_back(Chosen(r));
    }
    EXPECT_EQ(chosen, (Moves{"f6e5", "f6e5", "d6c5", "d6c5"}));
    test::RecordTexts(*g, {"f6e5"});
    r = Lookup();
    EXPECT_TRUE(r.inBook);
    EXPECT_EQ(r.bookMoves, (Moves{"g3h4", "g3f4"}));
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
    EXPECT_EQ(Lookup().bookMoves, Moves{"c3d4"});
    g->active.flag(BlackStarts) = 1;  // a game whose Black starts takes the section for it
    EXPECT_EQ(Lookup().bookMoves, Moves{"g3f4"});
    // Home squares are compared as sets, with room for the pieces the value leaves out.
    g->active.flag(BlackStarts) = 0;
    std::reverse(g->active.home[0].begin(), g->active.home[0].end());
    EXPECT_EQ(Lookup().bookMoves, Moves{"c3d4"});
}

TEST_F(FileBook, OpeningNames) {
    Book(kSection +
         "h4g5 f6e5b\r\nnames\r\n'Start'\r\nh4g5'Corner'\r\nh4g5 f6e5'Corner, main line'\r\n"
         "h4g5 d6c5'Other'\r\nend\r\n");
    EXPECT_EQ(Lookup(0).openingName, "Start");
    EXPECT_EQ(ui.Text(Display::OpeningName), "Start");
    test::RecordTexts(*g, {"h4g5"});
    EXPECT_EQ(Lookup(0).openingName, "Corner");
    EXPECT_EQ(Lookup(1).openingName, "Corner, main line");  // named after the chosen move
    test::RecordTexts(*g, {"d6c5"});
    EXPECT_EQ(Lookup(0).openingName, "Other");
    EXPECT_FALSE(Lookup(0).inBook);
}

TEST_F(FileBook, FileProblemsAndLimits) {
    EXPECT_FALSE(Lookup().inBook);  // no file: nothing, silently
    EXPECT_TRUE(ui.messages.empty());
    WriteFile(dir / "zelkor.bok", "ZELKOR VERSION=0.10\r\n");
    Lookup();
    EXPECT_EQ(Shown(ui.messages.back()), "Zelkor: ZELKOR.BOK is not an Zelkor Book file");
    WriteFile(dir / "zelkor.bok", "ZELKOR Version=0.2\r\n");
    Lookup();
    EXPECT_EQ(Shown(ui.messages.back()),
              "Error: Incorrect version of ZELKOR.BOK\r\nNeed version 0.10");
    EXPECT_EQ(ui.messages.back().icon, Icon::Exclamation);
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
    EXPECT_EQ(cache.Lookup(1, *g, dir.path(), random, ui).bookMoves, Moves{"c3d4"});

    std::string many = "Variant=Halma\r\nstart\r\n";
    for (int i = 0; i < 150; ++i)
        many += i % 2 ? "h4g5w\r\n" : "g3f4w\r\n";  // far more than the original 101 entries
    Book(many + "end\r\n");
    random.values = {0.999};
    const BookResult r = Lookup();
    EXPECT_EQ(r.bookMoves.size(), 11u);
    EXPECT_EQ(Chosen(r), "h4g5");  // entry 149
}

TEST(BookGames, ProposalsCountsAndDialogTexts) {
    test::TempDir dir;
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
    EXPECT_TRUE(CollectBookGameProposals(dir.path(), "H4G5").candidates.empty());
    EXPECT_TRUE(CollectBookGameProposals(dir / "none", "").candidates.empty());
    EXPECT_EQ(BookDialogLine({"c3d4", 3}) + "|" + BookDialogLine({"c3d4", 12}),
              "c3d4   3|c3d4  12");
    EXPECT_EQ(BookGamesLabel(1) + BookGamesLabel(4), " 1 game 4 games");
    EXPECT_EQ(BookMovesLabel(1) + BookMovesLabel(2), " 1 move 2 moves");

    auto g = test::StartPosition();
    EXPECT_EQ(GameText(*g), "");
    test::RecordTexts(*g, {"h4g5", "F6E5", "g3f4"});
    g->gamePly = 2;  // the text ends at the shown position
    EXPECT_EQ(GameText(*g), "h4g5 f6e5");
    EXPECT_EQ(BookMoveSquares("c3d4"), std::make_pair(43, 54));
    EXPECT_EQ(BookMoveSquares("zz"), std::make_pair(0, 0));
}

TEST(BookGames, IllegalProposalsAreDroppedBeforeTheDialog) {
    test::TempDir dir;
    auto g = test::StartPosition();
    ResetGameTree(*g);
    ApplyRules(*g);
    const auto folder = dir / kWhiteBookGames;
    std::filesystem::create_directories(folder);
    WriteFile(folder / "a.zlk", kGameStart + "h4g5\r\nf6e5\r\ng3f4\r\n");
    WriteFile(folder / "b.zlk", kGameStart + "a1a2\r\nf6e5\r\ng3f4\r\n");  // no man on a1
    WriteFile(folder / "c.zlk", kGameStart + "h4h6\r\nf6e5\r\ng3f4\r\n");  // no jump there
    // The driver's root moves (here cut to one) stay as the look-up found them.
    GenerateMoves(*g, 0);
    g->plyStart[1] = 1;
    const auto root = g->movePool;
    test::RecordingUi ui;
    const BookResult r = GamesBookLookup(*g, dir.path(), ui);
    EXPECT_EQ(g->plyStart[1], 1);
    EXPECT_EQ(std::memcmp(g->movePool.data(), root.data(), sizeof root), 0);
    EXPECT_TRUE(ui.bookDialogs.empty());
    EXPECT_EQ(std::tuple(r.from, r.to), std::tuple(SquareNumber("H4"), SquareNumber("G5")));
    EXPECT_EQ(r.bookMoves, Moves{"h4g5"});
    // Black to move reads the other folder, which does not exist: nothing, silently.
    g->side = kBlack;
    EXPECT_EQ(GamesBookLookup(*g, dir.path(), ui).from, 0);
    EXPECT_TRUE(ui.messages.empty());
}

// The shipped opening book and book games: every move legal in its variant, every variant
// with its section, every section found by the look-up, the games proposed. "zelkor-cli
// book" makes them.
struct BookSection {
    std::string variant;
    std::vector<std::string> lines;  // expanded
    std::vector<std::string> names;  // name lines
};

std::vector<BookSection> ReadSections(const std::filesystem::path& file) {
    std::vector<BookSection> sections;
    LineReader in(file);
    enum { Header, Lines, Names } part = Header;
    std::string previous;
    while (auto line = in.Next()) {
        if (line->rfind("Variant=", 0) == 0) {
            sections.push_back({line->substr(8), {}, {}});
            part = Header;
            previous.clear();
        } else if (*line == "start") {
            part = Lines;
        } else if (*line == "names") {
            part = Names;
        } else if (*line == "end") {
            part = Header;
        } else if (part == Lines && !sections.empty()) {
            const std::size_t blanks = std::min(line->find_first_not_of(' '), line->size());
            previous = previous.substr(0, blanks) + line->substr(blanks);
            sections.back().lines.push_back(previous);
        } else if (part == Names && !sections.empty()) {
            sections.back().names.push_back(*line);
        }
    }
    return sections;
}

TEST(ShippedBook, EveryLineIsLegalInItsVariant) {
    const auto dir = test::ShippedDataDir();
    const auto sections = ReadSections(dir / kBookFileName);
    std::map<std::string, int> named;
    for (const std::string& name : ListVariantNames(dir, false))
        EXPECT_EQ(std::count_if(sections.begin(), sections.end(),
                                [&](const BookSection& s) { return s.variant == name; }),
                  1)
            << name;
    for (const BookSection& section : sections) {
        const int variant = test::VariantNumber(dir, section.variant);
        ASSERT_GT(variant, 0) << section.variant;
        int bookMoves = 0;
        for (const std::string& line : section.lines) {
            auto g = test::VariantGame(dir, variant);
            ASSERT_TRUE(g);
            for (std::size_t at = 0; at + 4 <= line.size(); at += 5) {
                const std::string move = line.substr(at, 4);
                const char marker = at + 4 < line.size() ? line[at + 4] : ' ';
                if (marker != ' ') {
                    ++bookMoves;
                    EXPECT_EQ(marker, g->side == kWhite ? 'w' : 'b') << line;
                }
                ASSERT_TRUE(test::PlayMoveText(*g, move))
                    << section.variant << ": " << line << " at " << move;
            }
        }
        EXPECT_GT(bookMoves, 0) << section.variant;
        for (const std::string& name : section.names) {
            const std::size_t open = name.find('\'');
            ASSERT_NE(open, std::string::npos) << name;
            ASSERT_NE(name.find('\'', open + 1), std::string::npos) << name;
            ++named[section.variant];
        }

        // The look-up finds the section from the variant's start position.
        auto g = test::VariantGame(dir, variant);
        test::RecordingUi ui;
        test::ScriptedRandom random;
        const BookResult r = FileBookLookup(1, *g, dir, random, ui);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_FALSE(r.bookMoves.empty()) << section.variant;
        EXPECT_NE(r.from, 0);
        EXPECT_FALSE(r.openingName.empty()) << section.variant;
        ASSERT_TRUE(test::PlayMoveText(*g, SquareName(r.from) + SquareName(r.to)));
        const BookResult next = FileBookLookup(0, *g, dir, random, ui);
        EXPECT_TRUE(next.inBook);
    }
    EXPECT_GE(sections[0].lines.size(), 10u);
    EXPECT_EQ(sections[0].variant, "Halma");
    EXPECT_GE(named["Halma"], 3);
}

TEST(ShippedBook, BookGamesReplayLegally) {
    const auto dir = test::ShippedDataDir();
    for (const char* folder : {kWhiteBookGames, kBlackBookGames}) {
        int games = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir / folder)) {
            if (entry.path().extension() != ".zlk") continue;
            ++games;
            const GameFileContents contents = ReadGameFile(entry.path());
            ASSERT_EQ(contents.status, GameFileStatus::Ok) << entry.path();
            ASSERT_TRUE(contents.complete) << entry.path();
            int variant = 1;
            for (const auto& h : contents.header)
                if (h.key == "Variant=") variant = static_cast<int>(h.number);
            auto g = test::VariantGame(dir, variant);
            ASSERT_TRUE(g);
            int moves = 0;
            for (const auto& item : contents.body) {
                if (item.kind != GameFileItem::Kind::Move) continue;
                ASSERT_TRUE(test::PlayMoveText(*g, item.text)) << entry.path() << " " << item.text;
                ++moves;
            }
            EXPECT_GE(moves, 20) << entry.path();
        }
        EXPECT_GE(games, 2) << folder;
    }
    // The games of every variant are proposed at the start of each; the legal ones are kept.
    auto g = test::VariantGame(dir, 1);
    test::RecordingUi ui;
    ui.bookAnswers.push_back("");  // nothing selected: the computer searches
    EXPECT_EQ(GamesBookLookup(*g, dir, ui).from, 0);
    ASSERT_EQ(ui.bookDialogs.size(), 1u);
    EXPECT_GE(ui.bookDialogs[0].size(), 3u);  // two moves and the label
}

}  // namespace
}  // namespace zelkor
