#include "records/settings_file.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <limits>
#include <optional>
#include <system_error>
#include <variant>

#include "records/text_file.h"
#include "records/text_lines.h"
#include "rules/move_text.h"

namespace zelkor {

namespace {

struct FlagLine {
    RuleFlag flag;
};
struct HomeLine {
    int side;
};
struct DirectionLine {
    int side;
};

// Where one line of the file lives in the record.
using Field =
    std::variant<bool Settings::*, uint8_t Settings::*, int16_t Settings::*, int32_t Settings::*,
                 std::string Settings::*, FlagLine, HomeLine, DirectionLine>;

// Lines 2..42 in file order.
const std::array<Field, kSettingsLines - 1> kFields = {
    &Settings::PlayMode,
    &Settings::Handicap,
    &Settings::SearchDepth,
    &Settings::Notation,
    &Settings::BoardTurned,
    FlagLine{MaxCapMove},
    FlagLine{MulJumps},
    &Settings::ShowMoves,
    FlagLine{BlackStarts},
    &Settings::Variant,
    &Settings::ThinkTime,
    &Settings::UseDepth,
    &Settings::ChessDrawRules,
    &Settings::PlayerName,
    &Settings::CapitalLetters,
    &Settings::ConfirmExit,
    &Settings::AskDraw,
    &Settings::ExtendedSearch,
    FlagLine{ManContJump},
    FlagLine{LongKings},
    HomeLine{0},
    HomeLine{1},
    DirectionLine{0},
    DirectionLine{1},
    &Settings::UseBook,
    &Settings::DrawRule15,
    &Settings::ShowCalculation,
    &Settings::BruteForce,
    FlagLine{KingFirst},
    &Settings::JumpChar,
    &Settings::ExtendedPlies,
    &Settings::Balance,
    FlagLine{CapRequired},
    &Settings::UseRating,
    FlagLine{OutofHome},
    FlagLine{HomeLess},
    FlagLine{FullHome},
    &Settings::FixedTime,
    &Settings::PieceSet,
    &Settings::BookFromGames,
    &Settings::CountdownTimer,
};

std::string FirstLine() {
    return std::string("ZELKOR") + kDataVersion;
}

std::string NumberText(long long value) {
    return SignedText(value) + " ";
}

// A text must stay on its own line.
std::string LineText(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

enum class Parsed { Ok, NotANumber, TooLarge };

// A whole number with optional blanks around it; anything else is not a number.
Parsed ParseNumber(std::string_view text, long long low, long long high, long long& value) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return Parsed::NotANumber;
    const size_t last = text.find_last_not_of(" \t");
    std::string_view number = text.substr(first, last - first + 1);
    if (!number.empty() && number[0] == '+') number.remove_prefix(1);
    if (number.empty() || number[0] == '+') return Parsed::NotANumber;
    long long parsed = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), parsed);
    if (result.ptr != number.data() + number.size()) return Parsed::NotANumber;
    // Only digits, but too many of them for any field.
    if (result.ec == std::errc::result_out_of_range) return Parsed::TooLarge;
    if (result.ec != std::errc()) return Parsed::NotANumber;
    if (parsed < low || parsed > high) return Parsed::TooLarge;
    value = parsed;
    return Parsed::Ok;
}

template <typename T>
Parsed ReadNumberInto(std::string_view text, T& field) {
    long long value = 0;
    const Parsed parsed =
        ParseNumber(text, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), value);
    if (parsed == Parsed::Ok) field = static_cast<T>(value);
    return parsed;
}

