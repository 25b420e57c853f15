#include "game/match.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <thread>
#include <vector>

#include "engine/driver.h"
#include "engine/engine.h"
#include "engine/evaluate.h"
#include "engine/master_search.h"
#include "game/controller.h"
#include "game/no_pause_clock.h"
#include "game/silent_ui.h"
#include "records/game_file.h"
#include "rules/game_end.h"
#include "rules/make_move.h"
#include "rules/movegen.h"
#include "rules/win.h"

namespace zelkor {

double MatchTally::score() const {
    return games() == 0 ? 0.5 : (wins + 0.5 * draws) / games();
}

double EloOfScore(double score) {
    const double s = std::clamp(score, 1e-6, 1 - 1e-6);
    return -400 * std::log10(1 / s - 1);
}

namespace {

// The variance of one game's points around the mean score.
double GameVariance(const MatchTally& t, double s) {
    const int n = t.games();
    if (n == 0) return 0;
    return (t.wins * (1 - s) * (1 - s) + t.draws * (0.5 - s) * (0.5 - s) + t.losses * s * s) / n;
}

double ScoreOfElo(double elo) {
    return 1 / (1 + std::pow(10, -elo / 400));
}

}  // namespace

EloEstimate EstimateElo(const MatchTally& tally) {
    EloEstimate e;
    e.score = tally.score();
    if (tally.games() == 0) return e;
    e.elo = EloOfScore(e.score);
    // 1.96 standard errors of the score, through the slope of the Elo curve at the score.
    const double s = std::clamp(e.score, 1e-6, 1 - 1e-6);
    const double spread = std::sqrt(GameVariance(tally, e.score) / tally.games());
    const double slope = 400 / (std::log(10.0) * s * (1 - s));
    e.error = 1.959963984540054 * spread * slope;
    return e;
}

double SprtSettings::lower() const {
    return std::log(beta / (1 - alpha));
}
double SprtSettings::upper() const {
    return std::log((1 - beta) / alpha);
}

double SprtLlr(const MatchTally& tally, double elo0, double elo1) {
    const double s = tally.score();
    const double variance = GameVariance(tally, s);
    if (variance <= 0) return 0;
    const double s0 = ScoreOfElo(elo0), s1 = ScoreOfElo(elo1);
    return tally.games() * (s1 - s0) * (2 * s - s0 - s1) / (2 * variance);
}

std::string SprtDecision(const SprtSettings& sprt, double llr) {
    if (llr >= sprt.upper()) return "H1 accepted";
    if (llr <= sprt.lower()) return "H0 accepted";
    return "";
}

std::string MatchPlayer::Name() const {
    char text[64];
    if (master)
        std::snprintf(text, sizeof text, "master%s%s%s%s%s(%gs,%dt)",
                      features.reductions ? "" : "-nolmr", features.aspiration ? "" : "-noasp",
                      features.history ? "" : "-nohist", features.table ? "" : "-nott",
                      features.prune ? "-prune" : "", seconds, threads);
    else if (depth > 0)
        std::snprintf(text, sizeof text, "level %d(depth %d)", level, depth);
    else
        std::snprintf(text, sizeof text, "level %d(%gs)", level, seconds);
    return text;
}

namespace {

// The controller that lays out the match's start: the variant file's reader tells it what is
// wrong with the file.
class StartUi : public SilentUi {
  public:
    Answer Message(const std::string& text, const std::string& title, Icon icon,
                   Buttons buttons) override {
        lastMessage = text;
        return SilentUi::Message(text, title, icon, buttons);
    }
    std::string lastMessage;
};

// One side of a game: a level through the levels' own search, or Master.
class Player {
  public:
    Player(const MatchPlayer& who, const GameState& start, uint64_t seed, const MatchSystem& system)
        : who_(who), clock_(system.clock), random_(system.newRandom()) {
        if (who.master) {
            master_ = std::make_unique<master::MasterEngine>();
            return;
        }
        *game_ = start;
        game_->faultReport = &faultReport_;
        settings_.Handicap = static_cast<uint8_t>(10 - who.level);
        settings_.UseBook = 0;
        settings_.ShowCalculation = 0;
        settings_.UseDepth = who.depth > 0 ? 1 : 0;
        settings_.SearchDepth = who.depth > 0 ? who.depth : 2;
        const bool whole = who.seconds == std::floor(who.seconds);
        settings_.ThinkTime = static_cast<int16_t>(whole ? who.seconds : 10);
        if (!whole) clock_.speed = 10 / who.seconds;
        random_->Seed(seed);
    }

