// What the targets share: a headless user interface whose fatal path is observable, a
// clock that stands still, repeatable random numbers, and a game controller over a folder
// of the workspace, started as the program starts. The run log it opens is removed with
// it, so that a long fuzzing run does not fill the disk.
#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "fuzz_targets.h"
#include "game/controller.h"
#include "game/headless_ui.h"

namespace zelkor::fuzz {

struct Terminated : std::runtime_error {
    Terminated() : std::runtime_error("terminated") {}
};

// Terminate throws Terminated instead of ending the process.
class FuzzUi : public HeadlessGameUi {
  public:
    [[noreturn]] void Terminate() override { throw Terminated(); }
    void ProcessEvents() override {}
};

class StillClock : public Clock {
  public:
    double SecondsSinceMidnight() override { return 43200.0; }
    std::string DateText() override { return "06.12.2026"; }
    std::string TimeText() override { return "12:00:00"; }
    void Pause(double) override {}
};

class RepeatableRandom : public Random {
  public:
    double Uniform() override {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state_ >> 11) * (1.0 / 9007199254740992.0);
    }
    void Seed(unsigned long long seed) override { state_ = seed; }

  private:
    unsigned long long state_ = 1;
};

class ControllerRun {
  public:
    explicit ControllerRun(const std::string& folder) : dir_(Workspace() / folder) {
        std::filesystem::create_directories(dir_);
        if (!std::filesystem::exists(dir_ / "variants.ini"))
            std::filesystem::copy_file(Workspace() / "variants.ini", dir_ / "variants.ini");
        std::error_code error;
        std::filesystem::remove(dir_ / "zelkor.ini", error);
        controller = std::make_unique<GameController>(ui, clock, random, dir_);
        controller->StartUp();
        controller->settings().UseDepth = 1;
        controller->settings().SearchDepth = 1;
    }
    ~ControllerRun() {
        controller.reset();
        std::error_code error;
        std::filesystem::remove(dir_ / "zelkor.log", error);
    }
    const std::filesystem::path& dir() const { return dir_; }

    FuzzUi ui;
    StillClock clock;
    RepeatableRandom random;
    std::unique_ptr<GameController> controller;

  private:
    std::filesystem::path dir_;
};

// What every state the controller leaves must keep.
inline void CheckGameBounds(const GameState& g) {
    FUZZ_CHECK(g.gamePly >= 0 && g.gamePly <= g.recordLength);
    FUZZ_CHECK(g.recordLength <= kMaxGamePlies);
    FUZZ_CHECK(g.ply >= 0 && g.ply <= kMaxPly);
    FUZZ_CHECK(g.side == kWhite || g.side == kBlack);
    for (int square = 0; square < kBoardEntries; ++square) {
        const int piece = g.board[square];
        FUZZ_CHECK(IsPlayingSquare(square)
                       ? (piece == kEmpty || piece == kWhiteMan || piece == kBlackMan)
                       : piece == kOffBoard);
    }
}

}  // namespace zelkor::fuzz
