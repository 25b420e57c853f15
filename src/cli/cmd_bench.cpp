// zelkor-cli bench: the search speed over a fixed list of positions.
#include <chrono>
#include <cstdio>
#include <string>

#include "cli/command.h"
#include "engine/bench.h"
#include "rules/system_services.h"

namespace zelkor::cli {
namespace {

int Bench(const CliContext& context) {
    if (!context.args.empty()) {
        std::fprintf(stderr, "bench: takes no arguments\n");
        return 2;
    }
    SystemClock clock;
    SystemRandom random;
    uint64_t totalNodes = 0;
    double totalSeconds = 0;
    for (const BenchPosition& position : BenchPositions()) {
        const auto start = std::chrono::steady_clock::now();
        const uint64_t nodes = BenchNodes(position, clock, random);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        totalNodes += nodes;
        totalSeconds += seconds;
        std::printf("%-28s depth %d  nodes %10llu  time %7.3f s  nps %10.0f\n",
                    position.name.c_str(), position.depth,
                    static_cast<unsigned long long>(nodes), seconds,
                    seconds > 0 ? nodes / seconds : 0.0);
    }
    std::printf("%-28s          nodes %10llu  time %7.3f s  nps %10.0f\n", "total",
                static_cast<unsigned long long>(totalNodes), totalSeconds,
                totalSeconds > 0 ? totalNodes / totalSeconds : 0.0);
    return 0;
}

const CliCommand registration("bench", "  (search speed over the benchmark positions)", Bench);

}  // namespace
}  // namespace zelkor::cli
