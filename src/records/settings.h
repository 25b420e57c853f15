// Every option kept between runs, with its default. The settings file zelkor.ini holds
// them as 42 bare values in a fixed line order; the active rule set rides along so that
// a run starts with the rules the previous run ended with.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "rules/variant.h"

namespace zelkor {

inline constexpr const char* kDataVersion = "0.10";
inline constexpr const char* kProgramVersion = "0.24";

struct Settings {
    // 0 Player-Computer, 1 Player-Player, 2 Computer-Computer. While the program runs the
    // game's play mode is the one in force; this is what the file holds of it, read at
    // start-up and written at exit.
    uint8_t PlayMode = 0;
    uint8_t Handicap = 1;  // 10 - strength level
    int32_t SearchDepth = 2;
    uint8_t Notation = 0;  // 0 coordinates shown, 1 none
    int32_t BoardTurned = 0;
    bool ShowMoves = true;
    uint8_t Variant = 1;  // number of the current variant in variants.ini, from 1
    int16_t ThinkTime = 2;
    bool UseDepth = false;
    bool ChessDrawRules = true;
    std::string PlayerName = "Player";
    bool CapitalLetters = false;
    bool ConfirmExit = true;
    bool AskDraw = true;
    bool ExtendedSearch = false;
    bool UseBook = false;
    uint8_t DrawRule15 = 1;  // 1: 30 half-moves ("15"), 0: 20 ("10")
    bool ShowCalculation = true;
    bool BruteForce = false;
    uint8_t JumpChar = 0;  // 0 "x", 1 ":"
    uint8_t ExtendedPlies = 1;
    int16_t Balance = 150;
    bool UseRating = true;
    bool FixedTime = true;  // 0 = flexible time management
    int32_t PieceSet = 0;
    bool BookFromGames = false;
    bool CountdownTimer = false;

    // The active rule set: flags, home squares and direction texts (the name and help
    // text are not stored). While the program runs the game's active rules are the ones in
    // force; these are what the file holds of them (ApplySettingsRules, StoreActiveRules).
    VariantRules rules = DefaultRules();
};

}  // namespace zelkor
