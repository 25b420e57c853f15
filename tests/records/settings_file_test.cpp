#include "records/settings_file.h"

#include <gtest/gtest.h>

#include <memory>

#include "rules/text_lines.h"
#include "support/fakes.h"

namespace zelkor {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

void ExpectSameSettings(const Settings& a, const Settings& b) {
    EXPECT_EQ(SettingsLines(a), SettingsLines(b));
    EXPECT_EQ(a.rules.flags, b.rules.flags);
    EXPECT_EQ(a.rules.home, b.rules.home);
    EXPECT_EQ(a.rules.directions, b.rules.directions);
}

class SettingsFileTest : public ::testing::Test {
  protected:
    std::filesystem::path File() const { return dir / kSettingsFileName; }
    std::vector<std::string> FileLines() const { return SplitCrLf(ReadFile(File())); }
    TempDir dir;
};

TEST_F(SettingsFileTest, WithoutAFileTheDefaultsAreUsedAndWritten) {
    Settings s;
    s.PlayerName = "Someone";
    s.Handicap = 7;
    const SettingsReadResult result = ReadSettings(s, dir.path());
    EXPECT_EQ(result.status, SettingsReadStatus::Defaults);
    EXPECT_TRUE(result.newFileWritten);
    EXPECT_EQ(s.PlayMode, 0);
    EXPECT_EQ(s.Handicap, 1);
    EXPECT_EQ(s.UseDepth, 0);
    EXPECT_EQ(s.ThinkTime, 2);
    EXPECT_EQ(s.PlayerName, "Player");
    EXPECT_EQ(s.rules.home, DefaultHomeSquares());

    const std::string raw = ReadFile(File());
    const auto lines = SplitCrLf(raw);
    ASSERT_EQ(lines.size(), 42u);
    EXPECT_EQ(raw.substr(raw.size() - 2), "\r\n");
    EXPECT_EQ(lines[0], "ZELKOR0.10");
    EXPECT_EQ(lines[1], " 0 ");
    EXPECT_EQ(lines[2], " 1 ");
    EXPECT_EQ(lines[3], " 2 ");
    EXPECT_EQ(lines[14], "Player");
    EXPECT_EQ(lines[21], "A8B8C8D8A7B7C7A6B6A5");
    EXPECT_EQ(lines[22], "E1F1G1H1F2G2H2G3H3H4");
    EXPECT_EQ(lines[23], "NW;N;NE;E;SE;S;SW;W NW;N;NE;E;SE;S;SW;W");
    EXPECT_EQ(lines[32], " 150 ");
    EXPECT_EQ(lines[35], " 1 ");  // OutofHome
    EXPECT_FALSE(std::filesystem::exists(dir / "zelkor.ini.tmp"));
}

TEST_F(SettingsFileTest, RoundTripKeepsEveryValue) {
    Settings s;
    s.PlayMode = 1;
    s.Handicap = 4;
    s.SearchDepth = -3;
    s.Notation = 1;
    s.BoardTurned = 1;
    s.ShowMoves = 0;
    s.Variant = 200;
    s.ThinkTime = -32768;
    s.UseDepth = 1;
    s.PlayerName = "Smith, \"Jo\"";
    s.Balance = 750;
    s.PieceSet = 2147483647;
    s.CountdownTimer = 1;
    s.JumpChar = 1;
    s.rules.flags = {1, 0, 1, 0, 1, 0, 1, 0, 1, 255};
    s.rules.home[0] = ParseHomeSquares("H8");
    s.rules.home[1] = ParseHomeSquares("A1B1C1D1E1F1G1H1A2B2C2D2E2F2G2");
    s.rules.directions = {"N;E W", "S"};
    ASSERT_TRUE(WriteSettings(s, dir.path()));
    const auto lines = FileLines();
    EXPECT_EQ(lines[3], "-3 ");
    EXPECT_EQ(lines[11], "-32768 ");
    EXPECT_EQ(lines[14], "Smith, \"Jo\"");
    EXPECT_EQ(lines[29], " 255 ");  // KingFirst

    Settings back;
    const SettingsReadResult result = ReadSettings(back, dir.path());
    ASSERT_EQ(result.status, SettingsReadStatus::Read);
    ExpectSameSettings(back, s);
    EXPECT_EQ(back.PlayerName, "Smith, \"Jo\"");
    EXPECT_EQ(back.rules.home[1][14], 37);  // G2, the fifteenth square
}

TEST_F(SettingsFileTest, ReadingNormalisesDepthAndPlayMode) {
    Settings s;
    s.SearchDepth = 0;
    s.PlayMode = 2;
    ASSERT_TRUE(WriteSettings(s, dir.path()));
    Settings back;
    ASSERT_EQ(ReadSettings(back, dir.path()).status, SettingsReadStatus::Read);
    EXPECT_EQ(back.SearchDepth, 2);
    EXPECT_EQ(back.PlayMode, 0);
}

TEST_F(SettingsFileTest, ShortForeignOrNonNumericFilesGiveAllDefaults) {
    Settings custom;
    custom.Handicap = 5;
    custom.PlayerName = "Ann";
    custom.rules.flags[MulJumps] = 1;
    const auto good = SettingsLines(custom);

    std::vector<std::vector<std::string>> broken{{good.begin(), good.begin() + 30}};  // cut short
    const std::vector<std::pair<int, std::string>> changes = {
        {0, "ZELKOR0.11"}, {0, ""}, {3, " two "}, {40, ""}, {5, " 1.5 "}};
    for (const auto& [index, value] : changes) {
        broken.push_back(good);
        broken.back()[index] = value;
    }
    for (const auto& lines : broken) {
        WriteFile(File(), JoinCrLf(lines));
        Settings s = custom;
        const SettingsReadResult result = ReadSettings(s, dir.path());
        EXPECT_EQ(result.status, SettingsReadStatus::Defaults);
        EXPECT_TRUE(result.newFileWritten);
        ExpectSameSettings(s, Settings{});
        EXPECT_EQ(FileLines(), SettingsLines(Settings{}));
    }
}

TEST_F(SettingsFileTest, LfLinesSpacesAndTrailingLinesAreAccepted) {
    Settings custom;
    custom.Handicap = 6;
    auto lines = SettingsLines(custom);
    lines[2] = "6";
    lines[3] = "\t+4  ";
    lines.push_back("extra line");
    std::string text;
    for (const auto& line : lines)
        text += line + "\n";
    WriteFile(File(), text);
    Settings s;
    ASSERT_EQ(ReadSettings(s, dir.path()).status, SettingsReadStatus::Read);
    EXPECT_EQ(s.Handicap, 6);
    EXPECT_EQ(s.SearchDepth, 4);
}

TEST_F(SettingsFileTest, ValueThatDoesNotFitItsFieldIsAFailure) {
    const auto good = SettingsLines(Settings{});
    const std::vector<std::pair<int, std::string>> cases = {
        {2, " 256 "},  {1, "-1 "},          {11, " 40000 "}, {5, " 99999999999999999999999 "},
        {36, " 300 "}, {39, " 2147483648 "}};
    for (const auto& [index, value] : cases) {
        auto lines = good;
        lines[index] = value;
        WriteFile(File(), JoinCrLf(lines));
        Settings s;
        s.PlayerName = "Unchanged";
        const SettingsReadResult result = ReadSettings(s, dir.path());
        EXPECT_EQ(result.status, SettingsReadStatus::Invalid) << value;
        EXPECT_EQ(result.line, index + 1);
        EXPECT_EQ(s.PlayerName, "Unchanged");
        EXPECT_EQ(FileLines(), lines) << "the file is left for the user to see";
    }
}

TEST_F(SettingsFileTest, HomeSquareLinesFillSlotsAndSkipWhatIsNoSquare) {
    auto lines = SettingsLines(Settings{});
    lines[21] = "A8a8B8";
    lines[22] = "";
    WriteFile(File(), JoinCrLf(lines));
    Settings s;
    ASSERT_EQ(ReadSettings(s, dir.path()).status, SettingsReadStatus::Read);
    EXPECT_EQ(s.rules.home[0][0], 91);
    EXPECT_EQ(s.rules.home[0][1], kEmptySlot);
    EXPECT_EQ(s.rules.home[0][2], 92);
    for (int slot = 3; slot < kHomeSlots; ++slot)
        EXPECT_EQ(s.rules.home[0][slot], kEmptySlot);
    for (int32_t square : s.rules.home[1])
        EXPECT_EQ(square, kEmptySlot);
    EXPECT_EQ(SettingsLines(s)[21], "A8B8");
}

TEST_F(SettingsFileTest, TextsWithLineBreaksStayOnTheirLine) {
    Settings s;
    s.PlayerName = "two\r\nlines";
    ASSERT_TRUE(WriteSettings(s, dir.path()));
    ASSERT_EQ(FileLines().size(), 42u);
    Settings back;
    ASSERT_EQ(ReadSettings(back, dir.path()).status, SettingsReadStatus::Read);
    EXPECT_EQ(back.PlayerName, "two  lines");
}

TEST_F(SettingsFileTest, FailedWriteReportsFailureAndKeepsTheOldFile) {
    Settings s;
    s.PlayerName = "Old";
    ASSERT_TRUE(WriteSettings(s, dir.path()));
    const std::string before = ReadFile(File());

    // The temporary file cannot be created: its name is taken by a folder.
    std::filesystem::create_directory(dir / "zelkor.ini.tmp");
    s.PlayerName = "New";
    EXPECT_FALSE(WriteSettings(s, dir.path()));
    EXPECT_EQ(ReadFile(File()), before);
    std::filesystem::remove(dir / "zelkor.ini.tmp");

    EXPECT_FALSE(WriteSettings(s, dir / "no such folder"));
    Settings fresh;
    const SettingsReadResult result = ReadSettings(fresh, dir / "no such folder");
    EXPECT_EQ(result.status, SettingsReadStatus::Defaults);
    EXPECT_FALSE(result.newFileWritten);

    ASSERT_TRUE(WriteSettings(s, dir.path()));
    EXPECT_EQ(FileLines()[14], "New");
}

TEST_F(SettingsFileTest, HostileFilesNeverCrash) {
    std::string binary(4096, '\0');
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 2654435761u % 251);
    auto lines = SettingsLines(Settings{});
    lines[14] = std::string(300000, 'n');  // an enormous name is cut, not kept whole
    const std::vector<std::string> files = {binary, "ZELKOR0.10\r\n" + binary, JoinCrLf(lines)};
    for (const std::string& contents : files) {
        WriteFile(File(), contents);
        Settings s;
        const SettingsReadResult result = ReadSettings(s, dir.path());
        EXPECT_NE(result.status, SettingsReadStatus::Invalid);
        EXPECT_LE(s.PlayerName.size(), kMaxLineLength);
    }
}

TEST(SettingsRules, ApplyAndStoreCarryTheActiveRules) {
    Settings s;
    s.rules.flags[LongKings] = 1;
    s.rules.home[0] = ParseHomeSquares("H8");
    s.rules.directions = {"N W", "E;S NW"};
    auto g = std::make_unique<GameState>();
    ApplySettingsRules(s, *g);
    EXPECT_EQ(g->rule(LongKings), 1);
    EXPECT_EQ(g->active.home[0][0], 98);
    EXPECT_EQ(g->directions[0][0], kNorth);
    EXPECT_EQ(g->directions[2][0], kWest);
    EXPECT_EQ(g->directions[1][0], -kEast);
    EXPECT_EQ(g->directions[1][1], -kSouth);
    EXPECT_EQ(g->directions[3][0], -kNorthWest);

    g->active.flags[MulJumps] = 1;
    Settings back;
    StoreActiveRules(*g, back);
    EXPECT_EQ(back.rules.flags[MulJumps], 1);
    EXPECT_EQ(back.rules.directions[1], "E;S NW");
}

}  // namespace
}  // namespace zelkor
