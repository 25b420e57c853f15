// Steps the computer's move and the analysis share.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/driver.h"

namespace zelkor {

// Clears TimeUp and SearchStopped, resets the root table, sets the noise from the
// strength, remembers the start ply and forgets the expected reply.
void BeginComputation(Engine& e);

// Progress display, the pause, and the limits of the search over n root moves: returns
// the number of iterations (time mode: 20 and the start time noted; one legal move: 1).
int PrepareLimits(Engine& e, int n);

// Looks the position up in the book; a proposal among the root moves becomes the only
// root move. True when a book move was taken.
bool TakeBookMove(Engine& e, bool fromGames);

// The search's progress in the status line ("Thinking... (" or "Analyzing... (" before the
// iteration and the move), the calculation display, the progress bar and the countdown.
void ShowSearchProgress(Engine& e, const char* status);

// Sorts the root table, the best move first and the others by score, and returns the
// analysis-list lines (AnalysisLine); none when the best move has no score yet.
std::vector<std::string> SortedRootLines(Engine& e);

// One analysis-list line under the heading "      moves    score   depth    main": the
// move, its score ("<=" before a value that is only an upper bound, "n/a" for a move not
// searched), the iteration that gave it, and the main line when one is given.
std::string AnalysisLine(const Position& g, const RootEntry& entry, const std::string& mainLine);

// Ends the game and tells the player: the result text and command states of `code`
// (kWinResult, kDrawResult), GameOver and the rating update for the player's score, the
// status line and, after a pause when `pause`, the message with the rating report. Without
// a score (the analysis) the game goes on and the rating stays.
void EndGame(Engine& e, int code, std::optional<double> playerScore, const std::string& status,
             const std::string& message, bool pause);
// EndGame without its message, for a move that has just won: the message waits until the
// move is recorded (TellResult). Returns the rating report.
std::string DecideGame(Engine& e, int code, std::optional<double> playerScore,
                       const std::string& status);
// The result text and command states once more, a pause and the message.
void TellResult(Engine& e, int code, const std::string& message);

}  // namespace zelkor
