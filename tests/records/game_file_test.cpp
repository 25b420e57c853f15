#include "records/game_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "records/book.h"
#include "records/book_games.h"
#include "records/text_file.h"
#include "rules/rules_test_util.h"
#include "support/fakes.h"

namespace zelkor::test {
namespace {

const std::string kHeader =
    "ZELKOR Version=0.10\r\nVariant=1\r\n"
    "Setup=0000111100000111000000110000000120000000220000002220000022220000\r\n"
    "Depth=2\r\nNotation=0\r\nMulJumps=0\r\nMaxCapMove=0\r\nBlackStarts=0\r\n"
    "PromoW=A8B8A7C8B7A6C7D8B6A5\r\nPromoB=H1G1H2G2F1H3F2G3E1H4\r\n"
    "ManContJump=1\r\nLongKings=0\r\nKingFirst=0\r\nCapRequired=0\r\nHomeLess=0\r\n"
    "FullHome=0\r\nOutofHome=1\r\nOffset=\r\n"
    "NW;N;NE;E;SE;S;SW;W NW;N;NE;E;SE;S;SW;W\r\nNW;N;NE;E;SE;S;SW;W NW;N;NE;E;SE;S;SW;W\r\n"
    "PlayerName=Player\r\nSTART\r\n";

// The header keys, then the body items ("{comment}" or the move text), space-separated.
std::string Summary(const GameFileContents& contents) {
    std::string text;
    for (const auto& line : contents.header)
        text += line.key + " ";
    text += "|";
    for (const auto& item : contents.body)
        text +=
            " " + (item.kind == GameFileItem::Kind::Comment ? "{" + item.text + "}" : item.text);
    return text;
}

TEST(GameFile, RoundTripKeepsMovesCommentsAndHeader) {
    TempDir dir;
    auto g = DefaultGame();
    Settings settings;
    EXPECT_EQ(GameFileText(GameFileDataOf(*g, settings)), kHeader);  // a new game
    RecordTexts(*g, {"h4g5", "a5b4", "g3f4"});
    g->gamePly = 1;  // the whole record is written, whatever position is shown
    g->comments[0] = "first line\r\nsecond line";
    g->comments[2] = "after a5b4";
    g->comments[3] = "\r\nlast";  // a break first
    g->active.flag(BlackStarts) = 1;
    g->active.directions[1] = "N;E W";
    std::tie(settings.SearchDepth, settings.Variant, settings.PlayerName, settings.Notation) =
        std::tuple(5, 3, "A\r\nnn", 1);  // the name on its line
    const auto file = dir / "game.zlk";
    ASSERT_TRUE(WriteGameFile(file, GameFileDataOf(*g, settings)));
    EXPECT_TRUE(Has(ReadFile(file),
                    "{first line\xFF\xFFsecond line}\r\nh4g5\r\na5b4\r\n"
                    "{after a5b4}\r\ng3f4\r\n{\xFF\xFFlast}\r\n"));

    const GameFileContents read = ReadGameFile(file);
    ASSERT_TRUE(read.status == GameFileStatus::Ok && read.complete && read.linesAfterStart == 6);
    EXPECT_EQ(
        Summary(read),
        "Variant= Setup= Depth= Notation= MulJumps= MaxCapMove= BlackStarts= PromoW= PromoB= "
        "ManContJump= LongKings= KingFirst= CapRequired= HomeLess= FullHome= OutofHome= "
        "Offset= PlayerName= | {first line\r\nsecond line} H4G5 A5B4 {after a5b4} G3F4 {\r\nlast}");
    const auto& h = read.header;
    EXPECT_EQ(
        std::tuple(h[0].number, h[1].value, h[2].number, h[3].number, h[6].number, h[7].value),
        std::tuple(3, std::string(kDefaultSetup), 5, 1, 1, "A8B8A7C8B7A6C7D8B6A5"));
    EXPECT_EQ(std::tuple(h[16].value, h[16].value2, h[17].value),
              std::tuple(std::string(kAllDirections), "N;E W", "Ann"));

    GameFileData lone;
    lone.comments = {"a\nb\rc"};  // lone line breaks stay on the comment line
    EXPECT_TRUE(Has(GameFileText(lone),
                    "{a\xFF\xFF"
                    "b\xFF\xFF"
                    "c}\r\n"));

    g->gameRecord[4] = Move{61, 51, 0, 0};  // a5a4 without a move-list entry
    EXPECT_EQ(RecordedMoveText(*g, 1) + RecordedMoveText(*g, 4), "h4g5a5a4");
}

TEST(GameFile, StatusesAndBodyRules) {
    TempDir dir;
    auto read = [&](const std::string& text) {
        WriteFile(dir / "g.zlk", text);
        return ReadGameFile(dir / "g.zlk");
    };
    const std::pair<std::string, GameFileStatus> files[] = {
        {"ZELKOR", GameFileStatus::NotZelkorFile},
        {"zelkor Version=0.10\r\nSTART\r\n", GameFileStatus::NotZelkorFile},
        {"ZELKOR Version=0.11\r\nSTART\r\n", GameFileStatus::WrongVersion},
        {"ZELKOR Version=-0.10\r\nSTART\r\n", GameFileStatus::WrongVersion},
        {"ZELKOR Version= +00.10\r\nSTART\r\n", GameFileStatus::Ok},
        {"ZELKOR Version=0.1\nSTART\nc3d4\n", GameFileStatus::Ok}};
    for (const auto& [contents, status] : files)
        EXPECT_EQ(read(contents).status, status) << contents;
    EXPECT_EQ(ReadGameFile(dir / "g.zlk").body.size(), 1u);
    EXPECT_EQ(std::pair(ReadGameFile(dir / "none.zlk").status, ReadGameFile(dir.path()).status),
              std::pair(GameFileStatus::Missing, GameFileStatus::Unreadable));
    std::string wrong, unreadable;  // the titles of their messages
    GameFileStatusMessage(GameFileStatus::WrongVersion, "g.zlk", &wrong);
    GameFileStatusMessage(GameFileStatus::Unreadable, "g.zlk", &unreadable);
    EXPECT_EQ(wrong + unreadable, "ErrorError");
    // An empty line stops the body, unless only empty lines follow; a move is its first four.
    auto a = read(kHeader + "c3d4xyz\r\nf6e5\r\n\r\ng3h4\r\n");
    EXPECT_EQ(std::tuple(a.complete, a.body.size(), a.linesAfterStart, a.stopLine),
              std::tuple(false, 2u, 4, 25));
    EXPECT_EQ(a.body[0].text.substr(0, 4), "C3D4");
    EXPECT_EQ(IncompleteGameFileMessage(a, "a.zlk", 2),
              "a.zlk, line 25 could not be read; 2 moves were loaded");
    auto a2 = read(kHeader + "c3d4\r\n\r\n\n\r\n");
    EXPECT_EQ(std::tuple(a2.complete, a2.body.size()), std::tuple(true, 1u));
    // CR CR LF (a file converted twice) is one line end: the directions stay in place.
    std::string doubled;
    for (char ch : kHeader + "c3d4\r\nf6e5\r\n")
        doubled += ch == '\r' ? std::string("\r\r") : std::string(1, ch);
    doubled.erase(doubled.find("\r\r\n"), 1);  // one line ends in CR LF only
    auto crcr = read(doubled);
    EXPECT_EQ(std::tuple(crcr.complete, crcr.body.size(), crcr.header[16].value),
              std::tuple(true, 2u, std::string(kAllDirections)));
    auto cr = read("ZELKOR Version=0.10\rSTART\r\rc3d4\r");  // lone CRs: an empty line
    EXPECT_EQ(std::tuple(cr.complete, cr.body.size()), std::tuple(false, 0u));
    // "{" alone stops the load quietly after what was read; "{}" is an empty comment.
    EXPECT_EQ(read(kHeader + "c3d4\r\n{}\r\nf6e5\r\n").body.size(), 3u);
    auto b = read(kHeader + "c3d4\r\n{\r\nf6e5\r\n");
    EXPECT_EQ(std::tuple(b.complete, b.body.size(), b.stopLine), std::tuple(false, 1u, 24));
    EXPECT_EQ(IncompleteGameFileMessage(b, "b.zlk", 1),
              "b.zlk, line 24: \"{\" could not be read; 1 move was loaded");
    // No "START": the header read so far is handed over, nothing more.
    auto c = read("ZELKOR Version=0.10\r\nVariant=2\r\nDepth=4\r\n");
    EXPECT_EQ(std::tuple(c.complete, Summary(c)), std::tuple(false, "Variant= Depth= |"));
    EXPECT_EQ(IncompleteGameFileMessage(c, "c.zlk", 0),
              "c.zlk, line 4 could not be read; 0 moves were loaded");
    // A value that does not fit its field ends the header there.
    auto d = read("ZELKOR Version=0.10\r\nVariant=2\r\nDepth=.\r\nSTART\r\n");
    EXPECT_EQ(std::tuple(d.complete, Summary(d), d.stopLine, d.stopText),
              std::tuple(false, "Variant= |", 3, "Depth=."));
    auto e = read("ZELKOR Version=0.10\r\nMulJumps=256\r\nSTART\r\n");
    auto cut = read("ZELKOR Version=0.10\r\nOffset=\r\nN S\r\n");  // the second line missing
    EXPECT_EQ(std::tuple(e.complete, e.stopLine, cut.stopLine), std::tuple(false, 2, 4));
    // The first 1000 moves are used, a longer body cut there; a position keeps its last comment.
    std::string many = kHeader + "{x}\r\n{y}\r\n";
    for (int i = 0; i < 1000; ++i)
        many += "c3d4\r\n";
    auto f = read(many + "{end}\r\n");
    EXPECT_EQ(std::tuple(f.complete, f.body.size(), f.body[0].text, f.linesAfterStart),
              std::tuple(true, 1002u, "y", 1003));
    auto f2 = read(many + "c3d4\r\nc3d4\r\n");
    EXPECT_EQ(std::tuple(f2.complete, f2.body.size(), f2.stopLine), std::tuple(false, 1001u, 1025));
    // Unknown lines in the header are ignored; "Offset=" takes the next two lines as is.
    auto g = read("ZELKOR Version=0.10\nfoo\nOffset=\nVariant=9\nN S\nPlayerName=Bo\nSTART\n");
    EXPECT_EQ(Summary(g), "Offset= PlayerName= |");
    EXPECT_EQ(g.header[0].value + "|" + g.header[0].value2, "Variant=9|N S");
}

TEST(GameFile, FailedWriteKeepsThePreviousFile) {
    TempDir dir;
    const auto file = dir / "keep.zlk";
    WriteFile(file, "previous");
    // A target the rename cannot replace: a non-empty folder of the same name.
    std::filesystem::create_directory(dir / "busy.zlk");
    WriteFile(dir / "busy.zlk" / "x", "x");
    EXPECT_FALSE(WriteGameFile(dir / "busy.zlk", GameFileData{}) ||
                 WriteGameFile(dir / "no such folder" / "a.zlk", GameFileData{}));
    EXPECT_EQ(ReadFile(file), "previous");
    EXPECT_TRUE(WriteGameFile(file, GameFileData{}) &&
                ReadGameFile(file).status == GameFileStatus::Ok);
    // A failed rename leaves the old file, no temporary; a crash's (copied aside) is cleaned up.
    std::filesystem::create_directory(dir / "crash");
    EXPECT_FALSE(WriteFileSafely(file, "new", [](const auto& from, const auto&) {
        return !std::filesystem::copy_file(from, from.parent_path() / "crash" / from.filename());
    }));
    EXPECT_EQ(ReadFile(file), GameFileText(GameFileData{}));
    EXPECT_EQ(FileNames(dir.path()), (std::vector<std::string>{"busy.zlk", "crash", "keep.zlk"}));
    WriteFile(dir / "crash" / ".zelkor-abcdefghi.tmp", "mine");  // one letter more: not ours
    for (const auto& left : std::filesystem::directory_iterator(dir / "crash"))
        std::filesystem::last_write_time(
            left, std::filesystem::file_time_type::clock::now() - std::chrono::hours(2));
    EXPECT_EQ(RemoveStaleTemporaries(dir / "crash"), 1);
}

// Files of many megabytes and endless devices, which the fuzzers cannot make: bounded results.
TEST(HostileFiles, HugeFilesHugeLinesAndFilesWithoutStart) {
    TempDir dir;
    std::string text = "ZELKOR Version=0.10\r\n";
    for (int block = 1; text.size() < (20u << 20); ++block)
        text += "Variant=V" + std::to_string(block) + "\r\nHelp=" + std::string(8000, 'h') +
                "\r\nEND\r\n";
    WriteFile(dir / "variants.ini", text);
    RecordingUi ui;
    auto g = DefaultGame();
    uint8_t variant = 255;
    EXPECT_EQ(std::tuple(LoadVariant(*g, dir.path(), variant, ui), g->defined.name),
              std::tuple(VariantFileStatus::Loaded, "V255"));
    EXPECT_EQ(ListVariantNames(dir.path(), false).size(), static_cast<size_t>(kMaxVariants));

    const std::string huge(10 * 1024 * 1024, 'c');
    const std::string game = "ZELKOR Version=0.10\r\nVariant=1\r\nSTART\r\nh4g5\r\n";
    WriteFile(dir / "a.zlk", game + huge + "\r\n" + "{" + huge + "}\r\n");
    const GameFileContents a = ReadGameFile(dir / "a.zlk");
    ASSERT_EQ(std::tuple(a.complete, a.body.size()), std::tuple(true, 3u));
    EXPECT_TRUE(a.body[1].text.size() == kMaxMoveLineLength && a.body[2].text.size() <= 65536u);

    WriteFile(dir / "b.zlk", "ZELKOR Version=0.10\r\n" + huge);
    const GameFileContents b = ReadGameFile(dir / "b.zlk");
    EXPECT_EQ(std::tuple(b.status, b.complete, b.linesAfterStart),
              std::tuple(GameFileStatus::Ok, false, 0));

    std::string keys = "ZELKOR Version=0.10\r\n";
    for (int i = 0; i < 5000; ++i)
        keys += "Depth=3\r\n";
    WriteFile(dir / "c.zlk", keys + "START\r\n");
    EXPECT_LE(ReadGameFile(dir / "c.zlk").header.size(), 1000u);

    WriteFile(dir / "zelkor.bok", "ZELKOR Version=0.10\r\nVariant=Halma\r\nstart\r\n" + huge);
    ScriptedRandom random;
    EXPECT_FALSE(FileBookLookup(1, *g, dir.path(), random, ui).inBook);

    // A device that never ends is refused, not read forever.
    if (!std::filesystem::exists("/dev/zero")) GTEST_SKIP();
    EXPECT_EQ(ReadGameFile("/dev/zero").status, GameFileStatus::Unreadable);
    EXPECT_TRUE(CollectBookGameProposals("/dev", "").candidates.empty());
}

}  // namespace
}  // namespace zelkor::test