    // The move for the side to move in g: from- and to-square (0 when there is none).
    std::pair<int, int> Choose(const GameState& g, GameOutcome& outcome) {
        if (who_.master) {
            master::MasterLimits limits;
            limits.seconds = who_.seconds;
            limits.threads = who_.threads;
            limits.features = who_.features;
            const auto start = std::chrono::steady_clock::now();
            const master::MasterResult r = master_->Search(g, limits);
            const double spent =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            outcome.masterWorstOver = std::max(outcome.masterWorstOver, spent / who_.seconds - 1);
            if (spent > 1.05 * who_.seconds) ++outcome.masterLateMoves;
            outcome.masterNodes += r.nodes;
            outcome.masterSeconds += spent;
            ++outcome.masterMoves;
            return {r.from, r.to};
        }
        GameState& own = *game_;
        own.board = g.board;
        own.side = g.side;
        own.gamePly = g.gamePly;
        own.positionHistory = g.positionHistory;  // the level's search reads no record
        own.recordLength = g.recordLength;
        own.drawFlag = g.drawFlag;
        search_->noiseAmplitude = NoiseAmplitudeFor(settings_.Handicap);
        RootSearchLimits limits;
        limits.byTime = settings_.UseDepth == 0;
        limits.depth = limits.byTime ? 20 : settings_.SearchDepth;
        const std::optional<SearchResult> result = SearchPosition(engine_, limits);
        if (!result) return {0, 0};
        return {result->best.Source, result->best.dest};
    }

