// zelkor-cli match: two players — levels 0-10 or Master — from varied openings, each
// played twice with the colours swapped; the result with its Elo difference and error bar.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "app/system_services.h"
#include "cli/command.h"
#include "game/match.h"

namespace zelkor::cli {
namespace {

bool ReadDouble(const std::string& text, double low, double high, double& value) {
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(number >= low && number <= high)) return false;
    value = number;
    return true;
}

// "master" (with "-nolmr", "-noasp", "-nohist", "-nott" to switch a part of its search
// off, "-prune" to search the levels' reduced move set below the root) or a level 0-10.
bool ReadPlayer(const std::string& text, MatchPlayer& player) {
    if (text.rfind("master", 0) == 0) {
        player.master = true;
        std::string rest = text.substr(6);
        master::MasterFeatures& f = player.features;
        for (const auto& [name, feature] : {std::pair<const char*, bool*>{"-nolmr", &f.reductions},
                                            {"-noasp", &f.aspiration},
                                            {"-nohist", &f.history},
                                            {"-nott", &f.table},
                                            {"-prune", &f.prune}}) {
            const size_t at = rest.find(name);
            if (at == std::string::npos) continue;
            *feature = feature == &f.prune;
            rest.erase(at, std::string(name).size());
        }
        return rest.empty();
    }
    player.master = false;
    return ParseNumber(text, 0, 10, player.level);
}

int Match(const CliContext& context) {
    MatchOptions options;
    options.dataDir = context.dataDir;
    options.a.master = true;  // against level 10, a player's default
    double seconds = 0.2;
    int depth = 0, games = 2, seed = 1;
    int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    int threadsA = 0, threadsB = 0;
    const auto& args = context.args;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        const std::string value = hasValue ? args[i + 1] : "";
        bool ok = hasValue;
        if (arg == "--a" && hasValue)
            ok = ReadPlayer(value, options.a);
        else if (arg == "--b" && hasValue)
            ok = ReadPlayer(value, options.b);
        else if (arg == "--time")
            ok = ok && ReadDouble(value, 0.01, 180, seconds);
        else if (arg == "--depth")
            ok = ok && ParseNumber(value, 1, 20, depth);
        else if (arg == "--games")
            ok = ok && ParseNumber(value, 1, 1000000, games);
        else if (arg == "--seed")
            ok = ok && ParseNumber(value, 0, 2000000000, seed);
        else if (arg == "--variant")
            ok = ok && ParseNumber(value, 1, 255, options.variant);
        else if (arg == "--threads")
            ok = ok && ParseNumber(value, 1, 64, threads);
        else if (arg == "--a-threads")
            ok = ok && ParseNumber(value, 1, 64, threadsA);
        else if (arg == "--b-threads")
            ok = ok && ParseNumber(value, 1, 64, threadsB);
        else if (arg == "--concurrency")
            ok = ok && ParseNumber(value, 1, 64, options.concurrency);
        else if (arg == "--opening-plies")
            ok = ok && ParseNumber(value, 0, 40, options.openingPlies);
        else if (arg == "--save")
            ok = ok && !value.empty();
        else if (arg == "--sprt" && i + 4 < args.size()) {
            ok = ReadDouble(args[i + 1], -1000, 1000, options.sprt.elo0) &&
                 ReadDouble(args[i + 2], -1000, 1000, options.sprt.elo1) &&
                 ReadDouble(args[i + 3], 0.0001, 0.5, options.sprt.alpha) &&
                 ReadDouble(args[i + 4], 0.0001, 0.5, options.sprt.beta) &&
                 options.sprt.elo0 < options.sprt.elo1;
            options.sprt.on = ok;
            i += 3;
        } else
            ok = false;
        if (!ok) {
            std::fprintf(stderr, "match: bad argument '%s'\n", arg.c_str());
            return 2;
        }
        if (arg == "--save") {
            options.saveStem = value;
            if (options.saveStem.size() > 4 &&
                options.saveStem.compare(options.saveStem.size() - 4, 4, ".zlk") == 0)
                options.saveStem.resize(options.saveStem.size() - 4);
        }
        ++i;
    }
    options.games = games;
    options.seed = static_cast<uint64_t>(seed);
    for (MatchPlayer* p : {&options.a, &options.b}) {
        p->seconds = seconds;
        p->depth = p->master ? 0 : depth;
        p->threads = threads;
    }
    if (threadsA > 0) options.a.threads = threadsA;
    if (threadsB > 0) options.b.threads = threadsB;

