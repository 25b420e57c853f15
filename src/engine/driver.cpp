#include "engine/driver.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/driver_steps.h"
#include "engine/evaluate.h"
#include "engine/search.h"
#include "rules/game_end.h"
#include "rules/make_move.h"
#include "rules/move_text.h"
#include "rules/movegen.h"
#include "rules/text_lines.h"

namespace zelkor {

namespace {

// One root move searched with the window (alpha, beta) to iteration d; a move that
// recreates a position of the game is worth a draw (the hint leaves its value).
int SearchRootMove(Engine& e, const RootSearchLimits& limits, int i, int alpha, int beta, int d) {
    GameState& g = e.game;
    SearchState& s = e.search;
    if (!PerformMove(g, i)) return -kWinScore;  // the game record is full
    CountRepetitions(g, s, s.searchStartPly - 1);
    int v =
        limits.hint ? -HintSearch(e, -beta, -alpha, d - 1) : -AlphaBeta(e, -beta, -alpha, d - 1);
    if (s.repetitionCount != 0 && !limits.hint) v = 0;
    TakeBackMove(g, i);
    return v;
}

// A stopped search returns 0 from wherever it was, so the value of the move being searched
// means nothing: it is discarded, also when a forced win or loss is at stake (taking it
// would replace a found forced result by 0, lose its announcement and let a draw offer
// through, or put an arbitrary move first in a lost position). The hint searches on.
bool DiscardStopped(const RootSearchLimits& limits, const GameState& g) {
    return g.searchStopped != 0 && !limits.hint;
}

void MoveToFront(Engine& e, const RootSearchLimits& limits, int i) {
    GameState& g = e.game;
    SearchState& s = e.search;
    std::rotate(g.movePool.begin(), g.movePool.begin() + i, g.movePool.begin() + i + 1);
    if (!limits.hint)
        std::rotate(s.rootTable.begin(), s.rootTable.begin() + i, s.rootTable.begin() + i + 1);
}

void ReportNewBest(Engine& e, const RootSearchLimits& limits, int d, const std::string& move,
                   int score) {
    if (!limits.bookMove) UpdateMainLine(e);
    if (!e.progress.newBest) return;
    NewBestReport report;
    report.depth = d;
    report.move = move;
    report.score = score;
    report.book = limits.bookMove;
    report.mainLine = e.search.mainLine;
    e.progress.newBest(report);
}

StopReason StopReasonOf(const GameState& g) {
    if (g.searchStopped == 0)
        return g.cancelRequest == kTimeManagerStop ? StopReason::TimeManager
                                                   : StopReason::Completed;
    if (g.timeUp != 0) return StopReason::TimeUp;
    return g.cancelRequest == kTimeManagerStop ? StopReason::TimeManager : StopReason::Cancelled;
}

SearchResult ResultOf(const Engine& e, int depthReached) {
    const GameState& g = e.game;
    const SearchState& s = e.search;
    SearchResult result;
    result.best = g.movePool[0];
    result.score = s.bestScore;
    result.depth = depthReached;
    for (const PvEntry& entry : s.bestLine) {
        if (entry.Source == 0) break;
        result.mainLine.push_back(entry);
    }
    result.rootMoves.assign(s.rootTable.begin(), s.rootTable.begin() + s.rootCount);
    result.stop = StopReasonOf(g);
    result.nodes = s.nodes;
    return result;
}

}  // namespace

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

SearchResult SearchRootMoves(Engine& e, const RootSearchLimits& limits) {
    GameState& g = e.game;
    SearchState& s = e.search;
    const Settings& settings = e.settings;
    const int n = s.rootCount;
    const int timeLimit = settings.ThinkTime;
    const bool flexible = limits.byTime && !settings.FixedTime;

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
        int i = 0;
        for (; i < n; ++i) {
            g.pv[0][0].Source = 0;
            std::string text = DisplayMove(g, i).display;
            if (settings.ShowCalculation && !limits.hint && e.progress.rootMove)
                e.progress.rootMove(d, text);

            int v = SearchRootMove(e, limits, i, alpha, beta, d);
            if (DiscardStopped(limits, g)) break;
            bool newBest = false;
            if (i == 0) {
                if (v < alpha) {
                    alpha = -kWinScore;
                    beta = v;
                    v = SearchRootMove(e, limits, i, alpha, beta, d);
                } else if (v >= beta) {
                    alpha = v;
                    beta = kWinScore;
                    v = SearchRootMove(e, limits, i, alpha, beta, d);
                }
                if (DiscardStopped(limits, g)) break;
                alpha = v;
                beta = v + 1;
                newBest = true;
            } else if (v > alpha) {
                const int oldAlpha = alpha;
                alpha = v;
                beta = kWinScore;
                const int v2 = SearchRootMove(e, limits, i, alpha, beta, d);
                if (DiscardStopped(limits, g)) break;
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
                UpdatePrincipalVariation(g, i);
                if (!limits.hint) {
                    s.bestScore = alpha;
                    s.bestLine = g.pv[0];
                    ReportNewBest(e, limits, d, text, alpha);
                }
                if (i > 0) MoveToFront(e, limits, i);
            }
            if (limits.hint) continue;  // no clock, progress or root table

            if (!limits.byTime) {
                ++s.progressValue;
                if (e.progress.progress) e.progress.progress(s.progressValue);
            } else if (flexible) {
                elapsed = ElapsedSeconds(s.searchStartTime, RoundedSeconds(e.clock));
                if (e.progress.progress)
                    e.progress.progress(elapsed < timeLimit ? elapsed : timeLimit);
                if (TimeManagerStops(elapsed, timeLimit, s.bestScore, previousBest)) {
                    g.cancelRequest = kTimeManagerStop;
                    g.searchStopped = 1;
                }
            }

            RootEntry& entry = s.rootTable[newBest ? 0 : i];
            entry.score = newBest ? alpha : v;
            entry.upperBound = !newBest;
            entry.depth = d;

            if (g.searchStopped) break;
        }
        if (i < n) break;  // stopped
        if (limits.onIteration) limits.onIteration(d);
        if (limits.byTime && elapsed >= timeLimit) {
            g.cancelRequest = kTimeManagerStop;
            break;
        }
        previousBest = s.bestScore;
    }
    s.repetitionCount = 0;
    return ResultOf(e, depthReached);
}

