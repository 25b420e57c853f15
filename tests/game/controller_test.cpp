#include <gtest/gtest.h>

#include <algorithm>

#include "controller_fixture.h"

namespace zelkor::test {
namespace {

using Modes = ControllerTest;

TEST_F(Modes, PlayerPlayerGivesBothSidesThePlayerAndDisablesDrawAndResign) {
    c().SelectPlayerPlayer();
    EXPECT_EQ(g().playMode, PlayMode::PlayerPlayer);
    EXPECT_EQ(ui.Text(Display::Status), "Player-Player mode");
    EXPECT_EQ(ui.Text(Display::FirstSideName), "Player");
    EXPECT_EQ(ui.Text(Display::SecondSideName), "Player");
    EXPECT_FALSE(ui.enabled(Command::OfferDraw));
    EXPECT_FALSE(ui.enabled(Command::Resign));
    EXPECT_TRUE(ui.checked(Command::PlayerPlayer));
    EXPECT_FALSE(ui.checked(Command::PlayerComputer));
    EXPECT_FALSE(ui.checked(Command::ComputerComputer));

    c().SelectPlayerComputer();
    EXPECT_EQ(ui.Text(Display::Status), "Computer-Player mode");
    EXPECT_TRUE(ui.enabled(Command::OfferDraw));
    EXPECT_TRUE(ui.enabled(Command::Resign));
    EXPECT_TRUE(ui.checked(Command::PlayerComputer));
    EXPECT_FALSE(ui.checked(Command::PlayerPlayer));
}

TEST_F(Modes, PlayerComputerWithBlackToMoveGivesThePlayerTheLowerRow) {
    ASSERT_TRUE(PlayerPlayer({"e1d2"}));
    c().SelectPlayerComputer();
    EXPECT_EQ(ui.Text(Display::FirstSideColour), "White");
    EXPECT_EQ(ui.Text(Display::SecondSideColour), "Black");
    EXPECT_EQ(ui.Text(Display::FirstSideName), "Computer");
    EXPECT_EQ(ui.Text(Display::SecondSideName), "Player");
    EXPECT_FALSE(ui.firstSideHighlighted);
}

TEST_F(Modes, ComputeSwapsTheNamesBeforeTheComputerMoves) {
    EXPECT_EQ(g().firstSideName, "Player");
    ui.onProcessEvents = [&] {  // the commands wait for the search, Cancel stops it
        EXPECT_TRUE(ui.enabled(Command::Cancel));
        for (Command b : {Command::NewGame, Command::Hint, Command::LegalMoveList, Command::Back})
            EXPECT_FALSE(ui.enabled(b));
    };
    c().ComputeCommand();
    EXPECT_EQ(g().gamePly, 1);
    EXPECT_EQ(g().firstSideName, "Computer");
    EXPECT_EQ(g().secondSideName, "Player");
    EXPECT_EQ(g().moveTexts[1].firstBy, "1");
    c().ComputeCommand();
    EXPECT_EQ(g().gamePly, 2);
    EXPECT_EQ(g().firstSideName, "Player");
    EXPECT_EQ(g().secondSideName, "Computer");
    EXPECT_TRUE(ui.enabled(Command::Back));
    EXPECT_FALSE(ui.enabled(Command::Forward));
    EXPECT_FALSE(ui.enabled(Command::Cancel));
    EXPECT_FALSE(g().busy);
}

TEST_F(Modes, HumanMoveInPlayerComputerModeGetsTheComputersReply) {
    ASSERT_TRUE(Type("e1-d2"));
    EXPECT_EQ(g().gamePly, 2);
    EXPECT_EQ(g().moveTexts[1].firstBy, "2");
    EXPECT_EQ(g().moveTexts[1].secondBy, "1");
    EXPECT_EQ(ui.list(ListId::GameMoves)[0], "   1. e1-d2");
    EXPECT_EQ(ui.list(ListId::GameMoves).size(), 2u);
    EXPECT_FALSE(ui.list(ListId::LegalMoves).empty());
    EXPECT_EQ(g().side, kWhite);
    EXPECT_EQ(g().firstSideName, "Player");  // the reply does not exchange the names
}

TEST_F(Modes, PlayerPlayerGameRunsToItsEnd) {
    c().SelectPlayerPlayer();
    int guard = 0;
    while (!g().gameOver && guard++ < 1000) {
        ASSERT_FALSE(c().legalMoveLines().empty());
        c().LegalMoveChosen(0);
    }
    EXPECT_TRUE(g().gameOver);
    EXPECT_FALSE(ui.enabled(Command::Compute));
    EXPECT_FALSE(ui.enabled(Command::LegalMoveList));
    EXPECT_EQ(ui.Text(Display::Status).find("Player-Player mode"), std::string::npos);
    ASSERT_GE(g().gameMoveLines.size(), 19u);
    EXPECT_EQ(g().gameMoveLines[18].substr(0, 6), "  10. ");
    EXPECT_EQ(g().gameMoveLines[1].substr(0, 6), "      ");
    for (int ply = 1; ply <= g().gamePly; ++ply)
        EXPECT_EQ(
            ply % 2 ? g().moveTexts[(ply + 1) / 2].firstBy : g().moveTexts[(ply + 1) / 2].secondBy,
            "2");
    EXPECT_FALSE(g().rated);  // moves chosen from the list spoil the rating
    EXPECT_EQ(ui.messages.back().legalMovesShown, 0u);
    EXPECT_TRUE(ui.list(ListId::LegalMoves).empty());

    // The last move played again against the computer wins; one move back, the human has
    // the side to move, however the names stood at the end.
    const int last = g().gamePly;
    const MoveTextRow& row = g().moveTexts[(last + 1) / 2];
    const std::string winning = (last % 2 ? row.first : row.second).substr(0, 4);
    c().Back();
    c().SelectPlayerComputer();
    ASSERT_TRUE(Type(winning));
    ASSERT_TRUE(g().gameOver);
    c().Back();
    EXPECT_EQ(g().side == kWhite ? g().firstSideName : g().secondSideName, "Player");
    EXPECT_EQ(g().side == kWhite ? g().secondSideName : g().firstSideName, "Computer");
}

TEST_F(Modes, ComputerComputerRunsToTheEndAndReturnsToPlayerComputer) {
    c().RunComputerComputer();
    EXPECT_TRUE(g().gameOver);
    EXPECT_GT(g().gamePly, 10);
    EXPECT_EQ(g().playMode, PlayMode::PlayerComputer);
    EXPECT_TRUE(ui.checked(Command::PlayerComputer));
    EXPECT_FALSE(ui.checked(Command::ComputerComputer));
    EXPECT_FALSE(g().busy);
    EXPECT_FALSE(ui.enabled(Command::ComputerComputer));
    EXPECT_TRUE(ui.enabled(Command::LegalMoveList) == false || g().gameOver);
    EXPECT_TRUE(ui.list(ListId::LegalMoves).empty());
    // The user only watched: the winner is named by colour and no label names the user.
    EXPECT_EQ(g().firstSideName, "Computer");
    EXPECT_EQ(g().secondSideName, "Computer");
    const std::string winner = g().side == kWhite ? "Black wins!" : "White wins!";
    EXPECT_EQ(ui.messages.back().text.substr(0, winner.size()), winner);
    EXPECT_EQ(ui.Text(Display::Status), winner);
    EXPECT_FALSE(g().rated);
    // Half a second between the moves.
    int halfSeconds = 0;
    for (double pause : clock.pauses)
        if (pause == 0.5) ++halfSeconds;
    EXPECT_GE(halfSeconds, g().gamePly);
    EXPECT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().title, "Congratulations");
}

TEST_F(Modes, CancelEndsTheSearchWithAMoveAndStopsComputerComputer) {
    c().settings().SearchDepth = 8;
    ui.onProcessEvents = [&] {
        if (ui.eventsProcessed == 200) c().CancelCommand();
    };
    c().RunComputerComputer();
    EXPECT_EQ(g().gamePly, 1);  // the cancelled search still played its best move
    EXPECT_FALSE(g().gameOver);
    EXPECT_EQ(g().secondSideName, "Player");  // the human takes the side to move
    EXPECT_EQ(g().playMode, PlayMode::PlayerComputer);
    EXPECT_FALSE(ui.enabled(Command::Cancel));
    EXPECT_TRUE(ui.enabled(Command::Compute));
}

TEST_F(Modes, ATimeStopDoesNotEndComputerComputer) {
    c().settings().UseDepth = 0;
    c().settings().ThinkTime = 1;
    clock.tick = 0.01;  // every reading of the clock moves it on
    c().RunComputerComputer();
    EXPECT_TRUE(g().gameOver);
    EXPECT_GT(g().gamePly, 10);
}

TEST_F(Modes, AGameAgainstTheComputerIsRated) {
    int guard = 0;
    while (!g().gameOver && guard++ < 600) {
        ASSERT_FALSE(c().legalMoveLines().empty());
        c().TypedMove(c().legalMoveLines().front());
    }
    ASSERT_TRUE(g().gameOver);
    const std::string& report = ui.messages.back().text;
    EXPECT_NE(report.find("Your previous rating was 1200\r\n"), std::string::npos) << report;
    EXPECT_NE(report.find("The computers' rating in this game was 1200"), std::string::npos);
    EXPECT_FALSE(g().rated);  // counted once
}

TEST_F(Modes, HintDrawOfferAndResignationReachTheEngine) {
    c().OfferDrawCommand();  // before any move: rejected
    EXPECT_EQ(ui.messages.back().text, "Offer rejected... Play on!");
    ASSERT_TRUE(Type("e1d2"));
    c().HintCommand();
    EXPECT_EQ(ui.messages.back().title, "Hint");
    EXPECT_EQ(ui.messages.back().text.substr(0, 4), "Try ");
    EXPECT_FALSE(g().busy);
    EXPECT_FALSE(g().rated);
    EXPECT_EQ(g().gamePly, 2);
    c().ResignCommand();
    EXPECT_TRUE(g().gameOver);
    EXPECT_EQ(ui.messages.back().text.substr(0, 20), "OK... Computer wins!");
    EXPECT_FALSE(ui.enabled(Command::Compute));
    EXPECT_FALSE(ui.enabled(Command::Resign));
    c().ComputeCommand();
    EXPECT_EQ(g().gamePly, 2);
}

TEST_F(Modes, ShutdownInsideARunningSearchEndsTheRunOnce) {
    c().settings().SearchDepth = 8;
    ui.onProcessEvents = [&] {
        if (ui.eventsProcessed == 200) {
            c().CancelCommand();
            c().Shutdown();
        }
    };
    c().RunComputerComputer();
    EXPECT_TRUE(c().shutDown());
    EXPECT_LE(g().gamePly, 1);
    EXPECT_TRUE(std::filesystem::exists(dir / "zelkor.rtg"));
    const std::string settings = ReadFile(dir / "zelkor.ini");
    c().Shutdown();  // a second call writes nothing
    EXPECT_EQ(ReadFile(dir / "zelkor.ini"), settings);
}

using Input = ControllerTest;

TEST_F(Input, TypedMovesInEveryFormPlayTheSameMove) {
    c().SelectPlayerPlayer();
    for (const char* text : {"e1d2", "d8-e7", "D2-E1", "e7xd8", "E1XD2"}) {
        EXPECT_TRUE(Type(text)) << text;
    }
    EXPECT_EQ(g().gamePly, 5);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.list(ListId::GameMoves)[0], "   1. e1-d2");
    EXPECT_EQ(ui.list(ListId::GameMoves)[1], "      d8-e7");
    EXPECT_EQ(g().moveTexts[1].first, "e1d2 e1-d2");
    EXPECT_EQ(g().moveTexts[1].second, "d8e7 d8-e7");
}

