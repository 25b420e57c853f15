// Inputs the fuzzers once found faulty (tests/data/regressions/<target>/) and the seeds.
#include <gtest/gtest.h>

#include "fuzz_targets.h"
#include "support/fakes.h"

namespace zelkor::fuzz {
namespace {

namespace fs = std::filesystem;

int ReplayFolders(const fs::path& root) {
    int replayed = 0;
    for (const NamedTarget& target : AllTargets()) {
        EXPECT_EQ(target.run(nullptr, 0), 0) << target.name;  // an empty input
        const fs::path folder = root / target.name;
        if (!fs::is_directory(folder)) continue;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (!entry.is_regular_file()) continue;
            SCOPED_TRACE(entry.path().string());
            const std::string bytes = test::ReadFile(entry.path());
            EXPECT_EQ(target.run(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0);
            ++replayed;
        }
    }
    return replayed;
}

TEST(FuzzRegressions, EveryKeptInputAndSeedRunsCleanly) {
    EXPECT_GT(ReplayFolders(test::TestDataDir() / "regressions"), 0);
    EXPECT_GT(ReplayFolders(fs::path(ZELKOR_SOURCE_DIR) / "tests/fuzz/seeds"), 0);
}

}  // namespace
}  // namespace zelkor::fuzz
