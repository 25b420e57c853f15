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

namespace zelkor {

inline constexpr const char* kSettingsFileName = "zelkor.ini";
constexpr int kSettingsLines = 42;

enum class SettingsReadStatus {
    Read,      // the file was read completely
    Defaults,  // missing, short, of another version or unreadable: defaults, new file
    Invalid,   // a value does not fit its field: the file is kept aside, defaults as above
};

struct SettingsReadResult {
    SettingsReadStatus status = SettingsReadStatus::Defaults;
    bool newFileWritten = false;  // Defaults: whether the fresh file could be written
    int line = 0;                 // Invalid: the line (from 1) whose value does not fit
    std::string text;             // Invalid: that line as it stands (cut)
    bool keptAside = false;       // Invalid: the file was renamed to zelkor.ini.bad
};

// Reads the file into `settings`. A file that is missing, ends before its 42nd line, has
// another first line, or holds a line that is no number where a number belongs is
// replaced by the defaults, written at once. A number too large for its field (a byte
// above 255, for instance) is Invalid: the file is renamed to zelkor.ini.bad, so that the
// user can look at it and the next start is not stopped by it, and the defaults are used
// and written as for a missing file. Only a regular file of bounded size is read.
// Afterwards a SearchDepth of 0 becomes 2, every value is brought into the range of its
// control in the options dialog, and Computer-Computer play (PlayMode 2) becomes
// Player-Computer.
SettingsReadResult ReadSettings(Settings& settings, const std::filesystem::path& dataDir);

std::filesystem::path BadSettingsFile(const std::filesystem::path& dataDir);
// What the user is told after an Invalid read (file, line, value, where the file went);
// empty for the other results.
std::string SettingsProblemMessage(const SettingsReadResult& result,
                                   const std::filesystem::path& dataDir);

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
