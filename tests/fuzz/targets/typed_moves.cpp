// The move box: every input line is typed as a move. A line starting with one of the bytes
// 1..5 runs Back, Forward, First, Last or a direct InputMove instead. The first byte picks
// the play mode (the computer answers at depth 1 in Player-Computer play).
#include "controller_run.h"
#include "fuzz_targets.h"

namespace zelkor::fuzz {

int FuzzTypedMoves(const uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    ControllerRun run("typed");
    GameController& c = *run.controller;
    try {
        if (data[0] & 1)
            c.SelectPlayerPlayer();
        else
            c.SelectPlayerComputer();
        const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
        std::size_t start = 0;
        for (int lines = 0; start <= text.size() && lines < 300; ++lines) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            const std::string line = text.substr(start, end - start);
            start = end + 1;
            using Step = void (GameController::*)();
            const Step steps[] = {&GameController::Back, &GameController::Forward,
                                  &GameController::First, &GameController::Last};
            const int first = line.empty() ? 0 : line[0];
            if (first >= 1 && first <= 4)
                (c.*steps[first - 1])();
            else if (first == 5)
                c.InputMove(line.substr(1));
            else
                c.TypedMove(line);
            CheckGameBounds(c.game());
        }
    } catch (const Terminated&) {
    }
    return 0;
}

}  // namespace zelkor::fuzz
