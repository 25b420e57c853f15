#include "rules/perft.h"

#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor {

uint64_t Perft(GameState& g, int depth) {
    if (depth <= 0) return 1;
    GenerateMoves(g, MoveSet::All);
    const int first = g.plyStart[g.ply];
    const int end = g.plyStart[g.ply + 1];
    if (depth == 1) return static_cast<uint64_t>(end - first);
    uint64_t nodes = 0;
    for (int i = first; i < end; ++i) {
        if (!PerformMove(g, i)) continue;
        nodes += Perft(g, depth - 1);
        TakeBackMove(g, i);
    }
    return nodes;
}

std::vector<PerftEntry> PerftDivide(GameState& g, int depth) {
    std::vector<PerftEntry> entries;
    GenerateMoves(g, MoveSet::All);
    const int first = g.plyStart[g.ply];
    const int end = g.plyStart[g.ply + 1];
    for (int i = first; i < end; ++i) {
        const Move m = g.movePool[i];
        PerftEntry e{m.Source, m.dest, m.jump == 1, 1};
        if (depth > 1 && PerformMove(g, i)) {
            e.count = Perft(g, depth - 1);
            TakeBackMove(g, i);
        }
        entries.push_back(e);
    }
    return entries;
}

}  // namespace zelkor
