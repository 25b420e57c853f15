#include "records/log.h"

#include <limits>

#include "records/settings.h"
#include "records/text_lines.h"

namespace zelkor {

namespace {

std::string RightAligned(long long value, size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

}  // namespace

bool RunLog::Open(const std::filesystem::path& dataDir) {
    Close();
    // Only a file is appended to: opening a pipe in its place would block the program.
    const std::filesystem::path file = dataDir / kLogFileName;
    if (DataFileAccess(file, std::numeric_limits<std::uintmax_t>::max()) == FileAccess::Unreadable)
        return false;
    out_.open(file, std::ios::binary | std::ios::app);
    return out_.is_open();
}

void RunLog::Close() {
    if (out_.is_open()) out_.close();
    out_.clear();
}

void RunLog::WriteLine(std::string_view line) {
    if (!out_.is_open()) return;
    std::string text(line);
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    text += "\r\n";
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    // Flushed at once so that the log shows everything up to a crash; a full disk only
    // loses log lines.
    out_.flush();
    out_.clear();
}

void RunLog::WriteStartupLine(Clock& clock) {
    WriteLine("");
    WriteLine(StartupLogText(clock));
}

void RunLog::WriteGameHeader(const std::string& variantName, bool blackStarts) {
    WriteLine("");
    WriteLine(variantName);
    WriteLine(blackStarts ? "Black   White" : "White   Black");
    WriteLine(kMoveColumnsHeading);
}

std::string StartupLogText(Clock& clock) {
    return std::string("Zelkor ") + kProgramVersion + "   " + clock.DateText() + "  " +
           clock.TimeText();
}

std::string PlayerPlyLogLine(std::string_view moveText, int score) {
    std::string line(moveText);
    line += !moveText.empty() && moveText.back() == 'b' ? "  " : "   ";
    line += RightAligned(score, 6);
    return line;
}

std::string ComputerPlyLogLine(std::string_view moveText, int score, int depth,
                               std::string_view mainLine) {
    std::string line = PlayerPlyLogLine(moveText, score);
    line += "      ";
    line += RightAligned(depth, 2);
    line += "    ";
    line += mainLine;
    return line;
}

}  // namespace zelkor
