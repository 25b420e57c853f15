#include "replay_helpers.h"

#include <algorithm>
#include <cstdlib>

#include "records/book.h"
#include "rules/board.h"
#include "rules/game_setup.h"
#include "rules/make_move.h"
#include "rules/move_text.h"
#include "rules/movegen.h"
#include "rules/variant_file.h"
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

}  // namespace zelkor::test
