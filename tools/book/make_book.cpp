// Rebuilds the shipped opening book and book games from the program's own moves: a racing
// player (each man's progress toward its own home corner) expands the first plies of three
// variants, and self-play fills the book-game folders. Run it on the data folder:
//   cmake --build build --target zelkor-make-book && build/bin/zelkor-make-book data
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/silent_ui.h"
#include "records/book.h"
#include "records/game_file.h"
#include "records/settings.h"
#include "records/text_file.h"
#include "rules/board.h"
#include "rules/game_setup.h"
#include "rules/make_move.h"
#include "rules/move_text.h"
#include "rules/movegen.h"
#include "rules/variant_file.h"
#include "rules/win.h"

namespace zelkor {
namespace {

std::unique_ptr<GameState> VariantGame(const std::filesystem::path& dataDir, int variant) {
    auto g = std::make_unique<GameState>();
    SetUpDefaultGame(*g);
    SilentUi ui;
    uint8_t number = static_cast<uint8_t>(variant);
    if (LoadVariant(*g, dataDir, number, ui) != VariantFileStatus::Loaded) return nullptr;
    g->active = g->defined;
    g->initialBoard = g->board;
    g->side = g->active.flag(BlackStarts) ? kBlack : kWhite;
    ApplyRules(*g);
    ResetGameTree(*g);
    return g;
}

int VariantNumber(const std::filesystem::path& dataDir, const std::string& name) {
    const auto names = ListVariantNames(dataDir, false);
    const auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? 0 : static_cast<int>(it - names.begin()) + 1;
}

bool PlayMoveText(GameState& g, const std::string& move) {
    if (g.gamePly >= kMaxGamePlies) return false;
    const auto [from, to] = BookMoveSquares(move);
    InitGameTree(g);
    GenerateMoves(g, 1);
    for (int i = g.plyStart[0]; i < g.plyStart[1]; ++i) {
        const Move m = g.movePool[i];
        if (m.Source != from || m.dest != to) continue;
        const MoveText text = DisplayMove(g, i);
        if (!PerformMove(g, i)) return false;
        const int ply = g.gamePly;
        g.gameRecord[ply] = m;
        g.gameRecord[ply + 1] = Move{};
        MoveTextRow& row = g.moveTexts[(ply + 1) / 2];
        const std::string field = text.compact + " " + text.display;
        if (ply % 2 == 1) {
            row.first = field;
            row.firstBy.assign(1, '3');
        } else {
            row.second = field;
            row.secondBy.assign(1, '3');
        }
        g.recordLength = ply;
        InitGameTree(g);
        return true;
    }
    return false;
}

std::vector<std::string> RacingMoves(GameState& g) {
    const int corner = g.active.home[g.sideIndex()][0];
    InitGameTree(g);
    GenerateMoves(g, 1);
    struct Scored {
        std::string text;
        int gain;
    };
    std::vector<Scored> moves;
    for (int i = g.plyStart[0]; i < g.plyStart[1]; ++i) {
        const Move& m = g.movePool[i];
        const std::string text = SquareName(m.Source) + SquareName(m.dest);
        if (std::any_of(moves.begin(), moves.end(),
                        [&](const Scored& s) { return s.text == text; }))
            continue;
        moves.push_back(
            {text, ManhattanDistance(m.Source, corner) - ManhattanDistance(m.dest, corner)});
    }
    std::stable_sort(moves.begin(), moves.end(),
                     [](const Scored& a, const Scored& b) { return a.gain > b.gain; });
    std::vector<std::string> texts;
    for (const auto& m : moves)
        texts.push_back(m.text);
    return texts;
}

void RacingGame(GameState& g, int plies, std::mt19937& rng) {
    for (int p = 0; p < plies; ++p) {
        const WinState win = CheckWinConditions(g);
        if (win.whiteWon || win.blackWon) return;
        const auto moves = RacingMoves(g);
        if (moves.empty()) return;
        const std::size_t pick = moves.size() > 1 ? rng() % 2 : 0;
        if (!PlayMoveText(g, moves[pick])) return;
    }
}

// The generator of the shipped files.
struct VariantPlan {
    int variant;
    std::vector<std::string> openings;    // names of the first moves
    std::vector<std::string> variations;  // names of the replies
};

void Expand(GameState& g, const std::vector<int>& widths, std::size_t depth, std::string units,
            std::vector<std::string>& lines) {
    const std::vector<std::string> moves =
        depth < widths.size() ? RacingMoves(g) : std::vector<std::string>{};
    if (moves.empty()) {
        lines.push_back(units);
        return;
    }
    const std::size_t width = std::min<std::size_t>(widths[depth], moves.size());
    for (std::size_t i = 0; i < width; ++i) {
        auto next = std::make_unique<GameState>(g);
        const char marker = g.side == kWhite ? 'w' : 'b';
        if (!PlayMoveText(*next, moves[i])) continue;
        Expand(*next, widths, depth + 1, units + moves[i] + marker, lines);
    }
}

std::string Section(const std::filesystem::path& dir, const VariantPlan& plan) {
    auto g = VariantGame(dir, plan.variant);
    std::string text = "Variant=" + g->defined.name + "\r\n";
    text += "Setup=" + SetupText(g->initialBoard) + "\r\n";
    for (int f = 0; f < kRuleFlagCount; ++f)
        text += std::string(kRuleFlagKeys[f]) + "=" + std::to_string(g->active.flags[f]) + "\r\n";
    text += "PromoW=" + HomeSquaresText(g->defined.home[0]) + "\r\n";
    text += "PromoB=" + HomeSquaresText(g->defined.home[1]) + "\r\n";
    text += "WhiteManMovement=" + g->active.directions[0] + "\r\n";
    text += "BlackManMovement=" + g->active.directions[1] + "\r\n";
    text += "start\r\n";
    std::vector<std::string> lines;
    Expand(*g, {3, 2, 2, 1, 1, 1, 1, 1}, 0, "", lines);
    std::string previous;
    for (const std::string& line : lines) {
        std::size_t shared = 0;
        while (shared + 5 <= line.size() && shared + 5 <= previous.size() &&
               line.compare(shared, 5, previous, shared, 5) == 0)
            shared += 5;
        text += std::string(shared, ' ') + line.substr(shared) + "\r\n";
        previous = line;
    }
    text += "names\r\n";
    std::vector<std::string> firsts;
    for (const std::string& line : lines) {
        const std::string first = line.substr(0, 4);
        if (std::find(firsts.begin(), firsts.end(), first) == firsts.end()) firsts.push_back(first);
    }
    for (std::size_t i = 0; i < firsts.size() && i < plan.openings.size(); ++i) {
        text += firsts[i] + "'" + plan.openings[i] + "'\r\n";
        std::vector<std::string> replies;
        for (const std::string& line : lines) {
            if (line.compare(0, 4, firsts[i]) != 0 || line.size() < 9) continue;
            const std::string reply = line.substr(5, 4);
            if (std::find(replies.begin(), replies.end(), reply) == replies.end())
                replies.push_back(reply);
        }
        for (std::size_t k = 0; k < replies.size() && k < plan.variations.size(); ++k)
            text += firsts[i] + " " + replies[k] + "'" + plan.openings[i] + ", " +
                    plan.variations[k] + "'\r\n";
    }
    text += "end\r\n";
    return text;
}

bool MakeShippedBook(const std::filesystem::path& dir) {
    const std::vector<VariantPlan> plans = {
        {VariantNumber(dir, "Halma"),
         {"Corner Opening", "Ladder Opening", "Flank Opening"},
         {"Main Line", "Counter Line"}},
        {VariantNumber(dir, "Orthogonal Halma"),
         {"Rook Opening", "File Opening", "Rank Opening"},
         {"Main Line", "Side Line"}},
        {VariantNumber(dir, "Black Begins"),
         {"Black Corner Opening", "Black Ladder Opening", "Black Flank Opening"},
         {"Main Line", "Counter Line"}},
    };
    std::string book = std::string(kFileSignature) + kDataVersion + "\r\n";
    for (const VariantPlan& plan : plans) {
        if (plan.variant <= 0) return false;
        book += Section(dir, plan);
    }
    if (!WriteFileSafely(dir / kBookFileName, book)) return false;

    Settings settings;
    for (const char* folder : {kWhiteBookGames, kBlackBookGames}) {
        std::filesystem::create_directories(dir / folder);
        for (int n = 1; n <= 3; ++n) {
            std::mt19937 rng(static_cast<unsigned>(n * 7 + (folder == kBlackBookGames ? 100 : 0)));
            auto g = VariantGame(dir, 1);
            // Each game of a folder opens differently, so the look-up has a choice.
            if (!PlayMoveText(*g, RacingMoves(*g)[n - 1])) return false;
            RacingGame(*g, 59, rng);
            g->comments[0] = "Racing play of the program's own moves";
            const std::string name = std::string(folder == kWhiteBookGames ? "white" : "black") +
                                     std::to_string(n) + ".zlk";
            if (!WriteGameFile(dir / folder / name, GameFileDataOf(*g, settings))) return false;
        }
    }
    return true;
}

}  // namespace
}  // namespace zelkor

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zelkor-make-book DATA-FOLDER\n");
        return 2;
    }
    return zelkor::MakeShippedBook(argv[1]) ? 0 : 1;
}
