// zelkor-cli selfplay: the computer plays both sides to the end, through the same
// controller as the window's Computer-Computer mode. With --book one side or both take
// their moves from the book file while it has them, so the book's worth can be measured.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "app/system_services.h"
#include "cli/command.h"
#include "cli/headless_ui.h"
#include "game/controller.h"
#include "game/no_pause_clock.h"
#include "records/text_file.h"
#include "records/variant_file.h"
#include "rules/win.h"

namespace zelkor::cli {
namespace {

// The controller with the book open to the chosen sides only, counting each side's
// thinking time (processor time, which other programs on the machine do not distort) and
// book moves over the game and over its opening.
class MatchController : public GameController {
  public:
    using GameController::GameController;
    static constexpr int kOpeningPlies = 16;
    bool bookFor[2] = {false, false};
    double seconds[2] = {0, 0}, openingSeconds[2] = {0, 0};
    int bookMoves[2] = {0, 0};

    void StartTiming() { last_ = std::clock(); }
    std::pair<int, int> BookMove(bool fromGames) override {
        if (!bookFor[game().sideIndex()]) return {0, 0};
        return GameController::BookMove(fromGames);
    }
    void RecordComputerMove(int depth, bool bookMove) override {
        const double spent = static_cast<double>(std::clock() - last_) / CLOCKS_PER_SEC;
        const int mover = game().sideIndex() == 0 ? 1 : 0;  // the move is already made
        seconds[mover] += spent;
        if (game().gamePly <= kOpeningPlies) openingSeconds[mover] += spent;
        if (bookMove) ++bookMoves[mover];
        GameController::RecordComputerMove(depth, bookMove);
        last_ = std::clock();
    }

  private:
    std::clock_t last_ = 0;
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

// A time a move from 0.1 to 180 seconds, in tenths.
bool ReadSeconds(const std::vector<std::string>& args, size_t& i, double& seconds) {
    if (i + 1 >= args.size()) return false;
    char* end = nullptr;
    const double value = std::strtod(args[i + 1].c_str(), &end);
    if (end == args[i + 1].c_str() || *end != '\0' || !(value >= 0.1 && value <= 180)) return false;
    seconds = std::round(value * 10) / 10;
    ++i;
    return true;
}

std::string SecondsText(double seconds) {
    char text[16];
    std::snprintf(text, sizeof text, seconds == static_cast<int>(seconds) ? "%.0f" : "%.1f",
                  seconds);
    return text;
}

int SelfPlay(const CliContext& context) {
    long games = 1, depth = 2, variant = 1, seed = -1, strength = 9;
    double seconds = 0;
    bool useTime = false, verbose = false;
    std::string book = "none", save;
    const auto& args = context.args;
    for (size_t i = 0; i < args.size(); ++i) {
        bool ok = true;
        if (args[i] == "--games")
            ok = ReadNumber(args, i, games) && games >= 1;
        else if (args[i] == "--time") {
            ok = ReadSeconds(args, i, seconds);
            useTime = true;
        } else if (args[i] == "--depth") {
            ok = ReadNumber(args, i, depth) && depth >= 1 && depth <= 20;
            useTime = false;
        } else if (args[i] == "--variant")
            ok = ReadNumber(args, i, variant) && variant >= 1 && variant <= 255;
        else if (args[i] == "--seed")
            ok = ReadNumber(args, i, seed) && seed >= 0;
        else if (args[i] == "--strength")
            ok = ReadNumber(args, i, strength) && strength >= 1 && strength <= 10;
        else if (args[i] == "--book" && i + 1 < args.size()) {
            book = args[++i];
            ok = book == "white" || book == "black" || book == "both" || book == "none";
        } else if (args[i] == "--save" && i + 1 < args.size())
            save = args[++i];
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
    SystemClock systemClock;
    NoPauseClock clock(systemClock);
    // Ten ticks of the faster clock make the time of a move that is not a whole number of seconds.
    const bool wholeSeconds = seconds == static_cast<int>(seconds);
    if (useTime && !wholeSeconds) clock.speed = 10 / seconds;
    SystemRandom random;
    if (seed >= 0) random.Seed(static_cast<unsigned long long>(seed));
    MatchController controller(ui, clock, random, context.dataDir);
    controller.bookFor[0] = book == "white" || book == "both";
    controller.bookFor[1] = book == "black" || book == "both";
    Settings& settings = controller.settings();
    settings.Handicap = static_cast<uint8_t>(10 - strength);
    settings.UseBook = book == "none" ? 0 : 1;
    settings.BookFromGames = 0;
    settings.UseDepth = useTime ? 0 : 1;
    settings.SearchDepth = static_cast<int32_t>(depth);
    if (useTime) settings.ThinkTime = static_cast<int16_t>(wholeSeconds ? seconds : 10);
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
        controller.StartTiming();
        controller.RunComputerComputer();
        GameState& g = controller.game();
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
        if (!save.empty()) {
            g.comments[0] =
                "Self-play by zelkor-cli at strength " + std::to_string(strength) + ", " +
                (useTime ? SecondsText(seconds) + " s a move" : "depth " + std::to_string(depth)) +
                ", book " + book + ": " + result;
            if (!controller.SaveGameFile(save)) {
                std::fprintf(stderr, "selfplay: cannot write %s%s\n", save.c_str(),
                             IsWriteProtected(save) ? ": it is write-protected" : "");
                return 1;
            }
        }
    }
    for (int side = 0; side < 2; ++side)
        std::printf("%s: book %s, %d book moves, %.2f s thinking, %.2f s in the first %d plies\n",
                    side == 0 ? "White" : "Black", controller.bookFor[side] ? "on" : "off",
                    controller.bookMoves[side], controller.seconds[side],
                    controller.openingSeconds[side], MatchController::kOpeningPlies);
    std::printf("total: %ld games, White %d, Black %d, draws %d, unfinished %d\n", games, whiteWins,
                blackWins, draws, unfinished);
    return 0;
}

const CliCommand kSelfPlay("selfplay",
                           "[--games N] [--time SECONDS | --depth N] [--variant N] [--seed N] "
                           "[--strength 1-10] [--book white|black|both|none] [--save FILE.zlk] "
                           "[--verbose]",
                           SelfPlay);

}  // namespace
}  // namespace zelkor::cli
