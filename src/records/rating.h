// The player's rating: the Elo update after a rated game, the report text, and the rating
// file zelkor.rtg whose digits are disguised by a letter substitution.
//
// Ratings are kept within 0..32767: the file has letters for digits only, so a negative
// rating could not be stored, and a larger one would not fit the 16-bit field. The update
// clamps its result to that range (in practice the Elo step cannot take a rating below 0:
// the loss against the weakest computer rating is rounded away long before).
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "records/settings.h"
#include "rules/game_state.h"
#include "rules/translator.h"

namespace zelkor {

inline constexpr int kDefaultRating = 1200;
inline constexpr int kMaxRating = 32767;
inline constexpr const char* kRatingKey = "KJQZWVBXPT";
inline constexpr const char* kRatingFileName = "zelkor.rtg";

// What the computer's search left for the rating: per ply of the game, its best score and
// the number of legal moves it had (SearchState::scoreHistory and rootMoveCounts).
struct ComputerPlyRecord {
    std::span<const int16_t> scores;
    std::span<const int16_t> moveCounts;
    // Added to the computer's game rating: the Master level is rated as level 10 plus
    // its measured advantage.
    int ratingBonus = 0;
};

// Updates rating after a finished game (playerScore 1 win, 0.5 draw, 0 loss) and returns
// the rating report; empty when useRating is off or the game is not rated. Clears g.rated
// when the game is not rated, and after an update. computerRating receives the computer's
// game rating when an update took place.
std::string UpdateRating(double playerScore, GameState& g, bool useRating, int& rating,
                         const ComputerPlyRecord& computer, int* computerRating = nullptr,
                         const Translator& texts = English());

// "  Good game" when the computer had a choice and a score above 199 at some ply of its
// own, else "  Great game".
std::string WinRemark(int gamePly, const ComputerPlyRecord& computer,
                      const Translator& texts = English());

// The pieces of the update.
int ComputerGameRating(double averageDepth);  // 1100 + floor(100 * average)
int RatingFactor(int rating);                 // K: 30, 130 - R / 20 rounded to even, 10
int EloRating(int rating, int computerRating, double playerScore);
std::string RatingReport(const std::string& remark, int previous, int computerRating, int updated,
                         const Translator& texts = English());

// Digit substitution with kRatingKey, and back ("/" for a character not in the key).
std::string EncodeRating(const std::string& digits);
std::string DecodeRating(const std::string& text);
// The value of the leading digits of a decoded text, 0 when there are none, at most
// kMaxRating.
int RatingValue(const std::string& decoded);

// The rating file in dataDir: missing gives 1200, an empty or undecodable line 0.
int ReadRatingFile(const std::filesystem::path& dataDir);
// One encoded line with CR LF, written through a temporary file and a rename.
bool WriteRatingFile(const std::filesystem::path& dataDir, int rating);

// View > "Rating...": "Your current rating is 1200" (title "Rating").
std::string RatingMessage(int rating, const Translator& texts = English());
// The options dialog's check box: "Use Rating (1200)".
std::string RatingCheckBoxCaption(int rating);

}  // namespace zelkor
