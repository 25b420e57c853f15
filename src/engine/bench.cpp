#include "engine/bench.h"

#include <memory>

#include "engine/driver.h"
#include "engine/engine.h"
#include "rules/game_setup.h"

namespace zelkor {

void SetUpPosition(GameState& g, const VariantRules& rules, std::string_view setup, int side,
                   int gamePly) {
    g.active = rules;
    g.defined = rules;
    g.handSetUp = false;
    ApplyRules(g);
    g.board = EmptyBoard();
    ApplySetupText(setup, g.board);
    g.initialBoard = g.board;
    g.side = side;
    ResetGameTree(g);
    g.gamePly = gamePly;
    g.recordLength = gamePly;
    g.pv = PvTable{};
    g.killers = KillerTable{};
    g.searchStopped = false;
    g.timeUp = false;
}

VariantRules BenchVariant(std::string_view name) {
    VariantRules rules = DefaultRules();
    rules.name = std::string(name);
    const auto both = [&rules](const char* text) {
        rules.directions[0] = text;
        rules.directions[1] = text;
    };
    if (name == "Orthogonal Halma") {
        both("N;E;S;W N;E;S;W");
    } else if (name == "Chain Jumps") {
        rules.flag(MulJumps) = 1;
    } else if (name == "Compulsory Jumps") {
        rules.flag(CapRequired) = 1;
    } else if (name == "Sliding Halma") {
        rules.flag(LongKings) = 1;
    } else if (name == "Camp Rules") {
        rules.flag(ManContJump) = 0;
        rules.flag(HomeLess) = 1;
        rules.flag(FullHome) = 1;
    } else if (name == "Rank Race") {
        rules.flag(HomeLess) = 1;
        rules.flag(FullHome) = 1;
        rules.home[0] = ParseHomeSquares("A8B8C8D8E8F8G8H8");
        rules.home[1] = ParseHomeSquares("A1B1C1D1E1F1G1H1");
    } else {
        rules.name = kDefaultVariantName;
    }
    return rules;
}

const std::vector<BenchPosition>& BenchPositions() {
    // Middle-game positions come from the program's own games at depth 3 (ply noted).
    static const std::vector<BenchPosition> positions = {
        {"Halma start", "Halma", kDefaultSetup, kWhite, 0, 6},
        {"Orthogonal Halma start", "Orthogonal Halma", kDefaultSetup, kWhite, 0, 8},
        {"Chain Jumps start", "Chain Jumps", kDefaultSetup, kWhite, 0, 6},
        // Not the shipped "Compulsory Jumps": the default rules with CapRequired, jumping in
        // all eight directions; kept as it is so that the node total stays comparable.
        {"CapRequired 8-dir start", "Compulsory Jumps", kDefaultSetup, kWhite, 0, 7},
        {"Sliding Halma start", "Sliding Halma", kDefaultSetup, kWhite, 0, 5},
        {"Rank Race start", "Rank Race",
         "1111111100000000000000000000000000000000000000000000000022222222", kWhite, 0, 6},
        {"Halma ply 24", "Halma",
         "0001000000100122001010200000000200202011220200100000100000012000", kWhite, 24, 5},
        {"Halma ply 30", "Halma",
         "0000102200000020000020200001010020000010002201121100020000110000", kWhite, 30, 5},
        {"Halma ply 50", "Halma",
         "0000220000000222000012220002000210000000110001001110000010010000", kWhite, 50, 5},
        {"Chain Jumps ply 26", "Chain Jumps",
         "0120002200010220000000200100010010000000002201000001211000010200", kWhite, 26, 5},
        {"Orthogonal Halma ply 30", "Orthogonal Halma",
         "2110001002000001020201000001000120001200010221002000000000020000", kWhite, 30, 6},
    };
    return positions;
}

uint64_t BenchNodes(const BenchPosition& position, Clock& clock, Random& random) {
    auto game = std::make_unique<GameState>();
    auto search = std::make_unique<SearchState>();
    Settings settings;
    settings.UseDepth = 1;
    settings.SearchDepth = position.depth;
    settings.ShowCalculation = 0;
    Engine e{*game, *search, settings, clock, random};
    SetUpPosition(*game, BenchVariant(position.variant), position.setup, position.side,
                  position.gamePly);
    search->noiseAmplitude = 0;
    search->nodes = 0;
    RootSearchLimits limits;
    limits.depth = position.depth;
    SearchPosition(e, limits);
    return search->nodes;
}

}  // namespace zelkor
