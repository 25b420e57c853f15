// zelkor-cli bench: the search speed over a fixed list of positions.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "app/system_services.h"
#include "cli/command.h"
#include "engine/bench.h"

namespace zelkor::cli {
namespace {

// Processor time of this process: the machine may be shared, so the wall clock alone
// would understate the search speed.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

double PerSecond(uint64_t nodes, double seconds) {
    return seconds > 0 ? static_cast<double>(nodes) / seconds : 0.0;
}

int Bench(const CliContext& context) {
    if (!context.args.empty()) {
        std::fprintf(stderr, "bench: takes no arguments\n");
        return 2;
    }
    SystemClock clock;
    SystemRandom random;
    uint64_t totalNodes = 0;
    double totalSeconds = 0;
    double totalCpu = 0;
    std::printf("%-26s %5s %10s %9s %9s %10s %10s\n", "position", "depth", "nodes", "time s",
                "cpu s", "nps", "nps (cpu)");
    for (const BenchPosition& position : BenchPositions()) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = CpuSeconds();
        const uint64_t nodes = BenchNodes(position, clock, random);
        const double cpu = CpuSeconds() - cpuStart;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        totalNodes += nodes;
        totalSeconds += seconds;
        totalCpu += cpu;
        std::printf("%-26s %5d %10llu %9.3f %9.3f %10.0f %10.0f\n", position.name.c_str(),
                    position.depth, static_cast<unsigned long long>(nodes), seconds, cpu,
                    PerSecond(nodes, seconds), PerSecond(nodes, cpu));
    }
    std::printf("%-26s %5s %10llu %9.3f %9.3f %10.0f %10.0f\n", "total", "",
                static_cast<unsigned long long>(totalNodes), totalSeconds, totalCpu,
                PerSecond(totalNodes, totalSeconds), PerSecond(totalNodes, totalCpu));
    return 0;
}

const CliCommand registration("bench", "  (search speed over the benchmark positions)", Bench);

}  // namespace
}  // namespace zelkor::cli
