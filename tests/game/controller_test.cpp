// The controller without a window: modes, moves and their rejections, navigation, menus, set-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <sstream>

#include "controller_fixture.h"
#include "engine/bench.h"
#include "game/hint_board.h"
#include "game/master_play.h"
#include "game/rules_text.h"
#include "rules/game_setup.h"
#include "rules/movegen.h"

namespace zelkor::test {
namespace {

TEST(ControllerTexts, MoveLinesTypedMovesAnnouncementsAndCalculation) {
    const std::tuple<int, const char*, bool, const char*> lines[] = {
        {1, "e1-d2", false, "   1. e1-d2"},
        {19, "c3-d4", false, "  10. c3-d4"},
        {199, "c3xc5", true, " 100. c3xc5b"},
        {20, "d8-e7", true, "      d8-e7b"}};
    for (auto [ply, move, book, line] : lines)
        EXPECT_EQ(GameMoveLine(ply, move, book), line);
    const std::tuple<const char*, char, const char*> typed[] = {
        {"c3-d4", 'x', "C3D4"}, {"C3XD4", 'x', "C3D4"},      {"c3xxd4", 'x', "C3D4"},
        {"e3:e5", ':', "E3E5"}, {"e3xe5", ':', "E3XE5"},     {"c-d4", 'x', " CD4"},
        {"c3-d", 'x', "C3 D"},  {"a1-b2-c3", 'x', "A1B2C3"}, {"", 'x', ""}};
    for (auto [text, jump, normal] : typed)
        EXPECT_EQ(NormaliseTypedMove(text, jump), normal) << text;
    std::string told;
    for (int score : {31995, 31999, 31980, 31979, -31998, -31980, -31979, 0})
        told += AnnouncementText(score) + "|";
    EXPECT_EQ(told,
              "Computer is winning in 3 moves! |Computer is winning in 1 move! |Computer is "
              "winning in 10 moves! ||Computer is losing in 1 move! |Computer is losing in 10 "
              "moves! |||");
    EXPECT_EQ(CalculationText({3, "e1-d2", 12, true, "e1-d2 a7xc5 "}),  // a searched one: in play
              "Depth: 3   Best: e1-d2   Score: 12\r\nBook");
    // A translated pattern is filled in the pattern's order, once: an inserted text stays.
    EXPECT_EQ(Fill("%2 before %1, 100% %3", {"a", "%1"}), "%1 before a, 100% %3");
    EXPECT_EQ(Fill("%9%1", {"a", "b", "c", "d", "e", "f", "g", "h", "i"}), "ia");
    // The rules in force in plain words: a rule's sentence only while the rule is on.
    for (auto [flag, sentence] : {std::pair{HomeLess, "after 30 moves, any of your men is still"},
                                  {FullHome, "whatever the colour"},
                                  {BlackStarts, "Black moves first."},
                                  {MulJumps, "must go on for as long"},
                                  {CapRequired, "Jumping is mandatory"}}) {
        VariantRules rules = DefaultRules();
        const bool before = Has(RulesInForceText(rules, false), sentence);
        rules.flag(flag) = 1;
        EXPECT_TRUE(!before && Has(RulesInForceText(rules, false), sentence)) << sentence;
    }
}

using Modes = ControllerTest;

TEST_F(Modes, PlayerPlayerAndPlayerComputer) {
    c().SelectPlayerPlayer();
    c().NewGameCommand(false);  // the mode outlives a new game
    EXPECT_EQ(Text(D::SecondSideName) + Enabled({C::Hint}), "Player1");
    c().SelectPlayerPlayer();
    EXPECT_EQ(Text(D::Status) + "|" + Text(D::FirstSideName) + Text(D::SecondSideName) +
                  Enabled({C::OfferDraw, C::Resign}) +
                  Checked({C::PlayerPlayer, C::PlayerComputer, C::ComputerComputer}),
              "Player-Player mode|PlayerPlayer00100");
    ASSERT_TRUE(Type("e1d2") && g().moveScores[1] != 0);  // two people's moves are scored
    c().SelectPlayerComputer();  // with Black to move the player takes the lower row
    EXPECT_EQ(Text(D::Status) + Enabled({C::OfferDraw, C::Resign}) +
                  Checked({C::PlayerPlayer, C::PlayerComputer}) + Text(D::FirstSideColour) +
                  Text(D::SecondSideColour) + Text(D::FirstSideName) + Text(D::SecondSideName) +
                  std::to_string(ui.firstSideHighlighted),
              "Computer-Player mode1101WhiteBlackComputerPlayer0");
}

TEST_F(Modes, PlayerPlayerGameRunsToItsEndUnrated) {
    c().SelectPlayerPlayer();
    ui.SetText(Display::Calculation, "Depth: 3");  // a person's move had no calculation
    bool busy = false;  // scored by a short search that lets the window's events run, while
    ui.onProcessEvents = [&] { busy = g().busy; };  // the board and the commands wait
    c().LegalMoveChosen(0);
    ui.onProcessEvents = nullptr;
    EXPECT_EQ(Text(D::Calculation) + std::to_string(busy) + std::to_string(g().rated),
              "no calculation10");  // a move chosen from the list spoils the rating
    c().TakeBackPlayerMove();       // two people: the one move goes back, and is played again
    ASSERT_EQ(g().gamePly, 0);
    for (int guard = 0; !g().gameOver && guard < 1000; ++guard)
        c().LegalMoveChosen(0);
    ASSERT_TRUE(g().gameOver);
    EXPECT_EQ(clock.pauses, std::vector<double>{0.51});  // the last move shown before the end
    EXPECT_EQ(Enabled({C::Compute, C::LegalMoveList}) + g().moveTexts[1].firstBy +
                  g().moveTexts[1].secondBy + std::to_string(g().rated),
              "00220");
    EXPECT_TRUE(ui.messages.back().legalMovesShown == 0 && ui.list(ListId::LegalMoves).empty());
    const int end = g().gamePly;  // going back reopens the ended game, and its commands
    c().Back();
    EXPECT_EQ(Enabled({C::Compute, C::LegalMoveList}), "11");
    c().LegalMoveChosen(0);
    EXPECT_EQ(g().gamePly, end);
}

TEST_F(Modes, ComputerComputerRunsToTheEndAndReturnsToPlayerComputer) {
    c().SelectPlayerPlayer();
    c().RunComputerComputer();
    EXPECT_TRUE(g().gameOver && g().gamePly > 10 && g().playMode == PlayMode::PlayerComputer &&
                !g().busy && !g().rated);
    // The user only watched: the winner is named by colour.
    const std::string winner = g().side == kWhite ? "Black wins!" : "White wins!";
    EXPECT_EQ(Checked({C::PlayerComputer, C::ComputerComputer}) + Enabled({C::ComputerComputer}) +
                  g().firstSideName + g().secondSideName + Last().substr(0, 17 + winner.size()) +
                  "|" + Text(D::Status),
              "100ComputerComputerCongratulations: " + winner + "|" + winner);
    EXPECT_GE(std::count(clock.pauses.begin(), clock.pauses.end(), 0.5), g().gamePly);
    c().NewGameCommand(false);  // a stop by the clock does not end the run either
    // The last game's score is forgotten, and the commands of an ended game are back.
    EXPECT_EQ(std::to_string(c().search().bestScore) + Enabled({C::Compute, C::Hint}), "011");
    c().settings().UseDepth = 0;
    clock.tick = 0.01;
    c().RunComputerComputer();
    EXPECT_TRUE(g().gameOver && g().gamePly > 10);
}

TEST_F(Modes, CancelEndsTheSearchWithAMoveAndStopsComputerComputer) {
    c().settings().SearchDepth = 8;
    ui.onProcessEvents = [&] {
        if (ui.eventsProcessed != 200) return;
        // While the computer plays itself: Cancel, and no list, Board menu, hint or analysis.
        EXPECT_EQ(Enabled({C::Cancel, C::BoardMenu, C::Hint, C::GameMoveList, C::LegalMoveList,
                           C::AnalysisList, C::PlayMenu}) +
                      Text(D::FirstSideName) + Text(D::SecondSideName) +
                      std::to_string(ui.list(ListId::Analysis).size()),
                  "1000001ComputerComputer0");
        c().CancelCommand();
        EXPECT_EQ(Enabled({C::Cancel, C::Compute}), "00");  // accepted once, still busy
    };
    ui.SetListLines(ListId::Analysis, {"an earlier analysis"});
    c().RunComputerComputer();
    EXPECT_EQ(std::tuple(g().gamePly, g().gameOver, g().secondSideName, g().playMode),
              std::tuple(1, false, "Player", PlayMode::PlayerComputer));
    EXPECT_EQ(Enabled({C::Cancel, C::Compute}), "01");
    ui.answers = {Answer::No};
    c().ResignCommand();  // a game the computer played itself counts for no rating
    EXPECT_EQ(Last(), "Confirmation: Resign this game?");

    // A Cancel in the pause after a move ends the run there; a late one spares the next search.
    ui.onProcessEvents = nullptr;
    NewGame();
    c().settings().SearchDepth = 3;
    const size_t pauses = clock.pauses.size();
    std::string inPause;
    clock.onPause = [&] {
        inPause += Enabled({C::Cancel, C::NewGame});
        if (clock.pauses.size() == pauses + 2) c().CancelCommand();  // the loop's pause
    };
    c().RunComputerComputer();
    clock.onPause = nullptr;
    EXPECT_EQ(std::tuple(g().gamePly, g().playMode, inPause.substr(0, 4)),
              std::tuple(1, PlayMode::PlayerComputer, "1010"));
    g().cancelRequest = CancelRequest::Now;
    std::string cancel;  // offered again in the next computation
    ui.onProcessEvents = [&] { cancel += Enabled({C::Cancel}); };
    c().ComputeCommand();
    EXPECT_EQ(std::tuple(g().gamePly, c().search().depthReached, g().searchStopped, cancel[0]),
              std::tuple(2, 3, 0, '1'));
}

// The window's way: each search on a thread of its own; progress and result come back as tasks.
class Threaded : public ControllerTest {
  protected:
    void SetUp() override {
        ControllerTest::SetUp();
        c().SetSearchRunner(&runner);
    }
    ~Threaded() override {
        if (controller) controller->StopSearch();
        runner.Join();
    }
    // Runs the posted tasks until `done` holds; false when nothing came for 30 s.
    bool RunUntil(const std::function<bool()>& done) {
        while (!done()) {
            std::function<void()> task;
            {
                std::unique_lock lock(mutex);
                if (!posted.wait_for(lock, std::chrono::seconds(30),
                                     [&] { return !tasks.empty(); }))
                    return false;
                task = std::move(tasks.front());
                tasks.pop_front();
            }
            task();
        }
        return true;
    }
    // A deep search, run until it has reported its first iteration.
    void ThinkDeep() {
        c().settings().SearchDepth = 20;
        ui.statusHistory.clear();
        c().ComputeCommand();
        ASSERT_TRUE(RunUntil([&] { return Shown("Thinking... ("); }));
    }
    bool Shown(const std::string& prefix) const {
        return std::any_of(ui.statusHistory.begin(), ui.statusHistory.end(),
                           [&](const std::string& s) { return s.rfind(prefix, 0) == 0; });
    }

