// The user's own files (settings, rating, run log), the data folder and the program's arguments.
#include "records/settings_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <memory>
#include <vector>

#include "records/data_folder.h"
#include "records/log.h"
#include "records/rating.h"
#include "records/text_file.h"
#include "records/text_lines.h"
#include "rules/rules_test_util.h"
#include "support/fakes.h"

namespace zelkor::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> LinesOf(const fs::path& file) {
    std::vector<std::string> lines;
    TextLineReader in(file);
    for (std::string line; in.Next(line);)
        lines.push_back(line);
    return lines;
}

class SettingsFileTest : public ::testing::Test {
  protected:
    fs::path File() const { return dir / kSettingsFileName; }
    std::vector<std::string> FileLines() const { return LinesOf(File()); }
    SettingsReadResult Read(Settings& s) { return ReadSettings(s, dir.path()); }
    TempDir dir;
};

TEST_F(SettingsFileTest, WithoutAFileTheDefaultsAreUsedAndWritten) {
    Settings s;
    s.Handicap = 7;
    const SettingsReadResult result = Read(s);
    EXPECT_EQ(std::tuple(result.status, result.newFileWritten),
              std::tuple(SettingsReadStatus::Defaults, true));
    EXPECT_EQ(SettingsLines(s), SettingsLines(Settings{}));
    EXPECT_EQ(std::tuple(s.PlayMode, s.Handicap, s.UseDepth, s.ThinkTime, s.PlayerName),
              std::tuple(0, 1, 0, 2, "Player"));
    const auto lines = FileLines();
    ASSERT_EQ(lines.size(), 42u);
    EXPECT_EQ(CrLf(lines), ReadFile(File()));  // CR LF after every line
    EXPECT_EQ(lines[0] + lines[1] + lines[2] + lines[3] + lines[14] + lines[32] + lines[35],
              "ZELKOR0.10 0  1  2 Player 150  1 ");  // 35: OutofHome
    EXPECT_EQ(lines[21] + "|" + lines[22] + "|" + lines[23],
              "A8B8C8D8A7B7C7A6B6A5|E1F1G1H1F2G2H2G3H3H4|NW;N;NE;E;SE;S;SW;W NW;N;NE;E;SE;S;SW;W");
    EXPECT_EQ(FileNames(dir.path()), std::vector<std::string>{kSettingsFileName});
}

TEST_F(SettingsFileTest, RoundTripKeepsEveryValueAndNormalises) {
    Settings s;
    std::tie(s.PlayMode, s.Handicap, s.SearchDepth, s.Variant, s.ThinkTime, s.Balance, s.PieceSet) =
        std::tuple(1, 4, 20, 200, 180, 750, 1);
    s.Notation = s.BoardTurned = s.JumpChar = 1;
    s.UseDepth = s.CountdownTimer = true;
    s.ShowMoves = false;
    s.PlayerName = "Smith, \"Jo\"";
    s.rules.flags = {1, 0, 1, 0, 1, 0, 1, 0, 1, 255};
    s.rules.home[0] = ParseHomeSquares("H8");
    s.rules.home[1] = ParseHomeSquares("A1B1C1D1E1F1G1H1A2B2C2D2E2F2G2");
    s.rules.directions = {"N;E W", "S"};
    ASSERT_TRUE(WriteSettings(s, dir.path()));
    const auto lines = FileLines();
    EXPECT_EQ(lines[3] + lines[14] + lines[29], " 20 Smith, \"Jo\" 255 ");
    Settings back;
    ASSERT_EQ(Read(back).status, SettingsReadStatus::Read);
    EXPECT_EQ(SettingsLines(back), SettingsLines(s));
    EXPECT_EQ(std::tuple(back.rules.home[1][14], back.rules.directions[0]),  // G2, the fifteenth
              std::tuple(37, "N;E W"));                                      // and White's own

    // Depth 0 and Computer-Computer are not read back as they were written.
    std::tie(s.SearchDepth, s.PlayMode) = std::tuple(0, 2);
    s.PlayerName = "two\r\nlines";  // texts with line breaks stay on their line
    ASSERT_TRUE(WriteSettings(s, dir.path()) && FileLines().size() == 42u &&
                Read(back).status == SettingsReadStatus::Read);
    EXPECT_EQ(std::tuple(back.SearchDepth, back.PlayMode, back.PlayerName),
              std::tuple(2, 0, "two  lines"));
}

