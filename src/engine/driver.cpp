#include "engine/driver.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/display.h"
#include "engine/evaluate.h"
#include "engine/search.h"
#include "rules/game_end.h"
#include "rules/make_move.h"
#include "rules/move_text.h"
#include "rules/movegen.h"

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
    return g.searchStopped && !limits.hint;
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
    if (!g.searchStopped)
        return g.cancelRequest == CancelRequest::TimeManagerStop ? StopReason::TimeManager
                                                                 : StopReason::Completed;
    if (g.timeUp) return StopReason::TimeUp;
    return g.cancelRequest == CancelRequest::TimeManagerStop ? StopReason::TimeManager
                                                             : StopReason::Cancelled;
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
            const std::string text = DisplayMove(g, i).display;
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
                    g.cancelRequest = CancelRequest::TimeManagerStop;
                    g.searchStopped = true;
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
            g.cancelRequest = CancelRequest::TimeManagerStop;
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
    g.timeUp = false;
    s.ClearRootScores();
    s.noiseAmplitude = NoiseAmplitudeFor(e.settings.Handicap);
    g.searchStopped = false;
    // A request left from before (a Cancel after the last node looked) is not for this one.
    g.cancelRequest = CancelRequest::None;
    s.searchStartPly = g.gamePly;
    s.hintFrom = 0;
    s.hintTo = 0;
    s.repetitionCount = 0;
    s.analysedHere = false;
    g.computationStarted = true;
}

RootState JudgeRoot(Engine& e) {
    GameState& g = e.game;
    InitGameTree(g);
    const int rootScore = Evaluate(e, -kWinScore, kWinScore, g.side);
    if (rootScore == kWinScore) return RootState::MoverHasWon;
    if (e.search.opponentHasWon) return RootState::OpponentHasWon;
    return HasNoMove(g) ? RootState::NoMove : RootState::Open;
}

bool HasNoMove(GameState& g) {
    GenerateMoves(g, MoveSet::All);
    return MoveCount(g) == 0;
}

int PrepareRootMoves(Engine& e) {
    e.search.rootCount = GenerateSearchMoves(e.game);
    return e.search.rootCount;
}

RootSearchLimits LimitsFor(Engine& e, int n) {
    const Settings& settings = e.settings;
    SearchState& s = e.search;
    RootSearchLimits limits;
    s.progressValue = 0;
    limits.byTime = !settings.UseDepth;
    limits.depth = settings.SearchDepth;
    if (limits.byTime) {
        limits.depth = 20;
        s.searchStartTime = RoundedSeconds(e.clock);
    }
    if (n == 1) limits.depth = 1;
    return limits;
}

int ProgressMaximum(const Settings& settings, const RootSearchLimits& limits, int n) {
    return limits.byTime ? settings.ThinkTime : n * limits.depth;
}

bool TakeBookMove(Engine& e, int from, int to) {
    GameState& g = e.game;
    SearchState& s = e.search;
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

bool SortRootTable(SearchState& s) {
    const int n = s.rootCount;
    auto& table = s.rootTable;
    if (n == 0 || table[0].from == kUnsearched || table[0].score == kUnsearched) return false;
    // Entry 0 is the best move; the others were measured against it and follow it.
    for (int i = 1; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (table[j].score > table[i].score) std::swap(table[i], table[j]);
    return true;
}

bool SettleSearchStop(Engine& e, const SearchResult& result) {
    GameState& g = e.game;
    e.search.depthReached = result.depth;
    if (result.stop == StopReason::TimeManager) {  // a normal end
        g.cancelRequest = CancelRequest::None;
        g.searchStopped = false;
    }
    return !g.searchStopped;
}

bool PlayRootMove(GameState& g) {
    if (!PerformMove(g, 0)) return false;
    g.gameRecord[g.gamePly] = g.movePool[0];
    if (g.gamePly + 1 < kGameRecordSize) g.gameRecord[g.gamePly + 1].Source = 0;
    g.gameStarted = true;
    return true;
}

bool JustMovedHasWon(Engine& e) {
    return Evaluate(e, -kWinScore, kWinScore, -e.game.side) > kForcedResultScore;
}

bool IsForcedResult(int score) {
    return score >= kForcedResultScore || score <= -kForcedResultScore;
}

void KeepComputerMove(Engine& e) {
    GameState& g = e.game;
    SearchState& s = e.search;
    g.recordLength = g.gamePly;
    if (g.gamePly < kHistorySize) {
        s.scoreHistory[g.gamePly] = static_cast<int16_t>(s.bestScore);
        s.rootMoveCounts[g.gamePly] = static_cast<int16_t>(s.rootCount);
    }
}

DrawProposal ProposeDraw(Engine& e, bool bothComputer) {
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
        return DrawProposal::None;
    if (bothComputer) {
        if (e.random.Uniform() >= kSelfPlayDrawChance) return DrawProposal::None;
        s.lastDrawOfferPly = g.gamePly;
        return DrawProposal::Taken;
    }
    if (s.announced || s.bestScore >= kDrawProposalMaxScore) return DrawProposal::None;
    s.lastDrawOfferPly = g.gamePly;
    return DrawProposal::Ask;
}

std::optional<SearchResult> SearchPosition(Engine& e, const RootSearchLimits& limits) {
    GameState& g = e.game;
    SearchState& s = e.search;
    g.timeUp = false;
    g.searchStopped = false;
    g.cancelRequest = CancelRequest::None;
    s.ClearRootScores();
    s.searchStartPly = g.gamePly;
    s.repetitionCount = 0;
    s.progressValue = 0;
    if (JudgeRoot(e) != RootState::Open) return std::nullopt;
    const int n = PrepareRootMoves(e);
    FillRootTable(e);
    if (limits.byTime) s.searchStartTime = RoundedSeconds(e.clock);
    RootSearchLimits run = limits;
    if (n == 1) run.depth = 1;
    SearchResult result = SearchRootMoves(e, run);
    SettleSearchStop(e, result);
    g.searchStopped = false;  // the tools look at the result only
    return result;
}

}  // namespace zelkor
