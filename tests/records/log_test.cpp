#include "records/log.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace zelkor {
namespace {

using test::FakeClock;
using test::ReadFile;
using test::TempDir;

TEST(RunLog, AppendsStartupLinesAndGameHeadersWithCrLf) {
    TempDir dir;
    test::WriteFile(dir / kLogFileName, "earlier run\r\n");
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
              "earlier run\r\n"
              "\r\n"
              "Zelkor 0.24   06.12.2026  12:00:00\r\n"
              "\r\n"
              "Halma\r\n"
              "White   Black\r\n"
              "      moves    score   depth    main\r\n"
              "e3-e4       12\r\n"
              "\r\n"
              "Black Begins\r\n"
              "Black   White\r\n"
              "      moves    score   depth    main\r\n"
              "broken  line\r\n");
}

TEST(RunLog, UnopenableLogIsIgnored) {
    TempDir dir;
    RunLog log;
    EXPECT_FALSE(log.Open(dir / "missing folder"));
    EXPECT_FALSE(log.isOpen());
    FakeClock clock;
    log.WriteStartupLine(clock);  // must not fail or throw
    log.WriteLine("x");

    std::filesystem::create_directory(dir / kLogFileName);  // a folder in the log's place
    EXPECT_FALSE(log.Open(dir.path()));
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
