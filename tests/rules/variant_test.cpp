// Notation, directions, home squares, set-ups, and the variant file with every damage it can carry.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>

#include "records/text_lines.h"
#include "records/variant_file.h"
#include "rules/board.h"
#include "rules/game_setup.h"
#include "rules/move_text.h"
#include "rules/variant.h"
#include "rules_test_util.h"
#include "support/fakes.h"

namespace zelkor::test {
namespace {

TEST(Notation, SquareNamesBothWays) {
    const Board board = EmptyBoard();
    const std::pair<int, const char*> names[] = {{21, "a1"}, {98, "h8"}, {58, "h4"}};
    for (auto [square, name] : names)
        EXPECT_EQ(SquareNotation(board, square), name);
    for (int square : {0, 20, 29, 30, 99, 100, 119, -5, 500})
        EXPECT_EQ(SquareNotation(board, square), "--") << square;
    // Only two upper-case characters are read.
    const std::pair<const char*, int> numbers[] = {{"A1", 21}, {"H8", 98}, {"B3xyz", 42}, {"a1", 0},
                                                   {"I1", 0},  {"A9", 0},  {"", 0},       {"A", 0},
                                                   {"A0", 0},  {"@1", 0}};
    for (auto [text, square] : numbers)
        EXPECT_EQ(SquareNumber(text), square) << text;
    // A move of the pool by its index; none outside the pool.
    auto g = DefaultGame();
    g->movePool[0] = Move{21, 32, 0, 0};
    std::string texts;
    for (int index : {-1, 0, kMovePoolSize})
        texts += DisplayMove(*g, index).display + " ";
    EXPECT_EQ(texts, "----- a1-b2 ----- ");
}

TEST(Directions, UnknownNameEndsItsListBlackIsMirroredAndRowsDoNotOverflow) {
    DirectionTable table{};
    EXPECT_TRUE(ParseDirections("N;E W", 1, table));
    EXPECT_EQ(std::tuple(table[1][0], table[1][1], table[1][2], table[3][0], table[3][1]),
              std::tuple(-10, -1, kDirectionEnd, 1, kDirectionEnd));
    EXPECT_FALSE(ParseDirections("N;X;E S", 0, table));
    EXPECT_EQ(std::tuple(table[0][0], table[0][1], table[2][0], table[2][1]),
              std::tuple(10, kDirectionEnd, -10, kDirectionEnd));
    EXPECT_FALSE(ParseDirections("N;N;N;N;N;N;N;N;N N", 0, table));
    EXPECT_EQ(std::tuple(table[0][8], table[2][0]),
              std::tuple(int16_t{kDirectionEnd}, int16_t{10}));
    auto g = DefaultGame();  // Black's text alone makes the rules in force fail
    g->active.directions[1] = "N;X S";
    EXPECT_FALSE(ApplyRules(*g));
}

TEST(HomeSquaresAndSetup, ReorderTablesAndTexts) {
    HomeSquares home = DefaultHomeSquares();
    ReorderHomeSquares(home);  // to the far corners
    EXPECT_EQ(std::tuple(home[0][0], home[1][0]), std::tuple(91, 28));
    const HomeTables tables = BuildHomeTables(home);
    EXPECT_EQ(std::tuple(tables.targetCount[0], tables.owner[91], tables.owner[28],
                         tables.owner[55], tables.targetDistance[0][91]),
              std::tuple(10, 0, 1, -1, 125));
    EXPECT_EQ(tables.targetDistance[0][28], 1);  // eleven steps from A5, B6 and D8
    const auto list = ParseHomeSquares("A8B8");  // lower-case pieces and empty slots skipped
    EXPECT_EQ(std::tuple(list[0], list[1], list[2]), std::tuple(91, 92, kEmptySlot));
    EXPECT_EQ(std::tuple(HomeSquaresText(list), ParseHomeSquares("a8b8")[0]),
              std::tuple("A8B8", kEmptySlot));

    Board board = EmptyBoard();
    EXPECT_TRUE(ApplySetupText(kDefaultSetup, board));
    EXPECT_EQ(std::tuple(board[25], board[91], SetupText(board)),
              std::tuple(kWhiteMan, kBlackMan, kDefaultSetup));
    EXPECT_FALSE(ApplySetupText("39", board));  // foreign digits become empty squares
    EXPECT_EQ(std::tuple(board[21], board[22], board[20]), std::tuple(kEmpty, kEmpty, kOffBoard));
}

const std::string kHeader = "ZELKOR Version=0.10";

class VariantFileTest : public ::testing::Test {
  protected:
    void Write(const std::string& contents) { WriteFile(dir / kVariantFileName, contents); }
    VariantFileStatus Load(uint8_t number) {
        variant = number;
        return LoadVariant(*g, dir.path(), variant, ui);
    }

