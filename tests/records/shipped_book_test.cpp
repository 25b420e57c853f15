// The shipped opening book and book games: every move legal in its variant, every variant
// with its section, every section found by the look-up, the games proposed. "zelkor-cli
// book" makes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "records/book.h"
#include "records/game_file.h"
#include "records/settings.h"
#include "records/text_file.h"
#include "replay_helpers.h"
#include "rules/variant_file.h"
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