TEST_F(Input, RejectedTypedMovesSayIllegalMove) {
    c().SelectPlayerPlayer();
    for (const char* text : {"e1d", "e1e3", "z9d2", "", "e1-"}) {
        ui.messages.clear();
        EXPECT_FALSE(Type(text)) << text;
        ASSERT_EQ(ui.messages.size(), 1u) << text;
        EXPECT_EQ(Shown(ui.messages[0]), "Error: Illegal move");
        EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation);
        EXPECT_TRUE(ui.enabled(Command::TypedMoveBox));
    }
    EXPECT_EQ(g().gamePly, 0);
}

TEST_F(Input, BoardPressAndDropRejections) {
    c().SelectPlayerPlayer();
    EXPECT_FALSE(c().CanStartDrag(Sq("d8")));
    ASSERT_NE(LastMessage(), nullptr);
    EXPECT_EQ(Shown(*LastMessage()), "Error: White moves");
    EXPECT_FALSE(c().CanStartDrag(Sq("d4")));  // an empty square: nothing to hold
    EXPECT_EQ(ui.messages.size(), 1u);

    EXPECT_TRUE(c().CanStartDrag(Sq("e1")));
    c().BoardDrop(Sq("e1"), Sq("e3"));
    EXPECT_EQ(LastMessage()->text, "Illegal move");
    c().BoardDrop(Sq("e1"), Sq("f1"));
    EXPECT_EQ(LastMessage()->text, "Illegal move: that square is not empty");
    const size_t shown = ui.messages.size();
    c().BoardDrop(Sq("e1"), Sq("e1"));  // back home: cancelled silently
    c().BoardDrop(Sq("e1"), 0);         // off the board
    EXPECT_EQ(ui.messages.size(), shown);
    EXPECT_EQ(g().gamePly, 0);

    c().BoardDrop(Sq("e1"), Sq("d2"));
    EXPECT_EQ(g().gamePly, 1);
    EXPECT_EQ(ui.Text(Display::Calculation), "no calculation");
    EXPECT_FALSE(c().CanStartDrag(Sq("f1")));
    EXPECT_EQ(LastMessage()->text, "Black moves");
}

