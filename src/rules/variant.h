// A variant's rule set: the ten rule flags, each side's home squares and movement
// directions, and the tables a new game derives from them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "rules/board.h"

namespace zelkor {

constexpr int kHomeSlots = 15;
constexpr int kEmptySlot = -1;
constexpr int kDirectionEnd = -99;  // ends a row of the direction table

// The ten rule flags, in the fixed order the variant file, the settings file and the
// dialog use.
enum RuleFlag {
    BlackStarts,
    MaxCapMove,
    CapRequired,
    HomeLess,
    FullHome,
    OutofHome,
    MulJumps,
    ManContJump,
    LongKings,
    KingFirst,
    kRuleFlagCount
};

// The file key of each flag ("MulJumps" ...), in flag order.
extern const std::array<const char*, kRuleFlagCount> kRuleFlagKeys;

using HomeSquares = std::array<std::array<int32_t, kHomeSlots>, 2>;  // [side index][slot]

// Rows: side index + 2 * list (list 0 steps, list 1 jumps); up to 8 offsets then -99.
// Rows 4..7 are not used.
using DirectionTable = std::array<std::array<int16_t, 9>, 8>;

inline constexpr const char* kAllDirections = "NW;N;NE;E;SE;S;SW;W NW;N;NE;E;SE;S;SW;W";
inline constexpr const char* kDefaultSetup =
    "0000111100000111000000110000000120000000220000002220000022220000";
inline constexpr const char* kDefaultVariantName = "Halma";

struct VariantRules {
    std::string name = kDefaultVariantName;
    std::string help;
    std::array<uint8_t, kRuleFlagCount> flags{};
    HomeSquares home{};
    std::array<std::string, 2> directions{kAllDirections, kAllDirections};

    uint8_t flag(RuleFlag f) const { return flags[f]; }
    uint8_t& flag(RuleFlag f) { return flags[f]; }
};

// The rules used when no settings file exists: the "Halma" variant.
VariantRules DefaultRules();
HomeSquares DefaultHomeSquares();

// Parses "steps jumps" for one side into rows side and side + 2 of the table. An
// unknown name (an empty list included) ends its list; at most eight names are kept.
// A text without a blank has no jump list. Returns false when some name was not one
// of the eight directions or a list had more than eight names (the table is filled
// all the same, so a caller may choose to accept it).
bool ParseDirections(std::string_view text, int side, DirectionTable& table);

// Concatenated upper-case names of the used slots ("A8B8C8...").
std::string HomeSquaresText(const std::array<int32_t, kHomeSlots>& list);
// Two-character pieces through SquareNumber; a piece that is no square gives an empty slot.
std::array<int32_t, kHomeSlots> ParseHomeSquares(std::string_view text);

// 64 characters, a1..h8: "0" empty, "1" White man, "2" Black man.
std::string SetupText(const Board& board);
// Fills the playing squares from a set-up text. A short text leaves the rest empty;
// any character other than '1' and '2' gives an empty square, so no other value can
// reach the board. Returns false when the text held such a character.
bool ApplySetupText(std::string_view text, Board& board);

// Tables derived from the active home squares at every new game.
struct HomeTables {
    std::array<int16_t, kBoardEntries> owner{};  // side index whose list holds the square, else -1
    std::array<int, 2> targetCount{10, 10};      // used slots before the first empty one
    std::array<std::array<int32_t, kBoardEntries>, 2> targetDistance{};  // evaluation table
};

// Moves each side's square farthest from the other side's list to slot 0.
void ReorderHomeSquares(HomeSquares& home);
HomeTables BuildHomeTables(const HomeSquares& home);

}  // namespace zelkor
