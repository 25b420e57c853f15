// zelkor-cli perft DEPTH [FILE.zlk]: counts the move sequences of DEPTH moves from the
// start of a new game, per root move in generation order.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "cli/cli_position.h"
#include "cli/command.h"
#include "rules/perft.h"

namespace zelkor::cli {
namespace {

int RunPerft(const CliContext& context) {
    if (context.args.empty() || context.args.size() > 2) {
        std::fprintf(stderr, "usage: zelkor-cli perft DEPTH [FILE.zlk]\n");
        return 2;
    }
    int depth = 0;
    try {
        size_t used = 0;
        depth = std::stoi(context.args[0], &used);
        if (used != context.args[0].size()) depth = -1;
    } catch (...) {
        depth = -1;
    }
    if (depth < 1 || depth > kMaxPly) {
        std::fprintf(stderr, "zelkor-cli: DEPTH must be a number from 1 to %d\n", kMaxPly);
        return 2;
    }
    auto game = std::make_unique<GameState>();
    const int status = PreparePosition(context, 1, *game);
    if (status != 0) return status;

    const std::clock_t cpuStart = std::clock();
    const auto start = std::chrono::steady_clock::now();
    const std::vector<PerftEntry> entries = PerftDivide(*game, depth);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    uint64_t total = 0;
    for (const PerftEntry& e : entries) {
        std::printf("%s: %llu\n", RootMoveText(e.from, e.to, e.jump).c_str(),
                    static_cast<unsigned long long>(e.count));
        total += e.count;
    }
    std::printf("\nNodes searched: %llu\n", static_cast<unsigned long long>(total));
    std::fflush(stdout);
    // Wall-clock time, and the processor time of this process (the machine may be shared).
    std::fprintf(stderr, "Time: %.3f s (CPU %.3f s)\nNodes/second: %.0f (CPU %.0f)\n", seconds,
                 cpuSeconds, seconds > 0 ? static_cast<double>(total) / seconds : 0.0,
                 cpuSeconds > 0 ? static_cast<double>(total) / cpuSeconds : 0.0);
    return 0;
}

const CliCommand kPerft("perft", "DEPTH [FILE.zlk]", RunPerft);

}  // namespace
}  // namespace zelkor::cli
