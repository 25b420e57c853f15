// A controller over a temporary data folder holding the shipped variant file.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>

#include "game/controller.h"
#include "support/fakes.h"

namespace zelkor::test {

using C = Command;
using D = Display;

inline const std::string kGameHeader = "ZELKOR Version=0.10\r\nVariant=1\r\n";
// Moves that go back and forth from the start.
constexpr const char* kShuffle[] = {"e1d2", "d8e7", "d2e1", "e7d8"};

class ControllerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy_file(ShippedDataDir() / "variants.ini", dir.path() / "variants.ini");
        Start();
    }

    void Start(const std::filesystem::path& folder = {}) {
        controller.reset();
        controller = std::make_unique<GameController>(ui, clock, random,
                                                      folder.empty() ? dir.path() : folder);
        controller->StartUp();
        controller->settings().UseDepth = 1;
        controller->settings().SearchDepth = 1;
    }

    GameController& c() { return *controller; }
    GameSession& g() { return controller->game(); }

    // True when the game took the typed move(s).
    bool Type(const std::string& move) {
        const int before = g().gamePly;
        c().TypedMove(move);
        return g().gamePly != before;
    }

    bool PlayerPlayer(std::initializer_list<const char*> moves) {
        c().SelectPlayerPlayer();
        for (const char* move : moves)
            if (!Type(move)) return false;
        return true;
    }

    // e1d2 d8e7 d2e1 e7d8 ... in Player-Player mode, with the draw rules off.
    void PlayShuffle(int plies) {
        c().SelectPlayerPlayer();
        c().settings().ChessDrawRules = 0;
        for (int ply = 0; ply < plies; ++ply)
            ASSERT_TRUE(Type(kShuffle[ply % 4])) << ply;
    }

    static int Sq(const char* name) { return SquareNumber(std::string(1, name[0] - 32) + name[1]); }

    // A hand-set position, White to move: White men in upper case, Black men in lower case.
    void SetUpMen(const std::string& men) {
        c().SetupClearBoard();
        std::istringstream in(men);
        for (std::string man; in >> man;) {
            const int value = man[0] < 'a' ? kWhiteMan : kBlackMan;
            man[0] = static_cast<char>(man[0] & ~0x20);  // the upper case letter
            c().SetupSquare(SquareNumber(man), value);
        }
        c().SetupSideToMove(kWhite);
        c().SetupPopupClosed();
    }

    // A new game, quitting the one in play.
    void NewGame() {
        ui.answers = {Answer::Yes};
        c().NewGameCommand(false);
    }

    std::string Last() const { return ui.messages.empty() ? "" : Shown(ui.messages.back()); }
    // True when a message with this title was shown and its text holds `part`.
    bool Told(const std::string& title, const std::string& part) const {
        return std::any_of(ui.messages.begin(), ui.messages.end(), [&](const ShownMessage& m) {
            return m.title == title && m.text.find(part) != std::string::npos;
        });
    }
    // One character per command: 1 when enabled (or checked), 0 when not.
    std::string Enabled(std::initializer_list<Command> commands, bool checked = false) const {
        std::string flags;
        for (Command command : commands)
            flags += (checked ? ui.checked(command) : ui.enabled(command)) ? '1' : '0';
        return flags;
    }
    std::string Checked(std::initializer_list<Command> commands) const {
        return Enabled(commands, true);
    }
    std::string Text(Display display) const { return ui.Text(display); }

    TempDir dir;
    RecordingUi ui;
    FakeClock clock;
    ScriptedRandom random;
    std::unique_ptr<GameController> controller;
};

}  // namespace zelkor::test
