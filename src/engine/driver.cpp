#include "engine/driver.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/driver_steps.h"
#include "engine/evaluate.h"
#include "engine/search.h"
#include "rules/make_move.h"
#include "rules/move_text.h"
#include "rules/movegen.h"
#include "rules/text_lines.h"

namespace zelkor {

namespace {

// One root move searched with the window (alpha, beta) to iteration d; a move that
// recreates a position of the game is worth a draw.
int SearchRootMove(Engine& e, int i, int alpha, int beta, int d) {
    GameState& g = e.game;
    SearchState& s = e.search;
    if (!PerformMove(g, i)) return -kWinScore;  // the game record is full
    CountRepetitions(g, s, s.searchStartPly - 1);
    int v = -AlphaBeta(e, -beta, -alpha, d - 1);
    if (s.repetitionCount != 0) v = 0;
    TakeBackMove(g, i);
    return v;
}

// A stopped search returns 0 from wherever it was, so the value of the move being searched
// means nothing: it is discarded, also when a forced win or loss is at stake (taking it
// would replace a found forced result by 0, lose its announcement and let a draw offer
// through, or put an arbitrary move first in a lost position).
bool DiscardStopped(const GameState& g) {
    return g.searchStopped != 0;
}

void MoveToFront(Engine& e, int i) {
    GameState& g = e.game;
    SearchState& s = e.search;
    const Move move = g.movePool[i];
    const RootEntry entry = s.rootTable[i];
    for (int k = i; k > 0; --k) {
        g.movePool[k] = g.movePool[k - 1];
        s.rootTable[k] = s.rootTable[k - 1];
    }
    g.movePool[0] = move;
    s.rootTable[0] = entry;
}

void ReportNewBest(Engine& e, const RootSearchLimits& limits, int d, const std::string& move,
                   int score) {
    if (e.settings.ShowCalculation)
        e.ui.SetText(Display::Calculation, "Depth:" + SignedText(d) + "   Best: " + move +
                                               "   Score:" + SignedText(score));
    if (!limits.bookMove)
        DisplayMainVariant(e);
    else if (e.settings.ShowCalculation)
        e.ui.SetText(Display::Calculation, e.ui.Text(Display::Calculation) + "\r\nBook");
}

}  // namespace

void Pause(Engine& e, double seconds) {
    e.clock.Pause(seconds);
}

bool TimeManagerStops(int elapsed, int limit, int bestScore, int previousBest) {
    if (elapsed < limit) return false;
    const bool fallingScore = elapsed < 1.5 * limit && bestScore < previousBest - 50;
    return !fallingScore;
}

void FillRootTable(Engine& e) {
    for (int i = 0; i < e.search.rootCount; ++i) {
        e.search.rootTable[i].from = e.game.movePool[i].Source;
        e.search.rootTable[i].to = e.game.movePool[i].dest;
    }
}

int SearchRootMoves(Engine& e, const RootSearchLimits& limits) {
    GameState& g = e.game;
    SearchState& s = e.search;
    const Settings& settings = e.settings;
    const int n = s.rootCount;
    const int timeLimit = settings.ThinkTime;
    const bool flexible = limits.byTime && !settings.FixedTime;
    const char* status = limits.analysis ? "Analyzing... (" : "Thinking... (";

    int alpha = -kWinScore;
    int beta = kWinScore;
    int previousBest = 0;
    int depthReached = 0;
    s.shownElapsed = -1;

    for (int d = 1; d <= limits.depth; ++d) {
        if (d > 1) {
            beta = alpha + 100;
            alpha -= 100;
        }
        s.extensionLimit = settings.ExtendedPlies + d;
        int elapsed = 0;
        bool stopped = false;

        for (int i = 0; i < n; ++i) {
            g.pv[0][0].Source = 0;
            std::string text = DisplayMove(g, i).display;
            if (settings.ShowCalculation)
                e.ui.SetText(Display::Status, status + std::to_string(d) + ")  " + text);

            int v = SearchRootMove(e, i, alpha, beta, d);
            if (DiscardStopped(g)) {
                stopped = true;
                break;
            }
            bool newBest = false;
            if (i == 0) {
                if (v < alpha) {
                    alpha = -kWinScore;
                    beta = v;
                    v = SearchRootMove(e, i, alpha, beta, d);
                } else if (v >= beta) {
                    alpha = v;
                    beta = kWinScore;
                    v = SearchRootMove(e, i, alpha, beta, d);
                }
                if (DiscardStopped(g)) {
                    stopped = true;
                    break;
                }
                alpha = v;
                beta = v + 1;
                newBest = true;
            } else if (v > alpha) {
                const int oldAlpha = alpha;
                alpha = v;
                beta = kWinScore;
                const int v2 = SearchRootMove(e, i, alpha, beta, d);
                if (DiscardStopped(g)) {
                    stopped = true;
                    break;
                }
                if (v2 > oldAlpha) {
                    alpha = v2;
                    beta = v2 + 1;
                    text = DisplayMove(g, i).display;
                    newBest = true;
                } else {
                    // The full search did not confirm the null window's promise: the best
                    // stays, and so does its window, or every later move would be
                    // measured against a score that no move has.
                    alpha = oldAlpha;
                    beta = oldAlpha + 1;
                    v = v2;
                }
            }
            depthReached = d;
            if (newBest) {
                s.bestScore = alpha;
                UpdatePrincipalVariation(g, i);
                s.bestLine = g.pv[0];
                ReportNewBest(e, limits, d, text, alpha);
                if (i > 0) MoveToFront(e, i);
            }

            if (!limits.byTime) {
                e.ui.SetProgressValue(++s.progressValue);
            } else if (flexible) {
                elapsed = ElapsedSeconds(s.searchStartTime, RoundedSeconds(e.clock));
                e.ui.SetProgressValue(elapsed < timeLimit ? elapsed : timeLimit);
                if (TimeManagerStops(elapsed, timeLimit, s.bestScore, previousBest)) {
                    g.cancelRequest = 2;
                    g.searchStopped = 1;
                }
            }

            RootEntry& entry = s.rootTable[newBest ? 0 : i];
            entry.score = newBest ? alpha : v;
            entry.upperBound = !newBest;
            entry.depth = d;

            if (g.searchStopped) {
                stopped = true;
                break;
            }
        }
        if (stopped) break;
        if (limits.onIteration) limits.onIteration(d);
        if (limits.byTime && elapsed >= timeLimit) {
            g.cancelRequest = 2;
            break;
        }
        previousBest = s.bestScore;
    }
    s.repetitionCount = 0;
    return depthReached;
}

}  // namespace zelkor