  private:
    MatchPlayer who_;
    std::unique_ptr<master::MasterEngine> master_;
    std::unique_ptr<GameState> game_ = std::make_unique<GameState>();
    std::unique_ptr<SearchState> search_ = std::make_unique<SearchState>();
    Settings settings_;
    SilentUi ui_;
    UiFaultReport faultReport_{ui_};
    NoPauseClock clock_;
    std::unique_ptr<Random> random_;
    Engine engine_{*game_, *search_, settings_, clock_, *random_};
};

// After a move: 0 the game goes on, else the reason it ended and the winner (0 a draw).
std::pair<std::string, int> GameEnd(GameState& g) {
    if (g.drawFlag == DrawKind::Repetition) return {"repetition", 0};
    if (g.drawFlag == DrawKind::MoveCount) return {"move rule", 0};
    const int mover = -g.side;
    if (CheckWinConditions(g).won(mover)) return {"target filled", mover};
    if (LegalMoves(g).empty()) return {"no move", mover};
    if (g.gamePly >= kMaxGamePlies) return {"ply limit", 0};
    return {"", 0};
}

// A random legal opening of `plies` half-moves that does not end the game.
void PlayOpening(GameState& g, const GameState& start, uint64_t seed, int plies) {
    std::mt19937_64 rng(seed);
    for (int attempt = 0; attempt < 100; ++attempt) {
        g = start;
        bool ok = true;
        for (int p = 0; p < plies && ok; ++p) {
            const std::vector<Move> moves = LegalMoves(g);
            const int count = static_cast<int>(moves.size());
            if (count == 0) {
                ok = false;
                break;
            }
            const Move m =
                moves[static_cast<size_t>(std::uniform_int_distribution<int>(0, count - 1)(rng))];
            ok = PlayRecordedMove(g, m.Source, m.dest) && GameEnd(g).first.empty();
        }
        if (ok) return;
    }
    g = start;
}

// Men of `side` on the other side's target squares (its own starting camp).
int MenInStartingCamp(const GameState& g, int side) {
    const int other = SideIndex(-side);
    int men = 0;
    const int count =
        std::clamp(g.homeTables.targetCount[static_cast<size_t>(other)], 0, kHomeSlots);
    for (int slot = 0; slot < count; ++slot) {
        const int sq = g.active.home[static_cast<size_t>(other)][static_cast<size_t>(slot)];
        if (IsPlayingSquare(sq) && g.board[static_cast<size_t>(sq)] == side) ++men;
    }
    return men;
}

GameOutcome PlayGame(const MatchOptions& o, const MatchSystem& system, const GameState& start,
                     int index, const std::atomic<bool>* stop) {
    GameOutcome out;
    out.index = index;
    out.aWhite = index % 2 == 0;
    auto g = std::make_unique<GameState>();
    PlayOpening(*g, start, o.seed * 1000003 + static_cast<uint64_t>(index / 2), o.openingPlies);
    const int openingPlies = g->gamePly;
    Player white(out.aWhite ? o.a : o.b, *g, o.seed * 7919 + static_cast<uint64_t>(index) * 2,
                 system);
    Player black(out.aWhite ? o.b : o.a, *g, o.seed * 7919 + static_cast<uint64_t>(index) * 2 + 1,
                 system);
    const MatchPlayer& whitePlayer = out.aWhite ? o.a : o.b;
    const MatchPlayer& blackPlayer = out.aWhite ? o.b : o.a;
    std::string reason;
    int winner = 0;
    int moves[2] = {0, 0};
    while (true) {
        if (stop && stop->load()) {
            reason = "stopped";
            break;
        }
        const int mover = g->side;
        Player& player = mover == kWhite ? white : black;
        const auto [from, to] = player.Choose(*g, out);
        if (!PlayRecordedMove(*g, from, to)) {
            reason = "illegal move";  // never expected; the other side wins
            winner = -mover;
            break;
        }
        const MatchPlayer& who = mover == kWhite ? whitePlayer : blackPlayer;
        if (who.master && ++moves[SideIndex(mover)] >= 30)
            out.masterMenInCamp = std::max(out.masterMenInCamp, MenInStartingCamp(*g, mover));
        std::tie(reason, winner) = GameEnd(*g);
        if (!reason.empty()) break;
    }
    out.reason = reason;
    out.plies = g->gamePly - openingPlies;
    const int aSide = out.aWhite ? kWhite : kBlack;
    out.result = winner == 0 ? 0 : (winner == aSide ? 1 : -1);
    if (!o.saveStem.empty()) {
        g->comments[0] = "Match game " + std::to_string(index + 1) + ": " + whitePlayer.Name() +
                         " (White) against " + blackPlayer.Name() + " (Black): " + reason;
        Settings settings;
        settings.Variant = static_cast<uint8_t>(o.variant);
        char name[32];
        std::snprintf(name, sizeof name, "-%04d.zlk", index + 1);
        WriteGameFile(o.saveStem + name, GameFileDataOf(*g, settings));
    }
    return out;
}

}  // namespace

MatchReport RunMatch(const MatchOptions& options, const MatchSystem& system,
                     const std::function<void(const GameOutcome&, const MatchTally&)>& onGame,
                     const std::atomic<bool>* stop) {
    MatchReport report;
    // The start of a game of the variant, as the program sets it up.
    auto start = std::make_unique<GameState>();
    {
        StartUi ui;
        NoPauseClock clock(system.clock);
        const std::unique_ptr<Random> random = system.newRandom();
        GameController controller(ui, clock, *random, options.dataDir);
        controller.SelectVariant(options.variant);
        if (!ui.messages.empty()) {
            report.error = ui.lastMessage;
            return report;
        }
        if (controller.settings().Variant != options.variant ||
            (controller.variantFileMissing() && options.variant != 1)) {
            report.error = "no variant " + std::to_string(options.variant);
            return report;
        }
        controller.NewGameCommand(false);
        *start = controller.game();
        start->faultReport = nullptr;
        start->cancelRequest = CancelRequest::None;
        InitGameTree(*start);
    }
    const int games = (std::max(options.games, 1) + 1) / 2 * 2;
    std::atomic<int> next{0};
    std::atomic<bool> finished{false};
    std::mutex mutex;
    auto work = [&] {
        while (!finished.load() && !(stop && stop->load())) {
            const int index = next.fetch_add(1);
            if (index >= games) break;
            const GameOutcome outcome = PlayGame(options, system, *start, index, stop);
            std::lock_guard<std::mutex> lock(mutex);
            if (outcome.reason == "stopped") continue;
            ++report.played;
            MatchTally& t = report.tally;
            (outcome.result > 0 ? t.wins : outcome.result < 0 ? t.losses : t.draws) += 1;
            if (onGame) onGame(outcome, t);
            if (options.sprt.on) {
                report.sprtDecision =
                    SprtDecision(options.sprt, SprtLlr(t, options.sprt.elo0, options.sprt.elo1));
                if (!report.sprtDecision.empty()) finished.store(true);
            }
        }
    };
    std::vector<std::thread> threads;
    for (int i = 1; i < std::clamp(options.concurrency, 1, 64); ++i)
        threads.emplace_back(work);
    work();
    for (auto& t : threads)
        t.join();
    return report;
}

}  // namespace zelkor
