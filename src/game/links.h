// The operations of the rules, records and engine libraries that the controller calls,
// gathered behind one narrow set of functions so that the controller reads the same
// whichever way a library names its entry points.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine.h"
#include "records/book.h"
#include "records/settings.h"
#include "rules/game_state.h"
#include "rules/user_interface.h"

namespace zelkor::links {

// Rules.
void Generate(GameState& g, int allMoves);
void Perform(GameState& g, int move);
void TakeBack(GameState& g, int move);
void InitTree(GameState& g);
// The draw test after the move that made g.gamePly (at least 1).
void DrawTest(GameState& g, const Settings& settings);
// The game-end test with its announcements; true when the game has ended. With
// heldMessage the message box is left to the caller.
bool GameEndTest(GameState& g, Settings& settings, UserInterface& ui, Clock& clock,
                 EngineHooks& hooks, const std::string& playerName,
                 std::string* heldMessage = nullptr);
std::string ResultText(GameState& g, int code);

// Variant file. Loads variant settings.Variant into g.defined (and the board unless its
// set-up is "normal"); false when the file does not exist.
bool LoadVariant(GameState& g, Settings& settings, UserInterface& ui,
                 const std::filesystem::path& dataDir);
std::vector<std::string> VariantNames(const std::filesystem::path& dataDir);

// Settings and rating files. ReadSettings writes the defaults when the file is unusable;
// it returns what the user must be told (a value that did not fit), else nothing.
std::string ReadSettings(Settings& settings, const std::filesystem::path& dataDir);
bool WriteSettings(const Settings& settings, const std::filesystem::path& dataDir);
// The settings' rule set becomes the active one, and back before the settings are written.
void ApplySettings(const Settings& settings, GameState& g);
void StoreSettings(const GameState& g, Settings& settings);
int ReadRating(const std::filesystem::path& dataDir);  // 1200 without a file
bool WriteRating(int rating, const std::filesystem::path& dataDir);
// The Elo update after a game; returns the report text (empty when unrated or rating off).
// Clears g.rated when the game is not rated, and after the update.
std::string RatingUpdate(GameState& g, const SearchState& search, const Settings& settings,
                         int& rating, double playerScore);

// Opening book.
// The book moves of the position and whether it is in the book file. The book file is read
// once per change into the cache.
std::vector<std::string> BookMoves(BookCache& book, GameState& g, UserInterface& ui,
                                   const std::filesystem::path& dataDir);
bool InBook(BookCache& book, GameState& g, UserInterface& ui, const std::filesystem::path& dataDir);
std::pair<int, int> BookMove(BookCache& book, GameState& g, const Settings& settings,
                             UserInterface& ui, Random& random,
                             const std::filesystem::path& dataDir, bool fromGames);

// Engine.
void ComputerMove(Engine& engine);
void GiveHint(Engine& engine);
void OfferDraw(Engine& engine);
void Resign(Engine& engine);
void AnalyzePosition(Engine& engine);
// The one-ply quick score of the position after a human move, for the side that moved.
int QuickScore(Engine& engine);

}  // namespace zelkor::links
