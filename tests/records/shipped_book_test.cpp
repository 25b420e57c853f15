// The shipped opening book and book games: every move legal in its variant, every section
// found by the look-up. The generator at the end rebuilds them from the program's own
// moves (run it with --gtest_also_run_disabled_tests --gtest_filter='*MakeShippedBook*').
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "book_maker.h"
#include "records/book.h"
#include "records/game_file.h"
#include "records/settings.h"
#include "records/text_file.h"
#include "support/fakes.h"

namespace zelkor {
namespace {

using test::ShippedDataDir;

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
    const auto dir = ShippedDataDir();
    const auto sections = ReadSections(dir / kBookFileName);
    ASSERT_GE(sections.size(), 2u);
    std::map<std::string, int> named;
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
    const auto dir = ShippedDataDir();
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
}

TEST(ShippedBook, GamesLookUpOffersTheShippedGames) {
    const auto dir = ShippedDataDir();
    auto g = test::VariantGame(dir, 1);
    const BookGamesProposals all = CollectBookGameProposals(dir / kWhiteBookGames, GameText(*g));
    ASSERT_GE(all.candidates.size(), 2u);
    test::RecordingUi ui;
    ui.bookAnswers.push_back("");  // nothing selected: the computer searches
    EXPECT_EQ(GamesBookLookup(*g, dir, ui).from, 0);
    ASSERT_EQ(ui.bookDialogs.size(), 1u);
    EXPECT_EQ(ui.bookDialogs[0].back(), BookMovesLabel(static_cast<int>(all.candidates.size())));
    ui.bookAnswers.push_back(BookDialogLine(all.candidates[1]));
    const BookResult second = GamesBookLookup(*g, dir, ui);
    EXPECT_EQ(SquareName(second.from) + SquareName(second.to), all.candidates[1].move);

    // After a move only the games that played it go on, and one proposal is played at once.
    ASSERT_TRUE(test::PlayMoveText(*g, all.candidates[0].move));
    const BookGamesProposals black = CollectBookGameProposals(dir / kBlackBookGames, GameText(*g));
    ASSERT_EQ(black.candidates.size(), 1u);
    const BookResult reply = GamesBookLookup(*g, dir, ui);
    EXPECT_EQ(SquareName(reply.from) + SquareName(reply.to), black.candidates[0].move);
    EXPECT_EQ(ui.bookDialogs.size(), 2u);
}

// The generator of the shipped files.
struct VariantPlan {
    int variant;
    std::vector<std::string> openings;    // names of the first moves
    std::vector<std::string> variations;  // names of the replies
};

void Expand(GameState& g, const std::vector<int>& widths, std::size_t depth, std::string units,
            std::vector<std::string>& lines) {
    const std::vector<std::string> moves =
        depth < widths.size() ? test::RacingMoves(g) : std::vector<std::string>{};
    if (moves.empty()) {
        lines.push_back(units);
        return;
    }
    const std::size_t width = std::min<std::size_t>(widths[depth], moves.size());
    for (std::size_t i = 0; i < width; ++i) {
        auto next = std::make_unique<GameState>(g);
        const char marker = g.side == kWhite ? 'w' : 'b';
        if (!test::PlayMoveText(*next, moves[i])) continue;
        Expand(*next, widths, depth + 1, units + moves[i] + marker, lines);
    }
}

std::string Section(const std::filesystem::path& dir, const VariantPlan& plan) {
    auto g = test::VariantGame(dir, plan.variant);
    std::string text = "Variant=" + g->defined.name + "\r\n";
    text += "Setup=" + SetupText(g->initialBoard) + "\r\n";
    for (int f = 0; f < kRuleFlagCount; ++f)
        text += std::string(kRuleFlagKeys[f]) + "=" + std::to_string(g->active.flags[f]) + "\r\n";
    text += "PromoW=" + HomeSquaresText(g->defined.home[0]) + "\r\n";
    text += "PromoB=" + HomeSquaresText(g->defined.home[1]) + "\r\n";
    text += "WhiteManMovement=" + g->active.directions[0] + "\r\n";
    text += "BlackManMovement=" + g->active.directions[1] + "\r\n";
    text += "start\r\n";
    std::vector<std::string> lines;
    Expand(*g, {3, 2, 2, 1, 1, 1, 1, 1}, 0, "", lines);
    std::string previous;
    for (const std::string& line : lines) {
        std::size_t shared = 0;
        while (shared + 5 <= line.size() && shared + 5 <= previous.size() &&
               line.compare(shared, 5, previous, shared, 5) == 0)
            shared += 5;
        text += std::string(shared, ' ') + line.substr(shared) + "\r\n";
        previous = line;
    }
    text += "names\r\n";
    std::vector<std::string> firsts;
    for (const std::string& line : lines) {
        const std::string first = line.substr(0, 4);
        if (std::find(firsts.begin(), firsts.end(), first) == firsts.end()) firsts.push_back(first);
    }
    for (std::size_t i = 0; i < firsts.size() && i < plan.openings.size(); ++i) {
        text += firsts[i] + "'" + plan.openings[i] + "'\r\n";
        std::vector<std::string> replies;
        for (const std::string& line : lines) {
            if (line.compare(0, 4, firsts[i]) != 0 || line.size() < 9) continue;
            const std::string reply = line.substr(5, 4);
            if (std::find(replies.begin(), replies.end(), reply) == replies.end())
                replies.push_back(reply);
        }
        for (std::size_t k = 0; k < replies.size() && k < plan.variations.size(); ++k)
            text += firsts[i] + " " + replies[k] + "'" + plan.openings[i] + ", " +
                    plan.variations[k] + "'\r\n";
    }
    text += "end\r\n";
    return text;
}

TEST(ShippedBook, DISABLED_MakeShippedBook) {
    const auto dir = ShippedDataDir();
    const std::vector<VariantPlan> plans = {
        {test::VariantNumber(dir, "Halma"),
         {"Corner Opening", "Ladder Opening", "Flank Opening"},
         {"Main Line", "Counter Line"}},
        {test::VariantNumber(dir, "Orthogonal Halma"),
         {"Rook Opening", "File Opening", "Rank Opening"},
         {"Main Line", "Side Line"}},
        {test::VariantNumber(dir, "Black Begins"),
         {"Black Corner Opening", "Black Ladder Opening", "Black Flank Opening"},
         {"Main Line", "Counter Line"}},
    };
    std::string book = std::string(kFileSignature) + kDataVersion + "\r\n";
    for (const VariantPlan& plan : plans) {
        ASSERT_GT(plan.variant, 0);
        book += Section(dir, plan);
    }
    ASSERT_TRUE(WriteFileSafely(dir / kBookFileName, book));

    Settings settings;
    for (const char* folder : {kWhiteBookGames, kBlackBookGames}) {
        std::filesystem::create_directories(dir / folder);
        for (int n = 1; n <= 3; ++n) {
            std::mt19937 rng(static_cast<unsigned>(n * 7 + (folder == kBlackBookGames ? 100 : 0)));
            auto g = test::VariantGame(dir, 1);
            // Each game of a folder opens differently, so the look-up has a choice.
            ASSERT_TRUE(test::PlayMoveText(*g, test::RacingMoves(*g)[n - 1]));
            test::RacingGame(*g, 59, rng);
            g->comments[0] = "Racing play of the program's own moves";
            const std::string name = std::string(folder == kWhiteBookGames ? "white" : "black") +
                                     std::to_string(n) + ".zlk";
            ASSERT_TRUE(WriteGameFile(dir / folder / name, GameFileDataOf(*g, settings)));
        }
    }
}

}  // namespace
}  // namespace zelkor