// One line changed: clamped; or all defaults (short, foreign, not numeric, or kept aside: too big).
TEST_F(SettingsFileTest, EveryLineIsCheckedAndClamped) {
    Settings custom;
    custom.Handicap = 5;
    custom.PlayerName = "Ann";
    custom.rules.flags[MulJumps] = 1;
    // Line (from 0; 30: cut short there), value, value read (-1: kept aside, never overwritten).
    // clang-format off
    const std::tuple<int, const char*, long long> rows[] = {
        {3, " 2147483647 ", 20}, {3, "-7 ", 1}, {11, " 0 ", 1}, {11, "-32768 ", 1}, {10, " 0 ", 1},
        {11, " 9999 ", 180}, {2, " 200 ", 9}, {31, " 0 ", 1}, {31, " 9 ", 3}, {32, " 32767 ", 750},
        {32, "-5 ", 1}, {1, " 7 ", 0}, {39, " 2147483647 ", 1}, {25, " 7 ", 1}, {30, "", -1},
        {0, "ZELKOR0.11", -1}, {0, "", -1}, {3, " two ", -1}, {40, "", -1}, {5, " 1.5 ", -1},
        {2, " 3.5 ", -1}, {2, "1O", -1}, {2, " 256 ", -1}, {1, "-1 ", -1}, {11, " 40000 ", -1},
        {5, " 99999999999999999999999 ", -1}, {36, " 300 ", -1}, {39, " 2147483648 ", -1},
        {5, " 2 ", 1}};
    // clang-format on
    for (const auto& [index, value, read] : rows) {
        using S = SettingsReadStatus;
        SCOPED_TRACE(std::to_string(index) + ":" + std::string(value));
        auto lines = SettingsLines(custom);
        if (index == 30 && !*value)
            lines.resize(30);
        else
            lines[index] = value;
        WriteFile(File(), CrLf(lines));
        Settings s = custom;
        const SettingsReadResult result = Read(s);
        EXPECT_EQ(result.status, read >= 0 ? S::Read : S::Invalid);
        if (read >= 0) {
            EXPECT_EQ(SettingsLines(s)[index], " " + std::to_string(read) + " ");
            continue;
        }
        EXPECT_TRUE(result.newFileWritten && result.keptAside && result.mayWrite);
        EXPECT_EQ(std::tuple(SettingsLines(s), FileLines(), result.line, result.keptAs),
                  std::tuple(SettingsLines(Settings{}), SettingsLines(Settings{}), index + 1,
                             BadSettingsFile(dir.path())));
        EXPECT_EQ(LinesOf(result.keptAs), lines);
        const std::string message = SettingsProblemMessage(result, dir.path());
        EXPECT_TRUE(Has(message, File().string() + ", line " + std::to_string(index + 1)));
        if (index > 0 && *value) {  // the value as it stands
            EXPECT_TRUE(Has(message, "\"" + std::string(value) + "\""));
        }
        fs::remove(result.keptAs);
    }

    // Earlier copies stay: the next free name, past a folder; with none the file stays as it is.
    auto lines = SettingsLines(custom);
    lines[2] = " 3.5 ";
    WriteFile(BadSettingsFile(dir.path()), "first");
    fs::create_directory(dir / "zelkor.ini.bad.1");
    WriteFile(File(), CrLf(lines));
    Settings s;
    SettingsReadResult result = Read(s);
    EXPECT_EQ(std::tuple(result.keptAs, ReadFile(BadSettingsFile(dir.path()))),
              std::tuple(dir / "zelkor.ini.bad.2", "first"));
    for (int n = 3; n < kKeptGenerations; ++n)
        WriteFile(dir / ("zelkor.ini.bad." + std::to_string(n)), "taken");
    WriteFile(File(), CrLf(lines));
    result = Read(s);
    EXPECT_EQ(std::tuple(result.status, result.keptAside, result.newFileWritten, result.mayWrite),
              std::tuple(SettingsReadStatus::Invalid, false, false, false));
    EXPECT_EQ(ReadFile(File()), CrLf(lines));
    EXPECT_TRUE(Has(SettingsProblemMessage(result, dir.path()), "left as it is"));
    // A folder, which cannot be linked, is renamed; a file gone meanwhile is no success.
    EXPECT_FALSE(MoveToNewName(dir / "gone", dir / "zelkor.ini.bad.2"));
    EXPECT_TRUE(MoveToNewName(dir / "zelkor.ini.bad.1", dir / "m") && fs::is_directory(dir / "m"));
}