namespace zelkor {

void BeginComputation(Engine& e) {
    GameState& g = e.game;
    SearchState& s = e.search;
    g.timeUp = 0;
    s.ClearRootScores();
    s.noiseAmplitude = NoiseAmplitudeFor(e.settings.Handicap);
    g.searchStopped = 0;
    s.searchStartPly = g.gamePly;
    s.hintFrom = 0;
    s.hintTo = 0;
    s.repetitionCount = 0;
    s.analysedHere = false;
    g.computationStarted = true;
    if (e.settings.ShowMoves) e.ui.RedrawBoard();  // takes the move marks off the board
}

int PrepareLimits(Engine& e, int n) {
    const Settings& settings = e.settings;
    SearchState& s = e.search;
    s.progressValue = 0;
    e.ui.SetProgressValue(0);
    e.ui.SetText(Display::Countdown, "");
    Pause(e, 0.5);
    int depth = settings.SearchDepth;
    const bool byTime = !settings.UseDepth;
    e.ui.ShowCountdown(byTime && settings.CountdownTimer);
    if (!byTime) {
        e.ui.SetProgressMaximum(n * depth);
    } else {
        e.ui.SetProgressMaximum(settings.ThinkTime);
        depth = 20;
        s.searchStartTime = RoundedSeconds(e.clock);
    }
    if (n == 1) depth = 1;
    return depth;
}

bool TakeBookMove(Engine& e, bool fromGames) {
    GameState& g = e.game;
    SearchState& s = e.search;
    const auto [from, to] = e.hooks.BookMove(fromGames);
    if (from <= 0) return false;
    for (int i = 0; i < s.rootCount; ++i)
        if (g.movePool[i].Source == from && g.movePool[i].dest == to) {
            g.movePool[0] = g.movePool[i];
            s.rootCount = 1;
            g.plyStart[1] = 1;
            return true;
        }
    return false;
}

std::string AnalysisLine(const GameState& g, const RootEntry& entry, const std::string& mainLine) {
    const auto column = [](const std::string& text, std::size_t width) {
        return std::string(text.size() < width ? width - text.size() : 0, ' ') + text;
    };
    std::string line =
        column(SquareNotation(g.board, entry.from) + SquareNotation(g.board, entry.to), 11);
    if (entry.score == kUnsearched) return line + column("n/a", 9);
    std::string score = entry.upperBound ? "<=" : "";
    score += std::to_string(entry.score);
    line += column(score, 9);
    line += column(std::to_string(entry.depth), 8);
    if (!mainLine.empty()) line += "    " + mainLine;
    return line;
}

std::vector<std::string> SortedRootLines(Engine& e) {
    GameState& g = e.game;
    SearchState& s = e.search;
    const int n = s.rootCount;
    auto& table = s.rootTable;
    std::vector<std::string> lines;
    if (n == 0 || table[0].from == kUnsearched || table[0].score == kUnsearched) return lines;
    // Entry 0 is the best move; the others were measured against it and follow it.
    for (int i = 1; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (table[j].score > table[i].score) std::swap(table[i], table[j]);
    std::string mainLine;
    for (int p = 0; p < 20 && s.bestLine[p].Source != 0; ++p) {
        const PvEntry& move = s.bestLine[p];
        if (p > 0) mainLine += ' ';
        mainLine += SquareNotation(g.board, move.Source);
        mainLine += move.jump == 1 ? g.jumpChar : '-';
        mainLine += SquareNotation(g.board, move.dest);
    }
    for (int i = 0; i < n; ++i)
        lines.push_back(AnalysisLine(g, table[i], i == 0 ? mainLine : std::string()));
    return lines;
}

std::string DrawAnnouncement(int drawFlag) {
    return drawFlag == 1 ? "It's a draw! Triple Repetition" : "It's a draw! 50 Moves Rule";
}

void EndGame(Engine& e, int code, double playerScore, const std::string& status,
             const std::string& message, bool pause) {
    e.hooks.GameEndBookkeeping(code);
    e.game.gameOver = true;
    const std::string rating = e.hooks.UpdateRating(playerScore);
    e.ui.SetText(Display::Status, status);
    if (pause) Pause(e, 0.5);
    e.ui.Message(message + rating, "Congratulations", Icon::Exclamation);
}

namespace {

std::string WinnerColourText(int winner) {
    return winner == kWhite ? "White wins!" : "Black wins!";
}

// A game already decided before the computer moves is announced; true when it was. When
// the side that has just moved (the player) met a winning condition, the player is named
// and rated as the winner.
bool AnnounceDecidedGame(Engine& e, bool bothComputer) {
    GameState& g = e.game;
    InitGameTree(g);
    const int rootScore = Evaluate(e, -kWinScore, kWinScore, g.side);
    if (rootScore == kWinScore || e.search.opponentHasWon == 1) {
        const bool computerWon = rootScore == kWinScore;
        const std::string text = bothComputer  ? WinnerColourText(computerWon ? g.side : -g.side)
                                 : computerWon ? std::string("Computer wins!")
                                               : e.settings.PlayerName + " wins!";
        EndGame(e, 0, computerWon ? 0 : 1, text, text, true);
        g.recordLength = g.gamePly;
        return true;
    }
    GenerateMoves(g, 1);
    if (MoveCount(g) > 0) return false;
    const std::string text =
        bothComputer ? WinnerColourText(-g.side) : e.settings.PlayerName + " wins!";
    EndGame(e, 0, 1, text, text, true);
    return true;
}

// After the computer's move: when its score has stayed where it was kStableScorePlies
// plies earlier, it proposes a draw (playing itself, it may simply take one).
void ProposeDrawWhenStable(Engine& e, bool bothComputer) {
    GameState& g = e.game;
    SearchState& s = e.search;
    const int earlier = g.gamePly - kStableScorePlies;
    if (earlier > 0 && g.gamePly < kHistorySize && s.scoreHistory[earlier] != 0) {
        if (std::abs(s.scoreHistory[earlier] - s.scoreHistory[g.gamePly]) < kStableScoreMargin)
            ++s.stableScoreCounter;
        else
            s.stableScoreCounter = 0;
    }
    if (!e.settings.AskDraw || g.gameOver || s.stableScoreCounter < 2 ||
        g.gamePly - s.lastDrawOfferPly <= kDrawProposalInterval)
        return;
    if (bothComputer) {
        if (e.random.Uniform() < kSelfPlayDrawChance) {
            s.lastDrawOfferPly = g.gamePly;
            EndGame(e, 2, 0.5, "It's a draw!", "It's a draw!", false);
        }
    } else if (!s.announced && s.bestScore < kDrawProposalMaxScore) {
        s.lastDrawOfferPly = g.gamePly;
        Pause(e, 0.5);
        if (e.ui.Message("How about a draw?", "Question", Icon::Question, Buttons::YesNo) ==
            Answer::Yes)
            EndGame(e, 2, 0.5, "It's a draw!", "It's a draw!", false);
    }
}

// The draw rules and a side left without a move end the game after the computer's move.
void CheckEndAfterMove(Engine& e, const std::string& computerWins) {
    GameState& g = e.game;
    if (g.drawFlag != 0 && e.settings.ChessDrawRules && !g.gameOver) {
        const std::string announcement = DrawAnnouncement(g.drawFlag);
        EndGame(e, 2, 0.5, announcement, announcement, true);
    }
    GenerateMoves(g, 1);
    if (MoveCount(g) == 0 && !g.gameOver) EndGame(e, 0, 0, computerWins, computerWins, true);
}

}  // namespace

void ComputerMove(Engine& e) {
    GameState& g = e.game;
    SearchState& s = e.search;
    Settings& settings = e.settings;
    UserInterface& ui = e.ui;
    EngineHooks& hooks = e.hooks;
    const bool bothComputer = g.playMode == PlayMode::ComputerComputer;

    BeginComputation(e);
    if (!bothComputer) {
        ui.SetListLines(ListId::LegalMoves, {});
        ui.SetListLines(ListId::Analysis, {});
    }
    hooks.CutRecordToCurrentPly();
    ui.SetText(Display::Status, "Thinking...");
    hooks.ComputationBusy(Computation::Move);

    bool searchedToEnd = false;
    bool bookMove = false;
    int n = 0;
    [&] {
        if (AnnounceDecidedGame(e, bothComputer)) return;
        GenerateMoves(g, 0);
        n = MoveCount(g);
        s.rootCount = n;
        RootSearchLimits limits;
        limits.byTime = !settings.UseDepth;
        limits.depth = PrepareLimits(e, n);
        if (settings.UseBook && TakeBookMove(e, settings.BookFromGames)) {
            bookMove = true;
            limits.depth = 1;
            n = s.rootCount;
        }
        limits.bookMove = bookMove;
        FillRootTable(e);

        s.depthReached = SearchRootMoves(e, limits);
        searchedToEnd = !g.searchStopped;
        if (g.cancelRequest == 2) {
            g.cancelRequest = 0;
            g.searchStopped = 0;
            searchedToEnd = true;
        }

        const std::vector<std::string> lines = SortedRootLines(e);
        if (!bothComputer) ui.SetListLines(ListId::Analysis, lines);
        ui.SetText(Display::Status, "");

        // Play the best move.
        if (!PerformMove(g, 0)) return;  // the game record is full: nothing can be played
        // The side that has just moved; when the computer plays both sides the user only
        // watched, so the winner is named by colour.
        const std::string computerWins =
            bothComputer ? WinnerColourText(-g.side) : std::string("Computer wins!");
        g.gameRecord[g.gamePly] = g.movePool[0];
        if (g.gamePly + 1 < kGameRecordSize) g.gameRecord[g.gamePly + 1].Source = 0;
        g.gameStarted = true;
        const int score = Evaluate(e, -kWinScore, kWinScore, -g.side);
        bool justWon = false;
        std::string rating;
        // A move that wins ends the game even when the search did not see it coming (a
        // search cut short before it scored the move).
        if (score > kForcedResultScore) {
            hooks.GameEndBookkeeping(0);
            g.gameOver = true;
            rating = hooks.UpdateRating(0);
            ui.SetText(Display::Status, computerWins);
            justWon = true;
        } else if (s.bestScore >= kForcedResultScore || s.bestScore <= -kForcedResultScore) {
            ui.SetText(Display::Status, AnnouncementText(s.bestScore));
            s.announced = true;
        }

        g.recordLength = g.gamePly;
        if (g.gamePly < kHistorySize) {
            s.scoreHistory[g.gamePly] = static_cast<int16_t>(s.bestScore);
            s.rootMoveCounts[g.gamePly] = static_cast<int16_t>(n);
        }
        hooks.RecordComputerMove(s.depthReached, bookMove);
        if (justWon) {
            hooks.GameEndBookkeeping(0);
            Pause(e, 0.5);
            ui.SetProgressValue(limits.byTime ? settings.ThinkTime : n * limits.depth);
            ui.SetText(Display::Countdown, "0");
            ui.Message(computerWins + rating, "Congratulations", Icon::Exclamation);
        }

        ProposeDrawWhenStable(e, bothComputer);
        CheckEndAfterMove(e, computerWins);
    }();

    // Final step.
    hooks.ComputationIdle(Computation::Move);
    if (settings.UseDepth && searchedToEnd && !bookMove)
        ui.SetText(Display::Strength, "Strength:" + SignedText(10 - settings.Handicap) +
                                          "   Depth:" + SignedText(settings.SearchDepth) + " ply");
    if (!bothComputer) {
        hooks.RefreshLists();
        ui.SetListLines(ListId::Analysis, SortedRootLines(e));
    }
}

int SearchPosition(Engine& e, const RootSearchLimits& limits) {
    GameState& g = e.game;
    SearchState& s = e.search;
    g.timeUp = 0;
    g.searchStopped = 0;
    g.cancelRequest = 0;
    s.ClearRootScores();
    s.searchStartPly = g.gamePly;
    s.repetitionCount = 0;
    s.progressValue = 0;
    InitGameTree(g);
    const int rootScore = Evaluate(e, -kWinScore, kWinScore, g.side);
    if (rootScore == kWinScore || s.opponentHasWon == 1) return -1;
    GenerateMoves(g, 0);
    s.rootCount = MoveCount(g);
    if (s.rootCount == 0) return -1;
    FillRootTable(e);
    if (limits.byTime) s.searchStartTime = RoundedSeconds(e.clock);
    RootSearchLimits run = limits;
    if (s.rootCount == 1) run.depth = 1;
    const int depth = SearchRootMoves(e, run);
    if (g.cancelRequest == 2) g.cancelRequest = 0;
    g.searchStopped = 0;
    return depth;
}

}  // namespace zelkor
