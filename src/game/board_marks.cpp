#include "game/board_marks.h"

#include <algorithm>
#include <cstdlib>

#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor {

namespace {

constexpr int kTerminator = -99;
// A chain search over a crowded board stops looking after this many hops.
constexpr int kMaxHopsTried = 20000;

bool IsMan(int value) {
    return value == kWhiteMan || value == kBlackMan;
}

std::vector<int> DirectionsOf(const GameState& g, int row) {
    std::vector<int> result;
    if (row < 0 || row >= static_cast<int>(g.directions.size())) return result;
    for (int16_t d : g.directions[row]) {
        if (d == kTerminator) break;
        if (d == kNorth || d == kSouth || d == kEast || d == kWest || d == kNorthEast ||
            d == kNorthWest || d == kSouthEast || d == kSouthWest)
            result.push_back(d);
    }
    return result;
}

int SideIndexOfMan(int man) {
    return man == kWhiteMan ? 0 : 1;
}

bool IsStepTarget(const GameState& g, const Board& board, int from, int to) {
    if (!IsMan(board[from])) return false;
    const bool slides = g.rule(LongKings) == 1;
    for (int d : DirectionsOf(g, SideIndexOfMan(board[from]))) {
        for (int s = from + d; board[s] == kEmpty; s += d) {
            if (s == to) return true;
            if (!slides) break;
        }
    }
    return false;
}

bool HasStep(const GameState& g, const Board& board, int from) {
    if (!IsMan(board[from])) return false;
    for (int d : DirectionsOf(g, SideIndexOfMan(board[from])))
        if (board[from + d] == kEmpty) return true;
    return false;
}

// Every chain of hops from `from`, depth first; `found` gets a route for each landing
// square (the first found, and a longer one replaces it when `longest`).
struct ChainWalk {
    const GameState& g;
    Board board;
    std::vector<int> jumps;
    bool longest;
    int start;
    int tried = 0;
    std::vector<int> path{};
    std::vector<std::vector<int>> found;  // indexed by square: the stops, empty when none

    void Walk(int at) {
        for (int d : jumps) {
            if (++tried > kMaxHopsTried) return;
            const int over = at + d;
            const int land = over + d;
            if (!IsPlayingSquare(over) || !IsPlayingSquare(land)) continue;
            if (!IsMan(board[over]) || board[land] != kEmpty || land == start) continue;
            path.push_back(land);
            std::vector<int>& best = found[land];
            if (best.empty() || (longest ? path.size() > best.size() : path.size() < best.size()))
                best = path;
            board[land] = kChainMark;  // left squares are neither landed on nor jumped
            Walk(land);
            board[land] = kEmpty;
            path.pop_back();
        }
    }
};

// The landing squares of a long jump (a slide to the first man, landing behind it) and
// the squares it runs over.
void LongJumps(const GameState& g, const Board& board, int from,
               std::vector<std::pair<int, MoveRoute>>& out) {
    const bool first = g.rule(KingFirst) == 1;
    for (int d : DirectionsOf(g, SideIndexOfMan(board[from]) + 2)) {
        int over = from + d;
        while (board[over] == kEmpty)
            over += d;
        if (!IsMan(board[over])) continue;
        for (int land = over + d; board[land] == kEmpty; land += d) {
            MoveRoute route;
            route.stops = {from, land};
            for (int s = from + d; s != land; s += d)
                route.passed.push_back(s);
            out.emplace_back(land, route);
            if (first) break;
        }
    }
}

std::vector<std::pair<int, MoveRoute>> JumpRoutes(const GameState& g, const Board& board,
                                                  int from) {
    std::vector<std::pair<int, MoveRoute>> routes;
    if (!IsPlayingSquare(from) || !IsMan(board[from])) return routes;
    if (g.rule(LongKings) == 1) {
        LongJumps(g, board, from, routes);
        return routes;
    }
    ChainWalk walk{.g = g,
                   .board = board,
                   .jumps = DirectionsOf(g, SideIndexOfMan(board[from]) + 2),
                   .longest = g.rule(MaxCapMove) == 1 || g.rule(MulJumps) == 1,
                   .start = from,
                   .found = std::vector<std::vector<int>>(kBoardEntries)};
    walk.board[from] = kChainMark;
    walk.Walk(from);
    for (int square = 0; square < kBoardEntries; ++square) {
        if (walk.found[square].empty()) continue;
        MoveRoute route;
        route.stops.push_back(from);
        route.stops.insert(route.stops.end(), walk.found[square].begin(), walk.found[square].end());
        routes.emplace_back(square, route);
    }
    return routes;
}

// The legal moves of the side to move, as (from, to, jump).
struct LegalMove {
    int from, to;
    bool jump;
};
std::vector<LegalMove> MovesOf(const GameState& g) {
    std::vector<LegalMove> moves;
    for (const Move& m : LegalMoves(g))
        moves.push_back({m.Source, m.dest, m.jump == 1});
    return moves;
}

std::vector<int> Sources(const std::vector<LegalMove>& moves) {
    std::vector<int> squares;
    for (const LegalMove& m : moves)
        if (std::find(squares.begin(), squares.end(), m.from) == squares.end())
            squares.push_back(m.from);
    std::sort(squares.begin(), squares.end(), [](int a, int b) {
        return SquareName(a) < SquareName(b);  // in reading order: c3 before e1
    });
    return squares;
}

bool AllJumps(const std::vector<LegalMove>& moves) {
    return !moves.empty() &&
           std::all_of(moves.begin(), moves.end(), [](const LegalMove& m) { return m.jump; });
}

std::string JumpCompulsory(const std::vector<LegalMove>& moves, bool longer,
                           const Translator& texts) {
    const std::vector<int> men = Sources(moves);
    return Fill(longer ? texts.Translate("Game", "a longer jump is compulsory: %1 can jump")
                       : texts.Translate("Game", "a jump is compulsory: %1 can jump"),
                {SquareList(men)});
}

}  // namespace