    TempDir dir;
    RecordingUi ui;
    std::unique_ptr<GameState> g = std::make_unique<GameState>();
    uint8_t variant = 1;
};

TEST_F(VariantFileTest, ReadsEveryKeyOfTheChosenBlock) {
    Write(kHeader + "\r\n" +
          "Variant=First\r\nMulJumps=1\r\nEND\r\nignored line\r\nVariant=Second\r\n"
          "Setup=1200000000000000000000000000000000000000000000000000000000000002\r\n"
          "MulJumps=0\r\nMaxCapMove=1\r\nBlackStarts=1\r\nPromoW=A8B8\r\nPromoB=a1H1\r\n"
          "ManContJump=0\r\nLongKings=1\r\nKingFirst=1\r\nCapRequired=1\r\nHomeLess=1\r\n"
          "FullHome=1\r\nOutofHome=0\r\nWhiteManMovement=N;E W\r\nBlackManMovement=S N\r\n"
          "Help=abc\r\nHelp=def\r\nunknown=5\r\nEND\r\n");
    g->defined = DefaultRules();
    ASSERT_EQ(Load(2), VariantFileStatus::Loaded);
    const VariantRules& d = g->defined;
    EXPECT_EQ(d.name + "|" + d.help + "|" + g->active.name + "|" + g->active.help,
              "Second|abc\ndef|Second|abc\ndef");
    EXPECT_EQ(d.flags, (std::array<uint8_t, kRuleFlagCount>{1, 1, 1, 1, 1, 0, 0, 0, 1, 1}));
    EXPECT_EQ(HomeSquaresText(d.home[0]), "A8B8");
    EXPECT_EQ(std::tuple(d.home[0][2], d.home[1][0], d.home[1][1]),
              std::tuple(kEmptySlot, kEmptySlot, 28));  // lower case is no square
    EXPECT_EQ(d.directions[0] + "|" + d.directions[1], "N;E W|S N");
    EXPECT_EQ(std::tuple(g->board[21], g->board[22], g->board[23], g->board[98], g->board[20]),
              std::tuple(kWhiteMan, kBlackMan, kEmpty, kBlackMan, kOffBoard));
    EXPECT_TRUE(g->initialBoard == g->board && variant == 2 && ui.messages.empty());

    // Missing keys and "normal" keep the set-up and the flags as they were.
    Write(CrLf({kHeader, "Variant=Plain", "Setup=normal", "PromoW=a8b8", "END"}));
    ApplySetupText(kDefaultSetup, g->board);
    g->defined = DefaultRules();
    g->defined.flag(LongKings) = 1;
    ASSERT_EQ(Load(1), VariantFileStatus::Loaded);
    EXPECT_EQ(SetupText(g->board), kDefaultSetup);
    EXPECT_EQ(std::tuple(g->defined.flag(LongKings), g->defined.flag(OutofHome)),
              (std::tuple<uint8_t, uint8_t>(1, 1)));
    EXPECT_EQ(HomeSquaresText(g->defined.home[0]), "");
    EXPECT_EQ(g->defined.home[1], DefaultHomeSquares()[1]);
    for (const std::string e : {"\n", "\r"}) {  // LF or CR and odd set-up characters
        Write(kHeader + e + "Variant=Lf" + e + "Setup=1x92" + e + "BlackStarts=1" + e + "END");
        ASSERT_EQ(Load(1), VariantFileStatus::Loaded);
        EXPECT_EQ(g->defined.name + std::to_string(g->defined.flag(BlackStarts)), "Lf1");
        EXPECT_EQ(SetupText(g->board).substr(0, 5), "10020");
    }
    // Text, even "inf", reads as zero; a sign belongs to the number.
    Write(CrLf({kHeader, "Variant=One", "MulJumps=inf", "LongKings= 1 ", "KingFirst=2.55e2",
                "CapRequired=+1", "END"}));
    g->defined.flag(MulJumps) = 1;
    ASSERT_EQ(Load(1), VariantFileStatus::Loaded);
    EXPECT_EQ(std::tuple(g->defined.flag(MulJumps), g->defined.flag(LongKings),
                         g->defined.flag(KingFirst), g->defined.flag(CapRequired)),
              (std::tuple<uint8_t, uint8_t, uint8_t, uint8_t>(0, 1, 255, 1)));
}

TEST_F(VariantFileTest, BlocksWithoutEndAndNumbersThatFallBackToVariantOne) {
    Write(CrLf({kHeader, "Variant=One", "MulJumps=1", "Help=a", "Variant=Two", "MulJumps=0",
                "LongKings=1", "Help=b", "END"}));
    ASSERT_EQ(Load(1), VariantFileStatus::Loaded);  // runs into the next block
    EXPECT_EQ(g->defined.name + g->defined.help, "Onea\nb");
    EXPECT_EQ(std::tuple(g->defined.flag(MulJumps), g->defined.flag(LongKings)),
              (std::tuple<uint8_t, uint8_t>(0, 1)));
    EXPECT_EQ(ListVariantNames(dir.path(), false), (std::vector<std::string>{"One", "Two"}));

    Write(CrLf({kHeader, "Variant=One", "Setup=normal", "END", "Variant=Two", "END"}));
    for (uint8_t number : {3, 0}) {
        EXPECT_EQ(Load(number), VariantFileStatus::Loaded);
        EXPECT_EQ(g->defined.name + std::to_string(variant), "One1");
    }
    // The broken block's set-up must not survive the fall-back.
    ApplySetupText(kDefaultSetup, g->board);
    Write(CrLf({kHeader, "Variant=One", "END", "Variant=Broken", "Setup=1111", "MulJumps=1"}));
    EXPECT_EQ(Load(2), VariantFileStatus::Loaded);
    EXPECT_EQ(g->defined.name + std::to_string(variant), "One1");
    EXPECT_EQ(SetupText(g->board), kDefaultSetup);
    EXPECT_TRUE(ui.messages.empty());
}

// A file that cannot be used is reported (missing: silently) and the rules stay.
TEST_F(VariantFileTest, BadFilesAreReportedAndTheRulesStay) {
    g->defined = DefaultRules();
    EXPECT_EQ(Load(1), VariantFileStatus::Missing);
    EXPECT_TRUE(ui.messages.empty() && ListVariantNames(dir.path(), true).empty());

    using S = VariantFileStatus;
    const std::string file = (dir / kVariantFileName).string();
    const std::string stays = "; the rules stay as they were";
    const std::string foreign = "Zelkor: VARIANTS.INI is not an Zelkor Variants file";
    const std::string version = "Error: Incorrect version of VARIANTS.INI\r\nNeed version 0.10";
    std::string binary;
    for (int i = 0; i < 5000; ++i)
        binary += static_cast<char>(i * 7919 % 256);
    // File text, variant number, result, message.
    std::vector<std::tuple<std::string, int, S, std::string>> rows = {
        {CrLf({"ZELKOR version=0.10", "Variant=A", "END"}), 1, S::NotVariantFile, foreign},
        {"ZELKOR", 1, S::NotVariantFile, foreign},
        {binary, 1, S::NotVariantFile, foreign},
        {CrLf({kHeader, "x", "Variant=One", "MulJumps=1"}), 1, S::Damaged,
         "Error: " + file + ": the block \"Variant=One\" (line 3) has no line END" + stays},
        {CrLf({kHeader, "Variant=One", "MulJumps=1"}), 4, S::Damaged,
         "Error: " + file + ": the block \"Variant=One\" (line 2) has no line END" + stays},
        {CrLf({kHeader}), 4, S::Damaged, "Error: " + file + " holds no block \"Variant=\"" + stays},
        {CrLf({kHeader, "Variant=One", "Help=h", "MulJumps=256", "END"}), 1, S::Damaged,
         "Error: " + file + ", line 4: MulJumps=256 does not fit in the block \"Variant=One\" " +
             "(line 2)" + stays}};
    // The version is compared as a number.
    const std::pair<const char*, bool> versions[] = {
        {"0.11", false}, {"", false},        {"abc", false},  {"1.0", false},     {"0.1", true},
        {"0.10", true},  {"1E-00001", true}, {" 0.10", true}, {"0.10 beta", true}};
    for (auto [v, right] : versions) {
        rows.push_back({CrLf({std::string("ZELKOR Version=") + v, "Variant=A", "END"}), 1,
                        right ? S::Loaded : S::WrongVersion, right ? "" : version});
    }
    for (const auto& [text, number, status, message] : rows) {
        SCOPED_TRACE(text.substr(0, 40));
        Write(text);
        g->defined = DefaultRules();
        ui.messages.clear();
        EXPECT_EQ(Load(number), status);
        EXPECT_EQ(ui.messages.empty() ? "" : Shown(ui.messages[0]), message);
        EXPECT_LE(ui.messages.size(), 1u);
        EXPECT_TRUE(status == S::Loaded || g->defined.flag(MulJumps) == 0);
        EXPECT_TRUE(status != S::NotVariantFile || ui.messages.at(0).icon == Icon::Exclamation);
        EXPECT_TRUE(text != binary || ListVariantNames(dir.path(), false).empty());
    }

    // A folder, a pipe or a device in the file's place cannot be read; nothing blocks.
    const auto place = dir / kVariantFileName;
    for (const std::string kind : {"folder", "/dev/zero", "/dev/null", "pipe"}) {
        std::filesystem::remove(place);
        if (kind == "folder") std::filesystem::create_directory(place);
        if (kind == "pipe") mkfifo(place.c_str(), 0600);
        if (kind[0] == '/') std::filesystem::create_symlink(kind, place);
        ui.messages.clear();
        EXPECT_EQ(Load(1), S::Damaged) << kind;
        EXPECT_EQ(Shown(ui.messages.at(0)), "Error: " + file + " cannot be read" + stays);
        EXPECT_TRUE(ListVariantNames(dir.path(), false).empty());
    }
    std::filesystem::remove(place);

    // Lines of hundreds of kilobytes are cut.
    const std::string help = "\r\nHelp=" + std::string(300000, 'h');  // twice: the help is cut too
    Write(kHeader + "\r\nVariant=" + std::string(200000, 'x') + help + help + "\r\n" + binary +
          "\r\nEND\r\n");
    ASSERT_EQ(Load(1), S::Loaded);
    EXPECT_LE(g->defined.name.size(), kMaxLineLength);
    EXPECT_LE(g->defined.help.size(), kMaxLineLength);
}

TEST_F(VariantFileTest, DialogReaderFillsBothRuleSetsAndItsFields) {
    Write(CrLf({kHeader, "Variant=Dlg", "Setup=1", "CapRequired=1", "OutofHome=0", "PromoW=H8G8",
                "WhiteManMovement=N;NE NW", "BlackManMovement=S", "END"}));
    g->active = g->defined = DefaultRules();
    ApplySetupText(kDefaultSetup, g->board);
    const DialogVariant d = ReadVariantForDialog(*g, dir.path(), variant, ui);
    ASSERT_EQ(d.status, VariantFileStatus::Loaded);
    EXPECT_EQ(std::tuple(g->active.flag(CapRequired), g->defined.flag(CapRequired),
                         g->active.flag(OutofHome)),
              (std::tuple<uint8_t, uint8_t, uint8_t>(1, 1, 0)));
    EXPECT_EQ(std::tuple(g->defined.home[0][0], d.home[0][1], d.home[0][2]),
              std::tuple(98, 97, kEmptySlot));
    EXPECT_EQ(g->active.home, DefaultHomeSquares());  // the dialog applies its fields itself
    EXPECT_EQ(
        d.normalMoves[0] + "|" + d.jumpMoves[0] + "|" + d.normalMoves[1] + "|" + d.jumpMoves[1],
        "N;NE|NW|S|");
    EXPECT_EQ(g->defined.directions[0], "N;NE NW");
    const auto& t = g->directions;
    EXPECT_EQ(std::tuple(t[0][0], t[0][1], t[2][0], t[1][0], t[3][0]),
              std::tuple(kNorth, kNorthEast, kNorthWest, -kSouth, kDirectionEnd));
    EXPECT_TRUE(d.table == g->directions && d.setup == std::optional<std::string>("1") &&
                SetupText(g->board) == kDefaultSetup);
}

}  // namespace
}  // namespace zelkor::test
