// A complete engine over test doubles, and positions written as lists of men.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/bench.h"
#include "engine/engine.h"
#include "support/fakes.h"

namespace zelkor::test {

// Hooks that count what the engine asked for.
class CountingHooks : public EngineHooks {
  public:
    std::pair<int, int> BookMove(bool fromGames) override {
        bookLookups.push_back(fromGames);
        return bookMove;
    }
    void RecordComputerMove(int depth, bool book) override {
        recordedDepths.push_back(depth);
        recordedBook.push_back(book);
    }
    void CutRecordToCurrentPly() override { ++cuts; }
    std::string UpdateRating(double playerScore) override {
        ratingUpdates.push_back(playerScore);
        return "\r\nRating";
    }
    void GameEndBookkeeping(int code) override { bookkeeping.push_back(code); }
    void RefreshLists() override { ++refreshes; }
    std::string RatingText() override { return "\r\nLast rating"; }

    std::pair<int, int> bookMove{0, 0};
    std::vector<bool> bookLookups;
    std::vector<int> recordedDepths;
    std::vector<bool> recordedBook;
    std::vector<double> ratingUpdates;
    std::vector<int> bookkeeping;
    int cuts = 0;
    int refreshes = 0;
};

// "E1" -> 1 style placements into the 64-character set-up text.
inline std::string SetupOf(std::initializer_list<std::pair<const char*, int>> men) {
    std::string text(64, '0');
    for (const auto& [name, value] : men) {
        const int square = SquareNumber(name);
        const int index = (square / 10 - 2) * 8 + (square % 10 - 1);
        text[index] = value == 1 ? '1' : '2';
    }
    return text;
}

class EngineTest : public ::testing::Test {
  protected:
    EngineTest() {
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
    CountingHooks hooks;
    Engine e{*game, *search, settings, ui, clock, random, hooks};
    GameState& g = *game;
    SearchState& s = *search;
};

}  // namespace zelkor::test
