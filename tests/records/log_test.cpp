#include "records/log.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace zelkor {
namespace {

TEST(RunLog, AppendsStartupLinesAndGameHeadersWithCrLf) {
    test::TempDir dir;
    test::WriteFile(dir / kLogFileName, "earlier run\r\n");
    test::FakeClock clock;
    RunLog log;
    ASSERT_TRUE(log.Open(dir.path()));
    log.WriteStartupLine(clock);
    log.WriteGameHeader("Halma", false);
    log.WriteLine(PlayerPlyLogLine("e3-e4", 12));
    log.WriteGameHeader("Black Begins", true);
    log.WriteLine("broken\r\nline");
    log.Close();
    log.WriteLine("dropped while closed");
    EXPECT_EQ(test::ReadFile(dir / kLogFileName),
              "earlier run\r\n\r\nZelkor 0.24   06.12.2026  12:00:00\r\n\r\nHalma\r\n"
              "White   Black\r\n      moves    score   depth    main\r\ne3-e4       12\r\n"
              "\r\nBlack Begins\r\nBlack   White\r\n      moves    score   depth    main\r\n"
              "broken  line\r\n");

    RunLog closed;  // an unopenable log is ignored
    EXPECT_FALSE(closed.Open(dir / "missing folder"));
    EXPECT_FALSE(closed.isOpen());
    closed.WriteStartupLine(clock);
    closed.WriteLine("x");
    std::filesystem::remove(dir / kLogFileName);
    std::filesystem::create_directory(dir / kLogFileName);  // a folder in the log's place
    EXPECT_FALSE(closed.Open(dir.path()));
}

TEST(RunLog, PlyLinesAlignScoreDepthAndMainLine) {
    EXPECT_EQ(PlayerPlyLogLine("e3-e4", 5), "e3-e4        5");
    EXPECT_EQ(PlayerPlyLogLine("e3-e4b", -120), "e3-e4b    -120");
    EXPECT_EQ(PlayerPlyLogLine("h1xf3", -32000), "h1xf3   -32000");
    EXPECT_EQ(ComputerPlyLogLine("d2-c3", 31, 4, "d2-c3 e7-e6 "),
              "d2-c3       31       4    d2-c3 e7-e6 ");
    EXPECT_EQ(ComputerPlyLogLine("d2-c3b", 0, 12, ""), "d2-c3b       0      12    ");
}

}  // namespace
}  // namespace zelkor
