#include "records/settings_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "records/text_file.h"
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
    EXPECT_FALSE(std::filesystem::exists(TemporaryFileFor(File())));
}

TEST_F(SettingsFileTest, RoundTripKeepsEveryValue) {
    Settings s;
    s.PlayMode = 1;
    s.Handicap = 4;
    s.SearchDepth = 20;
    s.Notation = 1;
    s.BoardTurned = 1;
    s.ShowMoves = 0;
    s.Variant = 200;
    s.ThinkTime = 180;
    s.UseDepth = 1;
    s.PlayerName = "Smith, \"Jo\"";
    s.Balance = 750;
    s.PieceSet = 1;
    s.CountdownTimer = 1;
    s.JumpChar = 1;
    s.rules.flags = {1, 0, 1, 0, 1, 0, 1, 0, 1, 255};
    s.rules.home[0] = ParseHomeSquares("H8");
    s.rules.home[1] = ParseHomeSquares("A1B1C1D1E1F1G1H1A2B2C2D2E2F2G2");
    s.rules.directions = {"N;E W", "S"};
    ASSERT_TRUE(WriteSettings(s, dir.path()));
    const auto lines = FileLines();
    EXPECT_EQ(lines[3], " 20 ");
    EXPECT_EQ(lines[14], "Smith, \"Jo\"");
    EXPECT_EQ(lines[29], " 255 ");  // KingFirst

    Settings back;
    const SettingsReadResult result = ReadSettings(back, dir.path());
    ASSERT_EQ(result.status, SettingsReadStatus::Read);
    ExpectSameSettings(back, s);
    EXPECT_EQ(back.PlayerName, "Smith, \"Jo\"");
    EXPECT_EQ(back.rules.home[1][14], 37);  // G2, the fifteenth square
}

