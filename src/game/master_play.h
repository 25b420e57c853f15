// The Master level in the game: the user's choice (Master or the levels, and how many
// threads Master searches with), kept in a small file of its own beside zelkor.ini, whose
// lines are fixed; and the Master search run for the computer's move, the hint and the
// analysis, its result handed back in the form the levels' search gives.
#pragma once

#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/master_search.h"
#include "game/user_interface.h"
#include "records/settings.h"
#include "rules/game_state.h"

namespace zelkor {

inline constexpr const char* kMasterFileName = "zelkor-master.ini";
inline constexpr int kMaxMasterThreads = 64;
// Master's strength over level 10, measured in matches at 0.2 s a move (Halma, 200 games:
// +269 +/- 63 Elo): the rating counts Master as level 10's computer rating plus this.
inline constexpr int kMasterEloOverLevel10 = 269;
// The hint's Master search lasts at most this many seconds (a quick answer, as the
// levels' hint is), or searches to the depth set when that is reached sooner.
inline constexpr double kMasterHintSeconds = 1.0;

// The machine's cores, at least 1 and at most kMaxMasterThreads.
int DefaultMasterThreads();

struct MasterChoice {
    bool master = false;  // the computer plays at the Master level, not at a strength level
    int threads = DefaultMasterThreads();
    bool operator==(const MasterChoice&) const = default;
};

// "[master]", "master=" true or false, "threads=" 1..kMaxMasterThreads. A missing file, a
// missing or unreadable line, or a number out of range gives that value's default.
MasterChoice ReadMasterChoice(const std::filesystem::path& dataDir);
MasterChoice ParseMasterChoice(const std::string& text);
bool WriteMasterChoice(const std::filesystem::path& dataDir, const MasterChoice& choice);

// The limits of the computer's move (analysis: until stopped).
master::MasterLimits MasterMoveLimits(const Settings& settings, int threads, bool analysis);

// What a running Master search has found so far, for the window's thread to show.
struct MasterProgress {
    std::mutex mutex;
    std::vector<std::string> analysisLines;  // the best move's analysis-list line
    double seconds = 0;
};

// Runs the Master search on g (not changed; a copy the caller owns) and returns it as the
// levels' search would: the best move, score, depth, main line and its one root entry.
// Each iteration fills `latest` and reports through progress.newBest.
SearchResult RunMasterSearch(master::MasterEngine& engine, const GameState& g,
                             const master::MasterLimits& limits, const SearchProgress& progress,
                             const std::shared_ptr<MasterProgress>& latest);

// Puts the move the Master search chose first among the root moves (pool and root table),
// with its score, line and depth, so that the computer's move and the analysis go on from
// it as from the levels' search.
void ApplyMasterResult(GameState& g, SearchState& s, const SearchResult& result, bool stopped);

// The controller's Master state.
struct MasterPlay {
    MasterChoice choice;
    bool playedThisGame = false;  // a computer move of this game was Master's
    master::MasterEngine& Engine();
    void NewGame();

  private:
    std::unique_ptr<master::MasterEngine> engine_;
};

}  // namespace zelkor
