#include "records/rating.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/fakes.h"

namespace zelkor {
namespace {

TEST(Rating, EloFigures) {
    EXPECT_EQ(ComputerGameRating(1.0), 1200);
    EXPECT_EQ(ComputerGameRating(2.5), 1350);
    EXPECT_EQ(EloRating(1200, 1200, 1), 1215);
    EXPECT_EQ(EloRating(1200, 1200, 0.5), 1200);
    EXPECT_EQ(EloRating(1200, 1200, 0), 1185);
    EXPECT_EQ(RatingFactor(1999), 30);
    EXPECT_EQ(RatingFactor(2000), 30);
    EXPECT_EQ(RatingFactor(2010), 30);  // 29.5 to even
    EXPECT_EQ(RatingFactor(2030), 28);  // 28.5 to even
    EXPECT_EQ(RatingFactor(2400), 10);
    EXPECT_EQ(RatingFactor(2401), 10);
    // The result stays within what the rating file can hold.
    EXPECT_EQ(EloRating(0, 1100, 0), 0);
    EXPECT_EQ(EloRating(32767, 1100, 1), 32767);
}

TEST(Rating, ReportText) {
    EXPECT_EQ(RatingReport("  Good game", 1200, 1300, 1219),
              "  Good game\r\n\r\nYour previous rating was 1200\r\n"
              "The computers' rating in this game was 1300\r\n\r\nYour new rating is 1219");
    EXPECT_EQ(RatingReport("", -5, 1100, -7),
              "\r\n\r\nYour previous rating was-5\r\n"
              "The computers' rating in this game was 1100\r\n\r\nYour new rating is-7");
    EXPECT_EQ(RatingMessage(1200), "Your currrent rating is 1200");
    EXPECT_EQ(RatingCheckBoxCaption(1200), "Use Rating (1200)");
}

TEST(Rating, EncodeDecodeEveryRating) {
    EXPECT_EQ(EncodeRating("1200"), "JQKK");
    EXPECT_EQ(DecodeRating("JQKK"), "1200");
    EXPECT_EQ(DecodeRating("JaK"), "1/0");
    EXPECT_EQ(RatingValue(DecodeRating("JaK")), 1);
    EXPECT_EQ(RatingValue(DecodeRating("")), 0);
    EXPECT_EQ(RatingValue(DecodeRating("xJQ")), 0);
    EXPECT_EQ(RatingValue("99999999999"), kMaxRating);
    for (int r = 0; r <= 32767; ++r)
        ASSERT_EQ(RatingValue(DecodeRating(EncodeRating(std::to_string(r)))), r) << r;
}

TEST(Rating, RatingFile) {
    test::TempDir dir;
    EXPECT_EQ(ReadRatingFile(dir.path()), 1200);
    ASSERT_TRUE(WriteRatingFile(dir.path(), 1537));
    EXPECT_EQ(test::ReadFile(dir / "zelkor.rtg"), "JVZX\r\n");
    EXPECT_EQ(ReadRatingFile(dir.path()), 1537);
    test::WriteFile(dir / "zelkor.rtg", "");
    EXPECT_EQ(ReadRatingFile(dir.path()), 0);
    test::WriteFile(dir / "zelkor.rtg", "JQKK");  // no line end
    EXPECT_EQ(ReadRatingFile(dir.path()), 1200);
    ASSERT_TRUE(WriteRatingFile(dir.path(), -40));  // never written with a sign
    EXPECT_EQ(ReadRatingFile(dir.path()), 0);
    EXPECT_FALSE(WriteRatingFile(dir / "missing folder", 1200));
}

struct Played {
    std::string by;  // "1" computer, "2" player, "3" replayed
    int depth = 0;
};

std::unique_ptr<GameState> GameOf(const std::vector<Played>& plies) {
    auto g = std::make_unique<GameState>();
    for (std::size_t i = 0; i < plies.size(); ++i) {
        const int ply = static_cast<int>(i) + 1;
        MoveTextRow& row = g->moveTexts[(ply + 1) / 2];
        (ply % 2 == 1 ? row.firstBy : row.secondBy) = plies[i].by;
        (ply % 2 == 1 ? row.first : row.second) = "c3d4 c3-d4";
        if (plies[i].by == "1") row.depth = std::to_string(plies[i].depth);
    }
    g->gamePly = static_cast<int>(plies.size());
    g->recordLength = g->gamePly;
    return g;
}

TEST(Rating, UpdateAfterRatedGame) {
    auto g = GameOf({{"2"}, {"1", 2}, {"2"}, {"1", 4}});
    std::vector<int16_t> scores(kHistorySize, 0);
    std::vector<int16_t> counts(kHistorySize, 5);
    int rating = 1200;
    int computer = 0;
    const std::string report = UpdateRating(0, *g, true, rating, {scores, counts}, &computer);
    EXPECT_EQ(computer, 1400);
    EXPECT_EQ(rating, 1193);  // 1200 + 30 * (0 - 0.240)
    EXPECT_EQ(report, RatingReport("", 1200, 1400, rating));
    EXPECT_FALSE(g->rated);
    // The mark is cleared by the update: a second call changes nothing.
    EXPECT_EQ(UpdateRating(0, *g, true, rating, {scores, counts}), "");
}

TEST(Rating, WinRemarkLooksAtTheComputersPlies) {
    std::vector<int16_t> scores(kHistorySize, 0);
    std::vector<int16_t> counts(kHistorySize, 1);
    // Four plies: the player made the last move, the computer's plies are 1 and 3.
    EXPECT_EQ(WinRemark(4, {scores, counts}), "  Great game");
    scores[3] = 200;
    EXPECT_EQ(WinRemark(4, {scores, counts}), "  Great game");  // only one move there
    counts[3] = 2;
    EXPECT_EQ(WinRemark(4, {scores, counts}), "  Good game");
    EXPECT_EQ(WinRemark(5, {scores, counts}), "  Great game");    // ply 3 is the player's
    EXPECT_EQ(WinRemark(2000, {scores, counts}), "  Good game");  // beyond the histories

    auto g = GameOf({{"1", 2}, {"2"}, {"1", 2}, {"2"}});
    int rating = 1200;
    const std::string report = UpdateRating(1, *g, true, rating, {scores, counts});
    EXPECT_EQ(report.substr(0, 15), "  Good game\r\n\r\n");
}

TEST(Rating, UnratedGames) {
    std::vector<int16_t> none;
    int rating = 1200;
    auto players = GameOf({{"2"}, {"2"}, {"2"}});  // Player-Player
    EXPECT_EQ(UpdateRating(1, *players, true, rating, {none, none}), "");
    EXPECT_FALSE(players->rated);
    auto loaded = GameOf({{"3"}, {"3"}, {"2"}, {"1", 3}});
    loaded->rated = false;  // the replay cleared the mark
    EXPECT_EQ(UpdateRating(1, *loaded, true, rating, {none, none}), "");
    auto switched = GameOf({{"2"}, {"1", 2}, {"1", 2}, {"2"}});  // sides changed hands
    EXPECT_EQ(UpdateRating(1, *switched, true, rating, {none, none}), "");
    EXPECT_FALSE(switched->rated);
    auto off = GameOf({{"2"}, {"1", 2}});
    EXPECT_EQ(UpdateRating(1, *off, false, rating, {none, none}), "");
    EXPECT_TRUE(off->rated);
    EXPECT_EQ(rating, 1200);

    // Replayed opening moves followed by a fair game still count.
    auto mixed = GameOf({{"3"}, {"3"}, {"2"}, {"1", 3}});
    EXPECT_NE(UpdateRating(0.5, *mixed, true, rating, {none, none}), "");
}

}  // namespace
}  // namespace zelkor
