// An engine over test doubles, and positions written as lists of men.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "engine/bench.h"
#include "engine/engine.h"
#include "rules/rules_test_util.h"
#include "support/fakes.h"

namespace zelkor::test {

// The set-up text with White men on the squares named in `white`, Black on `black`.
inline std::string SetupOf(const std::string& white, const std::string& black) {
    std::string text(64, '0');
    for (const auto& [names, digit] : {std::pair{&white, '1'}, std::pair{&black, '2'}})
        for (size_t i = 0; i + 1 < names->size(); i += 3) {
            const int square = SquareNumber(names->substr(i, 2));
            text[(square / 10 - 2) * 8 + (square % 10 - 1)] = digit;
        }
    return text;
}

// White's only move is the jump a1xc3.
inline const std::string kOneMove = SetupOf("A1", "A2 B1 B2 A3 C1 H8");
// White's ten men fill White's target camp (the A8 corner).
inline const std::string kWhiteFilled = SetupOf("A8 B8 C8 D8 A7 B7 C7 A6 B6 A5", "E1 F1 D4");
// White two moves from a full camp: b5-a5 and c5-b6.
inline const std::string kTwoFromCamp = SetupOf("A8 B8 C8 D8 A7 B7 C7 A6 B5 C5", "E1 F1 H4");

class EngineTest : public ::testing::Test {
  protected:
    EngineTest() {
        e.progress.poll = [this] { ui.ProcessEvents(); };
        settings.UseDepth = 1;
        settings.SearchDepth = 2;
        SetUp(DefaultRules(), kDefaultSetup, kWhite, 0);
    }

    void SetUp(const VariantRules& rules, const std::string& setup, int side, int gamePly) {
        SetUpPosition(*game, rules, setup, side, gamePly);
        search->noiseAmplitude = 0;
        search->repetitionCount = 0;
    }
    using ::testing::Test::SetUp;

    std::unique_ptr<GameState> game = std::make_unique<GameState>();
    std::unique_ptr<SearchState> search = std::make_unique<SearchState>();
    Settings settings;
    RecordingUi ui;
    FakeClock clock;
    ScriptedRandom random;
    Engine e{*game, *search, settings, clock, random};
    GameState& g = *game;
    SearchState& s = *search;
};

}  // namespace zelkor::test
