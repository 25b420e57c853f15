#include "records/rating.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "records/log.h"
#include "support/fakes.h"

namespace zelkor::test {
namespace {

TEST(Rating, EloFiguresAndTexts) {
    EXPECT_EQ(std::tuple(ComputerGameRating(1.0), ComputerGameRating(2.5)), std::tuple(1200, 1350));
    // The last row stays within what the file can hold.
    const std::tuple<int, int, double, int> elo[] = {{1200, 1200, 1, 1215},
                                                     {1200, 1200, 0.5, 1200},
                                                     {1200, 1200, 0, 1185},
                                                     {0, 1100, 0, 0},
                                                     {32767, 1100, 1, 32767}};
    for (auto [player, computer, score, rating] : elo)
        EXPECT_EQ(EloRating(player, computer, score), rating);
    // 29.5 and 28.5 round to even.
    const std::pair<int, int> factors[] = {{1999, 30}, {2000, 30}, {2010, 30},
                                           {2030, 28}, {2400, 10}, {2401, 10}};
    for (auto [rating, factor] : factors)
        EXPECT_EQ(RatingFactor(rating), factor) << rating;
    EXPECT_EQ(RatingReport("  Good game", 1200, 1300, 1219),
              "  Good game\r\n\r\nYour previous rating was 1200\r\n"
              "The computer's rating in this game was 1300\r\n\r\nYour new rating is 1219");
    EXPECT_EQ(RatingReport("", -5, 1100, -7),
              "\r\n\r\nYour previous rating was-5\r\n"
              "The computer's rating in this game was 1100\r\n\r\nYour new rating is-7");
}

TEST(Rating, EncodingAndTheRatingFile) {
    EXPECT_EQ(EncodeRating("12 00") + DecodeRating("JQKK") + DecodeRating("JaK"), "JQKK12001/0");
    const std::pair<std::string, int> values[] = {{DecodeRating("JaK"), 1},
                                                  {DecodeRating(""), 0},
                                                  {DecodeRating("xJQ"), 0},
                                                  {"99999999999", kMaxRating}};
    for (const auto& [text, value] : values)
        EXPECT_EQ(RatingValue(text), value) << text;
    for (int r = 0; r <= 32767; ++r)
        ASSERT_EQ(RatingValue(DecodeRating(EncodeRating(std::to_string(r)))), r) << r;

    TempDir dir;
    EXPECT_TRUE(ReadRatingFile(dir.path()) == 1200 && WriteRatingFile(dir.path(), 1537));
    EXPECT_EQ(std::tuple(ReadFile(dir / "zelkor.rtg"), ReadRatingFile(dir.path())),
              std::tuple("JVZX\r\n", 1537));
    const std::pair<std::string, int> files[] = {
        {"", 0},
        {"JQKK", 1200},                                         // no line end
        {"JVZX\r\n" + std::string((1 << 20) - 6, ' '), 1537}};  // as long as a file may be
    for (const auto& [contents, rating] : files) {
        WriteFile(dir / "zelkor.rtg", contents);
        EXPECT_EQ(ReadRatingFile(dir.path()), rating);
    }
    EXPECT_TRUE(WriteRatingFile(dir.path(), -40) && ReadRatingFile(dir.path()) == 0);  // no sign
    EXPECT_FALSE(WriteRatingFile(dir / "missing folder", 1200));
}

// Plies made by "1" the computer (at the depth given), "2" the player or "3" replayed.
std::unique_ptr<GameState> GameOf(const std::vector<std::pair<std::string, int>>& plies) {
    auto g = std::make_unique<GameState>();
    for (std::size_t i = 0; i < plies.size(); ++i) {
        const int ply = static_cast<int>(i) + 1;
        MoveTextRow& row = g->moveTexts[(ply + 1) / 2];
        (ply % 2 == 1 ? row.firstBy : row.secondBy) = plies[i].first;
        (ply % 2 == 1 ? row.first : row.second) = "c3d4 c3-d4";
        if (plies[i].first == "1") row.depth = std::to_string(plies[i].second);
    }
    g->gamePly = g->recordLength = static_cast<int>(plies.size());
    return g;
}

TEST(Rating, UpdateAfterRatedGamesWinRemarksAndUnratedGames) {
    auto g = GameOf({{"2", 0}, {"1", 2}, {"2", 0}, {"1", 4}});
    std::vector<int16_t> scores(kHistorySize, 0);
    std::vector<int16_t> counts(kHistorySize, 5);
    int rating = 1200, computer = 0;
    const std::string report = UpdateRating(0, *g, true, rating, {scores, counts}, &computer);
    EXPECT_EQ(std::tuple(computer, rating), std::tuple(1400, 1193));  // 1200 + 30 * (0 - 0.240)
    EXPECT_TRUE(report == RatingReport("", 1200, 1400, rating) && !g->rated) << report;
    EXPECT_EQ(UpdateRating(0, *g, true, rating, {scores, counts}), "");  // counted once

    // Four plies: the player made the last move, the computer's plies are 1 and 3.
    counts.assign(kHistorySize, 1);
    EXPECT_EQ(WinRemark(4, {scores, counts}), "  Great game");
    scores[3] = 200;
    EXPECT_EQ(WinRemark(4, {scores, counts}), "  Great game");  // only one move there
    counts[3] = 2;
    EXPECT_EQ(WinRemark(4, {scores, counts}), "  Good game");
    scores[3] = 199;  // a good game needs a score above 199
    EXPECT_EQ(WinRemark(4, {scores, counts}), "  Great game");
    scores[3] = 200;
    EXPECT_EQ(WinRemark(5, {scores, counts}), "  Great game");    // ply 3 is the player's
    EXPECT_EQ(WinRemark(2000, {scores, counts}), "  Good game");  // beyond the histories
    auto won = GameOf({{"1", 2}, {"2", 0}, {"1", 2}, {"2", 0}});
    EXPECT_EQ(UpdateRating(1, *won, true, rating, {scores, counts}).substr(0, 15),
              "  Good game\r\n\r\n");

    std::vector<int16_t> none;
    rating = 1200;
    auto players = GameOf({{"2", 0}, {"2", 0}, {"2", 0}});  // Player-Player
    auto loaded = GameOf({{"3", 0}, {"3", 0}, {"2", 0}, {"1", 3}});
    loaded->rated = false;  // the replay cleared the mark
    auto switched = GameOf({{"2", 0}, {"1", 2}, {"1", 2}, {"2", 0}});  // sides changed hands
    for (GameState* unrated : {players.get(), loaded.get(), switched.get()}) {
        EXPECT_EQ(UpdateRating(1, *unrated, true, rating, {none, none}), "");
        EXPECT_FALSE(unrated->rated);
    }
    auto off = GameOf({{"2", 0}, {"1", 2}});
    EXPECT_EQ(UpdateRating(1, *off, false, rating, {none, none}), "");
    EXPECT_TRUE(off->rated && rating == 1200);
    // Replayed opening moves followed by a fair game still count.
    auto mixed = GameOf({{"3", 0}, {"3", 0}, {"2", 0}, {"1", 3}});
    EXPECT_NE(UpdateRating(0.5, *mixed, true, rating, {none, none}), "");
}

TEST(RunLog, AppendsStartupLinesGameHeadersAndAlignedPlyLinesWithCrLf) {
    TempDir dir;
    WriteFile(dir / kLogFileName, "earlier run\r\n");
    FakeClock clock;
    RunLog log;
    ASSERT_TRUE(log.Open(dir.path()));
    log.WriteStartupLine(clock);
    log.WriteGameHeader("Halma", false);
    log.WriteLine(PlayerPlyLogLine("e3-e4", 12));
    log.WriteGameHeader("Black Begins", true);
    log.WriteLine("broken\r\nline");
    log.Close();
    log.WriteLine("dropped while closed");
    EXPECT_EQ(ReadFile(dir / kLogFileName),
              "earlier run\r\n\r\nZelkor 0.24   06.12.2026  12:00:00\r\n\r\nHalma\r\n"
              "White   Black\r\n      moves    score   depth    main\r\ne3-e4       12\r\n"
              "\r\nBlack Begins\r\nBlack   White\r\n      moves    score   depth    main\r\n"
              "broken  line\r\n");

    RunLog closed;  // an unopenable log is ignored
    EXPECT_FALSE(closed.Open(dir / "missing folder") || closed.isOpen());
    closed.WriteStartupLine(clock);
    closed.WriteLine("x");
    std::filesystem::remove(dir / kLogFileName);
    std::filesystem::create_directory(dir / kLogFileName);  // a folder in the log's place
    EXPECT_FALSE(closed.Open(dir.path()));
    // Ply lines align the score, the depth and the main line.
    EXPECT_EQ(PlayerPlyLogLine("e3-e4", 5) + PlayerPlyLogLine("e3-e4b", -120) +
                  PlayerPlyLogLine("h1xf3", -32000),
              "e3-e4        5e3-e4b    -120h1xf3   -32000");
    EXPECT_EQ(ComputerPlyLogLine("d2-c3", 31, 4, "d2-c3 e7-e6 "),
              "d2-c3       31       4    d2-c3 e7-e6 ");
    EXPECT_EQ(ComputerPlyLogLine("d2-c3b", 0, 12, ""), "d2-c3b       0      12    ");
}

}  // namespace
}  // namespace zelkor::test