void BeginComputation(Engine& e) {
    GameState& g = e.game;
    SearchState& s = e.search;
    g.timeUp = 0;
    s.ClearRootScores();
    s.noiseAmplitude = NoiseAmplitudeFor(e.settings.Handicap);
    g.searchStopped = 0;
    // A request left from before (a Cancel after the last node looked) is not for this one.
    g.cancelRequest = kNoCancel;
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

std::string AnalysisLine(const Position& g, const RootEntry& entry, const std::string& mainLine) {
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

void ShowSearchProgress(Engine& e, const char* status) {
    UserInterface& ui = e.ui;
    const Settings& settings = e.settings;
    e.progress.rootMove = [&ui, status](int d, const std::string& move) {
        ui.SetText(Display::Status, status + std::to_string(d) + ")  " + move);
    };
    e.progress.newBest = [&ui, &settings](const NewBestReport& report) {
        if (settings.ShowCalculation) ui.SetText(Display::Calculation, CalculationText(report));
    };
    e.progress.progress = [&ui](int value) { ui.SetProgressValue(value); };
    e.progress.countdown = [&ui](int remaining) {
        ui.SetText(Display::Countdown, std::to_string(remaining));
    };
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
    std::vector<PvEntry> line;
    for (int p = 0; p <= kMaxPly && s.bestLine[p].Source != 0; ++p)
        line.push_back(s.bestLine[p]);
    const std::string mainLine = LineText(g, line, g.jumpChar);
    for (int i = 0; i < n; ++i)
        lines.push_back(AnalysisLine(g, table[i], i == 0 ? mainLine : std::string()));
    return lines;
}

std::string DecideGame(Engine& e, int code, std::optional<double> playerScore,
                       const std::string& status) {
    e.hooks.GameEndBookkeeping(code);
    std::string rating;
    if (playerScore) {
        e.game.gameOver = true;
        rating = e.hooks.UpdateRating(*playerScore);
    }
    e.ui.SetText(Display::Status, status);
    return rating;
}

void TellResult(Engine& e, int code, const std::string& message) {
    e.hooks.GameEndBookkeeping(code);
    Pause(e, 0.5);
    e.ui.Message(message, "Congratulations", Icon::Exclamation);
}

void EndGame(Engine& e, int code, std::optional<double> playerScore, const std::string& status,
             const std::string& message, bool pause) {
    const std::string rating = DecideGame(e, code, playerScore, status);
    if (pause) Pause(e, 0.5);
    e.ui.Message(message + rating, "Congratulations", Icon::Exclamation);
}

namespace {

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
        EndGame(e, kWinResult, computerWon ? 0 : 1, text, text, true);
        g.recordLength = g.gamePly;
        return true;
    }
    GenerateMoves(g, kAllMoves);
    if (MoveCount(g) > 0) return false;
    const std::string text =
        bothComputer ? WinnerColourText(-g.side) : e.settings.PlayerName + " wins!";
    EndGame(e, kWinResult, 1, text, text, true);
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
            EndGame(e, kDrawResult, 0.5, "It's a draw!", "It's a draw!", false);
        }
    } else if (!s.announced && s.bestScore < kDrawProposalMaxScore) {
        s.lastDrawOfferPly = g.gamePly;
        Pause(e, 0.5);
        if (e.ui.Message("How about a draw?", "Question", Icon::Question, Buttons::YesNo) ==
            Answer::Yes)
            EndGame(e, kDrawResult, 0.5, "It's a draw!", "It's a draw!", false);
    }
}

