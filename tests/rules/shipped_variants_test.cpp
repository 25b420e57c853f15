// Every variant of the shipped variants.ini must be playable: the side to move has moves
// at the start and a filled camp wins (the games played to their end are in
// tests/game/files_test.cpp).
#include <gtest/gtest.h>

#include <memory>

#include "rules/game_setup.h"
#include "rules/make_move.h"
#include "rules/movegen.h"
#include "rules/variant_file.h"
#include "rules/win.h"
#include "support/fakes.h"

namespace zelkor {
namespace {

using test::RecordingUi;

// A new game of shipped variant n, with its rules in force as the variant dialog leaves
// them: the active rules equal the defined ones.
std::unique_ptr<GameState> ShippedGame(int n, std::string* name = nullptr) {
    test::RecordingUi ui;
    auto g = std::make_unique<GameState>();
    SetUpDefaultGame(*g);
    uint8_t variant = static_cast<uint8_t>(n);
    EXPECT_EQ(LoadVariant(*g, test::ShippedDataDir(), variant, ui), VariantFileStatus::Loaded);
    EXPECT_EQ(variant, n);
    EXPECT_TRUE(ui.messages.empty());
    g->active.flags = g->defined.flags;
    g->active.home = g->defined.home;
    g->active.directions = g->defined.directions;
    g->side = g->active.flags[BlackStarts] ? kBlack : kWhite;
    EXPECT_TRUE(ApplyRules(*g));
    ResetGameTree(*g);
    if (name) *name = g->defined.name;
    return g;
}

int VariantCount() {
    return static_cast<int>(ListVariantNames(test::ShippedDataDir(), false).size());
}

// Every variant loads cleanly, with a set-up, rules and help text that make sense, and the
// side to move has moves at the start.
TEST(ShippedVariants, EveryVariantLoadsAndCanStart) {
    RecordingUi ui;
    const auto names = ListVariantNames(test::ShippedDataDir(), false);
    ASSERT_GE(names.size(), 6u);
    EXPECT_EQ(names[0], "Halma");
    const std::string raw = test::ReadFile(test::ShippedDataDir() / kVariantFileName);
    size_t bareLf = 0;
    for (size_t i = 0; i < raw.size(); ++i)
        bareLf += raw[i] == '\n' && (i == 0 || raw[i - 1] != '\r');
    EXPECT_EQ(bareLf, 0u);

    for (size_t n = 1; n <= names.size(); ++n) {
        uint8_t variant = static_cast<uint8_t>(n);
        VariantBlock block;
        ASSERT_EQ(ReadVariantBlock(test::ShippedDataDir(), variant, ui, block),
                  VariantFileStatus::Loaded);
        EXPECT_EQ(variant, n);
        EXPECT_EQ(block.name, names[n - 1]);
        for (int f = 0; f < kRuleFlagCount; ++f) {
            ASSERT_TRUE(block.flags[f].has_value()) << block.name << " " << kRuleFlagKeys[f];
            EXPECT_LE(*block.flags[f], 1);
        }
        EXPECT_GT(block.help.size(), 100u) << block.name;
        EXPECT_EQ(block.help.back(), ' ');
        // Where move input takes the reduced move set, the help text says what it leaves out.
        if (*block.flags[MulJumps] || *block.flags[CapRequired] || *block.flags[MaxCapMove]) {
            EXPECT_NE(block.help.find("two squares farther"), std::string::npos) << block.name;
        }
        for (int side = 0; side < 2; ++side) {
            ASSERT_TRUE(block.home[side] && block.directions[side]) << block.name;
            DirectionTable table{};
            EXPECT_TRUE(ParseDirections(*block.directions[side], side, table)) << block.name;
            EXPECT_NE(table[side][0], kDirectionEnd);
            EXPECT_NE(table[side + 2][0], kDirectionEnd);
        }
        EXPECT_TRUE(n != 1 || !block.setup.has_value()) << "the first variant keeps the board";
        EXPECT_EQ(block.setup.value_or("").find_first_not_of("012"), std::string::npos);

        auto g = ShippedGame(static_cast<int>(n));
        // Each side's men fill exactly the other side's home squares at the start.
        for (int side = 0; side < 2; ++side) {
            int used = 0;
            for (int32_t square : g->defined.home[side])
                if (square != kEmptySlot) {
                    ++used;
                    EXPECT_EQ(g->board[square], side == 0 ? kBlackMan : kWhiteMan) << block.name;
                }
            int men = 0;
            for (int square : kPlayingSquares)
                men += g->board[square] == SideOfIndex(side);
            EXPECT_EQ(men, used) << block.name;
            EXPECT_LT(used, kHomeSlots) << "a full list counts as ten targets";
        }
        InitGameTree(*g);
        GenerateMoves(*g, 1);
        EXPECT_GT(MoveCount(*g), 0) << block.name;
        const WinState start = CheckWinConditions(*g);
        EXPECT_FALSE(start.whiteWon || start.blackWon) << block.name;
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST(ShippedVariants, FilledCampIsRecognisedAsAWin) {
    for (int n = 1; n <= VariantCount(); ++n) {
        std::string name;
        auto g = ShippedGame(n, &name);
        for (int side = 0; side < 2; ++side) {
            g->board = EmptyBoard();
            for (int32_t square : g->active.home[side])
                if (square != kEmptySlot) g->board[square] = SideOfIndex(side);
            g->gamePly = 20;
            EXPECT_TRUE(CheckWinConditions(*g).won(SideOfIndex(side))) << name << " " << side;
        }
    }
}

}  // namespace
}  // namespace zelkor