TEST_F(Input, APieceWithoutAMoveCannotBeHeld) {
    c().SetupClearBoard();
    c().SetupSquare(Sq("a1"), kWhiteMan);
    for (const char* black : {"a2", "b1", "b2", "a3", "c1", "c3"})
        c().SetupSquare(Sq(black), kBlackMan);
    c().SetupSideToMove(kWhite);
    c().SetupPopupClosed();
    c().BoardPointerMoved();
    EXPECT_FALSE(c().CanStartDrag(Sq("a1")));
    EXPECT_EQ(Shown(*LastMessage()), "Error: You cannot move that piece");
}

TEST_F(Input, BusyOrFinishedGamesIgnoreInput) {
    c().CancelCommand();  // before any computation
    EXPECT_EQ(g().cancelRequest, 0);
    g().busy = true;
    c().TypedMove("e1d2");
    c().BoardDrop(Sq("e1"), Sq("d2"));
    EXPECT_FALSE(c().CanStartDrag(Sq("e1")));
    g().busy = false;
    g().gameOver = true;
    c().TypedMove("e1d2");
    c().BoardDrop(Sq("e1"), Sq("d2"));
    EXPECT_FALSE(c().CanStartDrag(Sq("e1")));
    c().ComputeCommand();
    EXPECT_EQ(g().firstSideName, "Player");
    EXPECT_EQ(g().gamePly, 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Input, TheGameAndTheComputerStopAtTheEndOfTheRecord) {
    c().SelectPlayerPlayer();
    c().settings().ChessDrawRules = 0;  // let the shuffle go on
    const char* cycle[] = {"e1d2", "d8e7", "d2e1", "e7d8"};
    for (int ply = 0; ply < kMaxGamePlies; ++ply)
        ASSERT_TRUE(Type(cycle[ply % 4])) << ply;
    EXPECT_EQ(g().gameMoveLines.size(), static_cast<size_t>(kMaxGamePlies));
    EXPECT_EQ(g().gameMoveLines.back(), "      e7-d8");
    c().ComputeCommand();
    EXPECT_EQ(g().gamePly, kMaxGamePlies);
    ASSERT_NE(LastMessage(), nullptr);
    EXPECT_EQ(LastMessage()->text, kMoveLimitMessage);
    EXPECT_TRUE(g().gameOver);
    g().gameOver = false;
    ui.messages.clear();
    EXPECT_FALSE(Type("e1d2"));
    ASSERT_NE(LastMessage(), nullptr);
    EXPECT_EQ(LastMessage()->text, kMoveLimitMessage);
    EXPECT_TRUE(g().gameOver);
    // The record is intact: stepping back and forward replays the last move.
    c().Back();
    EXPECT_EQ(g().gamePly, kMaxGamePlies - 1);
    c().Forward();
    EXPECT_EQ(g().gamePly, kMaxGamePlies);
}

TEST_F(Input, AnAnalysedAlternativeReplacesTheComputersMove) {
    ASSERT_TRUE(Type("e1d2"));
    ASSERT_EQ(g().gamePly, 2);
    const RootEntry alternative = c().search().rootTable[1];
    ASSERT_TRUE(IsPlayingSquare(alternative.from));
    c().AnalysisMoveChosen(1);
    EXPECT_EQ(g().gamePly, 2);
    EXPECT_EQ(g().board[alternative.to], kBlackMan);
    EXPECT_EQ(g().moveTexts[1].secondBy, "2");
    EXPECT_EQ(g().gameMoveLines.size(), 2u);
    // No reply: the names are exchanged instead, the player now has White's move again.
    EXPECT_EQ(g().firstSideName, "Player");
    EXPECT_EQ(g().side, kWhite);
    EXPECT_FALSE(g().rated);
}

TEST_F(Input, ALegalMoveListLinePlaysItsMove) {
    c().SelectPlayerPlayer();
    const std::vector<std::string> lines = c().legalMoveLines();
    const auto jump = std::find(lines.begin(), lines.end(), "h1xf3");
    ASSERT_NE(jump, lines.end());
    c().LegalMoveChosen(static_cast<int>(jump - lines.begin()));
    EXPECT_EQ(g().gamePly, 1);
    EXPECT_EQ(g().gameMoveLines[0], "   1. h1xf3");
    c().LegalMoveChosen(1000);  // no such line
    EXPECT_EQ(g().gamePly, 1);
}

TEST_F(Input, BookMovesAreMarkedInBothLists) {
    std::filesystem::copy_file(ShippedDataDir() / "zelkor.bok", dir / "zelkor.bok");
    c().SelectPlayerPlayer();
    c().settings().UseBook = 0;  // it only decides whether the computer plays from the book
    c().FillLegalMoveList();
    const std::vector<std::string>& lines = ui.list(ListId::LegalMoves);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "g1xe3b"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "e1-d2"), lines.end());
    ASSERT_TRUE(Type("g1xe3"));
    EXPECT_EQ(g().gameMoveLines[0], "   1. g1xe3b");
    EXPECT_EQ(ui.texts[Display::OpeningName], "Corner Opening");

    // A name line without its quotes is told once, with its file and line; the game goes on
    // without the book.
    std::string book = ReadFile(dir / "zelkor.bok");
    book.insert(book.find("\r\nend", book.find("names")), "\r\ng1e3 no quote");
    std::filesystem::remove(dir / "zelkor.bok");
    WriteFile(dir / "zelkor.bok", book);
    ui.messages.clear();
    ASSERT_TRUE(Type("a7c5"));
    ASSERT_TRUE(Type("h1d3"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find((dir / "zelkor.bok").string() + ", line "),
              std::string::npos);
    EXPECT_NE(ui.messages[0].text.find("\"g1e3 no quote\" has no name between quotes"),
              std::string::npos);
    EXPECT_EQ(g().gamePly, 3);
}