TEST_F(SettingsFileTest, ReadingNormalisesAndClampsToTheControlsRanges) {
    Settings s;
    s.SearchDepth = 0;
    s.PlayMode = 2;
    ASSERT_TRUE(WriteSettings(s, dir.path()));
    Settings back;
    ASSERT_EQ(ReadSettings(back, dir.path()).status, SettingsReadStatus::Read);
    EXPECT_EQ(back.SearchDepth, 2);
    EXPECT_EQ(back.PlayMode, 0);

    // Line (from 0), value in the file, value read: depth 1..20, time 1..180, strength
    // slider 1..10 (Handicap 0..9), plies 1..3, balance 1..750, check boxes 0..1.
    const std::vector<std::tuple<int, std::string, long long>> rows = {
        {3, " 2147483647 ", 20}, {3, "-7 ", 1},           {11, " 0 ", 1}, {11, "-32768 ", 1},
        {11, " 9999 ", 180},     {2, " 200 ", 9},         {31, " 0 ", 1}, {32, " 32767 ", 750},
        {32, "-5 ", 1},          {39, " 2147483647 ", 1}, {25, " 7 ", 1}};
    for (const auto& [index, value, expected] : rows) {
        auto lines = SettingsLines(Settings{});
        lines[index] = value;
        WriteFile(File(), JoinCrLf(lines));
        ASSERT_EQ(ReadSettings(back, dir.path()).status, SettingsReadStatus::Read) << value;
        const auto read = SettingsLines(back);
        EXPECT_EQ(read[index], " " + std::to_string(expected) + " ") << index << value;
    }
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

TEST_F(SettingsFileTest, ValueThatDoesNotFitItsFieldKeepsTheFileAsideAndGivesDefaults) {
    const auto good = SettingsLines(Settings{});
    const std::vector<std::pair<int, std::string>> cases = {
        {2, " 256 "},  {1, "-1 "},          {11, " 40000 "}, {5, " 99999999999999999999999 "},
        {36, " 300 "}, {39, " 2147483648 "}};
    for (const auto& [index, value] : cases) {
        auto lines = good;
        lines[index] = value;
        WriteFile(File(), JoinCrLf(lines));
        Settings s;
        s.PlayerName = "Changed";
        const SettingsReadResult result = ReadSettings(s, dir.path());
        EXPECT_EQ(result.status, SettingsReadStatus::Invalid) << value;
        EXPECT_EQ(result.line, index + 1);
        ExpectSameSettings(s, Settings{});
        EXPECT_EQ(FileLines(), SettingsLines(Settings{}));
        EXPECT_EQ(SplitCrLf(ReadFile(BadSettingsFile(dir.path()))), lines) << "kept for the user";
        EXPECT_NE(SettingsProblemMessage(result, dir.path())
                      .find((dir / "zelkor.ini").string() + ", line " + std::to_string(index + 1)),
                  std::string::npos);
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
    const std::filesystem::path temp = TemporaryFileFor(File());
    std::filesystem::create_directory(temp);
    s.PlayerName = "New";
    EXPECT_FALSE(WriteSettings(s, dir.path()));
    EXPECT_EQ(ReadFile(File()), before);
    std::filesystem::remove(temp);

    EXPECT_FALSE(WriteSettings(s, dir / "no such folder"));
    Settings fresh;
    const SettingsReadResult result = ReadSettings(fresh, dir / "no such folder");
    EXPECT_EQ(result.status, SettingsReadStatus::Defaults);
    EXPECT_FALSE(result.newFileWritten);

    ASSERT_TRUE(WriteSettings(s, dir.path()));
    EXPECT_EQ(FileLines()[14], "New");

    // A user's own file of the old temporary name is left alone, a link stays a link and
    // writes through to its file, the file keeps its permissions, and what a dead copy of
    // the program left behind is removed at start-up (a running copy's is not).
    WriteFile(dir / "zelkor.ini.tmp", "mine");
    std::filesystem::create_directory(dir / "real");
    std::filesystem::rename(File(), dir / "real" / "zelkor.ini");
    std::filesystem::create_symlink("real/zelkor.ini", File());
    std::filesystem::permissions(dir / "real" / "zelkor.ini", std::filesystem::perms(0640));
    s.PlayerName = "Linked";
    ASSERT_TRUE(WriteSettings(s, dir.path()));
    EXPECT_EQ(ReadFile(dir / "zelkor.ini.tmp"), "mine");
    EXPECT_TRUE(std::filesystem::is_symlink(File()));
    EXPECT_EQ(SplitCrLf(ReadFile(dir / "real" / "zelkor.ini"))[14], "Linked");
    EXPECT_EQ(std::filesystem::status(File()).permissions(), std::filesystem::perms(0640));
    WriteFile(dir / "zelkor.ini.zelkor-999999999.tmp", "stale");
    WriteFile(dir / "zelkor.ini.zelkor-1.tmp", "init is running");
    EXPECT_EQ(RemoveStaleTemporaries(dir.path()), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "zelkor.ini.zelkor-999999999.tmp"));
    EXPECT_TRUE(std::filesystem::exists(dir / "zelkor.ini.zelkor-1.tmp"));
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
    // A folder, an endless device or a pipe in the file's place gives the defaults at once.
    std::filesystem::remove(File());
    std::filesystem::create_directory(File());
    Settings s;
    EXPECT_EQ(ReadSettings(s, dir.path()).status, SettingsReadStatus::Defaults);
    std::filesystem::remove(File());
    std::filesystem::create_symlink("/dev/zero", File());
    EXPECT_EQ(ReadSettings(s, dir.path()).status, SettingsReadStatus::Defaults);
    EXPECT_TRUE(std::filesystem::is_symlink(File()));
    std::filesystem::remove(File());
    ASSERT_EQ(mkfifo(File().c_str(), 0600), 0);
    EXPECT_EQ(ReadSettings(s, dir.path()).status, SettingsReadStatus::Defaults);
    EXPECT_TRUE(std::filesystem::is_fifo(File()));
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
