#include "engine/search.h"

#include <cmath>
#include <string>

#include "engine/evaluate.h"
#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor {

namespace {

constexpr int kHandedOut = -32000;

// The depth extension of a node: one more ply after a win of the side that has just
// moved, or after a jump whose position is close to the window.
int ExtendedDepth(const Engine& e, int alpha, int beta, int depth, int eval, int opponentWon) {
    const GameState& g = e.game;
    const int limit = e.search.extensionLimit;
    if (depth + g.ply < limit + 1 && opponentWon == 1) return depth + 1;
    if (depth + g.ply < limit && g.ply >= 2 && e.settings.ExtendedSearch && g.jumpAtPly[g.ply] &&
        alpha - e.settings.Balance <= eval && eval <= beta + e.settings.Balance)
        return depth + 1;
    return depth;
}

// The clock check of a search limited by time: progress bar, countdown and the stop.
void CheckTime(Engine& e) {
    SearchState& s = e.search;
    const int limit = e.settings.ThinkTime;
    const int elapsed = ElapsedSeconds(s.searchStartTime, RoundedSeconds(e.clock));
    // The displays only change once a second; skip the calls in between.
    if (elapsed != s.shownElapsed) {
        s.shownElapsed = elapsed;
        if (e.progress.progress) e.progress.progress(elapsed > limit ? limit : elapsed);
        if (e.settings.CountdownTimer && e.progress.countdown) {
            const int remaining = limit - elapsed;
            e.progress.countdown(remaining < 0 ? 0 : remaining);
        }
    }
    if (elapsed >= limit) {
        e.game.cancelRequest = CancelRequest::Now;
        e.game.timeUp = true;
    }
}

// Hands out the moves of the current ply in the order NextBestMove would, marking them
// the same way, in a few passes instead of one scan per move: the moves with a positive
// ordering score best first, then those scored 0 in generation order, then any others.
// The positive scores (main line and killers) are few: one scan finds them all, and only
// an unusual list with more of them is scanned again for each.
class MovePicker {
  public:
    explicit MovePicker(GameState& g)
        : g_(g), begin_(g.plyStart[g.ply]), end_(g.plyStart[g.ply + 1]), walk_(begin_) {}

    int Next() {
        Move* pool = g_.movePool.data();
        if (phase_ == 0) FindScored(pool);
        if (phase_ == 1) {
            if (handed_ < scored_) {
                const int i = scoredIndex_[handed_++];
                pool[i].score = kHandedOut;
                return i;
            }
            phase_ = 3;
        }
        if (phase_ == 2) {
            int best = -1;
            int bestScore = 0;
            for (int i = begin_; i < end_; ++i)
                if (pool[i].score > bestScore) {
                    bestScore = pool[i].score;
                    best = i;
                }
            if (best >= 0) {
                pool[best].score = kHandedOut;
                return best;
            }
            phase_ = 3;
        }
        if (phase_ == 3) {
            while (walk_ < end_) {
                const int i = walk_++;
                if (pool[i].score == 0) {
                    pool[i].score = kHandedOut;
                    return i;
                }
            }
            phase_ = 4;
        }
        return NextBestMove(g_);
    }

  private:
    static constexpr int kFewScored = 4;

    // The positively scored moves, best first and ties in list order (phase 1), or, when
    // there are too many to hold, one scan per move (phase 2).
    void FindScored(const Move* pool) {
        for (int i = begin_; i < end_; ++i) {
            const int score = pool[i].score;
            if (score <= 0) continue;
            if (scored_ == kFewScored) {
                phase_ = 2;
                return;
            }
            int at = scored_++;
            for (; at > 0 && pool[scoredIndex_[at - 1]].score < score; --at)
                scoredIndex_[at] = scoredIndex_[at - 1];
            scoredIndex_[at] = i;
        }
        phase_ = 1;
    }

    GameState& g_;
    int begin_;
    int end_;
    int walk_;
    int phase_ = 0;
    int scoredIndex_[kFewScored];
    int scored_ = 0;
    int handed_ = 0;
};

void RecordKiller(GameState& g, int index) {
    auto& killers = g.killers[g.ply];
    killers[1] = killers[0];
    killers[0] = KillerMove{g.movePool[index].Source, g.movePool[index].dest};
}

}  // namespace