// A searched computer move that the book knows is marked and names its opening.
TEST_F(Input, ASearchedMoveTheBookKnowsIsMarked) {
    c().SelectPlayerPlayer();
    ASSERT_TRUE(Type("g1xe3"));
    std::string book = "ZELKOR Version=0.10\r\nVariant=Halma\r\nstart\r\n";
    for (std::string reply : c().legalMoveLines()) {
        std::erase_if(reply, [](char ch) { return ch == '-' || ch == 'x' || ch == 'b'; });
        book += "g1e3 " + reply + "b\r\n";
    }
    WriteFile(dir / "zelkor.bok", book + "names\r\ng1e3 'Any Reply'\r\nend\r\n");
    c().SelectPlayerComputer();
    c().ComputeCommand();
    ASSERT_EQ(g().gamePly, 2);
    EXPECT_EQ(g().gameMoveLines[1].back(), 'b');
    EXPECT_EQ(ui.texts[Display::OpeningName], "Any Reply");
}

using Navigation = ControllerTest;

TEST_F(Navigation, BackAndForwardStepThroughTheRecord) {
    ASSERT_TRUE(PlayerPlayer({"e1d2", "d8e7", "f2e3", "c7d6"}));
    EXPECT_TRUE(ui.enabled(Command::Back));
    EXPECT_FALSE(ui.enabled(Command::Forward));

    c().Back();
    EXPECT_EQ(g().gamePly, 3);
    EXPECT_EQ(g().board[Sq("c7")], kBlackMan);
    EXPECT_EQ(g().side, kBlack);
    EXPECT_TRUE(ui.enabled(Command::Forward));
    EXPECT_TRUE(ui.enabled(Command::Last));
    EXPECT_EQ(ui.selected[ListId::GameMoves], 2);
    EXPECT_EQ(g().gameMoveLines.size(), 4u);

    c().First();
    EXPECT_EQ(g().gamePly, 0);
    EXPECT_FALSE(ui.enabled(Command::First));
    EXPECT_FALSE(ui.enabled(Command::Back));
    EXPECT_EQ(g().board, g().initialBoard);

    c().Forward();
    EXPECT_EQ(g().gamePly, 1);
    c().Last();
    EXPECT_EQ(g().gamePly, 4);
    EXPECT_FALSE(ui.enabled(Command::Forward));
    EXPECT_EQ(g().board[Sq("d6")], kBlackMan);

    c().GameMoveClicked(1);
    EXPECT_EQ(g().gamePly, 2);
    c().GameMoveClicked(1);  // the line of the current ply: nothing happens
    EXPECT_EQ(g().gamePly, 2);
    EXPECT_EQ(g().firstSideName, "Player");  // Player-Player keeps the names
}

