#include "records/game_file.h"

#include <gtest/gtest.h>

#include <memory>

#include "replay_helpers.h"
#include "records/text_file.h"
#include "support/fakes.h"

namespace zelkor {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

const std::string kHeader =
    "ZELKOR Version=0.10\r\nVariant=1\r\n"
    "Setup=0000111100000111000000110000000120000000220000002220000022220000\r\n"
    "Depth=2\r\nNotation=0\r\nMulJumps=0\r\nMaxCapMove=0\r\nBlackStarts=0\r\n"
    "PromoW=A8B8C8D8A7B7C7A6B6A5\r\nPromoB=E1F1G1H1F2G2H2G3H3H4\r\n"
    "ManContJump=1\r\nLongKings=0\r\nKingFirst=0\r\nCapRequired=0\r\nHomeLess=0\r\n"
    "FullHome=0\r\nOutofHome=1\r\nOffset=\r\n"
    "NW;N;NE;E;SE;S;SW;W NW;N;NE;E;SE;S;SW;W\r\nNW;N;NE;E;SE;S;SW;W NW;N;NE;E;SE;S;SW;W\r\n"
    "PlayerName=Player\r\nSTART\r\n";

std::vector<std::string> Keys(const GameFileContents& contents) {
    std::vector<std::string> keys;
    for (const auto& line : contents.header)
        keys.push_back(line.key);
    return keys;
}

TEST(GameFile, NewGameWritesTheHeaderAndNothingAfterStart) {
    auto g = test::StartPosition();
    Settings settings;
    EXPECT_EQ(GameFileText(GameFileDataOf(*g, settings)), kHeader);
    g->comments[0] = "opening";
    EXPECT_EQ(GameFileText(GameFileDataOf(*g, settings)), kHeader + "{opening}\r\n");
}

TEST(GameFile, RoundTripKeepsMovesCommentsAndHeader) {
    TempDir dir;
    auto g = test::StartPosition();
    test::RecordTexts(*g, {"h4g5", "a5b4", "g3f4"});
    g->gamePly = 1;  // the whole record is written, whatever position is shown
    g->comments[0] = "first line\r\nsecond line";
    g->comments[2] = "after a5b4";
    g->comments[3] = "end";
    g->active.flag(BlackStarts) = 1;
    g->active.directions[1] = "N;E W";
    Settings settings;
    settings.SearchDepth = 5;
    settings.Variant = 3;
    settings.PlayerName = "Ann";

    const auto file = dir / "game.zlk";
    ASSERT_TRUE(WriteGameFile(file, GameFileDataOf(*g, settings)));
    const std::string text = ReadFile(file);
    EXPECT_NE(text.find("{first line\xFF\xFFsecond line}\r\nh4g5\r\na5b4\r\n{after a5b4}\r\n"
                        "g3f4\r\n{end}\r\n"),
              std::string::npos);

    const GameFileContents read = ReadGameFile(file);
    ASSERT_EQ(read.status, GameFileStatus::Ok);
    EXPECT_TRUE(read.complete);
    EXPECT_EQ(read.linesAfterStart, 6);
    EXPECT_EQ(
        Keys(read),
        (std::vector<std::string>{
            "Variant=", "Setup=", "Depth=", "Notation=", "MulJumps=", "MaxCapMove=", "BlackStarts=",
            "PromoW=", "PromoB=", "ManContJump=", "LongKings=", "KingFirst=", "CapRequired=",
            "HomeLess=", "FullHome=", "OutofHome=", "Offset=", "PlayerName="}));
    EXPECT_EQ(read.header[0].number, 3);
    EXPECT_EQ(read.header[1].value, kDefaultSetup);
    EXPECT_EQ(read.header[2].number, 5);
    EXPECT_EQ(read.header[6].number, 1);  // BlackStarts=1
    EXPECT_EQ(read.header[7].value, "A8B8C8D8A7B7C7A6B6A5");
    EXPECT_EQ(read.header[16].value, kAllDirections);
    EXPECT_EQ(read.header[16].value2, "N;E W");
    EXPECT_EQ(read.header[17].value, "Ann");

    using K = GameFileItem::Kind;
    ASSERT_EQ(read.body.size(), 6u);
    EXPECT_EQ(read.body[0].kind, K::Comment);
    EXPECT_EQ(read.body[0].text, "first line\r\nsecond line");
    EXPECT_EQ(read.body[1].text, "H4G5");
    EXPECT_EQ(read.body[2].text, "A5B4");
    EXPECT_EQ(read.body[3].text, "after a5b4");
    EXPECT_EQ(read.body[4].text, "G3F4");
    EXPECT_EQ(read.body[5].text, "end");
    EXPECT_EQ(read.body[5].kind, K::Comment);
}

TEST(GameFile, LoneLineBreaksInCommentsStayOnTheCommentLine) {
    GameFileData data;
    data.comments = {"a\nb\rc"};
    const std::string text = GameFileText(data);
    EXPECT_NE(text.find("{a\xFF\xFF"
                        "b\xFF\xFF"
                        "c}\r\n"),
              std::string::npos);
}

TEST(GameFile, ReadStatuses) {
    TempDir dir;
    EXPECT_EQ(ReadGameFile(dir / "none.zlk").status, GameFileStatus::Missing);
    WriteFile(dir / "short.zlk", "ZELKOR");
    EXPECT_EQ(ReadGameFile(dir / "short.zlk").status, GameFileStatus::NotZelkorFile);
    WriteFile(dir / "other.zlk", "zelkor Version=0.10\r\nSTART\r\n");
    EXPECT_EQ(ReadGameFile(dir / "other.zlk").status, GameFileStatus::NotZelkorFile);
    WriteFile(dir / "new.zlk", "ZELKOR Version=0.11\r\nSTART\r\n");
    EXPECT_EQ(ReadGameFile(dir / "new.zlk").status, GameFileStatus::WrongVersion);
    WriteFile(dir / "old.zlk", "ZELKOR Version=0.1\nSTART\nc3d4\n");
    const auto old = ReadGameFile(dir / "old.zlk");
    EXPECT_EQ(old.status, GameFileStatus::Ok);
    EXPECT_TRUE(old.complete);
    EXPECT_EQ(old.body.size(), 1u);
    EXPECT_EQ(ReadGameFile(dir.path()).status, GameFileStatus::Unreadable);

    std::string title;
    EXPECT_EQ(GameFileStatusMessage(GameFileStatus::Missing, "a.zlk", &title),
              "a.zlk does not exist");
    EXPECT_EQ(title, "Zelkor");
    EXPECT_EQ(GameFileStatusMessage(GameFileStatus::NotZelkorFile, "a.zlk", &title),
              "a.zlk is not an Zelkor file");
    EXPECT_EQ(title, "Zelkor");
    EXPECT_EQ(GameFileStatusMessage(GameFileStatus::WrongVersion, "a.zlk", &title),
              "Incorrect game file!\r\nNeed version 0.10");
    EXPECT_EQ(title, "Error");
}

TEST(GameFile, BodyRules) {
    TempDir dir;
    // An empty line ends the replay; long move lines are read by their first four.
    WriteFile(dir / "a.zlk", kHeader + "c3d4xyz\r\nf6e5\r\n\r\ng3h4\r\n");
    auto a = ReadGameFile(dir / "a.zlk");
    EXPECT_TRUE(a.complete);
    ASSERT_EQ(a.body.size(), 2u);
    EXPECT_EQ(a.body[0].text.substr(0, 4), "C3D4");
    EXPECT_EQ(a.linesAfterStart, 4);

    // "{" alone stops the load quietly after what was read.
    WriteFile(dir / "b.zlk", kHeader + "c3d4\r\n{\r\nf6e5\r\n");
    auto b = ReadGameFile(dir / "b.zlk");
    EXPECT_FALSE(b.complete);
    EXPECT_EQ(b.body.size(), 1u);
    EXPECT_EQ(b.stopLine, 24);
    EXPECT_EQ(IncompleteGameFileMessage(b, "b.zlk", 1),
              "b.zlk, line 24: \"{\" could not be read; 1 move was loaded");

    // No "START": the header read so far is handed over, nothing more.
    WriteFile(dir / "c.zlk", "ZELKOR Version=0.10\r\nVariant=2\r\nDepth=4\r\n");
    auto c = ReadGameFile(dir / "c.zlk");
    EXPECT_FALSE(c.complete);
    EXPECT_EQ(Keys(c), (std::vector<std::string>{"Variant=", "Depth="}));
    EXPECT_EQ(IncompleteGameFileMessage(c, "c.zlk", 0),
              "c.zlk, line 4 could not be read; 0 moves were loaded");

    // A value that does not fit its field ends the header there.
    WriteFile(dir / "d.zlk", "ZELKOR Version=0.10\r\nVariant=2\r\nDepth=x\r\nSTART\r\n");
    auto d = ReadGameFile(dir / "d.zlk");
    EXPECT_FALSE(d.complete);
    EXPECT_EQ(Keys(d), (std::vector<std::string>{"Variant="}));
    EXPECT_EQ(d.stopLine, 3);
    EXPECT_EQ(d.stopText, "Depth=x");
    WriteFile(dir / "e.zlk", "ZELKOR Version=0.10\r\nMulJumps=256\r\nSTART\r\n");
    EXPECT_FALSE(ReadGameFile(dir / "e.zlk").complete);
    EXPECT_EQ(ReadGameFile(dir / "e.zlk").stopLine, 2);

    // Only the first 1000 moves are used; comments of one position collapse to the last.
    std::string many = kHeader + "{x}\r\n{y}\r\n";
    for (int i = 0; i < 1200; ++i)
        many += "c3d4\r\n";
    WriteFile(dir / "f.zlk", many);
    auto f = ReadGameFile(dir / "f.zlk");
    EXPECT_TRUE(f.complete);
    EXPECT_EQ(f.body.size(), 1001u);
    EXPECT_EQ(f.body[0].text, "y");
    EXPECT_EQ(f.linesAfterStart, 1202);

    // Unknown lines in the header are ignored; "Offset=" takes the next two lines as is.
    WriteFile(dir / "g.zlk",
              "ZELKOR Version=0.10\nfoo\nOffset=\nVariant=9\nN S\nPlayerName=Bo\nSTART\n");
    auto g = ReadGameFile(dir / "g.zlk");
    ASSERT_EQ(Keys(g), (std::vector<std::string>{"Offset=", "PlayerName="}));
    EXPECT_EQ(g.header[0].value, "Variant=9");
    EXPECT_EQ(g.header[0].value2, "N S");
}

TEST(GameFile, FailedWriteKeepsThePreviousFile) {
    TempDir dir;
    const auto file = dir / "keep.zlk";
    WriteFile(file, "previous");
    // A target the rename cannot replace: a non-empty folder of the same name.
    std::filesystem::create_directory(dir / "busy.zlk");
    WriteFile(dir / "busy.zlk" / "x", "x");
    EXPECT_FALSE(WriteGameFile(dir / "busy.zlk", GameFileData{}));
    EXPECT_FALSE(WriteGameFile(dir / "no such folder" / "a.zlk", GameFileData{}));
    EXPECT_EQ(ReadFile(file), "previous");
    ASSERT_TRUE(WriteGameFile(file, GameFileData{}));
    EXPECT_EQ(ReadGameFile(file).status, GameFileStatus::Ok);
    EXPECT_FALSE(std::filesystem::exists(TemporaryFileFor(dir / "busy.zlk")));
}

TEST(GameFile, RecordedMoveTextFallsBackToTheGameRecord) {
    auto g = test::StartPosition();
    test::RecordTexts(*g, {"h4g5"});
    g->gameRecord[2] = Move{61, 51, 0, 0};  // a5a4 without a move-list entry
    EXPECT_EQ(RecordedMoveText(*g, 1), "h4g5");
    EXPECT_EQ(RecordedMoveText(*g, 2), "a5a4");
}

}  // namespace
}  // namespace zelkor
