// zelkor-cli selfplay: the computer plays both sides to the end, through the same
// controller as the window's Computer-Computer mode.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli/command.h"
#include "game/controller.h"
#include "game/headless_ui.h"
#include "rules/system_services.h"
#include "rules/variant_file.h"
#include "rules/win.h"

namespace zelkor::cli {
namespace {

// Real time for the search's limits, but no waiting between moves.
class NoPauseClock : public Clock {
  public:
    double SecondsSinceMidnight() override { return clock_.SecondsSinceMidnight(); }
    std::string DateText() override { return clock_.DateText(); }
    std::string TimeText() override { return clock_.TimeText(); }
    void Pause(double) override {}

  private:
    SystemClock clock_;
};

bool ReadNumber(const std::vector<std::string>& args, size_t& i, long& value) {
    if (i + 1 >= args.size()) return false;
    char* end = nullptr;
    value = std::strtol(args[i + 1].c_str(), &end, 10);
    if (end == args[i + 1].c_str() || *end != '\0') return false;
    ++i;
    return true;
}

// The side that made the last move has won; in a game decided before any move, the side to
// move when it met its winning condition, else the other side.
int Winner(const GameState& g) {
    if (g.gamePly > 0) return -g.side;
    return CheckWinConditions(g).won(g.side) ? g.side : -g.side;
}

int SelfPlay(const CliContext& context) {
    long games = 1, seconds = 0, depth = 2, variant = 1, seed = -1;
    bool useTime = false, verbose = false;
    const auto& args = context.args;
    for (size_t i = 0; i < args.size(); ++i) {
        bool ok = true;
        if (args[i] == "--games")
            ok = ReadNumber(args, i, games) && games >= 1;
        else if (args[i] == "--time") {
            ok = ReadNumber(args, i, seconds) && seconds >= 1 && seconds <= 180;
            useTime = true;
        } else if (args[i] == "--depth") {
            ok = ReadNumber(args, i, depth) && depth >= 1 && depth <= 20;
            useTime = false;
        } else if (args[i] == "--variant")
            ok = ReadNumber(args, i, variant) && variant >= 1 && variant <= 255;
        else if (args[i] == "--seed")
            ok = ReadNumber(args, i, seed) && seed >= 0;
        else if (args[i] == "--verbose")
            verbose = true;
        else
            ok = false;
        if (!ok) {
            std::fprintf(stderr, "selfplay: bad argument '%s'\n", args[i].c_str());
            return 2;
        }
    }

    HeadlessGameUi ui(verbose ? stdout : nullptr);
    NoPauseClock clock;
    SystemRandom random;
    if (seed >= 0) random.Seed(static_cast<unsigned long long>(seed));
    GameController controller(ui, clock, random, context.dataDir);
    Settings& settings = controller.settings();
    settings.UseDepth = useTime ? 0 : 1;
    settings.SearchDepth = static_cast<int32_t>(depth);
    if (useTime) settings.ThinkTime = static_cast<int16_t>(seconds);
    settings.ShowCalculation = 0;
    controller.SelectVariant(static_cast<int>(variant));
    // A variant the file does not hold, or a file that cannot be used, is no game to play.
    const std::string file = (std::filesystem::path(context.dataDir) / kVariantFileName).string();
    if (ui.messagesShown() > 0) {
        std::fprintf(stderr, "selfplay: %s\n", ui.lastMessage().c_str());
        return 1;
    }
    if (settings.Variant != variant || (controller.variantFileMissing() && variant != 1)) {
        std::fprintf(stderr, "selfplay: %s holds no variant %ld\n", file.c_str(), variant);
        return 1;
    }

    int whiteWins = 0, blackWins = 0, draws = 0, unfinished = 0;
    for (long n = 1; n <= games; ++n) {
        controller.NewGameCommand(false);
        controller.RunComputerComputer();
        const GameState& g = controller.game();
        const std::string status = ui.Text(Display::Status);
        std::string result;
        if (!g.gameOver || g.gamePly >= kMaxGamePlies) {
            result = "unfinished";
            ++unfinished;
        } else if (status.find("draw") != std::string::npos) {
            result = "draw";
            ++draws;
        } else if (Winner(g) == kWhite) {
            result = "White wins";
            ++whiteWins;
        } else {
            result = "Black wins";
            ++blackWins;
        }
        std::printf("game %ld: %s: %s after %d plies%s%s\n", n, g.defined.name.c_str(),
                    result.c_str(), g.gamePly, g.resultText.empty() ? "" : ", ",
                    g.resultText.c_str());
    }
    std::printf("total: %ld games, White %d, Black %d, draws %d, unfinished %d\n", games, whiteWins,
                blackWins, draws, unfinished);
    return 0;
}

const CliCommand kSelfPlay("selfplay",
                           "[--games N] [--time SECONDS | --depth N] [--variant N] [--seed N] "
                           "[--verbose]",
                           SelfPlay);

}  // namespace
}  // namespace zelkor::cli