// The draw rules and a side left without a move end the game after the computer's move.
void CheckEndAfterMove(Engine& e, const std::string& computerWins) {
    GameState& g = e.game;
    if (g.drawFlag != kNoDraw && e.settings.ChessDrawRules && !g.gameOver) {
        const std::string announcement = DrawAnnouncement(g.drawFlag);
        EndGame(e, kDrawResult, 0.5, announcement, announcement, true);
    }
    GenerateMoves(g, kAllMoves);
    if (MoveCount(g) == 0 && !g.gameOver)
        EndGame(e, kWinResult, 0, computerWins, computerWins, true);
}

// The side that has just moved wins; when the computer plays both sides the user only
// watched, so the winner is named by colour.
std::string ComputerWinsText(const GameState& g, bool bothComputer) {
    return bothComputer ? WinnerColourText(-g.side) : std::string("Computer wins!");
}

// What the search for the computer's move leaves for playing it.
struct MoveSearch {
    bool bookMove = false;
    bool searchedToEnd = false;
    int progressMaximum = 0;
};

// The book or the search over the root moves puts the move to play in root record 0: the
// root moves, the limits, the book and the root table before the search.
MovePlan PlanMoveSearch(Engine& e) {
    SearchState& s = e.search;
    const Settings& settings = e.settings;
    MovePlan plan;
    s.rootCount = GenerateSearchMoves(e.game);
    plan.limits.byTime = !settings.UseDepth;
    plan.limits.depth = PrepareLimits(e, s.rootCount);
    if (settings.UseBook && TakeBookMove(e, settings.BookFromGames)) {
        plan.limits.bookMove = true;
        plan.limits.depth = 1;
    }
    FillRootTable(e);
    plan.progressMaximum =
        plan.limits.byTime ? settings.ThinkTime : s.rootCount * plan.limits.depth;
    return plan;
}

// After the search: a stop by the time manager is a normal end; the analysis list and the
// status line.
MoveSearch AfterMoveSearch(Engine& e, const MovePlan& plan, const SearchResult& result,
                           bool bothComputer) {
    GameState& g = e.game;
    MoveSearch search;
    search.bookMove = plan.limits.bookMove;
    search.progressMaximum = plan.progressMaximum;
    e.search.depthReached = result.depth;
    search.searchedToEnd = !g.searchStopped;
    if (g.cancelRequest == kTimeManagerStop) {
        g.cancelRequest = kNoCancel;
        g.searchStopped = 0;
        search.searchedToEnd = true;
    }
    const std::vector<std::string> lines = SortedRootLines(e);
    if (!bothComputer) e.ui.SetListLines(ListId::Analysis, lines);
    e.ui.SetText(Display::Status, "");
    return search;
}

