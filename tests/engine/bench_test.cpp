#include <gtest/gtest.h>

#include <set>

#include "engine/bench.h"
#include "support/fakes.h"

namespace zelkor::test {
namespace {

// The benchmark's node count changes only when the search or the move generation
// changes its behaviour; update the figure on purpose when that is intended.
TEST(Bench, NodeTotalIsPinned) {
    FakeClock clock;
    ScriptedRandom random;
    random.fallback = 0.7;  // no noise is drawn: the amplitude is 0
    uint64_t total = 0;
    std::set<std::string> names;
    for (const BenchPosition& position : BenchPositions()) {
        total += BenchNodes(position, clock, random);
        names.insert(position.name);
    }
    EXPECT_GE(BenchPositions().size(), 8u);
    EXPECT_EQ(names.size(), BenchPositions().size());
    EXPECT_EQ(total, 3480477u);
}

TEST(Bench, PositionsAreWellFormed) {
    for (const BenchPosition& position : BenchPositions()) {
        EXPECT_EQ(position.setup.size(), 64u) << position.name;
        EXPECT_EQ(position.setup.find_first_not_of("012"), std::string::npos) << position.name;
        EXPECT_EQ(BenchVariant(position.variant).name, position.variant) << position.name;
    }
}

}  // namespace
}  // namespace zelkor::test
