#include "engine/master_search.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <thread>

#include "engine/master_eval.h"
#include "engine/tt.h"
#include "rules/game_end.h"
#include "rules/make_move.h"
#include "rules/movegen.h"
#include "rules/win.h"

namespace zelkor::master {
namespace {

using SteadyClock = std::chrono::steady_clock;

// The clock is read every this many nodes (a node takes a microsecond or two).
constexpr uint64_t kPollNodes = 256;

// When the search stops: 15 % of the time before its end, or one and a half of the longest
// pause seen lately when that is more (at most 60 % of the time), so that a thread the
// machine takes away once more still returns within the time.
double StopSeconds(double seconds, double pause) {
    return seconds - std::min(std::max(0.15 * seconds, 1.5 * pause), 0.6 * seconds);
}

constexpr int kInfinity = 32767;
constexpr int kMaxSearchPly = 90;  // below the game tree's own bound
constexpr int kDecided = kWinScore - 200;
constexpr int kHistoryLimit = 8000;

// Random keys of a man of each colour on each square, and of Black to move.
struct ZobristKeys {
    std::array<std::array<uint64_t, kBoardEntries>, 2> man{};
    uint64_t blackToMove = 0;
    uint64_t blackSearches = 0;  // the evaluation charges the searching side
};
constexpr ZobristKeys MakeZobrist() {
    ZobristKeys z;
    uint64_t state = 0x5A17C0DEULL;
    auto next = [&state] {
        uint64_t x = (state += 0x9E3779B97F4A7C15ULL);
        x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
        x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
        return x ^ (x >> 31);
    };
    for (auto& colour : z.man)
        for (auto& key : colour)
            key = next();
    z.blackToMove = next();
    z.blackSearches = next();
    return z;
}
constexpr ZobristKeys kZobrist = MakeZobrist();

int ManIndex(int man) {
    return man == kWhiteMan ? 0 : 1;
}

uint64_t BoardKey(const Board& board) {
    uint64_t key = 0;
    for (int sq : kPlayingSquares)
        if (board[sq] == kWhiteMan || board[sq] == kBlackMan)
            key ^= kZobrist.man[ManIndex(board[sq])][sq];
    return key;
}

uint64_t BoardKey(const PositionKey& position) {
    uint64_t key = 0;
    for (int i = 0; i < 64; ++i) {
        if ((position.white >> i) & 1) key ^= kZobrist.man[0][kPlayingSquares[i]];
        if ((position.black >> i) & 1) key ^= kZobrist.man[1][kPlayingSquares[i]];
    }
    return key;
}

int ToTable(int score, int ply) {
    if (score > kDecided) return score + ply;
    if (score < -kDecided) return score - ply;
    return score;
}
int FromTable(int score, int ply) {
    if (score > kDecided) return score - ply;
    if (score < -kDecided) return score + ply;
    return score;
}

// What every thread of one search shares.
struct Shared {
    Shared(TranspositionTable& t, const EvalTables& e) : table(t), eval(e) {}
    TranspositionTable& table;
    EvalTables eval;
    std::vector<uint64_t> gameKeys;  // the positions of the game before the root
    int drawLimit = 30;
    bool drawRules = true;
    int rootLastJump = -1;  // half-move index of the game's last jump, -1 none
    SteadyClock::time_point start;
    zelkor::Clock* clock = nullptr;  // when set, the time is read from it
    double clockStart = 0;
    double seconds = 1;
    // The longest pause between two reads of the clock, seen in this search or lately: the
    // time the machine's load took the thread away, kept as a margin before the limit.
    double pause = 0;
    const std::atomic<bool>* external = nullptr;
    MasterFeatures features;
    std::vector<std::pair<int, int>> rootMoves;  // the moves the root may choose from
    std::atomic<bool> stop{false};
};

double SecondsSince(const Shared& sh) {
    if (sh.clock) return std::fmod(sh.clock->SecondsSinceMidnight() - sh.clockStart + 86400, 86400);
    return std::chrono::duration<double>(SteadyClock::now() - sh.start).count();
}

class Worker {
  public:
    Worker(const GameState& game, Shared& shared, int id)
        : g_(std::make_unique<GameState>(game)), sh_(shared), id_(id) {
        GameState& g = *g_;
        g.faultReport = nullptr;
        g.cancelRequest = CancelRequest::None;
        g.pv = PvTable{};  // the generator's ordering marks are not used here
        g.killers = KillerTable{};
        InitGameTree(g);
        StartTracking(g);
        key_ = BoardKey(g.board);
        searcher_ = g.side;
        searcherKey_ = g.side == kBlack ? kZobrist.blackSearches : 0;
        material_ = MaterialSum(g.board, sh_.eval);
        path_[0] = key_;
        lastJump_[0] = sh_.rootLastJump;
        for (uint64_t k : sh_.gameKeys)
            ++filter_[Bucket(k)];
        ++filter_[Bucket(key_)];
        for (auto& side : history_)
            for (auto& row : side)
                row.fill(0);
    }