TEST_F(SettingsFileTest, LfLinesSpacesTrailingLinesAndHomeSquaresAreAccepted) {
    Settings custom;
    custom.Handicap = 6;
    auto lines = SettingsLines(custom);
    lines[0] = " " + lines[0] + " ";  // the first line with spaces too
    lines[2] = "6";
    lines[3] = "\t+4  ";
    lines[21] = "A8a8B8";  // what is no square is skipped
    lines[22] = "";
    lines.push_back("extra line");
    std::string text = CrLf(lines);
    std::string doubled;  // CR CR LF: a copy converted twice
    for (char c : text)
        doubled += c == '\r' ? std::string("\r\r") : std::string(1, c);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    Settings s;
    for (const std::string& written : {doubled, text}) {
        WriteFile(File(), written);
        ASSERT_EQ(Read(s).status, SettingsReadStatus::Read);
        EXPECT_EQ(std::tuple(s.Handicap, s.SearchDepth), std::tuple(6, 4));
    }
    const auto& home = s.rules.home;
    EXPECT_EQ(std::tuple(home[0][0], home[0][1], home[0][2], home[0][3], home[1][0]),
              std::tuple(91, kEmptySlot, 92, kEmptySlot, kEmptySlot));
    EXPECT_EQ(SettingsLines(s)[21], "A8B8");
}

TEST_F(SettingsFileTest, FailedWriteReportsFailureAndKeepsTheOldFile) {
    Settings s;
    s.PlayerName = "Old";
    ASSERT_TRUE(WriteSettings(s, dir.path()));
    const std::string before = ReadFile(File());
    fs::permissions(File(), fs::perms(0444));  // write-protected: never replaced
    s.PlayerName = "New";
    EXPECT_TRUE(!WriteSettings(s, dir.path()) && ReadFile(File()) == before);
    fs::permissions(File(), fs::perms(0644));
    errno = EACCES;  // an earlier call's error does not make the writable file protected
    EXPECT_TRUE(!IsWriteProtected(File()) && !WriteSettings(s, dir / "no such folder"));
    Settings fresh;
    const SettingsReadResult result = ReadSettings(fresh, dir / "no such folder");
    EXPECT_EQ(std::tuple(result.status, result.newFileWritten),
              std::tuple(SettingsReadStatus::Defaults, false));
    EXPECT_TRUE(WriteSettings(s, dir.path()) && FileLines()[14] == "New");

    // A link writes through keeping permissions; only a dead copy's temporary file is removed.
    WriteFile(dir / "zelkor.ini.tmp", "mine");
    fs::create_directory(dir / "real");
    fs::rename(File(), dir / "real" / "zelkor.ini");
    fs::create_symlink("real/zelkor.ini", File());
    fs::permissions(dir / "real" / "zelkor.ini", fs::perms(0640));
    s.PlayerName = "Linked";
    ASSERT_TRUE(WriteSettings(s, dir.path()));
    EXPECT_EQ(ReadFile(dir / "zelkor.ini.tmp"), "mine");
    EXPECT_TRUE(fs::is_symlink(File()) && fs::status(File()).permissions() == fs::perms(0640));
    EXPECT_EQ(LinesOf(dir / "real" / "zelkor.ini")[14], "Linked");
    // Only the program's own temporaries too old to be a write in progress go; long names write.
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(61);
    for (const char* name : {".zelkor-a1b2c3d4.tmp", ".zelkor-fresh123.tmp", ".zelkor-x.tmp",
                             "game.zelkor-12.tmp", ".zelkor-A1B2C3D4.tmp"}) {
        WriteFile(dir / name, "x");
        if (std::string(name) != ".zelkor-fresh123.tmp") fs::last_write_time(dir / name, old);
    }
    fs::create_directory(dir / ".zelkor-folder12.tmp");  // not a file: it stays
    fs::last_write_time(dir / ".zelkor-folder12.tmp", old);
    EXPECT_EQ(RemoveStaleTemporaries(dir.path()), 1);
    EXPECT_TRUE(!fs::exists(dir / ".zelkor-a1b2c3d4.tmp") &&
                fs::exists(dir / "game.zelkor-12.tmp") && fs::exists(dir / ".zelkor-fresh123.tmp"));
    const fs::path longName = dir / (std::string(251, 'n') + ".zlk");
    EXPECT_TRUE(WriteFileSafely(longName, "long") && ReadFile(longName) == "long");
    fs::create_symlink("loop.zlk", dir / "loop.zlk");  // a link to itself names no file
    EXPECT_FALSE(WriteFileSafely(dir / "loop.zlk", "x"));
    const int input = dup(0);  // started without standard input: a new file may get number 0
    close(0);
    const bool written = WriteFileSafely(dir / "no-input.zlk", "x");
    EXPECT_TRUE(dup2(input, 0) == 0 && close(input) == 0 && written);
}

