#include "engine/bench.h"

#include <memory>

#include "engine/driver.h"
#include "engine/engine.h"
#include "engine/headless_ui.h"

namespace zelkor {

void SetUpPosition(GameState& g, const VariantRules& rules, std::string_view setup, int side,
                   int gamePly) {
    g.active = rules;
    g.defined = rules;
    ReorderHomeSquares(g.active.home);
    g.homeTables = BuildHomeTables(g.active.home);
    g.directions = DirectionTable{};
    ParseDirections(g.active.directions[0], 0, g.directions);
    ParseDirections(g.active.directions[1], 1, g.directions);
    g.board = EmptyBoard();
    ApplySetupText(setup, g.board);
    g.initialBoard = g.board;
    g.side = side;
    g.ply = 0;
    g.plyStart[0] = 0;
    g.gamePly = gamePly;
    g.recordLength = gamePly;
    g.jumpAtPly.fill(0);
    g.pv = PvTable{};
    g.killers = KillerTable{};
    g.positionHistory.fill(PositionKey{});
    for (Move& m : g.gameRecord)
        m = Move{};
    g.drawFlag = 0;
    g.cancelRequest = 0;
    g.searchStopped = 0;
    g.timeUp = 0;
    g.gameOver = false;
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
    static const std::vector<BenchPosition> positions = {
        {"Halma start", "Halma", kDefaultSetup, kWhite, 0, 4},
        {"Orthogonal Halma start", "Orthogonal Halma", kDefaultSetup, kWhite, 0, 5},
        {"Chain Jumps start", "Chain Jumps", kDefaultSetup, kWhite, 0, 4},
        {"Compulsory Jumps start", "Compulsory Jumps", kDefaultSetup, kWhite, 0, 4},
        {"Sliding Halma start", "Sliding Halma", kDefaultSetup, kWhite, 0, 3},
        {"Rank Race start", "Rank Race",
         "1111111100000000000000000000000000000000000000000000000022222222", kWhite, 0, 3},
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
    HeadlessUi ui;
    NullEngineHooks hooks;
    Engine e{*game, *search, settings, ui, clock, random, hooks};
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