    uint64_t nodes() const { return nodes_; }

    // Iterative deepening; the main thread (id 0) keeps the result.
    void Run(int maxDepth, MasterResult& result, const MasterLimits& limits) {
        GameState& g = *g_;
        GenerateMoves(g, MoveSet::All);
        const int count = MoveCount(g);
        if (count == 0) return;
        rootMoves_.clear();
        for (int i = 0; i < count; ++i) {
            const Move& m = g.movePool[i];
            if (std::find(sh_.rootMoves.begin(), sh_.rootMoves.end(),
                          std::pair<int, int>(m.Source, m.dest)) != sh_.rootMoves.end())
                rootMoves_.push_back(i);
        }
        if (rootMoves_.empty()) return;
        // Helpers begin with their moves in another order, so the threads part ways.
        if (id_ > 0)
            std::rotate(rootMoves_.begin(),
                        rootMoves_.begin() + (id_ % static_cast<int>(rootMoves_.size())),
                        rootMoves_.end());
        int previous = 0;
        for (int depth = 1; depth <= maxDepth; ++depth) {
            const int d = id_ > 0 && (id_ & 1) && depth > 2 ? depth + 1 : depth;
            int delta = 30;
            const bool window = depth >= 4 && sh_.features.aspiration;
            int alpha = window ? previous - delta : -kInfinity;
            int beta = window ? previous + delta : kInfinity;
            int score = 0;
            while (true) {
                score = Root(alpha, beta, d);
                if (Stopped()) break;
                if (score <= alpha) {
                    alpha = std::max(score - delta, -kInfinity);
                } else if (score >= beta) {
                    beta = std::min(score + delta, kInfinity);
                } else {
                    break;
                }
                delta *= 2;
                if (delta > 1000) {
                    alpha = -kInfinity;
                    beta = kInfinity;
                }
            }
            if (id_ == 0 && rootBestFrom_ != 0 && (!Stopped() || iterationHasBest_)) {
                result.from = rootBestFrom_;
                result.to = rootBestTo_;
                result.jump = rootBestJump_;
                result.score = rootBestScore_;
                result.pv.clear();
                for (int i = 0; i < pvLength_[0]; ++i)
                    result.pv.push_back(pv_[0][i]);
                if (!Stopped()) result.depth = d;
                result.seconds = Elapsed();
                if (limits.onProgress && !Stopped()) limits.onProgress(result);
            }
            if (Stopped()) break;
            previous = score;
            if (std::abs(score) > kDecided && depth > 2 && id_ == 0 &&
                kWinScore - std::abs(score) < depth)
                break;  // a forced result, found in full
            if (id_ == 0 && Elapsed() > 0.45 * StopSeconds(sh_.seconds, sh_.pause)) break;
        }
    }

    bool Stopped() const { return sh_.stop.load(std::memory_order_relaxed); }

  private:
    static int Bucket(uint64_t key) { return static_cast<int>(key >> 52); }

    double Elapsed() const { return SecondsSince(sh_); }

    void Poll() {
        if (id_ != 0) return;
        const double now = Elapsed();
        sh_.pause = std::max(sh_.pause, now - lastPoll_);
        lastPoll_ = now;
        if ((sh_.external && sh_.external->load(std::memory_order_relaxed)) ||
            now >= StopSeconds(sh_.seconds, sh_.pause))
            sh_.stop.store(true, std::memory_order_relaxed);
    }

