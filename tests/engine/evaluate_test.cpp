#include <gtest/gtest.h>

#include "engine/evaluate.h"
#include "engine_fixture.h"

namespace zelkor::test {
namespace {

using Evaluation = EngineTest;

TEST_F(Evaluation, AWinScoresByPlyAndFlagsTheOpponent) {
    SetUp(DefaultRules(), kWhiteFilled, kWhite, 20);
    EXPECT_EQ(Evaluate(e, 0, 0, kWhite), 32000);
    EXPECT_EQ(s.opponentHasWon, 0);
    g.ply = 3;
    EXPECT_EQ(Evaluate(e, 0, 0, kWhite), 31997);

    g.ply = 0;
    const int black = Evaluate(e, 0, 0, kBlack);
    EXPECT_EQ(s.opponentHasWon, 1);
    EXPECT_LT(black, 30000);
    EXPECT_GT(black, -30000);
}

TEST_F(Evaluation, SymmetricStartIsZeroAndNoiseStaysInsideTheAmplitude) {
    EXPECT_EQ(Evaluate(e, 0, 0, kWhite), 0);
    EXPECT_EQ(Evaluate(e, 0, 0, kBlack), 0);
    EXPECT_TRUE(random.values.empty());

    s.noiseAmplitude = 5;
    random.values = {0.9999, 0.0, 0.0, 0.9999, 0.5, 0.5, 0.21, 0.19};
    EXPECT_EQ(Evaluate(e, 0, 0, kWhite), 4);
    EXPECT_EQ(Evaluate(e, 0, 0, kWhite), -4);
    EXPECT_EQ(Evaluate(e, 0, 0, kWhite), 0);
    EXPECT_EQ(Evaluate(e, 0, 0, kWhite), 1);  // floor(1.05) - floor(0.95)
}

TEST_F(Evaluation, MaterialAndDistanceFromWhitesView) {
    // One White man on its target A8 (125 + the 100 bonus) against one Black man.
    SetUp(DefaultRules(), SetupOf("A8", "D5"), kWhite, 0);
    // D5 (64) to Black's nearest target H4 (58): rows 6-5, columns 4-8: distance 5.
    EXPECT_EQ(Evaluate(e, 0, 0, kWhite), 125 + 100 - (100 - 9 * 5));
    EXPECT_EQ(Evaluate(e, 0, 0, kBlack), -(125 + 100 - (100 - 9 * 5)));
}

TEST(TargetDistance, TableValuesFollowTheManhattanDistance) {
    HomeSquares home{};
    for (auto& list : home)
        list.fill(kEmptySlot);
    home[0][0] = SquareNumber("A8");
    home[1][0] = SquareNumber("H1");
    const HomeTables tables = BuildHomeTables(home);
    EXPECT_EQ(tables.targetDistance[0][SquareNumber("A8")], 125);
    EXPECT_EQ(tables.targetDistance[0][SquareNumber("B8")], 91);
    EXPECT_EQ(tables.targetDistance[0][SquareNumber("H1")], -26);  // 14 steps
    EXPECT_EQ(tables.targetDistance[1][SquareNumber("A8")], -26);
    EXPECT_EQ(tables.targetDistance[0][0], 0);   // off the board
    EXPECT_EQ(tables.targetDistance[0][30], 0);  // the border column
}

TEST_F(Evaluation, RepetitionsScoreZeroWithoutNoise) {
    s.noiseAmplitude = 5;
    random.fallback = 0.9999;  // would add noise if any were drawn
    SetUp(DefaultRules(), SetupOf("A8", "D5"), kWhite, 6);
    s.noiseAmplitude = 5;
    s.repetitionCount = 1;
    EXPECT_EQ(Evaluate(e, 0, 0, kWhite), 0);
    EXPECT_EQ(Evaluate(e, 0, 0, kBlack), 0);

    // The same men recorded earlier in the game, whoever was to move then.
    s.repetitionCount = 0;
    g.positionHistory[2] = MakePositionKey(g.board);
    EXPECT_EQ(Evaluate(e, 0, 0, kBlack), 0);
    // Only entries up to GamePly - 2 count: the entry of GamePly - 1 is this node's own.
    g.positionHistory[2] = PositionKey{};
    g.positionHistory[5] = MakePositionKey(g.board);
    random.fallback = 0.0;
    EXPECT_NE(Evaluate(e, 0, 0, kWhite), 0);
}

TEST_F(Evaluation, RecordedKeyIsTheExactBoardImage) {
    const std::string setup = SetupOf("A1 D4 H8", "H1 E4 A8 C6");
    SetUp(DefaultRules(), setup, kBlack, 3);
    Evaluate(e, 0, 0, kBlack);
    EXPECT_EQ(g.positionHistory[2], MakePositionKey(g.board));
    // A value no rule knows still gives the exact image.
    g.board[SquareNumber("B2")] = 7;
    g.board[SquareNumber("G7")] = 100;
    Evaluate(e, 0, 0, kBlack);
    EXPECT_EQ(g.positionHistory[2], MakePositionKey(g.board));
    g.board[SquareNumber("B2")] = kEmpty;
    g.board[SquareNumber("G7")] = kEmpty;
    // A single man moved gives another key.
    g.board[SquareNumber("D4")] = kEmpty;
    g.board[SquareNumber("D5")] = kWhiteMan;
    EXPECT_NE(g.positionHistory[2], MakePositionKey(g.board));
}

TEST_F(Evaluation, RecordsTheSearchPathAndStaysInsideTheHistory) {
    SetUp(DefaultRules(), kDefaultSetup, kWhite, 7);
    Evaluate(e, 0, 0, kWhite);
    EXPECT_EQ(g.positionHistory[6], MakePositionKey(g.board));
    EXPECT_EQ(CountKeyRepetitions(g, 6), 1);
    EXPECT_EQ(CountKeyRepetitions(g, 5), 0);
    CountRepetitions(g, s, 6);
    EXPECT_EQ(s.repetitionCount, 1);

    // Past the end of the history nothing is written and the game's entries still count.
    g.positionHistory.fill(PositionKey{});
    g.gamePly = kHistorySize + 5;
    EXPECT_EQ(Evaluate(e, 0, 0, kWhite), 0);  // symmetric start, no repetition
    EXPECT_EQ(CountKeyRepetitions(g, 5000), 0);
    g.positionHistory[kHistorySize - 1] = MakePositionKey(g.board);
    EXPECT_EQ(CountKeyRepetitions(g, 5000), 1);
}

TEST_F(Evaluation, CampRulesWaitForTheirPly) {
    VariantRules rules = DefaultRules();
    rules.flag(HomeLess) = 1;
    // A White man still on H1, in White's starting camp (Black's target).
    const std::string setup = SetupOf("H1 D4", "D5 C5");
    SetUp(rules, setup, kBlack, 58);
    EXPECT_LT(Evaluate(e, 0, 0, kBlack), 30000);
    EXPECT_EQ(s.opponentHasWon, 0);
    g.gamePly = 59;
    EXPECT_EQ(Evaluate(e, 0, 0, kBlack), 32000);
    EXPECT_LT(Evaluate(e, 0, 0, kWhite), 30000);
    EXPECT_EQ(s.opponentHasWon, 1);

    // Black's camp full of mixed colours wins for White only from GamePly 2 on.
    rules = DefaultRules();
    rules.flag(FullHome) = 1;
    SetUp(rules, SetupOf("A8 B8 C8 D8 A7", "B7 C7 A6 B6 A5 E4"), kWhite, 1);
    EXPECT_LT(Evaluate(e, 0, 0, kWhite), 30000);
    g.gamePly = 2;
    EXPECT_EQ(Evaluate(e, 0, 0, kWhite), 32000);
}

TEST(Noise, AmplitudeFollowsTheStrength) {
    EXPECT_EQ(NoiseAmplitudeFor(1), 5);  // level 9: exactly 0 becomes 5
    EXPECT_EQ(NoiseAmplitudeFor(0), 0);  // a negative amplitude becomes 0
    EXPECT_EQ(NoiseAmplitudeFor(2), 70);
    EXPECT_EQ(NoiseAmplitudeFor(10), 630);
}

}  // namespace
}  // namespace zelkor::test
