#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "rules/game_setup.h"
#include "rules/movegen.h"
#include "rules_test_util.h"

namespace zelkor {
namespace {

using test::EmptyGame;
using test::Generate;
using test::Place;
using test::Sq;
using Texts = std::vector<std::string>;

bool Has(const Texts& moves, const std::string& move) {
    return std::find(moves.begin(), moves.end(), move) != moves.end();
}
Texts From(const Texts& moves, const std::string& square) {
    Texts out;
    for (const auto& m : moves)
        if (m.compare(0, 2, square) == 0) out.push_back(m);
    return out;
}

VariantRules Rules(std::initializer_list<std::pair<RuleFlag, int>> flags) {
    VariantRules rules = DefaultRules();
    for (auto [flag, value] : flags)
        rules.flags[flag] = static_cast<uint8_t>(value);
    return rules;
}

TEST(MoveGeneration, DefaultStartListsStepsThenJumpsPerMan) {
    auto g = std::make_unique<GameState>();
    SetUpDefaultGame(*g);
    const Board before = g->board;
    const Texts moves = Generate(*g);
    EXPECT_EQ(From(moves, "h1"), Texts{"h1xf3"});
    EXPECT_EQ(From(moves, "e1"), (Texts{"e1-d2", "e1-e2", "e1-d1"}));
    EXPECT_EQ(moves.size(), 24u);
    EXPECT_EQ(moves.front(), "e1-d2");
    EXPECT_EQ(g->board, before);  // no chain mark is left behind
    EXPECT_EQ(g->plyStart[1], 24);
}

TEST(MoveGeneration, JumpOverEitherColourLeavesTheManJumpedOver) {
    auto g = EmptyGame();
    Place(*g, {"d4"}, {"d5"});
    const Texts moves = Generate(*g);
    EXPECT_TRUE(Has(moves, "d4xd6"));
    const Move& jump = g->movePool[std::find(moves.begin(), moves.end(), "d4xd6") - moves.begin()];
    EXPECT_EQ(jump.jump, 1);
    EXPECT_EQ(g->board[Sq("d5")], kBlackMan);
    // Over an own man too; never onto an occupied square.
    auto h = EmptyGame();
    Place(*h, {"d4", "d5"}, {"d6"});
    EXPECT_FALSE(Has(From(Generate(*h), "d4"), "d4xd6"));
}

TEST(MoveGeneration, ChainsWithAndWithoutMulJumps) {
    for (int mul : {0, 1}) {
        auto g = EmptyGame(Rules({{MulJumps, mul}, {OutofHome, 0}}));
        Place(*g, {"d4"}, {"d5", "d7"});
        const Texts moves = From(Generate(*g), "d4");
        EXPECT_TRUE(Has(moves, "d4xd8")) << mul;
        EXPECT_EQ(Has(moves, "d4xd6"), mul == 0) << mul;
    }
}

TEST(MoveGeneration, TwoRoutesToOneSquareGiveOneMove) {
    // d4 reaches f6 over d5 and e6 (by d6) and over e4 and f5 (by f4).
    auto g = EmptyGame(Rules({{OutofHome, 0}}));
    Place(*g, {"d4"}, {"d5", "e6", "e4", "f5"});
    const Texts moves = Generate(*g);
    EXPECT_EQ(std::count(moves.begin(), moves.end(), "d4xf6"), 1);
    EXPECT_EQ(moves, test::ReferenceMoves(*g, 1, 100000));
}

TEST(MoveGeneration, CapRequiredKeepsStepsWhenOnlyMenAtHomeCanJump) {
    // White's home squares include a8 b8 a7: a man there jumping does not forbid steps.
    auto g = EmptyGame(Rules({{CapRequired, 1}, {OutofHome, 0}}));
    Place(*g, {"a7", "e4"}, {"a6"});
    Texts moves = Generate(*g);
    EXPECT_TRUE(Has(moves, "a7xa5"));
    EXPECT_TRUE(Has(moves, "e4-e5"));
    // A man outside its home squares that can jump: no step is legal.
    auto h = EmptyGame(Rules({{CapRequired, 1}, {OutofHome, 0}}));
    Place(*h, {"a7", "e4"}, {"e5"});
    moves = Generate(*h);
    EXPECT_TRUE(Has(moves, "e4xe6"));
    for (const auto& m : moves)
        EXPECT_NE(m[2], '-') << m;
}

TEST(MoveGeneration, OutofHomeForcesJumpsOutOfTheStartingCamp) {
    // White's man on g2 stands in its starting camp (Black's home squares) and can jump
    // over the Black man on g3 to g4, out of the camp: only forced moves stay.
    auto g = EmptyGame();
    Place(*g, {"g2", "c4"}, {"g3"});
    const Texts moves = Generate(*g);
    EXPECT_EQ(moves, Texts{"g2xg4"});
    // Over an own man it is no forced jump.
    auto h = EmptyGame();
    Place(*h, {"g2", "g3", "c4"}, {});
    EXPECT_TRUE(Has(Generate(*h), "c4-c5"));
    // A hop over an enemy that lands deeper in the camp (closer to its corner h1) is
    // not forced: g3 over g2 to g1.
    auto k = EmptyGame();
    Place(*k, {"g3", "c4"}, {"g2"});
    const Texts kMoves = Generate(*k);
    EXPECT_TRUE(Has(kMoves, "g3xg1"));
    EXPECT_TRUE(Has(kMoves, "c4-c5"));
    // Switched off: steps stay.
    auto off = EmptyGame(Rules({{OutofHome, 0}}));
    Place(*off, {"g2", "c4"}, {"g3"});
    EXPECT_TRUE(Has(Generate(*off), "c4-c5"));
}

TEST(MoveGeneration, ForcedMarkCoversExactlyChainsBeginningWithAForcedHop) {
    // h2 jumps over Black's g3 to f4 (forced) and on over e5 to d6; it also jumps over its
    // own h3 to h4 (not forced). Only the chains starting with the forced hop remain.
    auto g = EmptyGame();
    Place(*g, {"h2", "h3"}, {"g3", "e5"});
    const Texts moves = Generate(*g);
    EXPECT_EQ(moves, test::ReferenceMoves(*g, 1, 100000));
    EXPECT_TRUE(Has(moves, "h2xf4"));
    EXPECT_TRUE(Has(moves, "h2xd6"));
    EXPECT_FALSE(Has(moves, "h2xh4"));
}

TEST(MoveGeneration, ManContJumpZeroStopsOnOwnHomeSquares) {
    // c4 over b5 lands on a6, one of White's home squares; the chain would go on over b7.
    for (int cont : {0, 1}) {
        auto g = EmptyGame(Rules({{ManContJump, cont}, {OutofHome, 0}}));
        Place(*g, {"c4"}, {"b5", "b7"});
        const Texts moves = From(Generate(*g), "c4");
        EXPECT_TRUE(Has(moves, "c4xa6")) << cont;
        EXPECT_EQ(Has(moves, "c4xc8"), cont == 1) << cont;
    }
}

TEST(MoveGeneration, LongKingsSlideAndJumpFromADistance) {
    auto g = EmptyGame(Rules({{LongKings, 1}, {OutofHome, 0}}));
    Place(*g, {"a1"}, {"a5"});
    Texts moves = Generate(*g);
    for (const char* m : {"a1-a2", "a1-a3", "a1-a4", "a1xa6", "a1xa7", "a1xa8", "a1-h8", "a1-h1"})
        EXPECT_TRUE(Has(moves, m)) << m;
    EXPECT_FALSE(Has(moves, "a1-a5"));
    EXPECT_EQ(moves, test::ReferenceMoves(*g, 1, 100000));

    auto k = EmptyGame(Rules({{LongKings, 1}, {KingFirst, 1}, {OutofHome, 0}}));
    Place(*k, {"a1"}, {"a5"});
    moves = Generate(*k);
    EXPECT_TRUE(Has(moves, "a1xa6"));
    EXPECT_FALSE(Has(moves, "a1xa7"));
    EXPECT_FALSE(Has(moves, "a1xa8"));

    // No chains: a second jump from the landing square is not a move of its own.
    auto c = EmptyGame(Rules({{LongKings, 1}, {OutofHome, 0}}));
    Place(*c, {"a1"}, {"a3", "c5"});
    moves = Generate(*c);
    EXPECT_TRUE(Has(moves, "a1xa4"));
    EXPECT_FALSE(Has(moves, "a1xe6"));
}

TEST(MoveGeneration, MaxCapMoveKeepsTheLongestChainsAndForcedOnes) {
    auto g = EmptyGame(Rules({{MaxCapMove, 1}, {OutofHome, 0}}));
    Place(*g, {"d4", "a1"}, {"d5", "d7", "b1"});
    const Texts moves = Generate(*g);
    Texts jumps;
    for (const auto& m : moves)
        if (m[2] == 'x') jumps.push_back(m);
    EXPECT_EQ(jumps, Texts{"d4xd8"});  // not d4xd6 nor a1xc1
    EXPECT_TRUE(Has(moves, "d4-e4"));  // steps stay legal
    auto r = EmptyGame(Rules({{MaxCapMove, 1}, {CapRequired, 1}, {OutofHome, 0}}));
    Place(*r, {"d4", "a1"}, {"d5", "d7", "b1"});
    EXPECT_EQ(Generate(*r), Texts{"d4xd8"});
}

TEST(MoveGeneration, MaxCapMoveExceptsForcedChainsButMulJumpsStillWantsThemMaximal) {
    // g2 stands in White's starting camp: over Black's g3 to g4 is forced, and the chain
    // goes on over g5 to g6.
    auto g = EmptyGame(Rules({{MaxCapMove, 1}}));
    Place(*g, {"g2", "g5", "b4"}, {"g3", "b5", "b7"});
    EXPECT_EQ(Generate(*g), (Texts{"g2xg6", "g2xg4"}));  // a chain is listed as it is left
    auto h = EmptyGame(Rules({{MaxCapMove, 1}, {MulJumps, 1}}));
    Place(*h, {"g2", "g5", "b4"}, {"g3", "b5", "b7"});
    EXPECT_EQ(Generate(*h), Texts{"g2xg6"});
    EXPECT_EQ(Generate(*h), test::ReferenceMoves(*h, 0, 100000));
}

TEST(MoveGeneration, MulJumpsOnlyMaximalChainsEvenWhenAnExtensionIsADuplicate) {
    auto g = EmptyGame(Rules({{MulJumps, 1}, {OutofHome, 0}}));
    Place(*g, {"a4", "b5", "b1"}, {"a1", "a3", "b4", "b6", "d7", "e2", "e5", "g2", "g6"});
    const Texts moves = Generate(*g);
    EXPECT_FALSE(Has(moves, "a4xc6"));
    EXPECT_TRUE(Has(moves, "a4xe8"));
    EXPECT_EQ(moves, test::ReferenceMoves(*g, 1, 100000));
    // Had the dropped extension not counted, the shorter chain would have been a move.
    EXPECT_TRUE(Has(test::ReferenceMoves(*g, 1, 100000, nullptr, false), "a4xc6"));
}

// Every square outside one colour class filled and one man of the side to move in that
// class's corner: over a million chain paths, far more than any fixed candidate list.
TEST(MoveGeneration, MaxCapMoveOnAFilledBoardKeepsTheLongestChains) {
    auto g = EmptyGame(Rules({{MaxCapMove, 1}, {OutofHome, 0}}));
    for (int square : kPlayingSquares)
        if (RowOf(square) % 2 == 1 || ColumnOf(square) % 2 == 0) g->board[square] = kBlackMan;
    g->board[Sq("a1")] = kWhiteMan;
    const Board before = g->board;
    const Texts moves = Generate(*g);
    EXPECT_EQ(g->board, before);
    bool tooMany = false;
    const Texts expected = test::ReferenceMoves(*g, 0, 3000000, &tooMany);
    ASSERT_FALSE(tooMany);
    EXPECT_EQ(moves, expected);
    EXPECT_FALSE(moves.empty());
}

// A hop moves two files and/or two ranks, so a chain stays on the 16 squares of its start
// square's class: at most 15 hops, far inside the 21 levels of the walk.
int LongestChain(Board& board, int c, std::vector<int>& seen) {
    int best = 0;
    for (int d : {1, -1, 9, -9, 10, -10, 11, -11}) {
        const int o = c + d, t = c + 2 * d;
        if (board[o] == 100 || board[o] == 0 || board[t] != 0) continue;
        if (std::find(seen.begin(), seen.end(), t) != seen.end()) continue;
        EXPECT_EQ(RowOf(t) % 2, RowOf(c) % 2);
        EXPECT_EQ(ColumnOf(t) % 2, ColumnOf(c) % 2);
        seen.push_back(t);
        best = std::max(best, 1 + LongestChain(board, t, seen));
        seen.pop_back();
    }
    return best;
}

TEST(MoveGeneration, ChainsVisitAtMostSixteenSquares) {
    Board board = EmptyBoard();
    for (int square : kPlayingSquares)
        if (RowOf(square) % 2 == 1 || ColumnOf(square) % 2 == 0) board[square] = kBlackMan;
    std::vector<int> seen{Sq("a1")};
    EXPECT_EQ(LongestChain(board, Sq("a1"), seen), 15);
}

TEST(MoveGeneration, PruningLeavesOutFarJumpsOnlyInTheReducedSet) {
    // White's reference corner is a8; a jump from d5 over e4 to f3 goes 4 farther away.
    auto g = EmptyGame(Rules({{OutofHome, 0}}));
    Place(*g, {"d5"}, {"e4"});
    EXPECT_TRUE(Has(Generate(*g, 1), "d5xf3"));
    EXPECT_FALSE(Has(Generate(*g, 0), "d5xf3"));
    // With MulJumps the reduced set is used whatever is asked.
    auto h = EmptyGame(Rules({{OutofHome, 0}, {MulJumps, 1}}));
    Place(*h, {"d5"}, {"e4"});
    EXPECT_FALSE(Has(Generate(*h, 1), "d5xf3"));
}

TEST(MoveGeneration, OrderingScoresFollowMainLineAndKillers) {
    auto g = std::make_unique<GameState>();
    SetUpDefaultGame(*g);
    g->pv[0][0] = PvEntry{Sq("h1"), Sq("f3"), 1};
    g->killers[0][0] = KillerMove{Sq("e1"), Sq("e2")};
    g->killers[0][1] = KillerMove{Sq("f2"), Sq("f3")};
    GenerateMoves(*g, 1);
    for (int i = g->plyStart[0]; i < g->plyStart[1]; ++i) {
        const Move& m = g->movePool[i];
        int expected = 0;
        if (m.Source == Sq("h1") && m.dest == Sq("f3")) expected = 500;
        if (m.Source == Sq("e1") && m.dest == Sq("e2")) expected = 250;
        if (m.Source == Sq("f2") && m.dest == Sq("f3")) expected = 150;
        EXPECT_EQ(m.score, expected) << i;
    }
}

TEST(MoveGeneration, FullPoolStopsTheSearchAndReusesTheLastSlot) {
    auto g = std::make_unique<GameState>();
    SetUpDefaultGame(*g);
    g->ply = 1;
    g->plyStart[1] = kMovePoolSize - 5;
    GenerateMoves(*g, 1);
    EXPECT_EQ(g->cancelRequest, 1);
    EXPECT_EQ(g->plyStart[2], kMovePoolSize - 1);
    int next = kMovePoolSize - 1;
    RegisterMove(*g, next, 21, 22);
    EXPECT_EQ(next, kMovePoolSize - 1);
    EXPECT_EQ(g->movePool[kMovePoolSize - 1].Source, 21);
}

TEST(MoveGeneration, ADamagedDirectionTableYieldsNoBadReads) {
    auto g = std::make_unique<GameState>();
    SetUpDefaultGame(*g);
    for (auto& row : g->directions)
        row.fill(12345);
    const Board before = g->board;
    EXPECT_TRUE(Generate(*g).empty());
    g->directions = DirectionTable{};
    EXPECT_TRUE(Generate(*g).empty());
    EXPECT_EQ(g->board, before);
}

// The fast generator against the literal one, over random positions and rule sets.
TEST(MoveGeneration, AgreesWithTheLiteralRulesOnRandomPositions) {
    std::mt19937 rng(20261206);
    const char* directionTexts[] = {kAllDirections, "N;E;W N;NE;NW", "NW;N;NE N;N;E;W;S",
                                    "N;NE;E;SE;S;SW;W;NW SW;S;SE;E", "N;S N"};
    int compared = 0;
    for (int round = 0; round < 3000; ++round) {
        VariantRules rules = DefaultRules();
        for (auto& flag : rules.flags)
            flag = static_cast<uint8_t>(rng() % 2);
        if (round % 2 == 0) {  // every other round a rule set of the direct path
            rules.flags[MaxCapMove] = 0;
            rules.flags[LongKings] = 0;
            rules.flags[ManContJump] = 1;
        }
        rules.directions[0] = directionTexts[rng() % 5];
        rules.directions[1] = directionTexts[rng() % 5];
        if (rng() % 4 == 0) {
            for (auto& list : rules.home)
                for (auto& slot : list)
                    slot = rng() % 3 == 0 ? kPlayingSquares[rng() % 64] : kEmptySlot;
        }
        auto g = EmptyGame(rules);
        g->side = rng() % 2 ? kWhite : kBlack;
        const int density = 20 + static_cast<int>(rng() % 50);
        for (int square : kPlayingSquares) {
            const int r = static_cast<int>(rng() % 100);
            if (r < density) g->board[square] = r % 2 ? kWhiteMan : kBlackMan;
            // Now and then a value no rule knows (a set-up digit, a stray mark): it blocks.
            if (round % 7 == 0 && r == 99) g->board[square] = 3 + static_cast<int>(rng() % 8);
        }
        const int allMoves = static_cast<int>(rng() % 2);
        const Board before = g->board;
        bool tooMany = false;
        const Texts expected = test::ReferenceMoves(*g, allMoves, 200000, &tooMany);
        if (tooMany) continue;
        ASSERT_EQ(g->board, before);
        const Texts moves = Generate(*g, allMoves);
        ASSERT_EQ(moves, expected) << "round " << round;
        ASSERT_EQ(g->board, before) << "round " << round;
        ++compared;
    }
    EXPECT_GT(compared, 2500);
}

}  // namespace
}  // namespace zelkor
