// Start, exit, settings, files; as root may run them, a path below a file is unwritable.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <functional>

#include "controller_fixture.h"
#include "records/settings_file.h"
#include "records/text_file.h"
#include "records/variant_file.h"
#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor::test {
namespace {

using StartAndExit = ControllerTest;

TEST_F(StartAndExit, FirstRunStartsWithDefaultsAndWritesOnlyTheSettings) {
    EXPECT_EQ(Checked({C::PlayerComputer, C::NotationAlgebraic, C::Calculation}) +
                  Enabled({C::Cancel, C::Back}) + Text(D::WindowTitle) + "|" + Text(D::Strength) +
                  "|" + Text(D::Status) + "|" + Text(D::VariantName) + "|" + Text(D::Calculation),
              "11100 Zelkor 0.24 Beta|Strength: 9   Time: 2 sec|White moves|Halma|no calculation");
    EXPECT_TRUE(std::filesystem::exists(dir / "zelkor.ini") &&
                !std::filesystem::exists(dir / "zelkor.rtg"));
    EXPECT_TRUE(Has(ReadFile(dir / "zelkor.log"), "Zelkor 0.24   06.12.2026  12:00:00"));
    c().ShowRating();
    EXPECT_EQ(Last(), "Rating: Your current rating is 1200");
    ui.SetText(Display::Calculation, "Depth: 3");
    c().ToggleCalculation();  // hidden, the calculation says so
    EXPECT_EQ(Checked({C::Calculation}) + Text(D::Calculation), "0no calculation");
}

TEST_F(StartAndExit, SettingsAndRatingWrittenAtExitAreReadBack) {
    ui.answers = {Answer::No};
    EXPECT_TRUE(!c().ConfirmExit() && Last() == "Confirmation: Are you sure you want to exit?");
    EXPECT_FALSE(std::filesystem::exists(dir / "zelkor.rtg"));

    Settings& s = c().settings();
    std::tie(s.PlayerName, s.Handicap, s.UseDepth, s.CountdownTimer) = std::tuple("Anna", 3, 0, 1);
    c().SelectPlayerPlayer();
    c().setRating(1433);
    ASSERT_TRUE(c().ConfirmExit());  // the scripted answer is Yes
    c().Shutdown();
    EXPECT_TRUE(std::filesystem::exists(dir / "zelkor.rtg"));
    Start();
    EXPECT_EQ(std::tuple(c().rating(), c().settings().PlayerName, g().playMode, ui.countdownShown),
              std::tuple(1433, "Anna", PlayMode::PlayerPlayer, true));
    EXPECT_EQ(Enabled({C::OfferDraw, C::Resign}) + Text(D::Strength),
              "00Strength: 7   Time: 2 sec");

    // The exit writes the game's play mode; Computer-Computer is never resumed.
    g().playMode = PlayMode::ComputerComputer;
    c().Shutdown();
    const std::string written = ReadFile(dir / "zelkor.ini");
    EXPECT_EQ(written.substr(written.find("\r\n") + 2, 5), " 2 \r\n");
    Start();
    EXPECT_TRUE(g().playMode == PlayMode::PlayerComputer && ui.checked(C::PlayerComputer));
}

TEST_F(StartAndExit, ASettingsValueThatDoesNotFitNeverLocksTheUserOut) {
    std::string text = ReadFile(dir / "zelkor.ini");
    const size_t second = text.find("\r\n") + 2;
    text.replace(second, text.find("\r\n", second) - second, " 300 ");  // PlayMode is a byte
    WriteFile(dir / "zelkor.ini", text);
    GameController other(ui, clock, random, dir.path());
    other.StartUp();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(Has(Shown(ui.messages[0]), "Zelkor starts with the default settings."));
    EXPECT_EQ(other.game().playMode, PlayMode::PlayerComputer);
    EXPECT_TRUE(Has(ReadFile(dir / "zelkor.ini.bad"), " 300 "));

    // A damaged file that no free name can take stays as it is, also at exit.
    text = text.substr(0, second) + " 3.5 " + text.substr(second + 5);
    WriteFile(dir / "zelkor.ini", text);
    for (int n = 0; n < kKeptGenerations; ++n) {
        std::filesystem::path aside = BadSettingsFile(dir.path());
        if (n > 0) aside += std::string(".") += std::to_string(n);
        std::filesystem::remove(aside);
        std::filesystem::create_directory(aside);
    }
    GameController third(ui, clock, random, dir.path());
    third.StartUp();
    third.Shutdown();
    EXPECT_EQ(ReadFile(dir / "zelkor.ini"), text);
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
    EXPECT_EQ(Text(D::WindowTitle), " Zelkor 0.24 Beta - game.zlk");

    Settings& s = c().settings();
    std::tie(s.UseDepth, s.SearchDepth, s.PlayerName) = std::tuple(0, 1, "Bob");
    ui.answers = {Answer::Yes};
    c().NewGameCommand(false);
    EXPECT_EQ(c().currentFileName(), "");
    c().SetupSquare(Sq("a1"), kWhiteMan);  // a set-up begun is left behind
    ASSERT_TRUE(c().LoadGameFile(dir / "game.zlk") && g().gameMoveLines == lines);
    EXPECT_EQ(std::tuple(g().gamePly, g().side, g().moveTexts[1].firstBy, g().moveTexts[2].firstBy,
                         ui.selected[ListId::GameMoves]),
              std::tuple(3, kBlack, "3", "3", 2));  // the last move's line chosen
    EXPECT_EQ(g().comments[0] + "|" + Text(D::Comment), "opening\r\nline two|after three");
    EXPECT_EQ(std::tuple(s.UseDepth, s.SearchDepth, s.PlayerName), std::tuple(1, 3, "Player"));
    EXPECT_EQ(Text(D::VariantName) + "|" + Text(D::WindowTitle),
              "Halma| Zelkor 0.24 Beta - game.zlk");  // unchanged rules, nothing unsaved
    EXPECT_EQ(Enabled({C::Back, C::GameMenu, C::Toolbar}), "111");
    EXPECT_FALSE(g().rated || c().loading() || c().setupMode());

    ASSERT_TRUE(Type("c7d6"));  // Save writes under the loaded name without asking
    const std::string unsaved = Text(D::WindowTitle);
    c().Save();
    EXPECT_EQ(unsaved + "|" + Text(D::WindowTitle) + std::to_string(ui.fileAnswers.size()) +
                  std::to_string(ui.progressValue),  // the load's full bar goes with a move
              " Zelkor 0.24 Beta - game.zlk *| Zelkor 0.24 Beta - game.zlk00");
    EXPECT_TRUE(Has(ReadFile(dir / "game.zlk"), "h1f3\r\n{after three}\r\nc7d6\r\n"));
    ui.answers = {Answer::Yes};  // an ended game, then a load: the commands are open again
    c().ResignCommand();
    ASSERT_TRUE(c().LoadGameFile(dir / "game.zlk") && Enabled({C::Compute, C::Hint}) == "11");
    ui.answers = {Answer::No, Answer::Yes};  // a second load after a load with moves asks first
    ui.fileAnswers = {""};                   // and an empty name opens nothing
    c().Open();
    c().Open();
    EXPECT_EQ(ui.messages.back().text + std::to_string(ui.fileAnswers.size()),
              "Quit current game?0");
    // The file's level and name held for that game only, and never reach zelkor.ini.
    c().Shutdown();
    Settings written;
    ReadSettings(written, dir.path());
    EXPECT_EQ(std::tuple(written.UseDepth, written.SearchDepth, written.PlayerName),
              std::tuple(0, 1, "Bob"));
    ui.answers = {Answer::Yes};
    c().NewGameCommand(false);
    ui.fileAnswers = {std::nullopt};  // the new game's "Save" asks for a name
    c().Save();
    EXPECT_EQ(std::tuple(s.UseDepth, s.PlayerName, Text(D::Strength), ui.progressValue,
                         ui.fileAnswers.size()),
              std::tuple(0, "Bob", "Strength: 9   Time: 2 sec", 0, 0u));
    // A game drawn by repetition, loaded against the computer: the player has the side to move.
    c().SelectPlayerPlayer();
    for (int ply = 0; ply < 9; ++ply)
        ASSERT_TRUE(Type(std::vector<const char*>{"e1d1", "a5b5", "d1e1", "b5a5"}[ply % 4]));
    ASSERT_TRUE(g().gameOver && c().SaveGameFile(dir / "drawn.zlk"));
    c().SelectPlayerComputer();
    ASSERT_TRUE(c().LoadGameFile(dir / "drawn.zlk"));
    EXPECT_EQ(g().firstSideName + "|" + g().secondSideName, "Computer|Bob");
}

TEST_F(GameFiles, SaveRefusalsKeepTheGameAndTheOldFile) {
    WriteFile(dir / "old.zlk", "keep me");
    ui.fileAnswers = {(dir / "old.zlk").string()};
    ui.answers = {Answer::No};
    c().SaveAs();
    EXPECT_EQ(Last() + "|" + ReadFile(dir / "old.zlk"),
              "Confirmation: old.zlk already exists, overwrite?|keep me");
    ui.fileAnswers = {std::nullopt};  // "Save" without a name asks for one
    c().Save();
    EXPECT_TRUE(ui.fileAnswers.empty());

    // A write-protected file keeps its contents; "Save" offers another name.
    ui.fileAnswers = {(dir / "mine.zlk").string()};
    c().SaveAs();
    std::filesystem::permissions(dir / "mine.zlk", std::filesystem::perms(0444));
    const std::string saved = ReadFile(dir / "mine.zlk");
    ASSERT_TRUE(PlayerPlayer({"e1d2"}));
    ui.answers = {Answer::Yes};
    ui.fileAnswers = {(dir / "other.zlk").string()};
    c().Save();
    EXPECT_EQ(Shown(ui.messages.back()),
              "Confirmation: mine.zlk could not be saved: it is write-protected\r\n"
              "Save the game under another name?");
    EXPECT_TRUE(ReadFile(dir / "mine.zlk") == saved && c().currentFileName() == "other.zlk");
    EXPECT_TRUE(Has(ReadFile(dir / "other.zlk"), "START\r\ne1d2\r\n"));
}

TEST_F(GameFiles, LoadRefusalsLeaveTheGameAsItWas) {
    ASSERT_TRUE(PlayerPlayer({"e1d2"}));
    const std::tuple<const char*, std::string, const char*> files[] = {
        {"none.zlk", "", "Zelkor: none.zlk does not exist"},
        {"text.zlk", "hello\r\n", "Zelkor: text.zlk is not an Zelkor file"},
        {"old.zlk", "ZELKOR Version=0.09\r\nVariant=1\r\nSTART\r\n",
         "Error: Incorrect game file!\r\nNeed version 0.10"}};
    for (const auto& [name, contents, message] : files) {
        if (!contents.empty()) WriteFile(dir / name, contents);
        EXPECT_FALSE(c().LoadGameFile(dir / name));
        EXPECT_EQ(std::tuple(Last(), g().gamePly), std::tuple(message, 1));
    }
}

TEST_F(GameFiles, AFileThatStopsEarlyKeepsItsMovesAndNoName) {
    WriteFile(dir / "bad.zlk",
              kGameHeader + "BlackStarts=1\r\nSTART\r\nd8e7\r\nc3d5" + std::string(50, 'x'));
    EXPECT_FALSE(c().LoadGameFile(dir / "bad.zlk"));  // told with its first 40 characters
    EXPECT_EQ(Last(), "Error: bad.zlk, line 6: \"C3D5" + std::string(36, 'X') +
                          "\" is not a legal move; 1 move was loaded");
    EXPECT_EQ(std::tuple(g().gamePly, g().rule(BlackStarts), g().side, c().loading(),
                         ui.enabled(C::GameMenu)),
              std::tuple(1, 1, kWhite, false, true));
    EXPECT_TRUE(Has(ReadFile(dir / "zelkor.log"),
                    "\r\nHalma\r\nBlack   White\r\n      moves    score   depth    main\r\n   1. "
                    "d8-e7        0\r\n"));

    // The depth (+0 is 0) stays in the options' range; a new game brings the player's level back.
    c().settings().SearchDepth = 3;  // the player's own
    for (auto [depth, kept, notation] : {std::tuple{"Depth=99\r\nNotation=1", 20, 1},
                                         std::tuple{"Depth=+0\r\nNotation=0", 1, 0}}) {
        WriteFile(dir / "short.zlk",
                  kGameHeader + depth + "\r\nBlackStarts=0\r\nSTART\r\ne1d2\r\nd8e7\r\n\r\n");
        ASSERT_TRUE(c().LoadGameFile(dir / "short.zlk")) << Last();
        EXPECT_EQ(std::tuple(g().gamePly, c().settings().SearchDepth, c().settings().Notation,
                             ui.progressValue),  // the bar full, its last line empty
                  std::tuple(2, kept, notation, 3));
    }
    for (int depth : {3, 1}) {
        NewGame();
        EXPECT_EQ(c().settings().SearchDepth, depth);
        c().settings().SearchDepth = 1;
    }

    // Stopped early (bad comment or header value, empty line, a cut move): no name to overwrite.
    const std::tuple<std::string, const char*, int> damaged[] = {
        {"START\r\ne1d2\r\nd8e7\r\n{\r\nf2e3\r\n", "line 6: \"{\" could not be read", 2},
        {"Depth=-1\r\nSTART\r\ne1d2\r\n", "line 3: \"Depth=-1\" could not be read", 0},
        {"START\r\ne1d2\r\nd8e7\r\n\r\nf2e3\r\n", "line 6 could not be read", 2},
        {"START\r\ne1d2\r\nd8e7\r\nf2e", "line 6: \"F2E\" is not a legal move", 2}};
    for (const auto& [text, error, plies] : damaged) {
        WriteFile(dir / "broken.zlk", kGameHeader + text);
        EXPECT_FALSE(c().LoadGameFile(dir / "broken.zlk"));
        // The moves that were loaded are not in any file.
        EXPECT_EQ(std::tuple(Shown(ui.messages.back()), c().currentFileName(), Text(D::WindowTitle),
                             g().gamePly),
                  std::tuple("Error: broken.zlk, " + std::string(error) + "; " +
                                 std::to_string(plies) + " moves were loaded",
                             "", plies > 0 ? " Zelkor 0.24 Beta *" : " Zelkor 0.24 Beta", plies));
    }
    ui.fileAnswers = {};
    c().Save();
    EXPECT_EQ(ReadFile(dir / "broken.zlk"), kGameHeader + std::get<0>(damaged[3]));
}

TEST_F(GameFiles, TheFilesHomeSquaresAreInForceForTheReplay) {
    WriteFile(dir / "home.zlk",
              kGameHeader +
                  "Setup=0000000000000000000000000000000000000000000000000100000020000000\r\n"
                  "PromoW=A8B8\r\nPromoB=A1\r\nOffset=\r\nN;NW N;NW\r\nS S\r\nSTART\r\n");
    ASSERT_TRUE(c().LoadGameFile(dir / "home.zlk"));  // no move to replay: no "Loading" shown
    EXPECT_EQ(std::ranges::count(ui.statusHistory, "Loading and analyzing..."), 0);
    // b8 first: the corner farthest from Black's list; the file's directions too.
    EXPECT_EQ(
        std::tuple(g().active.home[0][0], g().active.home[0][2], g().homeTables.targetCount[0],
                   g().homeTables.owner[Sq("b8")], g().homeTables.owner[Sq("c8")],
                   g().active.directions[0] + "|" + g().active.directions[1]),
        std::tuple(Sq("b8"), kEmptySlot, 2, 0, -1, "N;NW N;NW|S S"));
    EXPECT_EQ(SetupText(g().initialBoard).substr(48), "0100000020000000");  // kept for a save

    // White's only home square is a8: the replayed a7-a8 wins at once.
    const std::string setup = std::string(7, '0') + "2" + std::string(40, '0') + "1";  // h1, a7
    WriteFile(dir / "win.zlk", kGameHeader + "Setup=" + setup + std::string(15, '0') +
                                   "\r\nPromoW=A8\r\nPromoB=H8\r\nSTART\r\na7a8\r\n");
    ASSERT_TRUE(c().LoadGameFile(dir / "win.zlk") && g().gamePly == 1 && g().gameOver);
    EXPECT_EQ(std::ranges::count(ui.statusHistory, "Loading and analyzing..."), 1);
    // A loaded finished game: the record and the files open, nothing more to play.
    EXPECT_EQ(Enabled({C::Back, C::Forward, C::Open, C::Compute, C::Analyze, C::Hint,
                       C::ComputerComputer, C::LegalMoveList, C::AnalysisList, C::GameMenu}),
              "1010000011");
    EXPECT_EQ(std::tuple(ui.messages.back().text.substr(0, 11), ui.messages.back().gameMovesShown,
                         ui.messages.back().legalMovesShown, Text(D::Status)),
              std::tuple("White wins!", 1u, 0u, "White wins!"));
    // The player made the winning move; back and forth keeps it so; the end is not told again.
    const size_t shown = ui.messages.size();
    std::string names = Text(D::FirstSideColour) + Text(D::FirstSideName) + "|";
    for (auto step : {&GameController::Back, &GameController::Forward}) {
        (c().*step)();
        names += Text(D::Status) + "|" + Text(D::FirstSideColour) + Text(D::FirstSideName) + "|";
    }
    EXPECT_EQ(names, "WhitePlayer|White moves|WhitePlayer|White wins!|WhitePlayer|");
    EXPECT_EQ(ui.messages.size(), shown);
    // A file without a set-up starts from the variant's own, whatever the last game began from.
    SetUpMen("D4 d5");
    WriteFile(dir / "plain.zlk", kGameHeader + "START\r\ne1d2\r\n");
    ASSERT_TRUE(c().LoadGameFile(dir / "plain.zlk") && g().board[Sq("d2")] == kWhiteMan) << Last();
}

TEST_F(GameFiles, AMissingVariantFileIsReported) {
    c().SelectVariant(11);
    std::filesystem::remove(dir / "variants.ini");
    ASSERT_FALSE(g().defined.help.empty());  // Rank Race's, with camps of its own, read before
    NewGame();  // the default rules, without the name, text and camps of the variant read before
    EXPECT_TRUE(c().variantFileMissing() && g().defined.help.empty() && g().active.help.empty() &&
                g().active.name == "Halma" && g().defined.home == DefaultRules().home);
    Start();
    ASSERT_TRUE(c().variantFileMissing() && Type("e1d2"));
    WriteFile(dir / "game.zlk", "ZELKOR Version=0.10\r\nSetup=2\r\nVariant=1\r\nSTART\r\ne1d2\r\n");
    EXPECT_TRUE(!c().LoadGameFile(dir / "game.zlk") && Last() == "Error: VARIANTS.INI is missing!");
    EXPECT_TRUE(g().gamePly == 0 && ui.list(ListId::GameMoves).empty() &&
                !g().handSetUp);  // a new game shown, without the file's set-up
}

TEST_F(GameFiles, EveryShippedVariantIsPlayedToItsEnd) {
    const std::vector<std::string> names = ListVariantNames(dir.path(), false);
    ASSERT_GE(names.size(), 2u);
    for (size_t v = 1; v <= names.size(); ++v) {
        c().SelectVariant(static_cast<int>(v));
        ui.answers = {Answer::Yes};
        c().NewGameCommand(false);
        EXPECT_EQ(Text(D::VariantName), names[v - 1]);
        c().RunComputerComputer();
        EXPECT_TRUE(g().gameOver && g().gamePly > 0 && g().gamePly < kMaxGamePlies) << names[v - 1];
    }
    // A game file brings its variant back.
    ASSERT_TRUE(c().SaveGameFile(dir / "last.zlk"));
    c().SelectVariant(1);
    ASSERT_TRUE(c().LoadGameFile(dir / "last.zlk"));
    EXPECT_EQ(std::tuple(Text(D::VariantName), size_t{c().settings().Variant}),
              std::tuple(names.back(), names.size()));
}

class DataFolderFault : public ControllerTest {
  protected:
    void SetUp() override {}
    bool PlayOneMove() { return Type(c().legalMoveLines().front()); }
};

TEST_F(DataFolderFault, AnUnwritableFolderIsReportedAndTheGameGoesOn) {
    WriteFile(dir / "file.txt", "not a folder");
    const std::filesystem::path dataDir = dir / "file.txt" / "sub";
    ASSERT_NO_THROW(Start(dataDir));
    EXPECT_TRUE(Told("Error", "zelkor.log"));  // the run goes on without its log
    ASSERT_TRUE(PlayOneMove());
    EXPECT_TRUE(!c().SaveGameFile(dataDir / "game.zlk") &&
                Told("Error", "game.zlk could not be saved"));
    ASSERT_TRUE(PlayOneMove());  // the game is still there and goes on
    c().Shutdown();
    EXPECT_TRUE(Told("Error", "Cannot write " + (dataDir / "zelkor.ini").string()) &&
                Told("Error", "Cannot write " + (dataDir / "zelkor.rtg").string()));
    EXPECT_EQ(ReadFile(dir / "file.txt"), "not a folder");

    if (!std::filesystem::is_directory("/proc/self")) return;
    ASSERT_NO_THROW(Start("/proc/self"));
    ASSERT_TRUE(PlayOneMove());
    c().Shutdown();
    EXPECT_TRUE(Told("Error", "Cannot write /proc/self/zelkor.ini"));
}

TEST_F(DataFolderFault, AFailedSaveLeavesTheOldFileOrDeviceAlone) {
    Start(dir.path());
    ASSERT_TRUE(PlayOneMove());
    const std::filesystem::path file = dir / "game.zlk";
    WriteFile(file, "the old game");
    // A write-protected file is not replaced.
    std::filesystem::permissions(file, std::filesystem::perms(0444));
    EXPECT_TRUE(!c().SaveGameFile(file) && ReadFile(file) == "the old game");
    EXPECT_TRUE(Told("Error", "game.zlk could not be saved: it is write-protected"));
    std::filesystem::permissions(file, std::filesystem::perms(0644));
    EXPECT_TRUE(c().SaveGameFile(file) && ReadFile(file).substr(0, 19) == "ZELKOR Version=0.10");

    const std::filesystem::path pipe = dir / "pipe.zlk";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(!c().SaveGameFile(pipe) && std::filesystem::is_fifo(pipe));
    EXPECT_TRUE(!c().SaveGameFile(dir.path()) && std::filesystem::is_directory(dir.path()));
    if (!std::filesystem::is_character_file("/dev/full")) GTEST_SKIP();
    ui.messages.clear();
    EXPECT_TRUE(!c().SaveGameFile("/dev/full") && Told("Error", "full could not be saved") &&
                std::filesystem::is_character_file("/dev/full"));
}

// A game of 1000 half-moves fills the move list; it can still be saved, loaded and navigated.
using MoveLimit = ControllerTest;

TEST_F(MoveLimit, EveryWayOfMovingStopsAtTheLimit) {
    PlayShuffle(kMaxGamePlies);
    EXPECT_EQ(std::tuple(g().gameMoveLines.size(), g().gameMoveLines.back()),
              std::tuple(size_t{kMaxGamePlies}, "      e7-d8"));
    const std::function<void()> ways[] = {
        [&] { c().ComputeCommand(); }, [&] { c().BoardDrop(Sq("e1"), Sq("d2")); },
        [&] { c().TypedMove("e1d2"); }, [&] { c().RunComputerComputer(); }};
    for (const auto& move : ways) {
        g().gameOver = false;
        ui.messages.clear();
        move();
        ASSERT_TRUE(!ui.messages.empty() && g().gameOver);
        EXPECT_EQ(ui.messages.back().text, kMoveLimitMessage);
    }
    g().gameOver = false;
    c().LegalMoveChosen(0);
    EXPECT_FALSE(c().InputMove("E1D2"));
    EXPECT_EQ(std::tuple(g().gamePly, g().recordLength), std::tuple(kMaxGamePlies, kMaxGamePlies));

    ASSERT_TRUE(c().SaveGameFile(dir / "long.zlk"));
    c().NewGameCommand(false);
    ASSERT_TRUE(c().LoadGameFile(dir / "long.zlk"));
    EXPECT_EQ(g().gameMoveLines.size(), static_cast<size_t>(kMaxGamePlies));
    c().First();
    c().Last();
    ui.messages.clear();
    EXPECT_TRUE(!Type("e1d2") && ui.messages.back().text == kMoveLimitMessage);
    // A longer file stops early: no name kept, nothing past the tables.
    std::string text = kGameHeader + "START\r\n";
    for (int ply = 0; ply < 1200; ++ply)
        text += std::string(kShuffle[ply % 4]) + "\r\n";
    WriteFile(dir / "longer.zlk", text);
    EXPECT_FALSE(c().LoadGameFile(dir / "longer.zlk"));
    EXPECT_EQ(std::tuple(c().currentFileName(), g().gamePly, g().recordLength, c().loading()),
              std::tuple("", kMaxGamePlies, kMaxGamePlies, false));
}

// The window calls Shutdown from inside running work; the work unwinds without writing again.
class ShutdownFault : public ControllerTest {
  protected:
    // The settings file written at the close is removed to see that nothing writes it again.
    void CloseNow() {
        if (c().shutDown()) return;
        c().Shutdown();
        settingsAtClose = ReadFile(dir / "zelkor.ini");
        messagesAtClose = ui.messages.size();
        std::filesystem::remove(dir / "zelkor.ini");
    }
    void ExpectClosedCleanly() {
        EXPECT_TRUE(c().shutDown() && !settingsAtClose.empty());
        EXPECT_FALSE(std::filesystem::exists(dir / "zelkor.ini")) << "written after the close";
        c().Shutdown();  // the window's own close after the work returned does nothing more
        EXPECT_FALSE(std::filesystem::exists(dir / "zelkor.ini"));
        EXPECT_EQ(ui.messages.size(), messagesAtClose) << "a message after the close";
    }

    std::string settingsAtClose;
    std::size_t messagesAtClose = 0;
};

TEST_F(ShutdownFault, AnInternalFaultEndsTheProgramWithItsMessage) {
    ui.messages.clear();
    EXPECT_THROW(UiFaultReport(ui).Fatal("Error found! Zelkor will exit"), Terminated);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Shown(ui.messages[0]), "Error: Error found! Zelkor will exit");
}

// The window closes while a load's message, the save dialog or the computer's message is up.
TEST_F(ShutdownFault, ClosingWhileADialogIsUp) {
    WriteFile(dir / "bad.zlk", kGameHeader + "START\r\nh4g5\r\nzzzz\r\nd6c5\r\n");
    ui.fileAnswers = {(dir / "game.zlk").string()};  // for the save dialog
    const std::function<void()> opens[] = {[&] { EXPECT_FALSE(c().LoadGameFile(dir / "bad.zlk")); },
                                           [&] { c().SaveAs(); },
                                           [&] { c().RunComputerComputer(); }};
    for (const auto& open : opens) {
        Start();
        ui.onDialog = [this] { CloseNow(); };
        open();
        ExpectClosedCleanly();
        EXPECT_FALSE(c().loading());
    }
}

}  // namespace
}  // namespace zelkor::test
