// The run log zelkor.log: a line at every start, a header for every game and a line for
// every recorded ply. Lines end in CR LF and are only ever appended. A log that cannot
// be opened or written never stops the program: the lines are then dropped.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "rules/clock_random.h"
#include "rules/translator.h"

namespace zelkor {

inline constexpr const char* kLogFileName = "zelkor.log";
// The column heading of the log's game header and of the analysis list.
inline constexpr const char* kMoveColumnsHeading =
    QT_TRANSLATE_NOOP("Game", "      moves    score   depth    main");

class RunLog {
  public:
    // Opens the log in the data folder for appending; false when it cannot be opened.
    bool Open(const std::filesystem::path& dataDir);
    void Close();
    bool isOpen() const { return out_.is_open(); }

    // Appends one line; line breaks inside it become spaces. Ignored while closed.
    void WriteLine(std::string_view line);
    // An empty line, then "Zelkor 0.24   <date>  <time>".
    void WriteStartupLine(Clock& clock);
    // Written when the first ply of a game is recorded.
    void WriteGameHeader(const std::string& variantName, bool blackStarts);

  private:
    std::ofstream out_;
};

std::string StartupLogText(Clock& clock);
// A ply played by a person (or replayed from a file): the move-list text, three spaces
// (two after a book mark "b") and the score right-aligned in six characters.
std::string PlayerPlyLogLine(std::string_view moveText, int score);
// A ply played by the computer: the same, then six spaces, the depth reached
// right-aligned in two characters, four spaces and the main line.
std::string ComputerPlyLogLine(std::string_view moveText, int score, int depth,
                               std::string_view mainLine);

}  // namespace zelkor
