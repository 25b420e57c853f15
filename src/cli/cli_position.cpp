#include "cli/cli_position.h"

#include <cstdio>
#include <filesystem>

#include "app/system_services.h"
#include "cli/headless_ui.h"
#include "game/controller.h"
#include "rules/board.h"
#include "rules/game_setup.h"
#include "rules/make_move.h"

namespace zelkor::cli {
namespace {

// Replaying a file runs the game-end test after every move; nothing should wait for it.
class NoPauseClock : public SystemClock {
  public:
    void Pause(double) override {}
};

// Replays the game file through the game's own loader; the position after its last move
// lands in g. 0 on success, else 1 with the loader's message on stderr.
int LoadGame(const std::filesystem::path& file, const std::string& dataDir, GameState& g) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        std::fprintf(stderr, "zelkor-cli: cannot read %s\n", file.string().c_str());
        return 1;
    }
    HeadlessGameUi ui;
    NoPauseClock clock;
    SystemRandom random;
    GameController controller(ui, clock, random, dataDir);
    if (!controller.LoadGameFile(file)) {
        std::fprintf(stderr, "zelkor-cli: %s: %s\n", file.string().c_str(),
                     ui.lastMessage().c_str());
        return 1;
    }
    g = controller.game();
    g.faultReport = nullptr;  // the loader's interface ends here
    g.cancelRequest = CancelRequest::None;
    InitGameTree(g);
    return 0;
}

}  // namespace

int PreparePosition(const CliContext& context, size_t fileArg, GameState& g) {
    if (context.args.size() > fileArg) return LoadGame(context.args[fileArg], context.dataDir, g);
    SetUpDefaultGame(g);
    return 0;
}

std::string RootMoveText(int from, int to, bool jump) {
    return SquareName(from) + (jump ? "x" : "-") + SquareName(to);
}

int CliEngine::Prepare(const CliContext& context, size_t fileArg) {
    const int status = PreparePosition(context, fileArg, *game);
    game->faultReport = &faultReport;
    return status;
}

}  // namespace zelkor::cli