Parsed ReadLine(const Field& field, const std::string& text, Settings& s) {
    struct Reader {
        const std::string& text;
        Settings& s;
        // A flag's line holds a byte; any value but 0 sets it, as the options dialog would.
        Parsed operator()(bool Settings::*m) {
            uint8_t value = 0;
            const Parsed parsed = ReadNumberInto(text, value);
            if (parsed == Parsed::Ok) s.*m = value != 0;
            return parsed;
        }
        Parsed operator()(uint8_t Settings::*m) { return ReadNumberInto(text, s.*m); }
        Parsed operator()(int16_t Settings::*m) { return ReadNumberInto(text, s.*m); }
        Parsed operator()(int32_t Settings::*m) { return ReadNumberInto(text, s.*m); }
        Parsed operator()(std::string Settings::*m) {
            s.*m = text;
            return Parsed::Ok;
        }
        Parsed operator()(FlagLine f) { return ReadNumberInto(text, s.rules.flags[f.flag]); }
        Parsed operator()(HomeLine h) {
            s.rules.home[h.side] = ParseHomeSquares(text);
            return Parsed::Ok;
        }
        Parsed operator()(DirectionLine d) {
            s.rules.directions[d.side] = text;
            return Parsed::Ok;
        }
    };
    return std::visit(Reader{text, s}, field);
}

std::string WriteLine(const Field& field, const Settings& s) {
    struct Writer {
        const Settings& s;
        std::string operator()(bool Settings::*m) { return NumberText(s.*m ? 1 : 0); }
        std::string operator()(uint8_t Settings::*m) { return NumberText(s.*m); }
        std::string operator()(int16_t Settings::*m) { return NumberText(s.*m); }
        std::string operator()(int32_t Settings::*m) { return NumberText(s.*m); }
        std::string operator()(std::string Settings::*m) { return LineText(s.*m); }
        std::string operator()(FlagLine f) { return NumberText(s.rules.flags[f.flag]); }
        std::string operator()(HomeLine h) { return HomeSquaresText(s.rules.home[h.side]); }
        std::string operator()(DirectionLine d) { return LineText(s.rules.directions[d.side]); }
    };
    return std::visit(Writer{s}, field);
}

std::string TrimmedFirstValue(std::string_view line) {
    line = line.substr(0, line.find(','));
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = line.find_last_not_of(" \t");
    return std::string(line.substr(first, last - first + 1));
}

Settings DefaultSettings() {
    Settings defaults;
    defaults.rules = DefaultRules();
    return defaults;
}

template <typename T>
void Clamp(T& field, long long low, long long high) {
    field = static_cast<T>(std::clamp<long long>(field, low, high));
}

// Every value is brought into the range its control in the options dialog allows (the
// strength slider stores 10 - S for S 1..10): a hand-edited file cannot ask for a depth
// that never ends or a time of nothing.
void ClampToControls(Settings& s) {
    Clamp(s.PlayMode, 0, 2);
    Clamp(s.Handicap, 0, 9);
    Clamp(s.SearchDepth, 1, 20);
    Clamp(s.ThinkTime, 1, 180);
    Clamp(s.ExtendedPlies, 1, 3);
    Clamp(s.Balance, 1, 750);
    Clamp(s.Variant, 1, 255);
    for (uint8_t* choice : {&s.Notation, &s.DrawRule15, &s.JumpChar})
        Clamp(*choice, 0, 1);
    Clamp(s.BoardTurned, 0, 1);
    Clamp(s.PieceSet, 0, 1);
}

void Normalise(Settings& s) {
    if (s.SearchDepth == 0) s.SearchDepth = 2;
    ClampToControls(s);
    if (s.PlayMode == 2) s.PlayMode = 0;
}

}  // namespace

std::vector<std::string> SettingsLines(const Settings& settings) {
    std::vector<std::string> lines;
    lines.reserve(kSettingsLines);
    lines.push_back(FirstLine());
    for (const Field& field : kFields)
        lines.push_back(WriteLine(field, settings));
    return lines;
}

bool WriteSettings(const Settings& settings, const std::filesystem::path& dataDir) {
    std::string contents;
    for (const std::string& line : SettingsLines(settings))
        contents += line + "\r\n";
    return WriteFileSafely(dataDir / kSettingsFileName, contents);
}

