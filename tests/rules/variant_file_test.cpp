#include "rules/variant_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>

#include "rules/text_lines.h"
#include "support/fakes.h"

namespace zelkor {
namespace {

// Joins lines with CR LF, as the shipped files are written.
std::string CrLf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

const std::string kHeader = "ZELKOR Version=0.10";

class VariantFileTest : public ::testing::Test {
  protected:
    void Write(const std::string& contents) { test::WriteFile(dir / kVariantFileName, contents); }
    VariantFileStatus Load(uint8_t number) {
        variant = number;
        return LoadVariant(*g, dir.path(), variant, ui);
    }

    test::TempDir dir;
    test::RecordingUi ui;
    std::unique_ptr<GameState> g = std::make_unique<GameState>();
    uint8_t variant = 1;
};

TEST_F(VariantFileTest, MissingForeignAndWrongVersionFiles) {
    g->defined = DefaultRules();
    EXPECT_EQ(Load(1), VariantFileStatus::Missing);  // silently, the defaults kept
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(g->defined.name, "Halma");
    EXPECT_TRUE(ListVariantNames(dir.path(), true).empty());

    for (const std::string& text :
         {CrLf({"ZELKOR version=0.10", "Variant=A", "END"}), std::string("ZELKOR")}) {
        Write(text);
        EXPECT_EQ(Load(1), VariantFileStatus::NotVariantFile);
        EXPECT_EQ(Shown(ui.messages.back()), "Zelkor: VARIANTS.INI is not an Zelkor Variants file");
        EXPECT_EQ(ui.messages.back().icon, Icon::Exclamation);
    }
    // The version is compared as a number.
    const std::pair<const char*, bool> versions[] = {
        {"0.11", false}, {"", false},     {"abc", false},  {"1.0", false},     {"0.1", true},
        {"0.10", true},  {"0.100", true}, {" 0.10", true}, {"0.10 beta", true}};
    for (auto [version, right] : versions) {
        ui.messages.clear();
        Write(CrLf({std::string("ZELKOR Version=") + version, "Variant=A", "END"}));
        EXPECT_EQ(Load(1), right ? VariantFileStatus::Loaded : VariantFileStatus::WrongVersion)
            << version;
        EXPECT_EQ(ui.messages.empty() ? "" : Shown(ui.messages[0]),
                  right ? "" : "Error: Incorrect version of VARIANTS.INI\r\nNeed version 0.10");
    }
}

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
    EXPECT_EQ(d.name + "|" + d.help + "|" + g->active.name, "Second|abcdef|Second");
    EXPECT_EQ(d.flags, (std::array<uint8_t, kRuleFlagCount>{1, 1, 1, 1, 1, 0, 0, 0, 1, 1}));
    EXPECT_EQ(HomeSquaresText(d.home[0]), "A8B8");
    EXPECT_EQ(std::tuple(d.home[0][2], d.home[1][0], d.home[1][1]),
              std::tuple(kEmptySlot, kEmptySlot, 28));  // lower case is no square
    EXPECT_EQ(d.directions[0] + "|" + d.directions[1], "N;E W|S N");
    EXPECT_EQ(std::tuple(g->board[21], g->board[22], g->board[23], g->board[98], g->board[20]),
              std::tuple(kWhiteMan, kBlackMan, kEmpty, kBlackMan, kOffBoard));
    EXPECT_EQ(g->initialBoard, g->board);
    EXPECT_EQ(variant, 2);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(VariantFileTest, MissingKeysLineEndsAndBlocksWithoutEnd) {
    Write(CrLf({kHeader, "Variant=Plain", "Setup=normal", "PromoW=a8b8", "END"}));
    ApplySetupText(kDefaultSetup, g->board);
    g->defined = DefaultRules();
    g->defined.flag(LongKings) = 1;
    ASSERT_EQ(Load(1), VariantFileStatus::Loaded);
    EXPECT_EQ(SetupText(g->board), kDefaultSetup);  // "normal" and missing keys keep it all
    EXPECT_EQ(std::tuple(g->defined.flag(LongKings), g->defined.flag(OutofHome)),
              (std::tuple<uint8_t, uint8_t>(1, 1)));
    EXPECT_EQ(HomeSquaresText(g->defined.home[0]), "");
    EXPECT_EQ(g->defined.home[1], DefaultHomeSquares()[1]);

    for (const std::string e : {"\n", "\r"}) {  // LF or CR and odd set-up characters
        Write(kHeader + e + "Variant=Lf" + e + "Setup=1x92" + e + "BlackStarts=1" + e + "END");
        ASSERT_EQ(Load(1), VariantFileStatus::Loaded);
        EXPECT_EQ(g->defined.name, "Lf");
        EXPECT_EQ(g->defined.flag(BlackStarts), 1);
        EXPECT_EQ(SetupText(g->board).substr(0, 5), "10020");
    }

    // A block without END runs into the next block.
    Write(CrLf({kHeader, "Variant=One", "MulJumps=1", "Help=a", "Variant=Two", "MulJumps=0",
                "LongKings=1", "Help=b", "END"}));
    ASSERT_EQ(Load(1), VariantFileStatus::Loaded);
    EXPECT_EQ(g->defined.name + g->defined.help, "Oneab");
    EXPECT_EQ(std::tuple(g->defined.flag(MulJumps), g->defined.flag(LongKings)),
              (std::tuple<uint8_t, uint8_t>(0, 1)));
    EXPECT_EQ(ListVariantNames(dir.path(), false), (std::vector<std::string>{"One", "Two"}));
}

TEST_F(VariantFileTest, NumberTooHighOrBrokenBlockFallsBackToVariantOne) {
    Write(CrLf({kHeader, "Variant=One", "Setup=normal", "END", "Variant=Two", "END"}));
    for (uint8_t number : {3, 0}) {
        EXPECT_EQ(Load(number), VariantFileStatus::Loaded);
        EXPECT_EQ(variant, 1);
        EXPECT_EQ(g->defined.name, "One");
    }
    // The broken block's set-up must not survive the fall-back.
    ApplySetupText(kDefaultSetup, g->board);
    Write(CrLf({kHeader, "Variant=One", "END", "Variant=Broken", "Setup=1111", "MulJumps=1"}));
    EXPECT_EQ(Load(2), VariantFileStatus::Loaded);
    EXPECT_EQ(variant, 1);
    EXPECT_EQ(g->defined.name, "One");
    EXPECT_EQ(SetupText(g->board), kDefaultSetup);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(VariantFileTest, DamagedVariantOneIsReportedWithFileAndBlockAndTheRulesStay) {
    const std::string file = (dir / "variants.ini").string();
    const std::string stays = "; the rules stay as they were";
    // File text, variant number, message.
    const std::tuple<std::string, int, std::string> rows[] = {
        {CrLf({kHeader, "x", "Variant=One", "MulJumps=1"}), 1,
         file + ": the block \"Variant=One\" (line 3) has no line END" + stays},
        {CrLf({kHeader, "Variant=One", "MulJumps=1"}), 4,
         file + ": the block \"Variant=One\" (line 2) has no line END" + stays},
        {CrLf({kHeader}), 4, file + " holds no block \"Variant=\"" + stays},
        {CrLf({kHeader, "Variant=One", "Help=h", "MulJumps=256", "END"}), 1,
         file + ", line 4: MulJumps=256 does not fit in the block \"Variant=One\" (line 2)" +
             stays},
    };
    for (const auto& [text, number, message] : rows) {
        Write(text);
        g->defined = DefaultRules();
        ui.messages.clear();
        EXPECT_EQ(Load(number), VariantFileStatus::Damaged) << message;
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(Shown(ui.messages[0]), "Error: " + message);
        EXPECT_EQ(g->defined.name, DefaultRules().name);
        EXPECT_EQ(g->defined.flag(MulJumps), 0);
    }
    // A folder, a pipe or a device in the file's place cannot be read; nothing blocks.
    std::filesystem::remove(dir / "variants.ini");
    std::filesystem::create_directory(dir / "variants.ini");
    ui.messages.clear();
    EXPECT_EQ(Load(1), VariantFileStatus::Damaged);
    EXPECT_EQ(Shown(ui.messages.at(0)), "Error: " + file + " cannot be read" + stays);
    EXPECT_TRUE(ListVariantNames(dir.path(), false).empty());
    std::filesystem::remove(dir / "variants.ini");
    for (const char* device : {"/dev/zero", "/dev/null"}) {
        std::filesystem::create_symlink(device, dir / "variants.ini");
        EXPECT_EQ(Load(1), VariantFileStatus::Damaged) << device;
        EXPECT_TRUE(ListVariantNames(dir.path(), false).empty());
        std::filesystem::remove(dir / "variants.ini");
    }
    ASSERT_EQ(mkfifo((dir / "variants.ini").c_str(), 0600), 0);
    EXPECT_EQ(Load(1), VariantFileStatus::Damaged);
    std::filesystem::remove(dir / "variants.ini");

    // Text reads as zero.
    Write(CrLf({kHeader, "Variant=One", "MulJumps=yes", "LongKings= 1 ", "KingFirst=255", "END"}));
    g->defined.flag(MulJumps) = 1;
    ASSERT_EQ(Load(1), VariantFileStatus::Loaded);
    EXPECT_EQ(std::tuple(g->defined.flag(MulJumps), g->defined.flag(LongKings),
                         g->defined.flag(KingFirst)),
              (std::tuple<uint8_t, uint8_t, uint8_t>(0, 1, 255)));
}

TEST_F(VariantFileTest, HostileInputNeverCrashes) {
    std::string binary(5000, '\0');
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 7919 % 256);
    Write(kHeader + "\r\nVariant=" + std::string(200000, 'x') +
          "\r\nHelp=" + std::string(300000, 'h') + "\r\n" + binary + "\r\nEND\r\n");
    ASSERT_EQ(Load(1), VariantFileStatus::Loaded);
    EXPECT_LE(g->defined.name.size(), kMaxLineLength);
    EXPECT_LE(g->defined.help.size(), kMaxLineLength);
    Write(binary);
    EXPECT_EQ(Load(1), VariantFileStatus::NotVariantFile);
    EXPECT_TRUE(ListVariantNames(dir.path(), false).empty());
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
    EXPECT_EQ(d.table, g->directions);
    EXPECT_EQ(d.setup, std::optional<std::string>("1"));
    EXPECT_EQ(SetupText(g->board), kDefaultSetup);
}

}  // namespace
}  // namespace zelkor