// Plays root record 0, announces a forced result or the win the move makes, and records
// the move. False when the game record is full and nothing could be played.
bool PlayBestMove(Engine& e, const MoveSearch& search, bool bothComputer) {
    GameState& g = e.game;
    SearchState& s = e.search;
    if (!PerformMove(g, 0)) return false;
    const std::string computerWins = ComputerWinsText(g, bothComputer);
    g.gameRecord[g.gamePly] = g.movePool[0];
    if (g.gamePly + 1 < kGameRecordSize) g.gameRecord[g.gamePly + 1].Source = 0;
    g.gameStarted = true;
    // A move that wins ends the game even when the search did not see it coming (a search
    // cut short before it scored the move).
    const bool justWon = Evaluate(e, -kWinScore, kWinScore, -g.side) > kForcedResultScore;
    std::string rating;
    if (justWon) {
        rating = DecideGame(e, kWinResult, 0, computerWins);
    } else if (s.bestScore >= kForcedResultScore || s.bestScore <= -kForcedResultScore) {
        e.ui.SetText(Display::Status, AnnouncementText(s.bestScore));
        s.announced = true;
    }

    g.recordLength = g.gamePly;
    if (g.gamePly < kHistorySize) {
        s.scoreHistory[g.gamePly] = static_cast<int16_t>(s.bestScore);
        s.rootMoveCounts[g.gamePly] = static_cast<int16_t>(s.rootCount);
    }
    e.hooks.RecordComputerMove(s.depthReached, search.bookMove);
    if (justWon) {
        e.ui.SetProgressValue(search.progressMaximum);
        e.ui.SetText(Display::Countdown, "0");
        TellResult(e, kWinResult, computerWins + rating);
    }
    return true;
}

}  // namespace

namespace {

// The commands, the strength display and the lists once the computer's move is over.
void EndComputerMove(Engine& e, const MoveSearch& search) {
    const Settings& settings = e.settings;
    const bool bothComputer = e.game.playMode == PlayMode::ComputerComputer;
    e.hooks.ComputationIdle(Computation::Move);
    if (settings.UseDepth && search.searchedToEnd && !search.bookMove)
        e.ui.SetText(Display::Strength, "Strength:" + SignedText(10 - settings.Handicap) +
                                            "   Depth:" + SignedText(settings.SearchDepth) +
                                            " ply");
    if (!bothComputer) {
        e.hooks.RefreshLists();
        e.ui.SetListLines(ListId::Analysis, SortedRootLines(e));
    }
}

}  // namespace

std::optional<MovePlan> BeginComputerMove(Engine& e) {
    const bool bothComputer = e.game.playMode == PlayMode::ComputerComputer;
    BeginComputation(e);
    if (!bothComputer) {
        e.ui.SetListLines(ListId::LegalMoves, {});
        e.ui.SetListLines(ListId::Analysis, {});
    }
    e.hooks.CutRecordToCurrentPly();
    e.ui.SetText(Display::Status, "Thinking...");
    e.hooks.ComputationBusy(Computation::Move);
    if (AnnounceDecidedGame(e, bothComputer)) {
        EndComputerMove(e, MoveSearch{});
        return std::nullopt;
    }
    return PlanMoveSearch(e);
}

void FinishComputerMove(Engine& e, const MovePlan& plan, const SearchResult& result) {
    const bool bothComputer = e.game.playMode == PlayMode::ComputerComputer;
    const MoveSearch search = AfterMoveSearch(e, plan, result, bothComputer);
    if (PlayBestMove(e, search, bothComputer)) {
        ProposeDrawWhenStable(e, bothComputer);
        CheckEndAfterMove(e, ComputerWinsText(e.game, bothComputer));
    }
    EndComputerMove(e, search);
}

void ComputerMove(Engine& e) {
    const std::optional<MovePlan> plan = BeginComputerMove(e);
    if (!plan) return;
    ShowSearchProgress(e, "Thinking... (");
    FinishComputerMove(e, *plan, SearchRootMoves(e, plan->limits));
}

std::optional<SearchResult> SearchPosition(Engine& e, const RootSearchLimits& limits) {
    GameState& g = e.game;
    SearchState& s = e.search;
    g.timeUp = 0;
    g.searchStopped = 0;
    g.cancelRequest = kNoCancel;
    s.ClearRootScores();
    s.searchStartPly = g.gamePly;
    s.repetitionCount = 0;
    s.progressValue = 0;
    InitGameTree(g);
    const int rootScore = Evaluate(e, -kWinScore, kWinScore, g.side);
    if (rootScore == kWinScore || s.opponentHasWon == 1) return std::nullopt;
    s.rootCount = GenerateSearchMoves(g);
    if (s.rootCount == 0) return std::nullopt;
    FillRootTable(e);
    if (limits.byTime) s.searchStartTime = RoundedSeconds(e.clock);
    RootSearchLimits run = limits;
    if (s.rootCount == 1) run.depth = 1;
    SearchResult result = SearchRootMoves(e, run);
    if (g.cancelRequest == kTimeManagerStop) g.cancelRequest = kNoCancel;
    g.searchStopped = 0;
    return result;
}

}  // namespace zelkor