    // The position on the path or in the game before the root repeats. The node's own key
    // is in the filter's count, so a bucket that holds only it holds no repetition.
    bool Repeats() const {
        if (filter_[Bucket(key_)] < 2) return false;
        const int ply = g_->ply;
        for (int p = ply - 1; p >= 0; --p)
            if (path_[p] == key_) return true;
        for (uint64_t k : sh_.gameKeys)
            if (k == key_) return true;
        return false;
    }

    int Eval() const {
        const TrackedPosition& t = g_->tracked;
        return Evaluate(g_->side, material_, g_->gamePly, t.whiteOnBlackHome, t.blackOnWhiteHome,
                        g_->active.flags[FullHome] != 0, searcher_);
    }

    bool Make(int index) {
        GameState& g = *g_;
        const Move& m = g.movePool[index];
        const int man = g.side;
        if (!PerformMove(g, index)) return false;
        const int s = ManIndex(man);
        key_ ^= kZobrist.man[s][m.Source] ^ kZobrist.man[s][m.dest];
        const int delta = sh_.eval.man[s][m.dest] - sh_.eval.man[s][m.Source];
        material_ += man == kWhiteMan ? delta : -delta;
        path_[g.ply] = key_;
        lastJump_[g.ply] = m.jump == 1 ? g.gamePly - 1 : lastJump_[g.ply - 1];
        ++filter_[Bucket(key_)];
        return true;
    }

    void Unmake(int index) {
        GameState& g = *g_;
        --filter_[Bucket(key_)];
        TakeBackMove(g, index);
        const Move& m = g.movePool[index];
        const int s = ManIndex(g.side);
        key_ ^= kZobrist.man[s][m.Source] ^ kZobrist.man[s][m.dest];
        const int delta = sh_.eval.man[s][m.dest] - sh_.eval.man[s][m.Source];
        material_ -= g.side == kWhiteMan ? delta : -delta;
    }

    // Ordering scores into the pool records of this ply.
    void ScoreMoves(int begin, int end, int ttFrom, int ttTo) {
        GameState& g = *g_;
        const int s = g.sideIndex();
        const int ply = g.ply;
        for (int i = begin; i < end; ++i) {
            Move& m = g.movePool[i];
            if (m.Source == ttFrom && m.dest == ttTo) {
                m.score = 1 << 30;
            } else if (m.Source == killers_[ply][0].first && m.dest == killers_[ply][0].second) {
                m.score = 1 << 24;
            } else if (m.Source == killers_[ply][1].first && m.dest == killers_[ply][1].second) {
                m.score = (1 << 24) - 1;
            } else {
                const int gain = sh_.eval.man[s][m.dest] - sh_.eval.man[s][m.Source];
                m.score = gain * 64 + history_[s][m.Source][m.dest];
            }
        }
    }

    static int PickNext(GameState& g, int at, int end) {
        int best = at;
        for (int i = at + 1; i < end; ++i)
            if (g.movePool[i].score > g.movePool[best].score) best = i;
        if (best != at) std::swap(g.movePool[best], g.movePool[at]);
        return at;
    }

    void UpdatePv(int ply, const Move& m) {
        pv_[ply][0] = {m.Source, m.dest};
        const int child = std::min(pvLength_[ply + 1], kMaxPly - 1);
        for (int i = 0; i < child; ++i)
            pv_[ply][i + 1] = pv_[ply + 1][i];
        pvLength_[ply] = child + 1;
    }

    void Reward(int ply, const Move& m, int depth, int begin, int upto) {
        if (!sh_.features.history) return;
        const int s = g_->sideIndex();
        const int bonus = std::min(depth * depth, 400);
        auto adjust = [&](int& h, int by) {
            h += by - h * std::abs(by) / kHistoryLimit;
            h = std::clamp(h, -kHistoryLimit, kHistoryLimit);
        };
        adjust(history_[s][m.Source][m.dest], bonus);
        for (int i = begin; i < upto; ++i)
            adjust(history_[s][g_->movePool[i].Source][g_->movePool[i].dest], -bonus);
        if (killers_[ply][0] != std::pair<int, int>(m.Source, m.dest)) {
            killers_[ply][1] = killers_[ply][0];
            killers_[ply][0] = {m.Source, m.dest};
        }
    }