std::string SquareList(const std::vector<int>& squares) {
    std::string text;
    for (int square : squares) {
        if (!text.empty()) text += ", ";
        text += SquareName(square);
    }
    return text;
}

MoveRoute RouteOf(const GameState& g, const Board& board, int from, int to, bool jump) {
    MoveRoute route;
    if (!IsPlayingSquare(from) || !IsPlayingSquare(to)) return route;
    if (jump) {
        for (const auto& [square, found] : JumpRoutes(g, board, from))
            if (square == to) return found;
        route.stops = {from, to};
        return route;
    }
    route.stops = {from, to};
    // A slide runs over the squares between its ends.
    const int dr = RowOf(to) - RowOf(from);
    const int dc = ColumnOf(to) - ColumnOf(from);
    const int n = std::max(std::abs(dr), std::abs(dc));
    if (n > 1 && (dr == 0 || dc == 0 || std::abs(dr) == std::abs(dc))) {
        const int d = (dr / n) * 10 + dc / n;
        for (int k = 1; k < n; ++k)
            route.passed.push_back(from + k * d);
    }
    return route;
}

MoveRoute LastMoveRoute(const GameState& g) {
    if (g.gamePly < 1 || g.gamePly >= kGameRecordSize) return {};
    const Move& m = g.gameRecord[g.gamePly];
    if (!IsPlayingSquare(m.Source) || !IsPlayingSquare(m.dest)) return {};
    const int man = g.board[m.dest];
    if (!IsMan(man)) return {};
    Board before = g.board;
    before[m.dest] = kEmpty;
    before[m.Source] = man;
    return RouteOf(g, before, m.Source, m.dest, m.jump == 1);
}

std::vector<Reachable> ReachableSquares(GameState& g, int from) {
    std::vector<Reachable> result;
    if (!IsPlayingSquare(from) || g.board[from] != g.side) return result;
    for (const LegalMove& m : MovesOf(g)) {
        if (m.from != from) continue;
        result.push_back({m.to, m.jump, RouteOf(g, g.board, m.from, m.to, m.jump)});
    }
    return result;
}

std::vector<int> MenThatMustJump(GameState& g) {
    const std::vector<LegalMove> moves = MovesOf(g);
    if (!AllJumps(moves)) return {};
    for (int square : kPlayingSquares)
        if (g.board[square] == g.side && HasStep(g, g.board, square)) return Sources(moves);
    return {};
}

std::string PickUpRefusal(GameState& g, int square, const Translator& texts) {
    if (!IsPlayingSquare(square) || g.board[square] != g.side) return {};
    const std::vector<LegalMove> moves = MovesOf(g);
    for (const LegalMove& m : moves)
        if (m.from == square) return {};
    const bool steps = HasStep(g, g.board, square);
    const bool jumps = !JumpRoutes(g, g.board, square).empty();
    if (AllJumps(moves) && (steps || jumps))
        return JumpCompulsory(moves, jumps && g.rule(MaxCapMove) == 1, texts);
    if (!steps && !jumps)
        return Fill(texts.Translate("Game", "%1 is blocked"), {SquareName(square)});
    return Fill(texts.Translate("Game", "the rules give %1 no move here"), {SquareName(square)});
}

std::string MoveRefusal(GameState& g, int from, int to, const Translator& texts) {
    if (!IsPlayingSquare(from) || !IsPlayingSquare(to) || g.board[from] != g.side) return {};
    const std::vector<LegalMove> moves = MovesOf(g);
    for (const LegalMove& m : moves)
        if (m.from == from && m.to == to) return {};
    if (g.board[to] != kEmpty)
        return Fill(texts.Translate("Game", "%1 is not empty"), {SquareName(to)});
    // A landing square on the way of a longer chain that must go on.
    for (const LegalMove& m : moves) {
        if (m.from != from || !m.jump) continue;
        const MoveRoute route = RouteOf(g, g.board, m.from, m.to, true);
        for (size_t i = 1; i + 1 < route.stops.size(); ++i)
            if (route.stops[i] == to)
                return Fill(texts.Translate("Game", "the chain must go on to %1"),
                            {SquareName(route.stops[i + 1])});
    }
    const bool step = IsStepTarget(g, g.board, from, to);
    bool jump = false;
    for (const auto& [square, route] : JumpRoutes(g, g.board, from))
        if (square == to) jump = true;
    if ((step || jump) && AllJumps(moves)) return JumpCompulsory(moves, jump, texts);
    if (step || jump)
        return Fill(texts.Translate("Game", "the rules do not allow %1 here"),
                    {SquareName(from) + (jump ? "x" : "-") + SquareName(to)});
    return Fill(texts.Translate("Game", "%1 cannot reach %2"), {SquareName(from), SquareName(to)});
}

}  // namespace zelkor
