#include <gtest/gtest.h>

#include <random>

#include "controller_fixture.h"
#include "rules/variant_file.h"

namespace zelkor::test {
namespace {

using StartAndExit = ControllerTest;

TEST_F(StartAndExit, FirstRunStartsWithDefaultsAndWritesOnlyTheSettings) {
    EXPECT_EQ(g().playMode, PlayMode::PlayerComputer);
    EXPECT_TRUE(ui.checked(Command::PlayerComputer));
    EXPECT_TRUE(ui.checked(Command::NotationAlgebraic));
    EXPECT_TRUE(ui.checked(Command::Calculation));
    EXPECT_EQ(ui.Text(Display::Strength), "Strength: 9   Time: 2 sec");
    EXPECT_EQ(ui.Text(Display::WindowTitle), " Zelkor 0.24 Beta");
    EXPECT_EQ(ui.Text(Display::Status), "White moves");
    EXPECT_EQ(ui.Text(Display::VariantName), "Halma");
    EXPECT_EQ(ui.Text(Display::Calculation), "no calculation");
    EXPECT_EQ(c().rating(), 1200);
    EXPECT_FALSE(ui.enabled(Command::Cancel));
    EXPECT_FALSE(ui.enabled(Command::Back));
    EXPECT_EQ(ui.list(ListId::LegalMoves).size(), c().legalMoveLines().size());
    EXPECT_FALSE(c().legalMoveLines().empty());
    EXPECT_TRUE(std::filesystem::exists(dir / "zelkor.ini"));
    EXPECT_FALSE(std::filesystem::exists(dir / "zelkor.rtg"));
    EXPECT_NE(ReadFile(dir / "zelkor.log").find("Zelkor 0.24   06.12.2026  12:00:00"),
              std::string::npos);
}

TEST_F(StartAndExit, SettingsAndRatingWrittenAtExitAreReadBack) {
    c().settings().PlayerName = "Anna";
    c().settings().Handicap = 3;
    c().settings().UseDepth = 0;
    c().SelectPlayerPlayer();
    c().setRating(1433);
    ASSERT_TRUE(c().ConfirmExit());  // the scripted answer is Yes
    c().Shutdown();
    EXPECT_TRUE(std::filesystem::exists(dir / "zelkor.rtg"));
    Start();
    EXPECT_EQ(c().rating(), 1433);
    EXPECT_EQ(c().settings().PlayerName, "Anna");
    EXPECT_EQ(g().playMode, PlayMode::PlayerPlayer);
    EXPECT_FALSE(ui.enabled(Command::OfferDraw));
    EXPECT_FALSE(ui.enabled(Command::Resign));
    EXPECT_EQ(ui.Text(Display::Strength), "Strength: 7   Time: 2 sec");
}

TEST_F(StartAndExit, TheRatingIsShownFromTheViewMenu) {
    c().ShowRating();
    EXPECT_EQ(Shown(ui.messages.back()), "Rating: Your currrent rating is 1200");
}

TEST_F(StartAndExit, AnsweringNoToTheExitQuestionWritesNothing) {
    ui.answers = {Answer::No};
    EXPECT_FALSE(c().ConfirmExit());
    EXPECT_EQ(Shown(ui.messages.back()), "Confirmation: Are you sure you want to exit?");
    EXPECT_FALSE(std::filesystem::exists(dir / "zelkor.rtg"));
    c().settings().ConfirmExit = 0;
    ui.messages.clear();
    EXPECT_TRUE(c().ConfirmExit());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StartAndExit, ComputerComputerIsNeverResumed) {
    c().settings().PlayMode = 2;
    g().playMode = PlayMode::ComputerComputer;
    c().Shutdown();
    Start();
    EXPECT_EQ(g().playMode, PlayMode::PlayerComputer);
    EXPECT_TRUE(ui.checked(Command::PlayerComputer));
}

TEST_F(StartAndExit, ASettingsValueThatDoesNotFitNeverLocksTheUserOut) {
    std::string text = ReadFile(dir / "zelkor.ini");
    const size_t second = text.find("\r\n") + 2;
    text.replace(second, text.find("\r\n", second) - second, " 300 ");  // PlayMode is a byte
    WriteFile(dir / "zelkor.ini", text);
    ui.messages.clear();
    GameController other(ui, clock, random, dir.path());
    other.StartUp();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(
        Shown(ui.messages[0]),
        "Error: " + (dir / "zelkor.ini").string() +
            ", line 2: the value \" 300 \" does not fit its setting.\r\nThe file was kept as " +
            (dir / "zelkor.ini.bad").string() + "; Zelkor starts with the default settings.");
    EXPECT_EQ(ReadFile(dir / "zelkor.ini.bad"), text);
    EXPECT_EQ(other.game().playMode, PlayMode::PlayerComputer);
}

using GameFiles = ControllerTest;

TEST_F(GameFiles, SaveAndLoadRoundTrip) {
    c().SelectPlayerPlayer();
    c().CommentEdited("opening\r\nline two");
    for (const char* move : {"e1d2", "d8e7", "h1xf3"})
        ASSERT_TRUE(Type(move));
    c().CommentEdited("after three");
    const std::vector<std::string> lines = g().gameMoveLines;
    c().settings().SearchDepth = 3;
    ui.fileAnswers = {(dir / "game.zlk").string()};
    c().SaveAs();
    ASSERT_TRUE(std::filesystem::exists(dir / "game.zlk"));
    EXPECT_EQ(ui.Text(Display::WindowTitle), " Zelkor 0.24 Beta - game.zlk");
    EXPECT_EQ(c().currentFileName(), "game.zlk");

    c().settings().UseDepth = 0;
    c().settings().SearchDepth = 1;
    ui.answers = {Answer::Yes};
    c().NewGameCommand(false);
    EXPECT_EQ(c().currentFileName(), "");
    ASSERT_TRUE(c().LoadGameFile(dir / "game.zlk"));
    EXPECT_EQ(g().gamePly, 3);
    EXPECT_EQ(g().gameMoveLines, lines);
    EXPECT_EQ(g().moveTexts[1].firstBy, "3");
    EXPECT_EQ(g().moveTexts[2].firstBy, "3");
    EXPECT_EQ(g().comments[0], "opening\r\nline two");
    EXPECT_EQ(ui.Text(Display::Comment), "after three");
    EXPECT_EQ(c().settings().UseDepth, 1);
    EXPECT_EQ(c().settings().SearchDepth, 3);
    EXPECT_EQ(ui.Text(Display::WindowTitle), " Zelkor 0.24 Beta - game.zlk");
    EXPECT_TRUE(ui.enabled(Command::Back));
    EXPECT_TRUE(ui.enabled(Command::GameMenu));
    EXPECT_TRUE(ui.enabled(Command::Toolbar));
    EXPECT_FALSE(g().rated);
    EXPECT_FALSE(c().loading());
    EXPECT_EQ(g().side, kBlack);
    // A second load after a load with moves asks first.
    ui.answers = {Answer::No};
    ui.fileAnswers = {(dir / "game.zlk").string()};
    c().Open();
    EXPECT_EQ(ui.messages.back().text, "Quit current game?");
    EXPECT_EQ(ui.fileAnswers.size(), 1u);
}

TEST_F(GameFiles, SaveWritesUnderTheLoadedNameWithoutAsking) {
    ASSERT_TRUE(PlayerPlayer({"e1d2"}));
    ui.fileAnswers = {(dir / "first.zlk").string()};
    c().SaveAs();
    ASSERT_TRUE(c().LoadGameFile(dir / "first.zlk"));
    ASSERT_TRUE(Type("d8e7"));
    c().Save();
    EXPECT_TRUE(ui.fileAnswers.empty());
    EXPECT_NE(ReadFile(dir / "first.zlk").find("START\r\ne1d2\r\nd8e7\r\n"), std::string::npos);
    ui.fileAnswers = {(dir / "second.zlk").string()};
    c().SaveAs();
    EXPECT_EQ(ui.Text(Display::WindowTitle), " Zelkor 0.24 Beta - second.zlk");
}

TEST_F(GameFiles, SaveUnderAnExistingNameAsksFirst) {
    WriteFile(dir / "old.zlk", "keep me");
    ui.fileAnswers = {(dir / "old.zlk").string()};
    ui.answers = {Answer::No};
    c().SaveAs();
    EXPECT_EQ(Shown(ui.messages.back()), "Confirmation: old.zlk already exists, overwrite?");
    EXPECT_EQ(ReadFile(dir / "old.zlk"), "keep me");
    // "Save" without a name asks for one.
    ui.fileAnswers = {std::nullopt};
    c().Save();
    EXPECT_TRUE(ui.fileAnswers.empty());
}

TEST_F(GameFiles, AFileThatCannotBeWrittenIsReportedAndTheGameKept) {
    ASSERT_TRUE(PlayerPlayer({"e1d2"}));
    ui.fileAnswers = {(dir / "no such folder" / "game.zlk").string()};
    c().SaveAs();
    EXPECT_EQ(ui.messages.back().title, "Error");
    EXPECT_EQ(c().currentFileName(), "");
    EXPECT_EQ(g().gamePly, 1);
}

TEST_F(GameFiles, LoadErrorsLeaveTheGameAsItWas) {
    ASSERT_TRUE(PlayerPlayer({"e1d2"}));
    EXPECT_FALSE(c().LoadGameFile(dir / "none.zlk"));
    EXPECT_EQ(Shown(ui.messages.back()), "Zelkor: none.zlk does not exist");

    WriteFile(dir / "text.zlk", "hello\r\n");
    EXPECT_FALSE(c().LoadGameFile(dir / "text.zlk"));
    EXPECT_EQ(ui.messages.back().text, "text.zlk is not an Zelkor file");

    WriteFile(dir / "old.zlk", "ZELKOR Version=0.09\r\nVariant=1\r\nSTART\r\n");
    EXPECT_FALSE(c().LoadGameFile(dir / "old.zlk"));
    EXPECT_EQ(Shown(ui.messages.back()), "Error: Incorrect game file!\r\nNeed version 0.10");
    EXPECT_EQ(g().gamePly, 1);
}

TEST_F(GameFiles, AnIllegalMoveInTheFileStartsANewGame) {
    WriteFile(dir / "bad.zlk",
              "ZELKOR Version=0.10\r\nVariant=1\r\nBlackStarts=1\r\nSTART\r\nd8e7\r\nc3d5\r\n");
    EXPECT_FALSE(c().LoadGameFile(dir / "bad.zlk"));
    EXPECT_EQ(Shown(ui.messages.back()), "Error: C3D5: Illegal move!");
    EXPECT_EQ(g().gamePly, 0);
    EXPECT_EQ(g().rule(BlackStarts), 0);
    EXPECT_EQ(g().side, kWhite);
    EXPECT_FALSE(c().loading());
    EXPECT_TRUE(ui.enabled(Command::GameMenu));
}

TEST_F(GameFiles, AnEmptyLineEndsTheReplay) {
    WriteFile(dir / "short.zlk",
              "ZELKOR Version=0.10\r\nVariant=1\r\nSTART\r\ne1d2\r\nd8e7\r\n\r\nf2e3\r\n");
    ASSERT_TRUE(c().LoadGameFile(dir / "short.zlk"));
    EXPECT_EQ(g().gamePly, 2);

    // A file that stops loading early says so and keeps no name, so Save cannot overwrite
    // it with the part that was loaded.
    const std::string damaged[] = {
        "ZELKOR Version=0.10\r\nVariant=1\r\nSTART\r\ne1d2\r\nd8e7\r\n{\r\nf2e3\r\n",
        "ZELKOR Version=0.10\r\nVariant=1\r\nDepth=-1\r\nSTART\r\ne1d2\r\n"};
    const std::string expected[] = {
        "Error: broken.zlk, line 6: \"{\" could not be read; 2 moves were loaded",
        "Error: broken.zlk, line 3: \"Depth=-1\" could not be read; 0 moves were loaded"};
    for (int i = 0; i < 2; ++i) {
        WriteFile(dir / "broken.zlk", damaged[i]);
        EXPECT_FALSE(c().LoadGameFile(dir / "broken.zlk"));
        EXPECT_EQ(Shown(ui.messages.back()), expected[i]);
        EXPECT_EQ(c().currentFileName(), "");
        EXPECT_EQ(ui.Text(Display::WindowTitle), " Zelkor 0.24 Beta");
        EXPECT_EQ(g().gamePly, 2 - 2 * i);
    }
    ui.fileAnswers = {};
    c().Save();
    EXPECT_EQ(ReadFile(dir / "broken.zlk"), damaged[1]);
}

TEST_F(GameFiles, TheFilesHomeSquaresAreInForceForTheReplay) {
    // White's home is only a8 and b8: a White man reaching them wins at once.
    WriteFile(dir / "home.zlk",
              "ZELKOR Version=0.10\r\nVariant=1\r\n"
              "Setup=0000000000000000000000000000000000000000000000000100000020000000\r\n"
              "PromoW=A8B8\r\nPromoB=A1\r\nSTART\r\n");
    ASSERT_TRUE(c().LoadGameFile(dir / "home.zlk"));
    EXPECT_EQ(g().active.home[0][0], Sq("b8"));  // the corner farthest from Black's list
    EXPECT_EQ(g().active.home[0][2], kEmptySlot);
    EXPECT_EQ(g().homeTables.targetCount[0], 2);
    EXPECT_EQ(g().homeTables.owner[Sq("b8")], 0);
    EXPECT_EQ(g().homeTables.owner[Sq("c8")], -1);
}

TEST_F(GameFiles, TheReplayIsJudgedByTheFilesOwnHomeSquares) {
    // White's only home square is a8: the replayed a7-a8 wins at once.
    std::string setup(64, '0');
    setup[7] = '2';   // h1
    setup[48] = '1';  // a7
    WriteFile(dir / "win.zlk", "ZELKOR Version=0.10\r\nVariant=1\r\nSetup=" + setup +
                                   "\r\nPromoW=A8\r\nPromoB=H8\r\nSTART\r\na7a8\r\n");
    ASSERT_TRUE(c().LoadGameFile(dir / "win.zlk"));
    EXPECT_EQ(g().gamePly, 1);
    EXPECT_TRUE(g().gameOver);
    EXPECT_EQ(ui.messages.back().text.substr(0, 11), "White wins!");
    // The end is announced over the filled game list and an empty legal-move list.
    EXPECT_EQ(ui.messages.back().gameMovesShown, 1u);
    EXPECT_EQ(ui.messages.back().legalMovesShown, 0u);
    EXPECT_EQ(ui.Text(Display::Status), "White wins!");
    EXPECT_FALSE(ui.enabled(Command::Compute));
}

TEST_F(GameFiles, AMissingVariantFileIsReported) {
    std::filesystem::remove(dir / "variants.ini");
    Start();
    EXPECT_TRUE(c().variantFileMissing());
    WriteFile(dir / "game.zlk", "ZELKOR Version=0.10\r\nVariant=1\r\nSTART\r\ne1d2\r\n");
    EXPECT_FALSE(c().LoadGameFile(dir / "game.zlk"));
    EXPECT_EQ(Shown(ui.messages.back()), "Error: VARIANTS.INI is missing!");
}

TEST_F(GameFiles, GarbageInAFileEndsWithAMessageOrALoadedGame) {
    std::mt19937 bytes(12345);
    const std::string header =
        "ZELKOR Version=0.10\r\nVariant=1\r\nSetup=" + std::string(kDefaultSetup) + "\r\nSTART\r\n";
    for (int round = 0; round < 40; ++round) {
        std::string body;
        const int length = static_cast<int>(bytes() % 400);
        for (int i = 0; i < length; ++i)
            body += static_cast<char>(bytes() % 256);
        const std::string text = round % 2 ? header + body : header.substr(0, bytes() % 60) + body;
        WriteFile(dir / "noise.zlk", text);
        ui.messages.clear();
        const bool loaded = c().LoadGameFile(dir / "noise.zlk");
        EXPECT_TRUE(loaded || !ui.messages.empty()) << round;
        EXPECT_FALSE(c().loading());
        EXPECT_TRUE(ui.enabled(Command::GameMenu));
        EXPECT_LE(g().gamePly, kMaxGamePlies);
        for (int square : kPlayingSquares) {
            const int v = g().board[square];
            EXPECT_TRUE(v == kEmpty || v == kWhiteMan || v == kBlackMan);
        }
    }
}

using SelfPlay = ControllerTest;

TEST_F(SelfPlay, EveryShippedVariantIsPlayedToItsEnd) {
    const std::vector<std::string> names = ListVariantNames(dir.path(), false);
    ASSERT_GE(names.size(), 2u);
    for (size_t v = 1; v <= names.size(); ++v) {
        c().SelectVariant(static_cast<int>(v));
        ui.answers = {Answer::Yes};
        c().NewGameCommand(false);
        EXPECT_EQ(ui.Text(Display::VariantName), names[v - 1]);
        c().RunComputerComputer();
        EXPECT_TRUE(g().gameOver) << names[v - 1];
        EXPECT_GT(g().gamePly, 0) << names[v - 1];
        EXPECT_LT(g().gamePly, kMaxGamePlies) << names[v - 1];
    }
}

}  // namespace
}  // namespace zelkor::test
