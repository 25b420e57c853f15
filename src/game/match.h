// Matches between two players — a level 0-10 (the levels' own search, by time or depth) or
// the Master level — from varied openings, each played twice with the colours swapped,
// with the result as wins, draws and losses, score, Elo difference and its error bar, and
// an optional sequential test that stops the match once it has decided.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/master_search.h"
#include "rules/clock_random.h"

namespace zelkor {

// Wins, draws and losses of player A.
struct MatchTally {
    int wins = 0;
    int draws = 0;
    int losses = 0;
    int games() const { return wins + draws + losses; }
    // Points per game: a win 1, a draw 1/2.
    double score() const;
};

struct EloEstimate {
    double score = 0.5;
    double elo = 0;    // A's strength over B's
    double error = 0;  // 1.96 standard errors of the score, in Elo at the score
};

// Elo difference of a score between 0 and 1 (scores within 1e-6 of the ends are taken
// there).
double EloOfScore(double score);
// The score, its Elo difference and the 95 % error bar from the per-game spread of the
// results.
EloEstimate EstimateElo(const MatchTally& tally);

// The sequential probability ratio test of H0 "A is elo0 stronger" against H1 "elo1
// stronger", on the normal approximation of the per-game results.
struct SprtSettings {
    bool on = false;
    double elo0 = 0, elo1 = 10, alpha = 0.05, beta = 0.05;
    double lower() const;  // log(beta / (1 - alpha)): accept H0 at or below
    double upper() const;  // log((1 - beta) / alpha): accept H1 at or above
};
double SprtLlr(const MatchTally& tally, double elo0, double elo1);
// "H1 accepted", "H0 accepted" or "" while the test goes on.
std::string SprtDecision(const SprtSettings& sprt, double llr);

struct MatchPlayer {
    bool master = false;
    int level = 10;        // 0-10 when not Master
    double seconds = 0.2;  // a move; Master always, a level unless by depth
    int depth = 0;         // a level searches to this depth when above 0
    int threads = 1;       // Master's search threads
    master::MasterFeatures features;
    std::string Name() const;
};

// How one game went, from A's side.
struct GameOutcome {
    int index = 0;       // from 0; games 2k and 2k + 1 share opening k
    bool aWhite = true;  // A played White
    int result = 0;      // +1 A won, 0 drawn, -1 B won
    int plies = 0;
    std::string reason;  // "target filled", "no move", "repetition", "move rule", "ply limit"
    // Master's moves (both players' when both are Master): the longest one over its time,
    // as a fraction of the time (0.05 is 5 % over), the men still in its starting camp
    // after its 30th move (most seen), and its nodes and search seconds.
    double masterWorstOver = -1;
    int masterMenInCamp = 0;
    uint64_t masterNodes = 0;
    double masterSeconds = 0;
    int masterMoves = 0;
    int masterLateMoves = 0;  // more than 5 % over the time
};

struct MatchOptions {
    MatchPlayer a, b;
    int games = 2;  // rounded up to a whole number of opening pairs
    uint64_t seed = 1;
    int variant = 1;
    int openingPlies = 4;
    int concurrency = 1;
    SprtSettings sprt;
    std::string saveStem;  // games saved as <stem>-<n>.zlk when not empty
    std::string dataDir;
};

struct MatchReport {
    MatchTally tally;
    int played = 0;
    std::string sprtDecision;
    std::string error;  // the match could not start (unknown variant, ...)
};

// What a match takes from the system: the clock, read by the games of every thread, and a
// new random generator for each player of each game, which the match seeds.
struct MatchSystem {
    Clock& clock;
    std::function<std::unique_ptr<Random>()> newRandom;
};

// Plays the match; onGame is called after each game (from one thread at a time).
MatchReport RunMatch(const MatchOptions& options, const MatchSystem& system,
                     const std::function<void(const GameOutcome&, const MatchTally&)>& onGame,
                     const std::atomic<bool>* stop = nullptr);

}  // namespace zelkor