TEST_F(Navigation, CommentsFollowTheirPly) {
    c().SelectPlayerPlayer();
    c().CommentEdited("start");
    ASSERT_TRUE(Type("e1d2"));
    EXPECT_EQ(ui.Text(Display::Comment), "");
    c().CommentEdited("after one");
    c().Back();
    EXPECT_EQ(ui.Text(Display::Comment), "start");
    c().Forward();
    EXPECT_EQ(ui.Text(Display::Comment), "after one");
}

TEST_F(Navigation, AMoveAfterGoingBackCutsTheRecord) {
    ASSERT_TRUE(PlayerPlayer({"e1d2", "d8e7", "f2e3", "c7d6"}));
    c().NavigateBy(3, false);
    EXPECT_EQ(g().gamePly, 1);
    ASSERT_TRUE(Type("c8c6"));
    EXPECT_EQ(g().gamePly, 2);
    EXPECT_EQ(g().recordLength, 2);
    ASSERT_EQ(g().gameMoveLines.size(), 2u);
    EXPECT_EQ(g().gameMoveLines[1], "      c8xc6");
    EXPECT_FALSE(ui.enabled(Command::Forward));
    EXPECT_FALSE(ui.enabled(Command::Last));
    EXPECT_TRUE(g().moveTexts[2].first.empty());
    c().Last();
    EXPECT_EQ(g().gamePly, 2);
}

