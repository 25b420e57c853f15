// Positions, move lists and replayed moves for the rules and records tests.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "records/variant_file.h"
#include "rules/game_end.h"
#include "rules/game_setup.h"
#include "rules/game_state.h"
#include "rules/make_move.h"
#include "rules/movegen.h"
#include "support/fakes.h"

namespace zelkor::test {

// A new game of the default variant, as the program starts it.
inline std::unique_ptr<GameState> DefaultGame() {
    auto g = std::make_unique<GameState>();
    SetUpDefaultGame(*g);
    return g;
}

// A default game with the board cleared, then the given men placed ("a4", "h8" ...).
inline std::unique_ptr<GameState> EmptyGame(VariantRules rules = DefaultRules()) {
    auto g = DefaultGame();
    g->active = rules;
    g->side = rules.flags[BlackStarts] ? kBlack : kWhite;
    ApplyRules(*g);
    g->board = EmptyBoard();
    return g;
}

// Joins lines with CR LF, as the program writes its files.
inline std::string CrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

// Squares by name, either case.
inline int Sq(const std::string& name) {
    std::string upper = name;
    if (!upper.empty()) upper[0] = static_cast<char>(std::toupper(upper[0]));
    const int square = SquareNumber(upper);
    if (square == 0) throw std::invalid_argument("no square: " + name);
    return square;
}

inline void Place(GameState& g, const std::vector<std::string>& white,
                  const std::vector<std::string>& black) {
    for (const auto& w : white)
        g.board[Sq(w)] = kWhiteMan;
    for (const auto& b : black)
        g.board[Sq(b)] = kBlackMan;
}

// Generates the moves of the ply; returns them as "h1xf3" / "e1-d1" texts, in order.
inline std::vector<std::string> Generate(GameState& g, MoveSet AllMoves = MoveSet::All) {
    GenerateMoves(g, AllMoves);
    std::vector<std::string> texts;
    for (int i = g.plyStart[g.ply]; i < g.plyStart[g.ply + 1]; ++i) {
        const Move& m = g.movePool[i];
        texts.push_back(SquareName(m.Source) + (m.jump ? "x" : "-") + SquareName(m.dest));
    }
    return texts;
}

// A new game of variant `variant` of the folder's variants.ini, as a new game lays it out.
inline std::unique_ptr<GameState> VariantGame(const std::filesystem::path& dataDir, int variant) {
    auto g = DefaultGame();
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

// Plays the move "e1-d2" / "e1d2" / "E1D2" as the game records it; false if illegal.
inline bool Play(GameState& g, const std::string& move) {
    return PlayRecordedMove(g, Sq(move.substr(0, 2)), Sq(move.substr(move.size() - 2)));
}

// Records plies in the move list as the player's ("c3d4 c3-d4") without making them.
inline void RecordTexts(GameState& g, const std::vector<std::string>& moves) {
    for (const std::string& m : moves) {
        const int ply = ++g.recordLength;
        MoveTextRow& row = g.moveTexts[(ply + 1) / 2];
        (ply % 2 == 1 ? row.first : row.second) = m + " " + m.substr(0, 2) + "-" + m.substr(2);
        (ply % 2 == 1 ? row.firstBy : row.secondBy).assign(1, '2');
        g.side = -g.side;
    }
    g.gamePly = g.recordLength;
}

// The generator's rules written out plainly (string paths, every candidate, pairwise de-dup).
inline std::vector<std::string> ReferenceMoves(GameState& g, MoveSet AllMoves,
                                               size_t candidateLimit, bool* tooMany = nullptr) {
    Board& board = g.board;
    const auto& f = g.active.flags;
    const bool longKings = f[LongKings], kingFirst = f[KingFirst], mulJumps = f[MulJumps];
    const bool maxCap = f[MaxCapMove], capRequired = f[CapRequired];
    const bool manCont = f[ManContJump], outOfHome = f[OutofHome];
    const MoveSet effective = (mulJumps || capRequired || maxCap) ? MoveSet::Search : AllMoves;
    const auto& owner = g.homeTables.owner;
    const int side = g.side, i = SideIndex(side);
    const auto &stepRow = g.directions[i], &jumpRow = g.directions[i + 2];

    struct Candidate {
        int from, to, jump, forced;
        std::string path;
    };
    std::vector<Candidate> candidates;
    size_t longest = 0;
    bool forcedFlag = false, outsideFlag = false;
    if (tooMany) *tooMany = false;

    for (int s = 21; s <= 98; ++s) {
        if (board[s] != side) continue;
        for (int k = 0; stepRow[k] != kDirectionEnd; ++k) {
            const int d = stepRow[k];
            if (longKings) {
                for (int m = 1; board[s + m * d] == 0; ++m)
                    candidates.push_back({s, s + m * d, false, 0, ""});
            } else if (board[s + d] == 0) {
                candidates.push_back({s, s + d, false, 0, ""});
            }
        }
        const size_t manFirst = candidates.size();
        int cursor[21], approach[21] = {}, landing[21] = {}, used[21];
        std::fill(cursor, cursor + 21, -1);
        int c = s, forced = 0, level = 0;
        std::string path, last;
        bool backedUp = false;
        auto registerJump = [&](bool duplicateCheck) {
            if (owner[s] != i) outsideFlag = true;
            if (duplicateCheck && !maxCap) {
                for (size_t j = manFirst; j < candidates.size(); ++j)
                    if (candidates[j].jump && candidates[j].to == c &&
                        candidates[j].forced == forced) {
                        last = path;  // a dropped extension still counts as registered
                        return;
                    }
            }
            if (candidates.size() >= candidateLimit) {
                if (tooMany) *tooMany = true;
                return;
            }
            candidates.push_back({s, c, true, forced, path});
            if (forced) forcedFlag = true;
            longest = std::max(longest, path.size());
            last = path;
        };
        auto undo = [&](int lvl) {
            path.resize(path.size() - 2);
            board[c] = 0;
            const int back =
                (longKings ? approach[lvl] : 1) + (longKings && !kingFirst ? landing[lvl] : 1);
            c -= back * used[lvl];
            backedUp = true;
            board[c] = side;
            if (lvl == 0) forced = 0;
        };
        enum { kStep1, kStep3 } state = kStep1;
        for (;;) {
            if (state == kStep1) {
                ++cursor[level];
                if (jumpRow[cursor[level]] != kDirectionEnd) {
                    state = kStep3;
                    continue;
                }
                cursor[level] = -1;
                --level;
                if (level == -1) break;
                const bool prefix =
                    last.compare(0, path.size(), path) == 0 && last.size() >= path.size();
                if (!mulJumps || !prefix || (!backedUp && longKings)) registerJump(true);
                undo(level);
                continue;
            }
            // Try the direction at the cursor of this level.
            const int d = jumpRow[cursor[level]];
            ++landing[level];
            int o;
            if (longKings) {
                int k = 1;
                while (board[c + k * d] == 0)
                    ++k;
                if (board[c + k * d] == 100) {
                    landing[level] = 0;
                    state = kStep1;
                    continue;
                }
                o = c + k * d;
                approach[level] = k;
            } else {
                o = c + d;
                if (board[o] == 0 || board[o] == 100) {
                    state = kStep1;
                    continue;
                }
            }
            const int t = (longKings && !kingFirst) ? o + landing[level] * d : o + d;
            bool valid = board[t] == 0 && t != s && (board[o] == 1 || board[o] == -1);
            if (valid) {
                const int opp0 = g.active.home[1 - i][0];
                if (outOfHome && level == 0 && (!longKings || approach[level] == 1) &&
                    owner[s] == 1 - i && board[o] == -side &&
                    !(owner[t] == 1 - i &&
                      ManhattanDistance(t, opp0) <= ManhattanDistance(s, opp0)))
                    forced = 1;
                if (effective == MoveSet::Search && forced == 0) {
                    const int own0 = g.active.home[i][0];
                    if (ManhattanDistance(t, own0) > ManhattanDistance(s, own0) + 2) valid = false;
                }
            }
            if (valid) {
                used[level] = d;
                path += std::to_string(o);
                board[c] = 10;
                board[t] = side;
                c = t;
                if (longKings || (!manCont && owner[t] == i)) {
                    registerJump(false);
                    undo(level);
                    state = (longKings && !kingFirst) ? kStep3 : kStep1;
                } else {
                    ++level;
                    if (level > 20) std::abort();
                    state = kStep1;
                }
            } else if (longKings && !kingFirst) {
                if (board[t] == 0) {
                    state = kStep3;
                } else {
                    landing[level] = 0;
                    state = kStep1;
                }
            } else {
                state = kStep1;
            }
        }
    }

    const size_t n = candidates.size();
    std::vector<bool> dropped(n, false);
    for (size_t a = 0; a < n; ++a) {
        if (!candidates[a].jump) continue;
        for (size_t b = a + 1; b < n; ++b)
            if (candidates[b].from == candidates[a].from && candidates[b].to == candidates[a].to &&
                candidates[b].forced == candidates[a].forced) {
                if (candidates[b].path.size() != longest)
                    dropped[b] = true;
                else
                    dropped[a] = true;
            }
    }
    std::vector<std::string> moves;
    for (size_t a = 0; a < n; ++a) {
        const Candidate& c = candidates[a];
        const std::string text = SquareName(c.from) + (c.jump ? "x" : "-") + SquareName(c.to);
        if (!c.jump) {
            if (!(forcedFlag || (capRequired && outsideFlag))) moves.push_back(text);
        } else if (!dropped[a]) {
            if ((!forcedFlag || c.forced) && (!maxCap || c.path.size() == longest || c.forced))
                moves.push_back(text);
        }
    }
    return moves;
}

}  // namespace zelkor::test