double RoundedSeconds(Clock& clock) {
    return std::nearbyint(clock.SecondsSinceMidnight());
}

int ElapsedSeconds(double startSeconds, double nowSeconds) {
    double elapsed = nowSeconds - startSeconds;
    if (nowSeconds < startSeconds) elapsed += 86400;
    return elapsed < 0 ? 0 : static_cast<int>(elapsed);
}

int GenerateSearchMoves(GameState& g) {
    GenerateMoves(g, MoveSet::Search);
    if (MoveCount(g) == 0) GenerateMoves(g, MoveSet::All);
    return MoveCount(g);
}

int NextBestMove(GameState& g) {
    int best = -1;
    int bestScore = kHandedOut;
    const int end = g.plyStart[g.ply + 1];
    for (int i = g.plyStart[g.ply]; i < end; ++i)
        if (g.movePool[i].score > bestScore) {
            bestScore = g.movePool[i].score;
            best = i;
        }
    if (best >= 0) g.movePool[best].score = kHandedOut;
    return best;
}

void UpdatePrincipalVariation(GameState& g, int index) {
    const int ply = g.ply;
    if (ply < 0 || ply > kMaxPly || index < 0 || index >= kMovePoolSize) return;
    const Move& m = g.movePool[index];
    g.pv[ply][ply] = PvEntry{m.Source, m.dest, m.jump};
    if (ply == kMaxPly) return;
    for (int column = ply + 1; column <= kMaxPly; ++column) {
        g.pv[ply][column] = g.pv[ply + 1][column];
        if (g.pv[ply][column].Source == 0) break;
    }
}

namespace {

// The search below the root. The hint's variant differs only where kHint is tested: it
// ignores SearchStopped on entry, leaves at depth < 1, cuts off statically and at beta
// whatever "Brute force" says, and never looks at the clock.
template <bool kHint>
int Search(Engine& e, int alpha, int beta, int depth) {
    GameState& g = e.game;
    SearchState& s = e.search;
    const bool bruteForce = !kHint && e.settings.BruteForce;

    if (e.progress.poll) e.progress.poll();
    if (!kHint && g.searchStopped) return 0;
    if (e.StopRequested()) {
        g.searchStopped = true;
        return 0;
    }
    ++s.nodes;

    const int ply = g.ply;
    g.pv[ply][ply].Source = 0;
    const int eval = Evaluate(e, alpha, beta, g.side);
    const int opponentWon = s.opponentHasWon ? 1 : 0;
    depth = ExtendedDepth(e, alpha, beta, depth, eval, opponentWon);

    if (depth < (kHint ? 1 : 0) || eval == kWinScore - ply || ply >= kMaxPly) return eval;
    if (eval >= beta && depth + opponentWon <= 1 && !bruteForce) return eval;

    GenerateSearchMoves(g);
    int best = depth <= 0 ? eval : -kWinScore;

    if (!kHint && !e.settings.UseDepth && e.settings.FixedTime) CheckTime(e);
    if (g.cancelRequest == CancelRequest::Now) {
        g.searchStopped = true;
        g.cancelRequest = CancelRequest::None;
        return 0;
    }

    MovePicker picker(g);
    int i = picker.Next();
    int v = 0;
    while (i >= 0) {
        if (!PerformMove(g, i)) {  // refused at the end of a table: nothing to search
            i = picker.Next();
            continue;
        }
        v = -Search<kHint>(e, -beta, -alpha, depth - 1);
        TakeBackMove(g, i);
        if (v > best) {
            best = v;
            if (v >= beta) {
                if (depth > 0) UpdatePrincipalVariation(g, i);
                if (!bruteForce) break;
            }
            if (v > alpha) {
                if (depth > 0) UpdatePrincipalVariation(g, i);
                alpha = v;
            }
        }
        i = picker.Next();
    }
    if (i >= 0 && v >= beta) RecordKiller(g, i);
    if (best == -kWinScore) best = -(kWinScore - ply);
    return best;
}

}  // namespace

int AlphaBeta(Engine& e, int alpha, int beta, int depth) {
    const TrackingScope tracking(e.game);
    return Search<false>(e, alpha, beta, depth);
}

int HintSearch(Engine& e, int alpha, int beta, int depth) {
    const TrackingScope tracking(e.game);
    return Search<true>(e, alpha, beta, depth);
}

}  // namespace zelkor
