// The fuzz targets. A controller's run log is removed after each input, not to fill the disk.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "app/system_services.h"
#include "fuzz_targets.h"
#include "game/controller.h"
#include "game/silent_ui.h"
#include "records/book.h"
#include "records/book_choice.h"
#include "records/game_file.h"
#include "records/rating.h"
#include "records/settings_file.h"
#include "records/variant_file.h"
#include "rules/game_setup.h"
#include "rules/make_move.h"
#include "rules/movegen.h"

#define FUZZ_CHECK(condition) \
    ((condition) ? (void)0 : ::zelkor::fuzz::Fail(__FILE__, __LINE__, #condition))

namespace zelkor::fuzz {

const std::vector<NamedTarget>& AllTargets() {
    static const std::vector<NamedTarget> targets = {{"variant_file", FuzzVariantFile},
                                                     {"game_file", FuzzGameFile},
                                                     {"game_replay", FuzzGameReplay},
                                                     {"settings_file", FuzzSettingsFile},
                                                     {"book", FuzzBook},
                                                     {"rating_file", FuzzRatingFile},
                                                     {"typed_moves", FuzzTypedMoves}};
    return targets;
}

namespace {

namespace fs = std::filesystem;

// An abort, which libFuzzer records as a crash.
[[noreturn]] void Fail(const char* file, int line, const char* what) {
    std::fprintf(stderr, "%s:%d: broken promise: %s\n", file, line, what);
    std::fflush(stderr);
    std::abort();
}

// A scratch folder with a copy of the shipped variants.ini, removed at the process's end.
const fs::path& Workspace() {
    static const struct Scratch {
        fs::path path;
        Scratch() {
            std::string pattern = (fs::temp_directory_path() / "zelkor-fuzz-XXXXXX").string();
            if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
            path = pattern;
            fs::copy_file(fs::path(ZELKOR_SHIPPED_DATA_DIR) / "variants.ini",
                          path / "variants.ini");
        }
        ~Scratch() {
            std::error_code error;
            fs::remove_all(path, error);
        }
    } scratch;
    return scratch.path;
}

fs::path WriteInput(const std::string& name, const uint8_t* data, std::size_t size) {
    const fs::path path = Workspace() / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

struct Terminated : std::runtime_error {
    Terminated() : std::runtime_error("terminated") {}
};

// Answers as zelkor-cli's games do: Yes to confirmations, No to the computer's draw proposal.
class FuzzUi : public SilentUi {
  public:
    Answer Message(const std::string& text, const std::string& title, Icon icon,
                   Buttons buttons) override {
        SilentUi::Message(text, title, icon, buttons);
        if (buttons != Buttons::YesNo) return Answer::Ok;
        return title == "Question" ? Answer::No : Answer::Yes;
    }
    [[noreturn]] void Terminate() override { throw Terminated(); }
    void ProcessEvents() override {}
    UiFaultReport faultReport{*this};
};

class StillClock : public Clock {
  public:
    double SecondsSinceMidnight() override { return 43200.0; }
    std::string DateText() override { return "06.12.2026"; }
    std::string TimeText() override { return "12:00:00"; }
    void Pause(double) override {}
};

// A controller started as the program starts, over the workspace's folder `folder`.
struct ControllerRun {
    explicit ControllerRun(const std::string& folder) : dir(Workspace() / folder) {
        fs::create_directories(dir);
        std::error_code error;
        fs::copy_file(Workspace() / "variants.ini", dir / "variants.ini", error);
        fs::remove(dir / "zelkor.ini", error);
        random.Seed(1);
        controller = std::make_unique<GameController>(ui, clock, random, dir);
        controller->StartUp();
        controller->settings().UseDepth = 1;
        controller->settings().SearchDepth = 1;
    }
    ~ControllerRun() {
        controller.reset();
        std::error_code error;
        fs::remove(dir / "zelkor.log", error);
    }

    fs::path dir;
    FuzzUi ui;
    StillClock clock;
    SystemRandom random;
    std::unique_ptr<GameController> controller;
};

// What every state the controller leaves must keep.
void CheckGameBounds(const GameState& g) {
    FUZZ_CHECK(g.gamePly >= 0 && g.gamePly <= g.recordLength && g.recordLength <= kMaxGamePlies);
    FUZZ_CHECK(g.ply >= 0 && g.ply <= kMaxPly && (g.side == kWhite || g.side == kBlack));
    for (int square = 0; square < kBoardEntries; ++square)
        FUZZ_CHECK(IsPlayingSquare(square) ? std::abs(g.board[square]) <= 1
                                           : g.board[square] == kOffBoard);
}

std::unique_ptr<GameState> NewGame(FuzzUi& ui) {
    auto g = std::make_unique<GameState>();
    g->faultReport = &ui.faultReport;
    SetUpDefaultGame(*g);
    return g;
}

// Plays up to `plies` moves, the k-th the pick(k, count)-th legal one; returns how many.
template <class Pick>
int PlayMoves(GameState& g, int plies, Pick pick) {
    int k = 0;
    for (; k < plies; ++k) {
        InitGameTree(g);
        GenerateMoves(g, MoveSet::All);
        const int count = MoveCount(g);
        if (count == 0) break;
        const int chosen = g.plyStart[0] + pick(k, count);
        FUZZ_CHECK(PerformMove(g, chosen));
        g.gameRecord[g.gamePly] = g.movePool[chosen];  // the record counts from 1
        g.recordLength = g.gamePly;
    }
    InitGameTree(g);
    return k;
}

}  // namespace

// variants.ini: the new game's loader, the dialog's reader, the name list, then a few moves.
int FuzzVariantFile(const uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    uint8_t variant = data[0];
    const fs::path dir = WriteInput("variants/variants.ini", data + 1, size - 1).parent_path();
    FuzzUi ui;
    auto g = NewGame(ui);
    try {
        const VariantFileStatus status = LoadVariant(*g, dir, variant, ui);
        FUZZ_CHECK(status != VariantFileStatus::Loaded || variant >= 1);
        FUZZ_CHECK(ListVariantNames(dir, false).size() <= static_cast<std::size_t>(kMaxVariants));
        if (status == VariantFileStatus::Loaded) {
            uint8_t again = variant;
            ReadVariantForDialog(*g, dir, again, ui);
            g->active = g->defined;
            ApplyRules(*g);
            ResetGameTree(*g);
            PlayMoves(*g, 4, [](int k, int count) { return k % count; });
        }
    } catch (const Terminated&) {  // "Error found!": a legitimate end for a broken file
    }
    return 0;
}

// *.zlk, the reader alone: bounded lists whatever the file holds.
int FuzzGameFile(const uint8_t* data, std::size_t size) {
    const GameFileContents contents = ReadGameFile(WriteInput("game.zlk", data, size));
    int moves = 0;
    for (const GameFileItem& item : contents.body)
        if (item.kind == GameFileItem::Kind::Move)
            FUZZ_CHECK(++moves <= kMaxGamePlies && item.text.size() <= kMaxMoveLineLength);
    FUZZ_CHECK(contents.linesAfterStart >= 0);
    std::string title;
    GameFileStatusMessage(contents.status, "game.zlk", &title);
    return 0;
}

// *.zlk through the controller; a loaded game saved again loads to the same game.
int FuzzGameReplay(const uint8_t* data, std::size_t size) {
    ControllerRun run("replay");
    const fs::path file = WriteInput("replay/game.zlk", data, size);
    try {
        GameController& c = *run.controller;
        if (!c.LoadGameFile(file)) return 0;
        const GameState& g = c.game();
        CheckGameBounds(g);
        const Board board = g.board;
        const int side = g.side, plies = g.recordLength;
        FUZZ_CHECK(c.SaveGameFile(run.dir / "again.zlk") && c.LoadGameFile(run.dir / "again.zlk"));
        CheckGameBounds(g);
        FUZZ_CHECK(g.recordLength == plies);
        c.Last();
        FUZZ_CHECK(g.gamePly != plies || (g.board == board && g.side == side));
    } catch (const Terminated&) {
    }
    return 0;
}

// zelkor.ini: read, written back, read again to the same lines.
int FuzzSettingsFile(const uint8_t* data, std::size_t size) {
    const fs::path dir = WriteInput("settings/zelkor.ini", data, size).parent_path();
    Settings settings;
    const SettingsReadResult result = ReadSettings(settings, dir);
    if (result.status == SettingsReadStatus::Invalid) {
        FUZZ_CHECK(result.line >= 1 && result.line <= kSettingsLines);
        return 0;
    }
    const std::vector<std::string> lines = SettingsLines(settings);
    FUZZ_CHECK(lines.size() == static_cast<std::size_t>(kSettingsLines) &&
               WriteSettings(settings, dir));
    Settings again;
    FUZZ_CHECK(ReadSettings(again, dir).status == SettingsReadStatus::Read);
    FUZZ_CHECK(SettingsLines(again) == lines);
    return 0;
}

// Byte 0 picks the look-up (name, book move, book games), byte 1 the plies played first.
int FuzzBook(const uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int mode = data[0] % 3;
    FuzzUi ui;
    auto g = NewGame(ui);
    const int plies = static_cast<int>(std::min<std::size_t>(data[1] % 8, size - 2));
    const std::size_t used =
        2 + PlayMoves(*g, plies, [&](int k, int count) { return data[2 + k] % count; });
    const fs::path dir = Workspace() / "book";
    const std::string name = mode == 2 ? (g->side == kWhite ? "book/white bookgames/a.zlk"
                                                            : "book/black bookgames/a.zlk")
                                       : "book/zelkor.bok";
    WriteInput(name, data + used, size - used);
    SystemRandom random;
    random.Seed(data[0]);
    try {
        const BookResult result =
            mode == 2 ? GamesBookLookup(*g, dir, ui) : FileBookLookup(mode, *g, dir, random, ui);
        FUZZ_CHECK(result.bookMoves.size() <= static_cast<std::size_t>(kShownBookMoves));
        FUZZ_CHECK(result.from == 0 ||
                   (IsPlayingSquare(result.from) && IsPlayingSquare(result.to)));
    } catch (const Terminated&) {
    }
    return 0;
}

// zelkor.rtg: a rating in range, written and read back.
int FuzzRatingFile(const uint8_t* data, std::size_t size) {
    const fs::path dir = WriteInput("rating/zelkor.rtg", data, size).parent_path();
    const int rating = ReadRatingFile(dir);
    FUZZ_CHECK(rating >= 0 && rating <= kMaxRating && WriteRatingFile(dir, rating) &&
               ReadRatingFile(dir) == rating);
    const std::string text(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(RatingValue(DecodeRating(text)) <= kMaxRating);
    return 0;
}

// The move box by line; bytes 1..5 run Back, Forward, First, Last, InputMove; byte 0 picks a mode.
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