    int Node(int alpha, int beta, int depth, bool pvNode) {
        GameState& g = *g_;
        const int ply = g.ply;
        pvLength_[ply] = 0;
        if (++nodes_ % kPollNodes == 0) Poll();
        if (Stopped()) return 0;
        // The draw rules end the game before a win counts.
        if (sh_.drawRules && (g.gamePly - lastJump_[ply] > sh_.drawLimit || Repeats())) {
            ++pathScores_;
            return g.side == searcher_ ? -kDrawContempt : kDrawContempt;
        }
        const TrackedPosition& t = g.tracked;
        const WinState won =
            DecideWin(g, t.whiteIn, t.blackOnWhiteHome, t.whiteOnBlackHome, t.blackIn);
        if (won.won(-g.side)) return -(kWinScore - ply);
        if (won.won(g.side)) return kWinScore - ply - 1;  // ends the game with its next move
        if (ply >= kMaxSearchPly) return Eval();
        alpha = std::max(alpha, -(kWinScore - ply));
        beta = std::min(beta, kWinScore - ply - 1);
        if (alpha >= beta) return alpha;
        if (depth <= 0) return Eval();

        const uint64_t key = key_ ^ (g.side == kBlack ? kZobrist.blackToMove : 0) ^ searcherKey_;
        TtEntry entry;
        int ttFrom = 0, ttTo = 0;
        if (sh_.features.table && sh_.table.Probe(key, entry)) {
            ttFrom = entry.from;
            ttTo = entry.to;
            if (!pvNode && entry.depth >= depth) {
                const int score = FromTable(entry.score, ply);
                if (entry.bound == Bound::Exact || (entry.bound == Bound::Lower && score >= beta) ||
                    (entry.bound == Bound::Upper && score <= alpha))
                    return score;
            }
        }

        GenerateMoves(g, sh_.features.prune ? MoveSet::Search : MoveSet::All);
        if (g.cancelRequest == CancelRequest::Now) {
            // The move pool is full (a long line of positions with many moves): the list is
            // cut short and a deeper list would be empty, so this node is scored as it stands.
            g.cancelRequest = CancelRequest::None;
            return Eval();
        }
        const int begin = g.plyStart[ply];
        const int end = g.plyStart[ply + 1];
        if (end <= begin) return -(kWinScore - ply);  // no move: the side to move has lost
        ScoreMoves(begin, end, ttFrom, ttTo);

        const int pathBefore = pathScores_;
        const int alphaStart = alpha;
        int best = -kInfinity, bestFrom = 0, bestTo = 0;
        for (int i = begin; i < end; ++i) {
            PickNext(g, i, end);
            const Move m = g.movePool[i];
            const bool ordered = m.score >= (1 << 24) - 1;
            if (!Make(i)) continue;
            const int n = i - begin;
            int v;
            if (n == 0) {
                v = -Node(-beta, -alpha, depth - 1, pvNode);
            } else {
                int r = 0;
                // Late moves that bring the man no nearer are searched less deep first.
                const int s = ManIndex(g.side == kWhite ? kBlackMan : kWhiteMan);
                const bool advances = sh_.eval.man[s][m.dest] > sh_.eval.man[s][m.Source];
                if (sh_.features.reductions && depth >= 3 && n >= 3 && !ordered && !advances)
                    r = 1 + (n >= 8 && depth >= 5 ? 1 : 0);
                v = -Node(-alpha - 1, -alpha, depth - 1 - r, false);
                if (v > alpha && r > 0) v = -Node(-alpha - 1, -alpha, depth - 1, false);
                if (v > alpha && v < beta && pvNode) v = -Node(-beta, -alpha, depth - 1, true);
            }
            Unmake(i);
            if (Stopped()) return 0;
            if (v > best) {
                best = v;
                bestFrom = m.Source;
                bestTo = m.dest;
                if (v > alpha) {
                    alpha = v;
                    if (pvNode) UpdatePv(ply, m);
                    if (v >= beta) {
                        Reward(ply, m, depth, begin, i);
                        break;
                    }
                }
            }
        }
        // A score that rests on a draw by the path to this node is no value of the position.
        if (pathScores_ == pathBefore && sh_.features.table) {
            const Bound bound = best >= beta        ? Bound::Lower
                                : best > alphaStart ? Bound::Exact
                                                    : Bound::Upper;
            sh_.table.Store(key, bestFrom, bestTo, ToTable(best, ply), depth, bound);
        }
        return best;
    }

