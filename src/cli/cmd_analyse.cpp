// zelkor-cli analyse: the computer's search on a position, one line per iteration.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "cli/cli_position.h"
#include "cli/command.h"
#include "engine/driver.h"
#include "engine/evaluate.h"
#include "engine/master_search.h"

namespace zelkor::cli {
namespace {

std::string PrincipalLine(const GameState& g, const SearchState& s) {
    std::string line;
    for (const PvEntry& entry : s.bestLine) {
        if (entry.Source == 0) break;
        if (!line.empty()) line += ' ';
        line += SquareName(entry.Source);
        line += entry.jump == 1 ? g.jumpChar : '-';
        line += SquareName(entry.dest);
    }
    return line;
}

// A decided position, or one without a move, is no position to search for either engine.
int GameIsOver() {
    std::fprintf(stderr, "analyse: the game is over; there is no move to search\n");
    std::printf("bestmove (none)\n");
    return 1;
}

// The Master search of an open position: one line per completed iteration, then the best move.
int AnalyseWithMaster(const GameState& game, int depth, int seconds, int threads) {
    master::MasterEngine engine;
    master::MasterLimits limits;
    limits.seconds = seconds > 0 ? seconds : depth > 0 ? 3600 : 2;
    if (depth > 0) limits.maxDepth = depth;
    limits.threads = threads;
    limits.onProgress = [&](const master::MasterResult& r) {
        std::string line;
        for (const auto& [from, to] : r.pv) {
            if (!line.empty()) line += ' ';
            line.append(SquareName(from)).append(SquareName(to));
        }
        std::printf("depth %d score %d time %.3f pv %s\n", r.depth, r.score, r.seconds,
                    line.c_str());
        std::fflush(stdout);
    };
    const master::MasterResult r = engine.Search(game, limits);
    std::printf("nodes %llu time %.3f nps %.0f\n", static_cast<unsigned long long>(r.nodes),
                r.seconds, r.seconds > 0 ? static_cast<double>(r.nodes) / r.seconds : 0);
    std::printf("bestmove %s%s\n", SquareName(r.from).c_str(), SquareName(r.to).c_str());
    return 0;
}

int Analyse(const CliContext& context) {
    int depth = 0;
    int seconds = 0;
    int noise = -1;
    int threads = 0;  // Master's search with this many threads when above 0
    std::string file;
    const auto& args = context.args;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--depth" && hasValue) {
            if (!ParseNumber(args[++i], 1, 20, depth)) {
                std::fprintf(stderr, "analyse: --depth needs a number from 1 to 20\n");
                return 2;
            }
        } else if (arg == "--time" && hasValue) {
            if (!ParseNumber(args[++i], 1, 32767, seconds)) {
                std::fprintf(stderr, "analyse: --time needs whole seconds from 1 to 32767\n");
                return 2;
            }
        } else if (arg == "--noise" && hasValue) {
            if (!ParseNumber(args[++i], 0, 630, noise)) {
                std::fprintf(stderr, "analyse: --noise needs a number from 0 to 630\n");
                return 2;
            }
        } else if (arg == "--master" && hasValue) {
            if (!ParseNumber(args[++i], 1, 64, threads)) {
                std::fprintf(stderr, "analyse: --master needs a number of threads from 1 to 64\n");
                return 2;
            }
        } else if (arg.rfind("--", 0) == 0) {
            std::fprintf(stderr, "analyse: unknown option '%s'\n", arg.c_str());
            return 2;
        } else if (file.empty()) {
            file = arg;
        } else {
            std::fprintf(stderr, "analyse: only one file may be given\n");
            return 2;
        }
    }
    if (depth > 0 && seconds > 0) {
        std::fprintf(stderr, "analyse: give either --depth or --time, not both\n");
        return 2;
    }
    CliEngine cli;
    CliContext position = context;
    position.args.clear();
    if (!file.empty()) position.args.push_back(file);
    if (const int status = cli.Prepare(position, 0); status != 0) return status;
    auto& game = cli.game;
    auto& search = cli.search;
    Settings& settings = cli.settings;
    Engine& e = cli.e;

    if (threads > 0)
        return JudgeRoot(e) == RootState::Open ? AnalyseWithMaster(*game, depth, seconds, threads)
                                               : GameIsOver();
    if (depth > 0) {
        settings.UseDepth = 1;
        settings.SearchDepth = depth;
    } else if (seconds > 0) {
        settings.UseDepth = 0;
        settings.ThinkTime = static_cast<int16_t>(seconds);
    }
    search->noiseAmplitude = noise >= 0 ? noise : NoiseAmplitudeFor(settings.Handicap);
    search->nodes = 0;

    RootSearchLimits limits;
    limits.byTime = !settings.UseDepth;
    limits.depth = limits.byTime ? 20 : settings.SearchDepth;
    const auto start = std::chrono::steady_clock::now();
    limits.onIteration = [&](int d) {
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("depth %d score %d nodes %llu time %.3f pv %s\n", d, search->bestScore,
                    static_cast<unsigned long long>(search->nodes), elapsed,
                    PrincipalLine(*game, *search).c_str());
        std::fflush(stdout);
    };
    if (!SearchPosition(e, limits)) return GameIsOver();
    const Move& best = game->movePool[0];
    std::printf("bestmove %s%s\n", SquareName(best.Source).c_str(), SquareName(best.dest).c_str());
    return 0;
}

const CliCommand registration(
    "analyse",
    "[--depth N | --time SECONDS] [--noise N] [--master THREADS] [FILE.zlk]  "
    "(the computer's search, without playing)",
    Analyse);

}  // namespace
}  // namespace zelkor::cli
