// Game-record files (*.zlk): a version line, the rules and the initial position as key
// lines, "START", then one move per line with optional comments in braces.
//
// The reader only parses; applying the header and replaying the moves through InputMove is
// the game controller's work, in the order the reader hands them over.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "records/settings.h"
#include "rules/game_state.h"
#include "rules/translator.h"
#include "rules/variant.h"

namespace zelkor {

inline constexpr char kCommentBreak = '\xFF';  // two of them stand for CR LF inside a comment
inline constexpr std::size_t kMaxMoveLineLength = 64;  // a move needs four; the rest is noise

// Everything a game-record file holds.
struct GameFileData {
    int variant = 1;
    std::string setup = kDefaultSetup;  // SetupText of the position the game started from
    int depth = 2;
    int notation = 0;
    std::array<uint8_t, kRuleFlagCount> flags{};
    std::array<std::string, 2> home;        // HomeSquaresText per side index
    std::array<std::string, 2> directions;  // direction texts per side index
    std::string playerName = "Player";
    std::vector<std::string> moves;     // ply 1..N, four lower-case characters each ("c3d4")
    std::vector<std::string> comments;  // comment of the position before ply k + 1, k = 0..N;
                                        // may be shorter (missing ones are empty)
};

// The data of the game in g: the whole recorded game (g.recordLength plies, whatever
// position is shown), its comments, the active rules and the settings' variant number,
// depth, notation and player name. At most 1000 plies.
GameFileData GameFileDataOf(const GameState& g, const Settings& settings);

// The complete file text: 22 header lines and the body, every line ending in CR LF.
std::string GameFileText(const GameFileData& data);
// Writes GameFileText through a temporary file and a rename; on failure the previous file
// stays as it was and false comes back (the caller reports it and keeps the game).
bool WriteGameFile(const std::filesystem::path& path, const GameFileData& data);

enum class GameFileStatus {
    Ok,             // header (and body) read; see GameFileContents::complete
    Missing,        // "<name> does not exist"
    NotZelkorFile,  // first 15 bytes are not "ZELKOR Version=": "<name> is not an Zelkor file"
    WrongVersion,   // "Incorrect game file!\r\nNeed version 0.10"
    Unreadable,     // the file exists but cannot be opened
};

// One recognised header line. key is the key with its "=" ("Variant=", "Setup=",
// "Depth=", "Notation=", a rule-flag key such as "MulJumps=", "PromoW=", "PromoB=",
// "PlayerName=", "Offset="). value is the rest of the line; for "Offset=" it is the side-0
// direction string and value2 the side-1 string (the two lines that follow). number is the
// parsed value of the numeric keys ("Variant=", "Depth=", "Notation=" and the flags).
struct GameFileHeaderLine {
    std::string key;
    std::string value;
    std::string value2;
    long long number = 0;
};

struct GameFileItem {
    enum class Kind { Comment, Move } kind = Kind::Move;
    // Comment: the text between the braces, code-255 pairs turned back into CR LF; it
    // belongs to the position reached when it is met. Move: the line upper-cased and cut to
    // kMaxMoveLineLength characters (InputMove reads its first four).
    std::string text;
    int line = 0;  // the file's line (from 1) the item was read from
};

struct GameFileContents {
    GameFileStatus status = GameFileStatus::Missing;
    int linesAfterStart = 0;  // lines after "START" (the progress bar's maximum)
    // Recognised header lines in file order, to be applied in that order. A numeric key
    // whose value is not a number that fits its field ends the list (see complete).
    std::vector<GameFileHeaderLine> header;
    // The body in file order: at most kMaxGamePlies moves; consecutive comments are merged
    // into the last one (a later comment of the same position replaces an earlier one).
    std::vector<GameFileItem> body;
    // True when the header ended at "START" and the body was read to its end: the end of
    // the file, an empty line, or a comment on the file's last line. False after a header
    // value that does not fit, a file without "START" or a comment line that is "{" alone:
    // the caller applies what it was given, tells the user and keeps the file's name
    // out of the title, so that no Save can overwrite the file with what was loaded.
    bool complete = false;
    int stopLine = 0;          // when not complete: the line (from 1) that could not be read
    std::string stopText;      // that line as it stands (cut); empty past the end of the file
    bool illegalMove = false;  // set by the caller when the replay refused the move there
};

// Reads a game-record file. Never fails on the contents: whatever it holds, the result is
// one of the statuses above with bounded lists. A "Setup=" value is handed over as
// written; ApplySetupText turns every character other than 1 and 2 into an empty square.
GameFileContents ReadGameFile(const std::filesystem::path& path);

// The caller's message texts for the statuses (file name without folder; title in
// *title). Empty for Ok.
std::string GameFileStatusMessage(GameFileStatus status, const std::string& fileName,
                                  std::string* title, const Translator& texts = English());

// "<name>, line 4: "Depth=-1" could not be read; 0 moves were loaded" (title "Error"), or
// for a refused move "<name>, line 30: "A6A" is not a legal move; 7 moves were loaded".
std::string IncompleteGameFileMessage(const GameFileContents& contents, const std::string& fileName,
                                      int movesLoaded, const Translator& texts = English());

// "<name> could not be saved" (title "Error"), with ": it is write-protected" for a file
// the user cannot write: the caller keeps the game.
std::string GameFileWriteFailedMessage(const std::string& fileName, bool writeProtected = false,
                                       const Translator& texts = English());

// True when key ("MulJumps=" ...) is one of the ten rule-flag keys; *flag names it.
bool IsGameFileFlagKey(const std::string& key, RuleFlag* flag);

// The four lower-case characters of ply p (1 = the game's first) as the move list records
// them ("c3d4"), taken from the game record when the move list has no usable entry.
std::string RecordedMoveText(const GameState& g, int ply);

}  // namespace zelkor
