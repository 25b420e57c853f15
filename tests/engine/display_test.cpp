#include <gtest/gtest.h>

#include "engine/driver.h"
#include "engine_fixture.h"

namespace zelkor::test {
namespace {

using MainLine = EngineTest;

std::string Column(int value, size_t width) {
    const std::string text = std::to_string(value);
    return std::string(width - text.size(), ' ') + text;
}

TEST_F(MainLine, ShownAfterTheReportAndKeepsTheExpectedReply) {
    g.pv[0][0] = PvEntry{SquareNumber("E1"), SquareNumber("D2"), 0};
    g.pv[0][1] = PvEntry{SquareNumber("A7"), SquareNumber("C5"), 1};
    g.pv[0][2] = PvEntry{SquareNumber("H1"), SquareNumber("F3"), 1};
    g.pv[0][3] = PvEntry{};
    ui.SetText(Display::Calculation, "Depth: 3   Best: e1-d2   Score: 12");
    DisplayMainVariant(e);
    EXPECT_EQ(ui.Text(Display::Calculation),
              "Depth: 3   Best: e1-d2   Score: 12\r\nMain: e1-d2 a7xc5 h1xf3 ");
    EXPECT_EQ(s.hintFrom, SquareNumber("A7"));
    EXPECT_EQ(s.hintTo, SquareNumber("C5"));

    // With the display off nothing is written, but the reply is still kept.
    settings.ShowCalculation = 0;
    s.hintFrom = 0;
    ui.SetText(Display::Calculation, "unchanged");
    DisplayMainVariant(e);
    EXPECT_EQ(ui.Text(Display::Calculation), "unchanged");
    EXPECT_EQ(s.hintFrom, SquareNumber("A7"));
}

TEST_F(MainLine, OnlyTwentyMovesAreWritten) {
    g.jumpChar = ':';
    for (int p = 0; p <= kMaxPly; ++p)
        g.pv[0][p] = PvEntry{SquareNumber("A1"), SquareNumber("A3"), 1};
    ui.SetText(Display::Calculation, "");
    DisplayMainVariant(e);
    std::string expected = "\r\nMain: ";
    for (int p = 0; p < 20; ++p)
        expected += "a1:a3 ";
    EXPECT_EQ(ui.Text(Display::Calculation), expected);
}

TEST_F(MainLine, AnalysisListMarksUnsearchedMoves) {
    settings.SearchDepth = 3;
    ui.onProcessEvents = [this] {
        if (ui.eventsProcessed == 40) g.cancelRequest = 1;
    };
    ComputerMove(e);
    const std::vector<std::string>& lines = ui.list(ListId::Analysis);
    ASSERT_EQ(lines.size(), 24u);  // every root move of the start
    EXPECT_EQ(lines.back().substr(11), "      n/a");
    const RootEntry& best = s.rootTable[0];
    EXPECT_EQ(lines.front().substr(0, 28), "       " + SquareName(best.from) + SquareName(best.to) +
                                               Column(best.score, 9) + "       1");
}

// Under "      moves    score   depth    main" the best move comes first with its score and
// main line; every other move was only shown to be no better, so its value is a bound.
TEST_F(MainLine, AnalysisListPutsTheBestFirstAndMarksBounds) {
    settings.SearchDepth = 3;
    // The default strength's small noise makes a null-window search and its re-search
    // disagree now and then.
    unsigned state = 3;
    for (int k = 0; k < 200000; ++k) {
        state = state * 1103515245u + 12345u;
        random.values.push_back((state >> 8) / double(1u << 24));
    }
    AnalyzePosition(e);
    const std::vector<std::string>& lines = ui.list(ListId::Analysis);
    ASSERT_EQ(lines.size(), 24u);
    const RootEntry& best = s.rootTable[0];
    const std::string move = SquareName(best.from) + SquareName(best.to);
    EXPECT_EQ(lines[0].substr(0, 34),
              "       " + move + Column(s.bestScore, 9) + "       3    " + move.substr(0, 2));
    int bounds = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string score = lines[i].substr(11, 9);
        if (score.find("<=") != std::string::npos) {
            ++bounds;
            score.erase(score.find("<="), 2);
        }
        EXPECT_LE(std::stoi(score), s.bestScore) << lines[i];
    }
    EXPECT_GT(bounds, 0);
}

}  // namespace
}  // namespace zelkor::test
