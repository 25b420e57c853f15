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
    uint8_t ShowMoves = 1;
    uint8_t Variant = 1;  // number of the current variant in variants.ini, from 1
    int16_t ThinkTime = 2;
    uint8_t UseDepth = 0;
    uint8_t ChessDrawRules = 1;
    std::string PlayerName = "Player";
    uint8_t CapitalLetters = 0;
    uint8_t ConfirmExit = 1;
    uint8_t AskDraw = 1;
    uint8_t ExtendedSearch = 0;
    uint8_t UseBook = 0;
    uint8_t DrawRule15 = 1;  // 1: 30 half-moves ("15"), 0: 20 ("10")
    uint8_t ShowCalculation = 1;
    uint8_t BruteForce = 0;
    uint8_t JumpChar = 0;  // 0 "x", 1 ":"
    uint8_t ExtendedPlies = 1;
    int16_t Balance = 150;
    uint8_t UseRating = 1;
    uint8_t FixedTime = 1;  // 0 = flexible time management
    int32_t PieceSet = 0;
    uint8_t BookFromGames = 0;
    uint8_t CountdownTimer = 0;

    // The active rule set: flags, home squares and direction texts (the name and help
    // text are not stored). While the program runs the game's active rules are the ones in
    // force; these are what the file holds of them (ApplySettingsRules, StoreActiveRules).
    VariantRules rules = DefaultRules();
};

}  // namespace zelkor