TEST_F(SettingsFileTest, AFolderADeviceOrAPipeInTheFilesPlaceGivesTheDefaultsAtOnce) {
    for (const char* place : {"folder", "/dev/zero", "pipe"}) {
        fs::remove(File());
        if (place[0] == '/') fs::create_symlink(place, File());
        if (place[0] == 'f') fs::create_directory(File());
        if (place[0] == 'p') mkfifo(File().c_str(), 0600);
        Settings s;
        EXPECT_EQ(Read(s).status, SettingsReadStatus::Defaults) << place;
        EXPECT_TRUE(fs::exists(fs::symlink_status(File())));  // kept
    }
    // A file bigger than its size says (as in /proc) is cut at the limit; a failed read: nothing.
    for (const char* file : {"/proc/self/status", "/proc/self/mem"})
        EXPECT_EQ(ReadDataFile(file, 16), std::nullopt) << file;
    fs::remove(File());  // a file of exactly the limit is read, one byte more is not
    WriteFile(File(), "1234");
    EXPECT_EQ(std::pair(ReadDataFile(File(), 4), ReadDataFile(File(), 3)),
              std::pair(std::optional<std::string>("1234"), std::optional<std::string>()));
    TextLineReader grows(File(), kMaxLineLength, 4);  // one that grows: read to its old size
    WriteFile(File(), "1234\r\n56\r\n");
    EXPECT_TRUE(grows.Next() == "1234" && grows.AtEnd() && !grows.Next());
    TextLineReader refused("/proc/self/mem");  // opens, then fails at the first read
    EXPECT_TRUE(!refused.Next() && refused.failed());
}

// The folder rules the install test does not reach, on a fake installation under prefix/.
struct Installed {
    TempDir root;
    fs::path bin = root / "prefix/bin";
    fs::path share = root / "prefix/share/zelkor";
    fs::path home = root / "home";
    fs::path user = home / ".local/share/zelkor";

    Installed() {
        for (const fs::path& folder : {bin, share / "pieces/brownandblack", home})
            fs::create_directories(folder);
        WriteFile(share / "variants.ini", "ZELKOR Version=0.10\r\n");
    }
    DataFolderInputs Inputs(bool binWritable = true) const {
        DataFolderInputs in;
        in.executableFolder = bin;
        in.home = home.string();
        in.isWritable = [binWritable, this](const fs::path& f) { return f != bin || binWritable; };
        return in;
    }
};