SettingsReadResult ReadSettings(Settings& settings, const std::filesystem::path& dataDir) {
    SettingsReadResult result;
    Settings read = DefaultSettings();
    const std::filesystem::path file = dataDir / kSettingsFileName;
    TextLineReader reader(file);
    std::string line;
    int number = 0;  // the line that could not be used
    if (!reader.Next(line)) {
        number = 1;  // an empty file (a place that is no file is not read at all)
    } else if (TrimmedFirstValue(line) != FirstLine()) {
        number = 1;
    } else {
        for (size_t i = 0; i < kFields.size() && number == 0; ++i) {
            const bool present = reader.Next(line);
            // A line cut short, a value that is no whole number or one too large for its
            // field: the file is not the user's settings as written.
            if (!present || ReadLine(kFields[i], line, read) != Parsed::Ok)
                number = static_cast<int>(i) + 2;
            if (!present) line.clear();
        }
    }
    if (number == 0 && reader.access() == FileAccess::Readable) {
        result.status = SettingsReadStatus::Read;
        Normalise(read);
        settings = read;
        return result;
    }
    read = DefaultSettings();
    result.status = SettingsReadStatus::Defaults;
    if (reader.access() == FileAccess::Readable) {
        // The file is kept aside for the user, never in the way of a start, and never
        // overwritten: when no free name takes it, it stays and is not written this run.
        result.status = SettingsReadStatus::Invalid;
        result.line = number;
        result.text = line.substr(0, 40);
        result.keptAs = KeepFileAside(file);
        result.keptAside = !result.keptAs.empty();
    }
    if (reader.access() == FileAccess::Missing || result.keptAside)
        result.newFileWritten = WriteSettings(read, dataDir);
    result.mayWrite = reader.access() == FileAccess::Missing || result.keptAside;
    Normalise(read);
    settings = read;
    return result;
}

std::filesystem::path BadSettingsFile(const std::filesystem::path& dataDir) {
    std::filesystem::path file = dataDir / kSettingsFileName;
    file += ".bad";
    return file;
}

std::filesystem::path KeepFileAside(const std::filesystem::path& file) {
    for (int generation = 0; generation < kKeptGenerations; ++generation) {
        std::filesystem::path aside = file;
        aside += generation == 0 ? std::string(".bad") : ".bad." + std::to_string(generation);
        if (MoveToNewName(file, aside)) return aside;
    }
    return {};
}

std::string SettingsProblemMessage(const SettingsReadResult& result,
                                   const std::filesystem::path& dataDir, const Translator& texts) {
    if (result.status != SettingsReadStatus::Invalid) return {};
    const std::string file = (dataDir / kSettingsFileName).string();
    const std::string line = std::to_string(result.line);
    std::string text;
    if (result.line == 1)
        text =
            Fill(texts.Translate("Game", "%1, line %2 is not \"%3\"."), {file, line, FirstLine()});
    else if (result.text.empty())
        text = Fill(texts.Translate("Game", "%1, line %2: the line is missing."), {file, line});
    else
        text =
            Fill(texts.Translate("Game", "%1, line %2: the value \"%3\" does not fit its setting."),
                 {file, line, result.text});
    text += "\r\n";
    if (result.keptAside)
        text +=
            Fill(texts.Translate("Game", "The file was kept as %1; "), {result.keptAs.string()});
    else
        text += texts.Translate("Game", "The file was left as it is and will not be written; ");
    return text + texts.Translate("Game", "Zelkor starts with the default settings.");
}

void ApplySettingsRules(const Settings& settings, GameState& g) {
    g.active.flags = settings.rules.flags;
    g.active.home = settings.rules.home;
    g.active.directions = settings.rules.directions;
    for (int side = 0; side < 2; ++side)
        ParseDirections(g.active.directions[side], side, g.directions);
}

void StoreActiveRules(const GameState& g, Settings& settings) {
    settings.rules.flags = g.active.flags;
    settings.rules.home = g.active.home;
    settings.rules.directions = g.active.directions;
}

}  // namespace zelkor