TEST_F(Navigation, GoingBackAgainstTheComputerExchangesTheNames) {
    c().settings().SearchDepth = 2;
    ASSERT_TRUE(Type("e1d2"));  // the computer replies
    ASSERT_EQ(g().gamePly, 2);
    EXPECT_GT(c().search().hintFrom, 0);  // the reply it expects
    c().Back();
    EXPECT_EQ(c().search().hintFrom, 0);  // which belongs to the position left
    EXPECT_EQ(g().firstSideName, "Computer");
    EXPECT_EQ(g().secondSideName, "Player");
    c().Back();
    EXPECT_EQ(g().firstSideName, "Player");
    EXPECT_EQ(g().gamePly, 0);
}

TEST_F(Navigation, AnalysisAfterGoingBackKeepsTheRecord) {
    ASSERT_TRUE(PlayerPlayer({"e1d2", "d8e7", "f2e3"}));
    c().First();
    c().AnalyzeCommand();
    EXPECT_EQ(g().gamePly, 0);
    EXPECT_EQ(g().recordLength, 3);
    EXPECT_EQ(g().gameMoveLines.size(), 3u);
    EXPECT_FALSE(ui.list(ListId::Analysis).empty());
    EXPECT_TRUE(ui.enabled(Command::Forward));
    EXPECT_FALSE(g().busy);
    EXPECT_FALSE(g().rated);
    c().Last();
    EXPECT_EQ(g().gamePly, 3);

    // A line of the analysis is played in the position analysed, with nothing taken back.
    c().Back();
    c().AnalyzeCommand();
    const RootEntry chosen = c().search().rootTable[1];
    c().AnalysisMoveChosen(1);
    EXPECT_EQ(g().gamePly, 3);
    EXPECT_EQ(g().board[chosen.to], kWhiteMan);
    EXPECT_EQ(g().recordLength, 3);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Navigation, RepetitionsCountTheReplayedPositions) {
    c().SelectPlayerPlayer();
    const char* cycle[] = {"e1d2", "d8e7", "d2e1", "e7d8"};
    for (int ply = 0; ply < 8; ++ply)
        ASSERT_TRUE(Type(cycle[ply % 4]));
    c().First();
    c().settings().SearchDepth = 5;
    c().AnalyzeCommand();  // the search walks its own positions through the history
    c().Last();
    ASSERT_EQ(g().gamePly, 8);
    ASSERT_TRUE(Type("e1d2"));  // the position after plies 1 and 5 comes a third time
    EXPECT_EQ(g().gamePly, 9);
    EXPECT_TRUE(g().gameOver);
    EXPECT_EQ(ui.Text(Display::Status), "It's a draw! Triple Repetition");
}

