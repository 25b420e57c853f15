#include "book_maker.h"

#include <algorithm>
#include <cstdlib>

#include "records/book.h"
#include "rules/board.h"
#include "rules/game_setup.h"
#include "rules/make_move.h"
#include "rules/move_text.h"
#include "rules/movegen.h"
#include "rules/variant_file.h"
#include "rules/win.h"
#include "support/fakes.h"

namespace zelkor::test {

std::unique_ptr<GameState> StartPosition() {
    auto g = std::make_unique<GameState>();
    g->active = DefaultRules();
    ApplySetupText(kDefaultSetup, g->board);
    g->initialBoard = g->board;
    for (int s = 0; s < 2; ++s)
        ParseDirections(g->active.directions[s], s, g->directions);
    return g;
}

void RecordTexts(GameState& g, const std::vector<std::string>& moves) {
    for (const std::string& m : moves) {
        const int ply = ++g.recordLength;
        MoveTextRow& row = g.moveTexts[(ply + 1) / 2];
        std::string& text = ply % 2 == 1 ? row.first : row.second;
        text = m;
        text.append(" ").append(m, 0, 2).append("-").append(m, 2);
        (ply % 2 == 1 ? row.firstBy : row.secondBy).assign(1, '2');
        g.side = -g.side;
    }
    g.gamePly = g.recordLength;
}

std::unique_ptr<GameState> VariantGame(const std::filesystem::path& dataDir, int variant) {
    auto g = std::make_unique<GameState>();
    SetUpDefaultGame(*g);
    RecordingUi ui;
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

}  // namespace zelkor::test
