#include <gtest/gtest.h>

#include "engine/driver.h"
#include "engine_fixture.h"

namespace zelkor::test {
namespace {

using MainLine = EngineTest;

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
    EXPECT_EQ(lines.back().substr(4), "  n/a");
    EXPECT_NE(lines.front().substr(4), "  n/a");
    const RootEntry& best = s.rootTable[0];  // sorted, highest first
    EXPECT_EQ(lines.front(),
              SquareName(best.from) + SquareName(best.to) + " " + SignedText(best.score));
}

}  // namespace
}  // namespace zelkor::test
