#include "rules/variant.h"

#include <algorithm>
#include <cstdlib>

namespace zelkor {

const std::array<const char*, kRuleFlagCount> kRuleFlagKeys = {
    "BlackStarts", "MaxCapMove", "CapRequired", "HomeLess",  "FullHome",
    "OutofHome",   "MulJumps",   "ManContJump", "LongKings", "KingFirst"};

HomeSquares DefaultHomeSquares() {
    HomeSquares home;
    for (auto& side : home)
        side.fill(kEmptySlot);
    const std::array<int32_t, 10> white = {91, 92, 93, 94, 81, 82, 83, 71, 72, 61};
    const std::array<int32_t, 10> black = {25, 26, 27, 28, 36, 37, 38, 47, 48, 58};
    std::copy(white.begin(), white.end(), home[0].begin());
    std::copy(black.begin(), black.end(), home[1].begin());
    return home;
}

VariantRules DefaultRules() {
    VariantRules rules;
    rules.flag(OutofHome) = 1;
    rules.flag(ManContJump) = 1;
    rules.home = DefaultHomeSquares();
    return rules;
}

namespace {

int DirectionOffset(std::string_view name) {
    if (name == "NW") return kNorthWest;
    if (name == "NE") return kNorthEast;
    if (name == "SE") return kSouthEast;
    if (name == "SW") return kSouthWest;
    if (name == "W") return kWest;
    if (name == "N") return kNorth;
    if (name == "E") return kEast;
    if (name == "S") return kSouth;
    return 0;
}

// Fills one row; returns false when a name was rejected or the list was too long.
bool ParseList(std::string_view list, int sign, std::array<int16_t, 9>& row) {
    row.fill(0);
    int slot = 0;
    bool ok = true;
    size_t start = 0;
    while (true) {
        const size_t end = list.find(';', start);
        const std::string_view name = list.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        const int offset = DirectionOffset(name);
        if (offset == 0) {
            ok = false;
            break;
        }
        if (slot == 8) {
            ok = false;
            break;
        }
        row[slot++] = static_cast<int16_t>(sign * offset);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    row[slot] = kDirectionEnd;
    return ok;
}

}  // namespace

bool ParseDirections(std::string_view text, int side, DirectionTable& table) {
    const int sign = side == 0 ? 1 : -1;
    const size_t blank = text.find(' ');
    const std::string_view steps = text.substr(0, blank);
    const std::string_view jumps =
        blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
    const bool stepsOk = ParseList(steps, sign, table[side]);
    const bool jumpsOk = ParseList(jumps, sign, table[side + 2]);
    return stepsOk && jumpsOk;
}

std::string HomeSquaresText(const std::array<int32_t, kHomeSlots>& list) {
    std::string text;
    for (int32_t square : list) {
        if (!IsPlayingSquare(square)) continue;
        std::string name = SquareName(square);
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
        text += name;
    }
    return text;
}

std::array<int32_t, kHomeSlots> ParseHomeSquares(std::string_view text) {
    std::array<int32_t, kHomeSlots> list;
    for (int slot = 0; slot < kHomeSlots; ++slot) {
        const size_t at = static_cast<size_t>(2 * slot);
        const int square = at < text.size() ? SquareNumber(text.substr(at, 2)) : 0;
        list[slot] = square == 0 ? kEmptySlot : square;
    }
    return list;
}

std::string SetupText(const Board& board) {
    std::string text;
    text.reserve(64);
    for (int square : kPlayingSquares) {
        const int v = board[square];
        text += v == kWhiteMan ? '1' : v == kBlackMan ? '2' : '0';
    }
    return text;
}

bool ApplySetupText(std::string_view text, Board& board) {
    bool clean = true;
    for (size_t i = 0; i < kPlayingSquares.size(); ++i) {
        int value = kEmpty;
        if (i < text.size()) {
            const char c = text[i];
            if (c == '1')
                value = kWhiteMan;
            else if (c == '2')
                value = kBlackMan;
            else if (c != '0')
                clean = false;
        }
        board[kPlayingSquares[i]] = value;
    }
    return clean;
}

void ReorderHomeSquares(HomeSquares& home) {
    for (int s = 0; s < 2; ++s) {
        const auto& other = home[1 - s];
        std::array<int, kHomeSlots> d{};
        for (int i = 0; i < kHomeSlots; ++i) {
            if (home[s][i] == kEmptySlot) continue;
            for (int32_t o : other)
                if (o != kEmptySlot) d[i] = std::max(d[i], ManhattanDistance(home[s][i], o));
        }
        for (int i = 0; i < kHomeSlots; ++i)
            for (int j = i + 1; j < kHomeSlots; ++j)
                if (d[i] < d[j]) {
                    std::swap(home[s][i], home[s][j]);
                    std::swap(d[i], d[j]);
                }
    }
}

HomeTables BuildHomeTables(const HomeSquares& home) {
    HomeTables tables;
    tables.owner.fill(-1);
    for (int s = 0; s < 2; ++s)
        for (int32_t square : home[s])
            if (IsPlayingSquare(square)) tables.owner[square] = static_cast<int16_t>(s);
    for (int s = 0; s < 2; ++s) {
        tables.targetCount[s] = 10;
        for (int i = 0; i < kHomeSlots; ++i)
            if (home[s][i] == kEmptySlot) {
                tables.targetCount[s] = i;
                break;
            }
    }
    for (int s = 0; s < 2; ++s) {
        tables.targetDistance[s].fill(0);
        for (int square : kPlayingSquares) {
            int nearest = -1;
            for (int32_t target : home[s])
                if (IsPlayingSquare(target)) {
                    const int d = ManhattanDistance(square, target);
                    if (nearest < 0 || d < nearest) nearest = d;
                }
            if (nearest < 0) continue;  // a side without targets scores nothing by distance
            const int value = 100 - 9 * nearest;
            tables.targetDistance[s][square] = value == 100 ? 125 : value;
        }
    }
    return tables;
}

}  // namespace zelkor