    int Root(int alpha, int beta, int depth) {
        GameState& g = *g_;
        iterationHasBest_ = false;
        const uint64_t key = key_ ^ (g.side == kBlack ? kZobrist.blackToMove : 0) ^ searcherKey_;
        TtEntry entry;
        if (sh_.table.Probe(key, entry)) {
            // The table's move goes first.
            for (size_t i = 0; i < rootMoves_.size(); ++i) {
                const Move& m = g.movePool[rootMoves_[i]];
                if (m.Source == entry.from && m.dest == entry.to) {
                    std::rotate(rootMoves_.begin(), rootMoves_.begin() + static_cast<long>(i),
                                rootMoves_.begin() + static_cast<long>(i) + 1);
                    break;
                }
            }
        }
        int best = -kInfinity;
        const int alphaStart = alpha;
        for (size_t n = 0; n < rootMoves_.size(); ++n) {
            const int index = rootMoves_[n];
            const Move m = g.movePool[index];
            if (!Make(index)) continue;
            int v;
            if (n == 0) {
                v = -Node(-beta, -alpha, depth - 1, true);
            } else {
                v = -Node(-alpha - 1, -alpha, depth - 1, false);
                if (v > alpha && v < beta) v = -Node(-beta, -alpha, depth - 1, true);
            }
            Unmake(index);
            if (Stopped()) break;
            if (v > best) {
                best = v;
                if (v > alpha || n == 0) {
                    if (v > alpha) alpha = v;
                    UpdatePv(0, m);
                    // The new best goes to the front for the next iteration.
                    std::rotate(rootMoves_.begin(), rootMoves_.begin() + static_cast<long>(n),
                                rootMoves_.begin() + static_cast<long>(n) + 1);
                    if (v > alphaStart && v < beta) {
                        rootBestFrom_ = m.Source;
                        rootBestTo_ = m.dest;
                        rootBestJump_ = m.jump == 1;
                        rootBestScore_ = v;
                        iterationHasBest_ = true;
                    }
                }
                if (v >= beta) break;
            }
        }
        if (!Stopped() && best > alphaStart && best < beta)
            sh_.table.Store(key, rootBestFrom_, rootBestTo_, best, depth, Bound::Exact);
        return best;
    }