    std::mutex mutex;
    std::condition_variable posted;
    std::deque<std::function<void()>> tasks;
    ThreadSearchRunner runner{[this](std::function<void()> task) {
        {
            const std::lock_guard lock(mutex);
            tasks.push_back(std::move(task));
        }
        posted.notify_all();
    }};
};

TEST_F(Threaded, StartProgressResultAndCancel) {
    c().settings().SearchDepth = 3;
    c().SetSearchRunner(nullptr);  // inline first, for the move to expect
    c().ComputeCommand();
    const std::vector<std::string> inlineLines = g().gameMoveLines;
    Start();
    c().SetSearchRunner(&runner);
    c().settings().SearchDepth = 3;
    ui.statusHistory.clear();
    c().ComputeCommand();
    EXPECT_TRUE(g().busy && g().gamePly == 0);  // this thread goes on while the search runs
    ASSERT_TRUE(RunUntil([&] { return !g().busy; }) && g().gameMoveLines == inlineLines);
    EXPECT_TRUE(Shown("Thinking... (3)  ") && Enabled({C::Cancel, C::Compute}) == "01");

    // Cancel once the search has reported: the best move so far is played.
    ThinkDeep();
    c().CancelCommand();
    ASSERT_TRUE(RunUntil([&] { return !g().busy; }));
    EXPECT_EQ(std::tuple(g().gamePly, g().searchStopped, g().timeUp), std::tuple(2, 1, 0));

    // Computer-Computer play runs each move on its own thread to the end of the game.
    c().settings().SearchDepth = 1;
    c().RunComputerComputer();
    ASSERT_TRUE(RunUntil([&] { return !g().busy; }));
    EXPECT_TRUE(g().gameOver && g().playMode == PlayMode::PlayerComputer);

    // Analysis, then closing mid-reply: the search stops; its late result tells and writes nothing.
    NewGame();
    c().AnalyzeCommand();
    ASSERT_TRUE(RunUntil([&] { return !g().busy; }));
    EXPECT_FALSE(ui.list(ListId::Analysis).empty());
    NewGame();  // which empties the analysis list
    // The hint's search, cancelled at once: its box comes with the result, the menus back.
    c().HintCommand();
    EXPECT_TRUE(g().busy && ui.messages.back().title != "Hint" &&
                ui.list(ListId::Analysis).empty());
    c().CancelCommand();
    ASSERT_TRUE(RunUntil([&] { return !g().busy; }));
    EXPECT_EQ(Last().substr(0, 10) + Enabled({C::PlayMenu, C::Toolbar}), "Hint: Try 11");
    ThinkDeep();
    const size_t messages = ui.messages.size();
    c().Shutdown();
    runner.Join();
    std::filesystem::remove(dir / "zelkor.ini");
    ASSERT_TRUE(RunUntil([&] { return !g().busy; }));
    EXPECT_EQ(
        std::tuple(ui.messages.size(), g().gamePly, std::filesystem::exists(dir / "zelkor.ini")),
        std::tuple(messages, 0, false));
}

// The search's progress goes to the window's thread at most once an interval, of any kind.
TEST(SearchRunner, ProgressIsPostedAtMostOnceAnInterval) {
    for (const auto interval : {std::chrono::hours(1), std::chrono::hours(0)}) {
        int posts = 0, bar = 0, seconds = 0;
        ThreadSearchRunner runner([&](std::function<void()> show) { ++posts, show(); }, interval);
        const SearchProgress shown{.progress = [&](int value) { bar = value; },
                                   .countdown = [&](int value) { seconds = value; }};
        const SearchProgress w = runner.Wrap(shown);  // as the worker thread sees it
        for (int i = 1; i < 3; ++i)
            w.progress(i), w.rootMove(1, "e1-d2"), w.newBest({}), w.countdown(i);
        EXPECT_EQ(std::tuple(posts, bar, seconds),
                  interval.count() ? std::tuple(1, 1, 0) : std::tuple(8, 2, 2));
    }
}

TEST_F(Threaded, MasterAnalysisRunsUntilCancelAndCancelStopsItsMove) {
    c().masterChoice() = {true, 2};
    c().AnalyzeCommand();
    ASSERT_TRUE(
        RunUntil([&] { return Shown("Analyzing... (") && ui.list(ListId::Analysis).size() == 1; }));
    EXPECT_TRUE(g().busy);  // an analysis with Master goes on until it is cancelled
    // The analysis keeps the legal moves; its own list and the board wait for it.
    EXPECT_EQ(Enabled({C::Cancel, C::Analyze, C::Back, C::LegalMoveList, C::AnalysisList,
                       C::GameMoveList, C::BoardMenu, C::TypedMoveBox}),
              "10010000");
    c().CancelCommand();
    ASSERT_TRUE(RunUntil([&] { return !g().busy; }));
    EXPECT_EQ(std::tuple(g().gamePly, ui.list(ListId::Analysis).size()), std::tuple(0, 1));
    c().HintCommand();  // on the worker as well, the window's menus off until it answers
    // During a hint the menus and the toolbar wait; the commands keep their states.
    EXPECT_EQ(std::tuple(g().busy, Enabled({C::PlayMenu, C::BoardMenu, C::Toolbar, C::Hint,
                                            C::TypedMoveBox, C::Cancel})),
              std::tuple(true, "000110"));
    ASSERT_TRUE(RunUntil([&] { return !g().busy; }));
    EXPECT_EQ(Last().substr(0, 10) + Enabled({C::PlayMenu}), "Hint: Try 1");

    ThinkDeep();
    EXPECT_GT(ui.progressValue, 0);  // the bar follows the depth
    c().CancelCommand();
    ASSERT_TRUE(RunUntil([&] { return !g().busy; }));
    EXPECT_EQ(std::tuple(g().gamePly, g().searchStopped, Enabled({C::Cancel, C::Compute})),
              std::tuple(1, 1, "01"));
    EXPECT_EQ(Text(D::Strength), "Strength: Master   Depth: 20 ply");
}

TEST_F(Modes, AGameAgainstTheComputerIsRatedOnceAndCommandsReachTheEngine) {
    c().OfferDrawCommand();  // before any move: rejected
    EXPECT_EQ(ui.messages.back().text, "Offer rejected... Play on!");
    bool playerHighlighted = true;  // while the computer thinks, its name is highlighted
    ui.onProcessEvents = [&] { playerHighlighted = playerHighlighted && ui.firstSideHighlighted; };
    ASSERT_TRUE(Type("e1d2"));
    ui.onProcessEvents = nullptr;
    EXPECT_TRUE(!playerHighlighted && g().moveScores[1] == 0);  // only searches are scored
    // After the reply: whose move it is, no leftover progress, an open Board menu and list.
    EXPECT_EQ(Text(D::Status) + Text(D::Countdown) + std::to_string(ui.progressValue) +
                  Enabled({C::BoardMenu, C::AnalysisList}),
              "White moves011");
    c().TakeBackPlayerMove();  // Ctrl+Z: both moves
    EXPECT_EQ(std::tuple(g().gamePly, g().firstSideName), std::tuple(0, "Player"));
    c().settings().SearchDepth = 2;  // the reply comes with the one it expects
    ASSERT_TRUE(Type("e1d2"));
    c().settings().SearchDepth = 1;
    ui.answers = {Answer::No};
    c().HintCommand();  // a rated game asks first
    EXPECT_EQ(std::tuple(Last(), g().rated),
              std::tuple("Confirmation: A hint makes this game unrated. Show the hint?", true));
    c().HintCommand();  // the reply the computer expected, used once: a second Hint searches
    ui.onProcessEvents = [&] { c().CommentEdited("in the hint"); };  // for the hint's position
    c().HintCommand();
    ui.onProcessEvents = nullptr;
    EXPECT_EQ(std::tuple(Last().substr(0, 10), g().busy, g().rated, g().gamePly,
                         c().search().hintFrom, g().comments[2]),
              std::tuple("Hint: Try ", false, false, 2, 0, "in the hint"));
    ui.answers = {Answer::No};
    c().ResignCommand();  // asks first
    EXPECT_EQ(std::tuple(Last(), g().gameOver),
              std::tuple("Confirmation: Resign this game?", false));
    c().ResignCommand();
    EXPECT_EQ(
        ui.messages.back().text.substr(0, 20) + Enabled({C::Compute, C::Resign}) + Text(D::Status),
        "OK... Computer wins!00Computer wins!");

    // An offer the computer takes: its last search saw no advantage.
    NewGame();
    ASSERT_TRUE(Type("e1d2"));
    c().search().bestScore = 0;
    c().OfferDrawCommand();
    EXPECT_EQ(Last().substr(0, 35) + "|" + Text(D::Status) + Enabled({C::Compute, C::Hint}),
              "Congratulations: OK... It's a draw!|It's a draw!00");
    EXPECT_TRUE(g().gameOver && ui.messages.back().icon == Icon::Exclamation);

    NewGame();
    for (int guard = 0; !g().gameOver && guard < 600; ++guard)
        c().TypedMove(c().legalMoveLines().front());
    ASSERT_TRUE(g().gameOver);
    const std::string& report = ui.messages.back().text;
    EXPECT_TRUE(Has(report, "Your previous rating was 1200\r\n") && !g().rated &&
                Has(report, "The computer's rating in this game was 1200") && c().rating() < 1200);
    // A rated game the player's own move wins raises the rating.
    const int before = c().rating();
    NewGame();
    SetUpMen("A8 B8 C8 D8 A7 B7 C7 A6 B5 C5 e1 f1 h4");
    g().rated = true;
    ASSERT_TRUE(Type("b5a5") && Type("c5b6"));
    EXPECT_TRUE(g().gameOver && c().rating() > before) << c().rating() << Last();
}

TEST_F(Modes, MasterIsStoredPlaysHintsAndIsRatedAboveLevelTen) {
    // The choice in its own file: what cannot be read gets its default, never a failure.
    const std::pair<std::string, MasterChoice> files[] = {
        {"[master]\r\nmaster=true\r\nthreads=3\r\n", {true, 3}},
        {"master=true\nthreads=64", {true, 64}},
        {"master=true\nmaster=yes\nthreads=0", {true}},  // a bad line changes nothing
        {"master=TRUE\nthreads=65", {}},
        {"threads=2x\nthreads=-1\nthreads=99999999999", {}},
        {std::string("\0\xff[master]\nmaster", 18), {}}};
    for (const auto& [text, choice] : files) {
        WriteFile(dir / kMasterFileName, text);
        Start();
        EXPECT_TRUE(c().masterChoice() == choice) << text;
    }
    EXPECT_TRUE(ui.messages.empty());
    c().masterChoice() = {true, 2};
    c().SaveSettings();
    const std::string ini = ReadFile(dir / "zelkor.ini");  // its lines stay as they are
    EXPECT_EQ(
        ReadFile(dir / kMasterFileName) + std::to_string(std::count(ini.begin(), ini.end(), '\n')),
        "[master]\r\nmaster=true\r\nthreads=2\r\n42");
    Start();
    EXPECT_TRUE(c().masterChoice() == (MasterChoice{true, 2}) &&
                Text(D::Strength) == "Strength: Master   Depth: 1 ply");

    // Master's reply, by depth: its line in the analysis list, its display kept; no clock.
    std::tie(c().settings().SearchDepth, c().masterChoice().threads) = std::tuple(3, 1);
    c().OptionsApplied();
    const auto limits = MasterMoveLimits(c().settings(), 1, false);
    EXPECT_TRUE(limits.seconds >= 3600 && limits.threads == 1 && limits.drawRule15 &&
                limits.chessDrawRules);  // the options' draw rules
    ASSERT_TRUE(Type("e1d2"));
    EXPECT_EQ(std::tuple(g().gamePly, g().moveTexts[1].secondBy, g().moveTexts[1].depth,
                         ui.list(ListId::Analysis).size(), Text(D::Strength)),
              std::tuple(2, "1", " 3", 1, "Strength: Master   Depth: 3 ply"));
    EXPECT_EQ(ui.list(ListId::Analysis)[0].substr(20), "       3    a7xc5 h1xf3 a8xc4");
    // Rated as level 10's computer rating (1100 + 100 x depth) plus Master's measured lead.
    ui.answers = {Answer::Yes};
    c().ResignCommand();
    EXPECT_TRUE(Has(Last(), "The computer's rating in this game was 1669"));

    // The hint from Master's own search; a stored reply of its line is shown as it stands.
    NewGame();
    c().settings().SearchDepth = 2;
    c().HintCommand();
    EXPECT_EQ(std::tuple(Last(), g().busy, g().rated, Enabled({C::PlayMenu})),
              std::tuple("Hint: Try h1xf3", false, false, "1"));  // searched to the level's depth
    ASSERT_TRUE(Type("e1d2"));
    const auto [from, to] = std::pair(c().search().hintFrom, c().search().hintTo);
    c().HintCommand();
    EXPECT_EQ(Last().substr(0, 12) + Last().substr(13),
              "Hint: Try " + SquareNotation(g().board, from) + SquareNotation(g().board, to));

    // Back to the levels: their display, their search, their rating from the next game on.
    c().masterChoice().master = false;
    c().OptionsApplied();
    EXPECT_EQ(Text(D::Strength), "Strength: 9   Depth: 2 ply");
    NewGame();
    ASSERT_TRUE(Type("e1d2"));
    ui.answers = {Answer::Yes};
    c().ResignCommand();
    EXPECT_TRUE(Has(Last(), "The computer's rating in this game was 1300"));
}

using Input = ControllerTest;

TEST_F(Input, TypedMovesInEveryFormAndTheirRejection) {
    c().SelectPlayerPlayer();
    std::string moveBox;  // the move box waits while its refusal is shown
    ui.onDialog = [&] { moveBox += Enabled({C::TypedMoveBox}); };
    // The box names the reason, when there is one, and the status line repeats it.
    const std::pair<const char*, const char*> refusals[] = {{"e1d", ""},
                                                            {"e1e3", ": e1 cannot reach e3"},
                                                            {"z9d2", ""},
                                                            {"", ""},
                                                            {"e1-", ""},
                                                            {"d8d7", ": d8 is not your man"},
                                                            {"d4d5", ": d4 is empty"}};
    for (const auto& [text, reason] : refusals) {
        ui.messages.clear();
        EXPECT_FALSE(Type(text)) << text;
        ASSERT_EQ(ui.messages.size(), 1u) << text;
        EXPECT_EQ(std::pair(Last(), ui.messages[0].icon),
                  std::pair("Error: Illegal move" + std::string(reason), Icon::Exclamation));
    }
    EXPECT_EQ(moveBox + Enabled({C::TypedMoveBox}), "00000001");
    ui.messages.clear();
    for (const char* text : {"e1d2", "d8-e7", "D2-E1", "e7xd8", "E1XD2"})
        EXPECT_TRUE(Type(text)) << text;
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(g().moveTexts[1].first + "|" + g().moveTexts[1].second, "e1d2 e1-d2|d8e7 d8-e7");
}

TEST_F(Input, BoardPressAndDropRejections) {
    c().SelectPlayerPlayer();
    ui.redraws = 0;  // the board shown again, the press's marks gone, before the error
    EXPECT_TRUE(!c().CanStartDrag(Sq("d8")) && Last() == "Error: White moves" && ui.redraws == 1);
    EXPECT_TRUE(!c().CanStartDrag(Sq("d4")) && ui.messages.size() == 1);  // empty: nothing to hold

    EXPECT_TRUE(c().CanStartDrag(Sq("e1")));
    c().BoardDrop(Sq("e1"), Sq("e3"));
    EXPECT_EQ(Last() + "|" + Text(D::Status),
              "Error: Illegal move: e1 cannot reach e3|Illegal move: e1 cannot reach e3");
    c().BoardDrop(Sq("e1"), Sq("f1"));
    EXPECT_EQ(Last(), "Error: Illegal move: that square is not empty");
    const size_t shown = ui.messages.size();
    c().BoardDrop(Sq("e1"), Sq("e1"));  // back home: cancelled silently
    c().BoardDrop(Sq("e1"), 0);         // off the board
    EXPECT_EQ(std::tuple(ui.messages.size(), g().gamePly), std::tuple(shown, 0));

    c().BoardDrop(Sq("e1"), Sq("d2"));
    EXPECT_TRUE(g().gamePly == 1 && !c().CanStartDrag(Sq("f1")) && Last() == "Error: Black moves");

    // A man without a move cannot be held.
    SetUpMen("A1 a2 b1 b2 a3 c1 c3");
    c().BoardPointerMoved();
    ui.redraws = 0;  // shown again, without the press
    EXPECT_FALSE(c().CanStartDrag(Sq("a1")));
    EXPECT_EQ(Last() + "|" + Text(D::Status) + std::to_string(ui.redraws),
              "Error: You cannot move that piece: a1 is blocked|You cannot move that piece: a1 is "
              "blocked1");  // the reason stays in the status line

    // Busy or finished games ignore every input.
    c().CancelCommand();  // before any computation
    EXPECT_EQ(g().cancelRequest, CancelRequest::None);
    for (bool busy : {true, false}) {
        g().busy = busy;
        g().gameOver = !busy;
        ui.messages.clear();
        c().TypedMove("e1d2");
        c().BoardDrop(Sq("e1"), Sq("d2"));
        EXPECT_FALSE(c().CanStartDrag(Sq("e1")));
        c().ComputeCommand();
        EXPECT_EQ(std::tuple(g().gamePly, ui.messages.size()), std::tuple(0, size_t{0}));
    }
}

// The board's marks and refusals: White men upper case; flags on (negative: off); both directions.
TEST_F(Input, BoardMarksAndRefusalReasons) {
    struct Row {
        const char* men;
        std::vector<int> flags;
        const char* query;  // "route d4 d8 x", "reach d4", "move d4 d6", "pick a1", "must"
        std::string expected;
        std::vector<std::string> directions = {};
    };
    const std::vector<std::string> north = {"N N", "E E"};  // White's men only north
    const Row rows[] = {
        {"D4 d5 d7", {}, "route d4 d8 x", "d4, d6, d8|"},  // a chain's landings
        {"D4 c5 b7", {}, "route d4 b8 x", "d4, b6, b8|"},
        {"D6 c5 b3", {}, "route d6 b2 x", "d6, b4, b2|"},  // backwards too
        {"D4 d5 e5 e6", {}, "route d4 f6 x", "d4, f6|"},   // the shortest, unless chains count
        {"D4 d5 e5 e6", {MaxCapMove}, "route d4 f6 x", "d4, d6, f6|"},
        {"D4 d5 e5 e6", {MulJumps}, "route d4 f6 x", "d4, d6, f6|"},
        {"A1", {LongKings}, "route a1 a5 -", "a1, a5|a2, a3, a4"},  // a slide's squares
        {"A1", {LongKings}, "route a1 d1 -", "a1, d1|b1, c1"},
        {"A4", {LongKings}, "route a4 d1 -", "a4, d1|b3, c2"},
        {"A1 a4", {LongKings}, "route a1 a6 x", "a1, a6|a2, a3, a4, a5"},
        {"D4 d5 d7", {}, "reach d4", "c3 c4 c5 d3 d6 d8 e3 e4 e5"},
        {"D4 d5 d7", {MulJumps}, "reach d4", "c3 c4 c5 d3 d8 e3 e4 e5"},
        {"D4 d5 d7", {MulJumps}, "move d4 d6", "the chain must go on to d8"},
        {"D4 d5 A1", {CapRequired}, "move a1 a2", "a jump is compulsory: d4 can jump"},
        {"D4 d5 A1", {CapRequired}, "pick a1", "a jump is compulsory: d4 can jump"},
        {"D4 d5 A1", {CapRequired}, "must", "d4"},
        {"D4 d5 A1", {}, "must", ""},
        {"D4 d5 d7 A1 a2",
         {CapRequired, MaxCapMove, -OutofHome},
         "pick a1",
         "a longer jump is compulsory: d4 can jump"},  // where the longest chain is compulsory
        {"D4 d5", {}, "move d4 h8", "d4 cannot reach h8"},
        {"D4 d5", {}, "move d4 d5", "d5 is not empty"},
        {"D4 d5", {}, "move d5 d6", ""},  // not White's man: the caller names that
        {"D4 d5", {}, "move d4 d3", ""},
        {"D4 d5", {}, "hint d4-d6", "Try d4xd6|d4, d6"},  // the hint writes a jump as a jump
        {"D4 d5", {}, "hint d4-d3", "Try d4-d3|d4, d3"},
        {"D4 d5 d7", {}, "hint d4-d8", "Try d4xd8|d4, d6, d8"},  // and its chain's stops
        // Each side steps and jumps its own ways (Black's mirrored), and a long jump too.
        {"D4 d5", {}, "reach d4", "d6", north},
        {"D4 d5 d6", {}, "pick d4", "d4 is blocked", north},  // though d3 is empty
        {"D4", {}, "move d4 d3", "d4 cannot reach d3", north},
        {"D4 d5", {LongKings}, "reach d4", "d6 d7 d8", north},
        {"D4 d5", {LongKings}, "route d4 d8 x", "d4, d8|d5, d6, d7", north},
    };
    for (const Row& row : rows) {
        SetUpMen(row.men);
        g().active.flags = DefaultRules().flags;
        for (int flag : row.flags)
            g().active.flags[std::abs(flag)] = flag > 0;
        if (!row.directions.empty()) g().active.directions = {row.directions[0], row.directions[1]};
        ApplyRules(g());
        std::istringstream query(row.query);
        std::string kind, from, to, jump;
        query >> kind >> from >> to >> jump;
        const int a = from.empty() ? 0 : Sq(from.c_str()), b = to.empty() ? 0 : Sq(to.c_str());
        std::string got;
        if (kind == "route") {
            const MoveRoute route = RouteOf(g(), g().board, a, b, jump == "x");
            got = SquareList(route.stops) + "|" + SquareList(route.passed);
        } else if (kind == "reach") {
            std::set<std::string> names;
            for (const Reachable& r : ReachableSquares(g(), a))
                names.insert(SquareName(r.square));
            for (const std::string& name : names)
                got += (got.empty() ? "" : " ") + name;
        } else if (kind == "move") {
            got = MoveRefusal(g(), a, b);
        } else if (kind == "hint") {
            const HintText hint = HintForBoard(g(), "Try " + from);
            got = hint.text + "|" + SquareList(hint.route.stops);
        } else {
            got = kind == "pick" ? PickUpRefusal(g(), a) : SquareList(MenThatMustJump(g()));
        }
        EXPECT_EQ(got, row.expected) << row.men << " / " << row.query;
    }
    // The last move's route follows the game back and forth.
    SetUpMen("D4 d5 d7");
    g().active.flags = DefaultRules().flags;
    c().SelectPlayerPlayer();
    ASSERT_TRUE(Type("d4xd8") && SquareList(LastMoveRoute(g()).stops) == "d4, d6, d8");
    c().Back();
    EXPECT_TRUE(LastMoveRoute(g()).empty());
}

TEST_F(Input, AnalysedAlternativeListLineAndBookMarks) {
    c().AnalyzeCommand();  // an analysis before: the reply's list is the reply's own
    ASSERT_TRUE(Type("e1d2"));
    const RootEntry alternative = c().search().rootTable[1];
    ASSERT_TRUE(IsPlayingSquare(alternative.from));
    c().AnalysisMoveChosen(1);  // replaces the computer's move
    EXPECT_EQ(std::tuple(g().gamePly, g().board[alternative.to], g().moveTexts[1].secondBy,
                         g().gameMoveLines.size(), c().search().scoreHistory[2]),
              std::tuple(2, kBlackMan, "2", size_t{2}, 0));  // the computer's score goes too
    // No reply: the names are exchanged instead, and the Board menu is open again.
    EXPECT_EQ(std::tuple(g().firstSideName, g().side, g().rated, Enabled({C::BoardMenu})),
              std::tuple("Player", kWhite, false, "1"));

    WriteFile(dir / "zelkor.bok",  // a book of one move: marked in the legal moves' list
              "ZELKOR Version=0.10\r\nVariant=Halma\r\nBlackStarts=0\r\n"
              "PromoW=A8B8C8D8A7B7C7A6B6A5\r\nWhiteManMovement=NW;N;NE;E;SE;S;SW;W "
              "NW;N;NE;E;SE;S;SW;W\r\nstart\r\ng1e3w\r\nnames\r\n"
              "g1e3'Left Flank Third-Row Jump Opening'\r\nend\r\n");
    NewGame();
    c().SelectPlayerPlayer();
    c().settings().UseBook = 0;  // it only decides whether the computer plays from the book
    c().FillLegalMoveList();
    const std::vector<std::string> lines = ui.list(ListId::LegalMoves);
    const auto book = std::find(lines.begin(), lines.end(), "g1xe3b");
    ASSERT_NE(book, lines.end());
    c().LegalMoveChosen(static_cast<int>(book - lines.begin()));
    EXPECT_EQ(g().gameMoveLines, std::vector<std::string>{"   1. g1xe3b"});
    c().LegalMoveChosen(1000);  // no such line; and after the move no analysis line fits
    EXPECT_EQ(std::to_string(g().gamePly) + Enabled({C::AnalysisList}), "10");
    EXPECT_EQ(Text(D::OpeningName), "Left Flank Third-Row Jump Opening");

    // A searched computer move that the book knows is marked and names its opening.
    std::string replies = "ZELKOR Version=0.10\r\nVariant=Halma\r\nstart\r\n";
    for (std::string reply : c().legalMoveLines()) {
        std::erase_if(reply, [](char ch) { return ch == '-' || ch == 'x' || ch == 'b'; });
        replies += "g1e3 " + reply + "b\r\n";
    }
    WriteFile(dir / "zelkor.bok", replies + "names\r\ng1e3 'Any Reply'\r\nend\r\n");
    c().SelectPlayerComputer();
    c().ComputeCommand();
    ASSERT_EQ(g().gamePly, 2);
    EXPECT_EQ(Text(D::OpeningName) + g().gameMoveLines[1].back(), "Any Replyb");
}

TEST_F(Input, ADamagedBookNameLineIsToldOnceAndTheGameGoesOn) {
    std::string book = ReadFile(ShippedDataDir() / "zelkor.bok");
    book.insert(book.find("\r\nend", book.find("names")), "\r\ng1e3 no quote");
    WriteFile(dir / "zelkor.bok", book);
    ASSERT_TRUE(PlayerPlayer({"g1xe3", "a7c5", "h1d3"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::string& text = ui.messages[0].text;
    EXPECT_TRUE(Has(text, (dir / "zelkor.bok").string() + ", line ") &&
                Has(text, "\"g1e3 no quote\" has no name between quotes"));
}

using Navigation = ControllerTest;

TEST_F(Navigation, BackForwardCommentsAndAMoveThatCutsTheRecord) {
    c().SelectPlayerPlayer();
    c().CommentEdited("start");
    ASSERT_TRUE(PlayerPlayer({"e1d2", "d8e7", "f2e3", "c7d6"}));
    EXPECT_EQ(Enabled({C::Back, C::Forward}) + std::to_string(ui.selected[ListId::GameMoves]),
              "103");  // the last move's line
    c().CommentEdited("after four");
    // Each step through the game empties the analysis list: its lines were the position's.
    std::string listed;
    const auto step = [&](const std::function<void()>& command) {
        ui.SetListLines(ListId::Analysis, {"e1-d2"});
        command();
        listed += std::to_string(ui.list(ListId::Analysis).size()) + Enabled({C::AnalysisList});
    };
    step([&] { c().Back(); });
    EXPECT_EQ(std::tuple(g().gamePly, g().board[Sq("c7")], g().side, Text(D::Comment)),
              std::tuple(3, kBlackMan, kBlack, ""));
    EXPECT_EQ(Enabled({C::Forward, C::Last}) + std::to_string(ui.selected[ListId::GameMoves]),
              "112");
    step([&] { c().First(); });
    EXPECT_EQ(std::tuple(g().gamePly, Text(D::Comment), Enabled({C::First, C::Back})),
              std::tuple(0, "start", "00"));
    EXPECT_EQ(g().board, g().initialBoard);
    step([&] { c().Forward(); });
    EXPECT_EQ(g().gamePly, 1);
    step([&] { c().Last(); });
    EXPECT_EQ(std::tuple(g().gamePly, g().board[Sq("d6")], Text(D::Comment), Enabled({C::Forward})),
              std::tuple(4, kBlackMan, "after four", "0"));
    step([&] { c().GameMoveClicked(1); });
    c().GameMoveClicked(1);  // the line of the current ply: nothing happens
    EXPECT_EQ(g().gamePly, 2);
    EXPECT_EQ(g().firstSideName, "Player");  // Player-Player keeps the names

    step([&] { c().TakeBackPlayerMove(); });
    EXPECT_EQ(listed, "000000000000");  // nor can a line of it be chosen
    ASSERT_TRUE(Type("c8c6"));
    EXPECT_EQ(g().gameMoveLines, (std::vector<std::string>{"   1. e1-d2", "      c8xc6"}));
    EXPECT_EQ(std::tuple(g().recordLength, Enabled({C::Forward, C::Last}), g().moveTexts[2].first,
                         g().comments[4], g().moveTexts[1].first),
              std::tuple(2, "00", "", "", "e1d2 e1-d2"));  // the cut moves' comments go too

    // A line of the analysis is played in the position analysed, in place of the move there.
    c().CommentEdited("on c8c6");
    c().Back();
    c().AnalyzeCommand();
    const RootEntry chosen = c().search().rootTable[0];
    c().AnalysisMoveChosen(static_cast<int>(c().search().rootTable.size()));  // past the list
    g().gameOver = true;  // an ended game takes no line of either list
    c().AnalysisMoveChosen(0);
    c().LegalMoveChosen(0);
    EXPECT_EQ(std::tuple(g().gamePly, Text(D::TypedMove)), std::tuple(1, ""));
    g().gameOver = false;
    c().AnalysisMoveChosen(0);
    EXPECT_EQ(std::tuple(g().gamePly, g().board[chosen.to], g().recordLength, g().comments[2]),
              std::tuple(2, kBlackMan, 2, ""));
    EXPECT_TRUE(ui.messages.empty());
    // No one has moved at the start: going back there judges nobody, however the men stand.
    SetUpMen("A1 e1 f1 g1 h1 f2 g2 h2 g3 h3 h4");  // Black's men already on their target
    ASSERT_TRUE(Type("a1a2"));
    c().Back();
    EXPECT_TRUE(g().gamePly == 0 && !g().gameOver);
    ui.answers = {Answer::Yes};  // but a game resigned there stays ended
    c().ResignCommand();
    c().First();
    EXPECT_TRUE(g().gameOver);
}

TEST_F(Navigation, GoingBackAgainstTheComputerExchangesTheNames) {
    c().settings().SearchDepth = 2;
    ASSERT_TRUE(Type("e1d2"));            // the computer replies
    EXPECT_GT(c().search().hintFrom, 0);  // the reply it expects
    EXPECT_FALSE(ui.list(ListId::Analysis).empty());
    c().Back();
    EXPECT_EQ(c().search().hintFrom, 0);             // which belongs to the position left, as does
    EXPECT_TRUE(ui.list(ListId::Analysis).empty());  // the analysis of its moves
    EXPECT_EQ(g().firstSideName + g().secondSideName, "ComputerPlayer");
    c().Back();
    EXPECT_EQ(std::tuple(g().firstSideName + g().secondSideName, g().gamePly),
              std::tuple(std::string("PlayerComputer"), 0));
    size_t listed = 9;
    ui.onProcessEvents = [&] {
        c().CommentEdited("at the start");  // typed while it thinks, beside a list cut at once
        listed = ui.list(ListId::GameMoves).size();
    };
    c().ComputeCommand();
    ui.onProcessEvents = nullptr;
    EXPECT_EQ(std::tuple(g().gamePly, g().comments[0], listed), std::tuple(1, "at the start", 0u));
    NewGame();
    ASSERT_TRUE(Type("e1d2"));
    NewGame();  // a new game forgets the reply too
    EXPECT_EQ(c().search().hintFrom, 0);
}

using Menus = ControllerTest;

TEST_F(Menus, CommandsAndOptionsChangeTheirSettingsAndDisplays) {
    c().SetNotation(1);
    const int redraws = ui.redraws;
    c().TurnBoard();
    EXPECT_EQ(std::tuple(c().settings().Notation, c().settings().BoardTurned, ui.redraws),
              std::tuple(1, 1, redraws + 1));
    EXPECT_EQ(Checked({C::NotationNone, C::NotationAlgebraic}), "10");
    c().LowerDepth();  // never below one ply
    EXPECT_EQ(Text(D::Strength), "Strength: 9   Depth: 1 ply");

    Settings& s = c().settings();
    std::tie(s.JumpChar, s.PlayerName, s.UseDepth, s.CountdownTimer) = std::tuple(1, "Anna", 0, 1);
    c().OptionsApplied();
    EXPECT_EQ(Text(D::Strength) + "|" + Text(D::FirstSideName), "Strength: 9   Time: 2 sec|Anna");
    EXPECT_TRUE(ui.countdownShown && std::ranges::count(ui.list(ListId::LegalMoves), "h1:f3") == 1);
    c().SelectPlayerPlayer();  // two people: both sides take the new name
    s.PlayerName = "Bo";
    c().OptionsApplied();
    EXPECT_EQ(Text(D::FirstSideName) + "|" + Text(D::SecondSideName), "Bo|Bo");
}

TEST_F(Menus, NewGameAsksOnlyOnceAMoveWasMade) {
    c().NewGameCommand(false);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_TRUE(PlayerPlayer({"e1d2"}));
    ui.answers = {Answer::No};
    c().NewGameCommand(false);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Last(),
              "Confirmation: Quit current game?\n\nThese moves have not been saved: 1. e1-d2");
    EXPECT_EQ(std::tuple(ui.messages[0].icon, ui.messages[0].buttons, g().gamePly),
              std::tuple(Icon::Question, Buttons::YesNo, 1));
    ui.answers = {Answer::Yes};
    ui.SetText(Display::TypedMove, "e7d");  // a move half typed goes with the game, as does
    ui.SetText(Display::Comment, "note");   // a comment
    c().NewGameCommand(true);
    EXPECT_EQ(std::tuple(g().gamePly, ui.variantDialogs, g().gameStarted, g().recordLength),
              std::tuple(0, 1, false, 0));
    EXPECT_EQ(Text(D::Status) + "|" + Text(D::VariantName) + Text(D::TypedMove) + Text(D::Comment),
              "White moves|Halma");

    EXPECT_EQ(c().RulesInForce(), "");  // the help text tells the variant's own rules
    g().active.directions[0] = "N;E W";
    c().NewGameCommand(false);
    EXPECT_EQ(Text(D::VariantName), "Halma (M)");  // changed rules show the mark
    g().active.flag(CapRequired) = g().active.flag(MaxCapMove) = g().active.flag(BlackStarts) = 1;
    c().NewGameCommand(false);
    const std::string rules = c().RulesInForce();
    for (const char* part :
         {"Black moves first.", "Jumping is mandatory", "only a chain with the greatest number",
          "White's men move forward and right, and jump left; Black's men move in all eight "
          "directions, and jump in all eight directions",
          "two squares farther from your target corner (A8 for White, H1 for Black)",
          "Black's target camp: E1 F1 G1 H1 F2 G2 H2 G3 H3 H4."})
        EXPECT_TRUE(Has(rules, part));
    for (const char* absent : {"chain of jumps must go on", "Stepping is still allowed"})
        EXPECT_EQ(rules.find(absent), std::string::npos) << absent;
    g().active.flag(LongKings) = g().active.flag(KingFirst) = 1;  // a long jump stops at once
    EXPECT_TRUE(Has(c().RulesInForce(), "far away, to the square directly behind it."));
    g().active.flags = DefaultRules().flags;
    g().active.flag(MulJumps) = 1;  // whole chains alone reduce the move set too
    EXPECT_TRUE(Has(c().RulesInForce(), "two squares farther from your target corner"));

    c().SelectVariant(9);  // "Black Begins"
    c().NewGameCommand(false);
    EXPECT_EQ(Text(D::Status) + "|" + Text(D::FirstSideColour) + Text(D::SecondSideColour) + "|" +
                  Text(D::VariantName),
              "Black moves|BlackWhite|Black Begins");
    EXPECT_TRUE(ui.firstSideHighlighted);
    std::string many = "ZELKOR Version=0.10\r\n";  // a number past the last variant's: the last
    for (int v = 1; v <= 255; ++v)
        many += "Variant=V" + std::to_string(v) + "\r\nEND\r\n";
    WriteFile(dir / "variants.ini", many);
    c().SelectVariant(300);
    EXPECT_EQ(std::tuple(int(c().settings().Variant), g().defined.name), std::tuple(255, "V255"));
}

using PositionSetup = ControllerTest;

TEST_F(PositionSetup, ACheckerReplacesThePieceAndTheGameGoesOnFromThere) {
    const Board before = g().board;
    c().SetupSquare(0, kWhiteMan);  // off the board: refused
    c().SetupPopupClosed();         // without a choice: nothing changes
    EXPECT_TRUE(g().board == before && Text(D::VariantName) == "Halma" && !c().setupMode() &&
                !c().pressSuppressed());

    c().SetupSquare(Sq("e1"), kBlackMan);
    c().SetupPopupClosed();
    EXPECT_EQ(std::tuple(g().board[Sq("e1")], g().initialBoard[Sq("e1")], Text(D::VariantName)),
              std::tuple(kBlackMan, kBlackMan, "Halma (M)"));
    EXPECT_TRUE(!g().rated && c().pressSuppressed() && !c().CanStartDrag(Sq("f1")));
    c().BoardPointerMoved();
    c().SelectPlayerPlayer();
    // The Black man in White's camp forces the jump out of it over the enemy.
    ASSERT_TRUE(!Type("f2e3") && Type("f1d1"));
    // During a game a set-up asks first; No keeps the game and its board.
    for (auto step :
         {+[](GameController& c) { c.SetupSquare(Sq("d1"), kEmpty); },
          +[](GameController& c) { c.SetupClearBoard(); },
          +[](GameController& c) { c.SetupSideToMove(kBlack); }, +[](GameController&) {}}) {
        ui.answers = {Answer::No};
        step(c());
        c().SetupPopupClosed();
        EXPECT_EQ(Last(), "Confirmation: Quit current game?");
        EXPECT_EQ(std::tuple(g().gamePly, g().board[Sq("d1")], g().side),
                  std::tuple(1, kWhiteMan, kBlack));
        ui.messages.clear();
    }
    ui.answers = {Answer::Yes};
    c().SetupPopupClosed();
    EXPECT_EQ(std::tuple(g().gamePly, g().board[Sq("d1")], g().side, g().rule(BlackStarts)),
              std::tuple(0, kWhiteMan, kBlack, 1));
    EXPECT_EQ(Text(D::Status) + Enabled({C::First, C::Back, C::BoardMenu}), "Black moves001");
    c().SetupClearBoard();
    c().SetupSideToMove(kWhite);
    EXPECT_EQ(Text(D::Status), "White moves");
    c().SetupPopupClosed();
    for (int square : kPlayingSquares)
        EXPECT_EQ(g().board[square], kEmpty);
    EXPECT_EQ(std::tuple(g().side, g().gameMoveLines.size()), std::tuple(kWhite, size_t{0}));
    // New Game leaves the set-up behind, and so does a variant chosen.
    NewGame();
    EXPECT_TRUE(g().board[Sq("e1")] == kWhiteMan && !c().setupMode());
    c().SetupSquare(Sq("e1"), kEmpty);
    c().SetupPopupClosed();
    c().SelectVariant(1);
    EXPECT_FALSE(c().setupMode() || g().handSetUp);
    NewGame();  // during a game each popup asks anew, whatever the last one was told
    ASSERT_TRUE(Type("e1d2"));
    ui.messages.clear();
    for (int popup = 0; popup < 2; ++popup) {
        ui.answers = {Answer::No};
        c().SetupSquare(Sq("a1"), kWhiteMan);
        c().SetupPopupClosed();
    }
    EXPECT_EQ(ui.messages.size(), 2u);
}

}  // namespace
}  // namespace zelkor::test
