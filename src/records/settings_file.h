// The settings file zelkor.ini: 42 bare values in a fixed line order, written at the end
// of every run and read at the next start.
//
// Line 1 is "ZELKOR" followed by the data version. A number is written with one leading
// space (a minus sign in its place) and one trailing space, " 2 "; a text is written as
// it is. The player's name is read as the whole line, so a name with a comma or a quote
// comes back unchanged; a line break inside a text cannot be kept and is written as a
// space.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "records/settings.h"
#include "rules/game_state.h"
#include "rules/translator.h"

namespace zelkor {

inline constexpr const char* kSettingsFileName = "zelkor.ini";
constexpr int kSettingsLines = 42;

// How many names a damaged file may be kept under: .bad, .bad.1 ... .bad.9.
constexpr int kKeptGenerations = 10;

enum class SettingsReadStatus {
    Read,      // the file was read completely
    Defaults,  // missing, or no file in its place (a folder, a pipe): defaults
    Invalid,   // a file that cannot be used as it stands: kept aside, defaults
};

struct SettingsReadResult {
    SettingsReadStatus status = SettingsReadStatus::Defaults;
    bool newFileWritten = false;  // whether a fresh file with the defaults was written
    int line = 0;                 // Invalid: the line (from 1) that cannot be used
    std::string text;             // Invalid: that line as it stands (cut); "" when missing
    bool keptAside = false;       // Invalid: the file was moved to keptAs
    std::filesystem::path keptAs;
    // False when the file in place must not be replaced this run (a damaged file that no
    // free name could take, a folder or a pipe in the file's place).
    bool mayWrite = true;
};

// Reads the file into `settings`. A missing file gives the defaults, written at once. A
// file that ends before its 42nd line, has another first line, or holds a value that is
// no whole number or does not fit its field (a byte above 255, for instance) is Invalid:
// it is moved to the first free name of zelkor.ini.bad, zelkor.ini.bad.1 ...
// zelkor.ini.bad.9, so that the user can look at it and the next start is not stopped by
// it, and the defaults are used and written as for a missing file; when no name is free
// the file stays and nothing is written over it. Only a regular file of bounded size is
// read. Afterwards a SearchDepth of 0 becomes 2, every value is brought into the range of
// its control in the options dialog, and Computer-Computer play (PlayMode 2) becomes
// Player-Computer.
SettingsReadResult ReadSettings(Settings& settings, const std::filesystem::path& dataDir);

std::filesystem::path BadSettingsFile(const std::filesystem::path& dataDir);
// Moves a file to the first free name of <file>.bad, <file>.bad.1 ...; never replaces
// anything. The new name, or an empty path when none could take it.
std::filesystem::path KeepFileAside(const std::filesystem::path& file);
// What the user is told after an Invalid read (file, line, value, where the file went);
// empty for the other results.
std::string SettingsProblemMessage(const SettingsReadResult& result,
                                   const std::filesystem::path& dataDir,
                                   const Translator& texts = English());

// Writes the 42 lines, replacing the file safely; false when it could not be written
// (the old file then stays as it was).
bool WriteSettings(const Settings& settings, const std::filesystem::path& dataDir);

// The 42 lines as they are written, without line ends.
std::vector<std::string> SettingsLines(const Settings& settings);

// The settings' rules become the active rules of the game: flags, home squares and
// direction texts, which are parsed into the direction table.
void ApplySettingsRules(const Settings& settings, GameState& g);
// The other way round, before the settings are written.
void StoreActiveRules(const GameState& g, Settings& settings);

}  // namespace zelkor
