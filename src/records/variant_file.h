// The variant file variants.ini: the named variants the user can choose from. The
// program only reads it.
//
// The file starts with "ZELKOR Version=0.10"; then come blocks opened by "Variant=name"
// and closed by a line "END". Inside a block, key lines ("Setup=", the ten rule flags,
// "PromoW=", "PromoB=", "WhiteManMovement=", "BlackManMovement=", "Help=") set the
// variant's rules; a missing key leaves its value as it was and a line matching no key is
// ignored. The n-th block is variant number n.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "records/reader_ui.h"
#include "rules/game_state.h"

namespace zelkor {

inline constexpr const char* kVariantFileName = "variants.ini";
// The dialog's list holds at most this many names: the variant number is a byte.
constexpr int kMaxVariants = 255;

enum class VariantFileStatus {
    Loaded,          // the variant (or, when it was missing or broken, variant 1) was read
    Missing,         // no file: the default variant stays; no message
    NotVariantFile,  // wrong first line; the user was told, the rules stay as they were
    WrongVersion,    // another data version; the user was told, the rules stay as they were
    Damaged,         // unreadable, no variant 1, a block without END or a flag that does not fit a
                     // byte: the user was told which file and where, the rules stay as they were
};

// What one block of the file says, before it is applied anywhere. A key the block does
// not contain has no value here.
struct VariantBlock {
    std::string name;
    std::string help;                  // every "Help=" value, concatenated
    std::optional<std::string> setup;  // the last set-up text other than "normal"
    std::array<std::optional<uint8_t>, kRuleFlagCount> flags{};
    std::array<std::optional<std::string>, 2> home{};        // "PromoW=", "PromoB=" texts
    std::array<std::optional<std::string>, 2> directions{};  // White's, Black's movement
};

// Reads block number Variant (from 1). A number beyond the last block, a block without
// "END" and a number of 0 fall back to variant 1 and set Variant to 1. When variant 1
// itself cannot be read, or a flag value does not fit a byte, the user is told the file
// and the block and the result is Damaged. The block is read completely before the caller
// applies any of it.
VariantFileStatus ReadVariantBlock(const std::filesystem::path& dataDir, uint8_t& Variant,
                                   ReaderUi& ui, VariantBlock& block);

// The variant loader of every new game: fills g.defined (flags, home squares, direction
// texts), the variant name and help text of both rule sets, and, unless the set-up is
// "normal", g.board and g.initialBoard. The caller keeps the missing flag: it is the
// result Missing.
VariantFileStatus LoadVariant(GameState& g, const std::filesystem::path& dataDir, uint8_t& Variant,
                              ReaderUi& ui);

// The names of the "Variant=" lines in file order (at most kMaxVariants); nothing when
// the last load found the file missing or the file cannot be read.
std::vector<std::string> ListVariantNames(const std::filesystem::path& dataDir, bool fileMissing);

// What the variant dialog shows after it re-read a variant.
struct DialogVariant {
    VariantFileStatus status = VariantFileStatus::Missing;
    HomeSquares home{};                         // the 2 x 15 home-square fields (-1 empty)
    std::array<std::string, 2> normalMoves;     // direction fields: White's, Black's steps
    std::array<std::string, 2> jumpMoves;       // White's, Black's jumps
    std::array<std::string, 2> directionTexts;  // the defined direction texts
    DirectionTable table{};                     // the active direction table
    std::optional<std::string> setup;           // the variant's own set-up, if any
};

// The dialog's reader: the flags go into both g.active and g.defined, the home squares
// into g.defined and the result, each direction text into g.defined and, parsed, into
// g.directions. The name and help text are set as by LoadVariant. The board is not
// touched: the new game that follows the dialog lays out the variant's set-up.
DialogVariant ReadVariantForDialog(GameState& g, const std::filesystem::path& dataDir,
                                   uint8_t& Variant, ReaderUi& ui);

}  // namespace zelkor