    std::printf("match: A %s against B %s, variant %d, %d games, seed %d\n",
                options.a.Name().c_str(), options.b.Name().c_str(), options.variant,
                (games + 1) / 2 * 2, seed);
    std::fflush(stdout);
    double worstOver = -1;
    int menInCamp = 0, standstills = 0, masterMoves = 0, lateMoves = 0;
    uint64_t nodes = 0;
    double searchSeconds = 0;
    SystemClock clock;
    const MatchSystem system{clock, [] { return std::make_unique<SystemRandom>(); }};
    const MatchReport report =
        RunMatch(options, system, [&](const GameOutcome& g, const MatchTally& t) {
            worstOver = std::max(worstOver, g.masterWorstOver);
            menInCamp = std::max(menInCamp, g.masterMenInCamp);
            if (g.reason == "move rule" || g.reason == "ply limit") ++standstills;
            nodes += g.masterNodes;
            masterMoves += g.masterMoves;
            lateMoves += g.masterLateMoves;
            searchSeconds += g.masterSeconds;
            const char* result = g.result > 0 ? "A wins" : g.result < 0 ? "B wins" : "draw";
            const std::string camp =
                g.masterMenInCamp > 0 ? ", Master men in its starting camp after its 30th move: " +
                                            std::to_string(g.masterMenInCamp)
                                      : "";
            std::printf("game %d: A %s: %s (%s) after %d plies%s; +%d =%d -%d\n", g.index + 1,
                        g.aWhite ? "White" : "Black", result, g.reason.c_str(), g.plies,
                        camp.c_str(), t.wins, t.draws, t.losses);
            std::fflush(stdout);
        });
    if (!report.error.empty()) {
        std::fprintf(stderr, "match: %s\n", report.error.c_str());
        return 1;
    }
    if (options.a.master || options.b.master)
        std::printf(
            "master: %.0f nodes/s, %d moves, %d more than 5 %% over their time (worst %.1f %%), "
            "most men in its starting camp after its 30th move %d\n",
            searchSeconds > 0 ? static_cast<double>(nodes) / searchSeconds : 0, masterMoves,
            lateMoves, worstOver * 100, menInCamp);
    std::printf("draws by the move rule or the ply limit: %d\n", standstills);
    if (options.sprt.on) {
        std::printf("sprt: llr %.2f (bounds %.2f %.2f) %s\n",
                    SprtLlr(report.tally, options.sprt.elo0, options.sprt.elo1),
                    options.sprt.lower(), options.sprt.upper(),
                    report.sprtDecision.empty() ? "undecided" : report.sprtDecision.c_str());
    }
    const EloEstimate elo = EstimateElo(report.tally);
    std::printf("%s vs %s: games %d +%d =%d -%d score %.3f elo %.1f +/- %.1f\n",
                options.a.Name().c_str(), options.b.Name().c_str(), report.played,
                report.tally.wins, report.tally.draws, report.tally.losses, elo.score,
                elo.elo == 0 ? 0.0 : elo.elo, elo.error);
    return 0;
}

const CliCommand registration(
    "match",
    "[--a master|0-10] [--b master|0-10] [--time SECONDS] [--depth N] [--games N] [--seed N] "
    "[--variant N] [--threads N] [--a-threads N] [--b-threads N] [--concurrency N] "
    "[--opening-plies N] [--sprt ELO0 ELO1 ALPHA BETA] [--save FILE.zlk]",
    Match);

}  // namespace
}  // namespace zelkor::cli
