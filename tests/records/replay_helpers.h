// Replaying move texts ("c3d4") in a variant's new game, as the tests of the book and the
// game files need it.
#pragma once

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "records/book.h"
#include "rules/board.h"
#include "rules/game_setup.h"
#include "rules/make_move.h"
#include "rules/move_text.h"
#include "rules/movegen.h"
#include "rules/variant_file.h"
#include "support/fakes.h"

namespace zelkor::test {

// The default variant's start position with its rules and direction tables, White to move.
inline std::unique_ptr<GameState> StartPosition() {
    auto g = std::make_unique<GameState>();
    g->active = DefaultRules();
    ApplySetupText(kDefaultSetup, g->board);
    g->initialBoard = g->board;
    for (int s = 0; s < 2; ++s)
        ParseDirections(g->active.directions[s], s, g->directions);
    return g;
}

// Records plies as the move list does ("c3d4 c3-d4", made by the player) without applying
// them: the record files and the book read only the texts.
inline void RecordTexts(GameState& g, const std::vector<std::string>& moves) {
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

// A new game of variant number `variant` of the folder's variants.ini, as a new game
// lays it out: the variant's rules in force, its set-up, its side to move.
inline std::unique_ptr<GameState> VariantGame(const std::filesystem::path& dataDir, int variant) {
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

// The number of the variant with this name in the folder's variants.ini, 0 when none.
inline int VariantNumber(const std::filesystem::path& dataDir, const std::string& name) {
    const auto names = ListVariantNames(dataDir, false);
    const auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? 0 : static_cast<int>(it - names.begin()) + 1;
}

// Plays a move given as "c3d4" (either case) when it is legal, recording it in the move
// list texts, the game record and the record length as a replayed move would be.
inline bool PlayMoveText(GameState& g, const std::string& move) {
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