using BoardAndView = ControllerTest;

TEST_F(BoardAndView, MenuCommandsChangeTheirSettingsAndTicks) {
    c().SetNotation(1);
    EXPECT_EQ(c().settings().Notation, 1);
    EXPECT_TRUE(ui.checked(Command::NotationNone));
    EXPECT_FALSE(ui.checked(Command::NotationAlgebraic));
    c().TurnBoard();
    EXPECT_EQ(c().settings().BoardTurned, 1);
    c().ToggleCalculation();
    EXPECT_FALSE(ui.checked(Command::Calculation));
    EXPECT_EQ(ui.Text(Display::Calculation), "no calculation");
    c().settings().SearchDepth = 2;
    c().LowerDepth();
    EXPECT_EQ(ui.Text(Display::Strength), "Strength: 9   Depth: 1 ply");
    c().LowerDepth();  // never below one ply
    EXPECT_EQ(c().settings().SearchDepth, 1);
}

TEST_F(BoardAndView, AppliedOptionsReachTheDisplaysAndTheMoveTexts) {
    c().settings().JumpChar = 1;
    c().settings().PlayerName = "Anna";
    c().settings().UseDepth = 0;
    c().settings().CountdownTimer = 1;
    c().OptionsApplied();
    EXPECT_EQ(ui.Text(Display::Strength), "Strength: 9   Time: 2 sec");
    EXPECT_TRUE(ui.countdownShown);
    EXPECT_EQ(ui.Text(Display::FirstSideName), "Anna");
    const auto& lines = ui.list(ListId::LegalMoves);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "h1:f3"), lines.end());
}

using NewGame = ControllerTest;

TEST_F(NewGame, AsksOnlyOnceAMoveWasMade) {
    c().NewGameCommand(false);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_TRUE(PlayerPlayer({"e1d2"}));
    ui.answers = {Answer::No};
    c().NewGameCommand(false);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Shown(ui.messages[0]), "Confirmation: Quit current game?");
    EXPECT_EQ(ui.messages[0].icon, Icon::Question);
    EXPECT_EQ(ui.messages[0].buttons, Buttons::YesNo);
    EXPECT_EQ(g().gamePly, 1);
    ui.answers = {Answer::Yes};
    c().NewGameCommand(true);
    EXPECT_EQ(g().gamePly, 0);
    EXPECT_EQ(ui.variantDialogs, 1);
    EXPECT_TRUE(ui.list(ListId::GameMoves).empty());
    EXPECT_EQ(ui.Text(Display::Status), "White moves");
    EXPECT_FALSE(ui.enabled(Command::Back));
    EXPECT_EQ(ui.Text(Display::VariantName), "Halma");
}

TEST_F(NewGame, ABlackFirstVariantStartsWithBlack) {
    c().SelectVariant(9);  // "Black Begins"
    c().NewGameCommand(false);
    EXPECT_EQ(g().side, kBlack);
    EXPECT_EQ(ui.Text(Display::Status), "Black moves");
    EXPECT_EQ(ui.Text(Display::FirstSideColour), "Black");
    EXPECT_TRUE(ui.firstSideHighlighted);
    EXPECT_EQ(ui.Text(Display::VariantName), "Black Begins");
}