    std::unique_ptr<GameState> g_;
    Shared& sh_;
    int id_;
    uint64_t nodes_ = 0;
    double lastPoll_ = 0;
    uint64_t key_ = 0;
    int searcher_ = kWhite;
    uint64_t searcherKey_ = 0;  // the table keeps apart the values of each searching side
    int material_ = 0;
    int pathScores_ = 0;
    std::array<uint64_t, kMaxPly + 2> path_{};
    std::array<int, kMaxPly + 2> lastJump_{};
    std::array<uint16_t, 4096> filter_{};
    std::array<std::array<std::array<int, kBoardEntries>, kBoardEntries>, 2> history_{};
    std::array<std::array<std::pair<int, int>, 2>, kMaxPly + 2> killers_{};
    std::array<std::array<std::pair<int, int>, kMaxPly + 1>, kMaxPly + 2> pv_{};
    std::array<int, kMaxPly + 2> pvLength_{};
    std::vector<int> rootMoves_;
    int rootBestFrom_ = 0, rootBestTo_ = 0, rootBestScore_ = 0;
    bool rootBestJump_ = false;
    bool iterationHasBest_ = false;
};

}  // namespace

std::vector<Move> CampRuleMoves(const GameState& g, const std::vector<Move>& legal) {
    if (g.gamePly < kCampRulePly) return legal;
    // The side's starting camp: the other side's target squares.
    const int other = SideIndex(-g.side);
    std::array<bool, kBoardEntries> camp{};
    const int count =
        std::clamp(g.homeTables.targetCount[static_cast<size_t>(other)], 0, kHomeSlots);
    for (int slot = 0; slot < count; ++slot) {
        const int sq = g.active.home[static_cast<size_t>(other)][static_cast<size_t>(slot)];
        if (sq >= 0 && sq < kBoardEntries && IsPlayingSquare(sq))
            camp[static_cast<size_t>(sq)] = true;
    }
    auto in = [&camp](int sq) {
        return sq >= 0 && sq < kBoardEntries && camp[static_cast<size_t>(sq)];
    };
    std::vector<Move> out, kept;
    for (const Move& m : legal) {
        if (in(m.Source) && !in(m.dest)) out.push_back(m);
        if (in(m.Source) || !in(m.dest)) kept.push_back(m);
    }
    if (!out.empty()) return out;
    return kept.empty() ? legal : kept;
}

MasterEngine::MasterEngine(int tableBits)
    : table_(std::make_unique<TranspositionTable>(tableBits)) {}
MasterEngine::~MasterEngine() = default;

void MasterEngine::Clear() {
    table_->Clear();
}

MasterResult MasterEngine::Search(const GameState& g, const MasterLimits& limits) {
    MasterResult result;
    Shared shared{*table_, BuildEvalTables(g)};
    shared.clock = limits.clock;
    shared.start = SteadyClock::now();
    if (shared.clock) shared.clockStart = shared.clock->SecondsSinceMidnight();
    shared.drawLimit = DrawLimit(limits.drawRule15);
    shared.drawRules = limits.chessDrawRules;
    shared.seconds = limits.seconds;
    shared.pause = 0.7 * pause_;  // the load of the last searches, fading
    shared.external = limits.stop;
    shared.features = limits.features;
    const int gamePly = std::clamp(g.gamePly, 0, kHistorySize);
    for (int k = 0; k + 1 < gamePly; ++k)
        shared.gameKeys.push_back(BoardKey(g.positionHistory[static_cast<size_t>(k)]));
    for (int h = std::min(g.gamePly, kGameRecordSize - 1) - 1; h >= 0; --h)
        if (g.gameRecord[static_cast<size_t>(h + 1)].jump == 1) {
            shared.rootLastJump = h;
            break;
        }

    // A decided position or one without a move has nothing to search.
    const WinState won = CheckWinConditions(g);
    if (won.won(-g.side)) return result;
    // One legal move needs no search.
    const std::vector<Move> legal = CampRuleMoves(g, LegalMoves(g));
    if (legal.empty()) return result;
    for (const Move& m : legal)
        shared.rootMoves.emplace_back(m.Source, m.dest);
    result.from = legal[0].Source;  // until a search finds better
    result.to = legal[0].dest;
    result.jump = legal[0].jump == 1;
    if (legal.size() == 1) {
        result.pv.push_back({result.from, result.to});
        return result;
    }
    const int threads = std::clamp(limits.threads, 1, 64);
    std::vector<std::unique_ptr<Worker>> workers;
    for (int id = 0; id < threads; ++id)
        workers.push_back(std::make_unique<Worker>(g, shared, id));
    std::vector<std::thread> helpers;
    std::vector<MasterResult> scratch(static_cast<size_t>(threads));
    for (int id = 1; id < threads; ++id)
        helpers.emplace_back([&, id] {
            workers[static_cast<size_t>(id)]->Run(limits.maxDepth + 1,
                                                  scratch[static_cast<size_t>(id)], limits);
        });
    workers[0]->Run(std::clamp(limits.maxDepth, 1, kMaxSearchPly - 2), result, limits);
    shared.stop.store(true);
    for (auto& helper : helpers)
        helper.join();
    for (const auto& worker : workers)
        result.nodes += worker->nodes();
    result.seconds = SecondsSince(shared);
    pause_ = shared.pause;
    return result;
}

}  // namespace zelkor::master