TEST(DataFolder, OptionXdgDataHomeReadOnlyFolderAndProblems) {
    Installed inst;
    TempDir chosen;
    DataFolderInputs in = inst.Inputs();
    in.dataDirOption = chosen.path();
    const DataFolder chose = ResolveDataFolder(in);
    EXPECT_EQ(std::tuple(chose.folder, chose.shipped, chose.perUser),
              std::tuple(chosen.path(), inst.share, false));  // no pieces of its own
    EXPECT_FALSE(fs::exists(inst.home / ".local"));
    fs::create_directories(chosen / "pieces");
    EXPECT_EQ(ResolveDataFolder(in).shipped, chosen.path());
    in.dataDirOption = chosen / "mistyped";  // a folder that does not exist is an error
    EXPECT_EQ(ResolveDataFolder(in).error,
              "The data folder " + (chosen / "mistyped").string() + " does not exist");
    in.dataDirOption.reset();
    in.xdgDataHome = (inst.root / "xdg").string();
    EXPECT_EQ(ResolveDataFolder(in).folder, inst.root / "xdg/zelkor");
    in.xdgDataHome = "relative/xdg";  // invalid: the default applies
    EXPECT_EQ(ResolveDataFolder(in).folder, inst.user);
    in.executableFolder = chosen / "bin";  // no data anywhere: all from the executable's folder
    EXPECT_EQ(ResolveDataFolder(in).shipped, chosen / "bin");

    // Data beside the executable in a folder the user cannot write (/opt/zelkor).
    Installed opt;
    WriteFile(opt.bin / "variants.ini", "beside\r\n");
    DataFolder data = ResolveDataFolder(opt.Inputs(false));
    EXPECT_EQ(std::tuple(data.perUser, data.shipped, ReadFile(data.folder / "variants.ini")),
              std::tuple(true, opt.bin, "beside\r\n"));
    WriteFile(data.folder / "variants.ini", "mine\r\n");  // the next start keeps the user's files
    WriteFile(opt.bin / "zelkor.bok", "book\r\n");        // and adds what is missing
    data = ResolveDataFolder(opt.Inputs(false));
    EXPECT_EQ(ReadFile(data.folder / "variants.ini") + ReadFile(data.folder / "zelkor.bok"),
              "mine\r\nbook\r\n");

    // Problems fall back to the shipped folder with a warning.
    Installed bad;
    in = bad.Inputs();
    in.home.clear();
    data = ResolveDataFolder(in);
    EXPECT_EQ(std::tuple(data.folder, data.perUser, data.warning.empty()),
              std::tuple(bad.share, false, false));
    WriteFile(bad.home / ".local", "in the way");  // the per-user folder cannot be made
    data = ResolveDataFolder(bad.Inputs());
    EXPECT_EQ(std::tuple(data.folder, data.perUser), std::tuple(bad.share, false));
    EXPECT_TRUE(Has(data.warning, "Could not create"));

    // The manual: in the shipped folder, beside the executable, in share/zelkor, else named there.
    WriteFile(inst.share / "manual.md", "");
    data.shipped = bad.share;
    EXPECT_EQ(ShippedFile(data, inst.bin, "manual.md"), inst.share / "manual.md");
    WriteFile(bad.bin / "manual.md", "");
    EXPECT_EQ(ShippedFile(data, bad.bin, "manual.md"), bad.bin / "manual.md");
    WriteFile(bad.share / "manual.md", "");
    EXPECT_EQ(ShippedFile(data, bad.bin, "manual.md"), bad.share / "manual.md");
    EXPECT_EQ(ShippedFile(data, bad.bin, "none.md"), bad.share / "none.md");

    TempDir dir;
    EXPECT_TRUE(IsFirstStart(dir.path()) && MarkFirstStartDone(dir.path()));
    EXPECT_FALSE(IsFirstStart(dir.path()) || MarkFirstStartDone(dir / "missing"));
}

// The window's command line: usage and version need no display; the data folder; nothing after --.
TEST(DataFolder, ProgramArguments) {
    // The arguments, then whether only a text is wanted and the data folder given.
    const std::tuple<std::vector<std::string>, bool, std::optional<fs::path>> rows[] = {
        {{}, false, std::nullopt},
        {{"-h"}, true, std::nullopt},
        {{"--data-dir", "d", "--help"}, true, "d"},
        {{"-?"}, true, std::nullopt},
        {{"--help-all"}, true, std::nullopt},
        {{"--version"}, true, std::nullopt},
        {{"-v", "--data-dir"}, true, std::nullopt},
        {{"--data-dir", "a b", "--data-dir=c"}, false, "c"},
        {{"--data-dir=", "--", "--data-dir", "e", "-v"}, false, ""},
        {{"--data-dir", "--version"}, false, "--version"}};
    for (const auto& [arguments, textOnly, dataDir] : rows) {
        const ProgramArguments read = ReadProgramArguments(arguments);
        EXPECT_EQ(std::tuple(read.textOnly, read.dataDir), std::tuple(textOnly, dataDir))
            << arguments.size();
    }
}

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
    auto back = GameOf({{"1", 5}, {"2", 0}});  // gone back to the start: the depths ahead
    back->gamePly = 0;                         // do not count
    UpdateRating(0, *back, true, rating, {scores, counts}, &computer);
    EXPECT_EQ(computer, 1200);

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
    auto switched = GameOf({{"2", 0}, {"1", 2}, {"1", 2}, {"1", 2}});  // White changed hands
    for (GameState* unrated : {players.get(), loaded.get(), switched.get()})
        EXPECT_TRUE(UpdateRating(1, *unrated, true, rating, {none, none}).empty() &&
                    !unrated->rated);
    auto off = GameOf({{"2", 0}, {"1", 2}});
    EXPECT_EQ(UpdateRating(1, *off, false, rating, {none, none}), "");
    EXPECT_TRUE(off->rated && rating == 1200);
    // Replayed moves in a fair game still count; Black's player is found after White's.
    auto mixed = GameOf({{"3", 0}, {"3", 0}, {"2", 0}, {"3", 0}, {"2", 0}, {"1", 3}});
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