TEST_F(NewGame, ChangedRulesShowTheModifiedMark) {
    EXPECT_EQ(c().RulesInForce(), "");  // the help text tells the variant's own rules
    g().active.flag(CapRequired) = 1;
    g().active.flag(BlackStarts) = 1;
    g().active.directions[0] = "N;E W";
    c().NewGameCommand(false);
    EXPECT_EQ(ui.Text(Display::VariantName), "Halma (M)");
    // The rules window adds the rules in force, from the flags, directions and camps.
    const std::string rules = c().RulesInForce();
    for (const char* part : {"Black moves first.",
                             "White's men move forward and right, and jump left; Black's men "
                             "move in all eight directions, and jump in all eight directions",
                             "Jumping is mandatory",
                             "two squares farther from your target corner (A8 for White, "
                             "H1 for Black)",
                             "Black's target camp: E1 F1 G1 H1 F2 G2 H2 G3 H3 H4."})
        EXPECT_NE(rules.find(part), std::string::npos) << part << "\n" << rules;
    EXPECT_EQ(rules.find("chain of jumps must go on"), std::string::npos);
}

using PositionSetup = ControllerTest;

TEST_F(PositionSetup, ClearBoardAndWhiteMovesGiveAnEmptyBoardWithWhiteToMove) {
    ASSERT_TRUE(PlayerPlayer({"e1d2"}));
    c().SetupClearBoard();
    c().SetupSideToMove(kWhite);
    EXPECT_EQ(ui.Text(Display::Status), "White moves");
    c().SetupPopupClosed();
    for (int square : kPlayingSquares)
        EXPECT_EQ(g().board[square], kEmpty);
    EXPECT_EQ(g().side, kWhite);
    EXPECT_EQ(g().gamePly, 0);
    EXPECT_TRUE(g().gameMoveLines.empty());
    EXPECT_FALSE(ui.enabled(Command::First));
    EXPECT_FALSE(ui.enabled(Command::Back));
    EXPECT_EQ(ui.Text(Display::VariantName), "Halma (M)");
    EXPECT_TRUE(c().pressSuppressed());
    EXPECT_FALSE(c().CanStartDrag(Sq("e1")));
}

TEST_F(PositionSetup, ACheckerReplacesThePieceAndTheGameGoesOnFromThere) {
    c().SetupSquare(Sq("e1"), kBlackMan);
    c().SetupPopupClosed();
    EXPECT_EQ(g().board[Sq("e1")], kBlackMan);
    EXPECT_EQ(g().initialBoard[Sq("e1")], kBlackMan);
    EXPECT_FALSE(g().rated);
    // Every later popup, even without a choice, restarts from the current position.
    c().BoardPointerMoved();
    c().SelectPlayerPlayer();
    // The Black man in White's camp forces the jump out of it over the enemy.
    EXPECT_FALSE(Type("f2e3"));
    ASSERT_TRUE(Type("f1d1"));
    c().SetupPopupClosed();
    EXPECT_EQ(g().gamePly, 0);
    EXPECT_EQ(g().board[Sq("d1")], kWhiteMan);
    EXPECT_EQ(g().side, kBlack);
    EXPECT_EQ(g().rule(BlackStarts), 1);
    EXPECT_EQ(ui.Text(Display::Status), "Black moves");
    // New Game leaves the set-up behind.
    ui.answers = {Answer::Yes};
    c().NewGameCommand(false);
    EXPECT_EQ(g().board[Sq("e1")], kWhiteMan);
    EXPECT_FALSE(c().setupMode());
}

TEST_F(PositionSetup, ClosingThePopupWithoutAChoiceChangesNothing) {
    const Board before = g().board;
    c().SetupPopupClosed();
    EXPECT_EQ(g().board, before);
    EXPECT_EQ(ui.Text(Display::VariantName), "Halma");
    EXPECT_FALSE(c().setupMode());
    EXPECT_FALSE(c().pressSuppressed());
}

}  // namespace
}  // namespace zelkor::test
