#include "records/variant_file.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "records/text_lines.h"

namespace zelkor {

namespace {

constexpr std::string_view kHeader = "ZELKOR Version=";
constexpr const char* kVariantVersion = "0.10";
// The help text shown by the rules window; more is cut so that no file can exhaust memory.
constexpr size_t kMaxHelpLength = 64 * 1024;

bool SameVersion(std::string_view text) {
    return static_cast<float>(LeadingDecimal(text)) ==
           static_cast<float>(LeadingDecimal(kVariantVersion));
}

enum class BlockRead { Found, RanOut, BadFlag };

// A flag value is read as a number and must fit a byte; a value that is no number at all
// reads as 0, a fraction is rounded.
std::optional<uint8_t> FlagValue(std::string_view text) {
    const double value = std::nearbyint(LeadingDecimal(text));
    if (!(value >= 0.0 && value <= 255.0)) return std::nullopt;
    return static_cast<uint8_t>(value);
}

// The file's lines with their numbers, for the messages about a damaged file.
class NumberedReader {
  public:
    explicit NumberedReader(const std::filesystem::path& file) : reader_(file) {}
    FileAccess access() const { return reader_.access(); }
    bool failed() const { return reader_.failed(); }
    bool Next(std::string& line) {
        if (!reader_.Next(line)) return false;
        ++number_;
        return true;
    }
    int number() const { return number_; }

  private:
    TextLineReader reader_;
    int number_ = 0;
};

// Reads the lines of one block, after its "Variant=" line, up to "END". A flag that does
// not fit stops at its line.
BlockRead ReadBlockLines(NumberedReader& reader, VariantBlock& block, std::string& badLine) {
    static const std::array<std::string, kRuleFlagCount> flagKeys = [] {
        std::array<std::string, kRuleFlagCount> keys;
        for (int f = 0; f < kRuleFlagCount; ++f)
            keys[f] = std::string(kRuleFlagKeys[f]) + "=";
        return keys;
    }();
    static constexpr std::array<std::string_view, 2> homeKeys = {"PromoW=", "PromoB="};
    static constexpr std::array<std::string_view, 2> directionKeys = {"WhiteManMovement=",
                                                                      "BlackManMovement="};
    std::string line;
    while (reader.Next(line)) {
        if (line == "END") return BlockRead::Found;
        const std::string_view text = line;
        if (HasPrefix(text, "Setup=")) {
            const std::string_view value = text.substr(6);
            if (value != "normal") block.setup = std::string(value);
        } else if (HasPrefix(text, "Help=")) {
            // Each Help= line is a line of the rules window.
            const std::string_view value = text.substr(5);
            if (!block.help.empty() && block.help.size() < kMaxHelpLength) block.help += '\n';
            const size_t room = kMaxHelpLength - std::min(kMaxHelpLength, block.help.size());
            block.help.append(value.substr(0, room));
        }
        for (int f = 0; f < kRuleFlagCount; ++f) {
            if (!HasPrefix(text, flagKeys[f])) continue;
            const auto value = FlagValue(text.substr(flagKeys[f].size()));
            if (!value) {
                badLine = line.substr(0, 80);
                return BlockRead::BadFlag;
            }
            block.flags[f] = *value;
        }
        for (int side = 0; side < 2; ++side) {
            if (HasPrefix(text, homeKeys[side]))
                block.home[side] = std::string(text.substr(homeKeys[side].size()));
            if (HasPrefix(text, directionKeys[side]))
                block.directions[side] = std::string(text.substr(directionKeys[side].size()));
        }
    }
    return BlockRead::RanOut;
}

enum class Attempt { Read, RanOut, Missing, NotVariantFile, WrongVersion, Damaged };

// A damaged file is reported with its name and the place of the damage; the game goes on
// with the rules it had.
Attempt Damaged(ReaderUi& ui, const std::string& text) {
    ui.Message(text + ui.Translate("Game", "; the rules stay as they were"),
               ui.Translate("Game", "Error"), Icon::Exclamation);
    return Attempt::Damaged;
}

// Reads block number `number`. When `last` is set the fall-back is used up: a block that
// runs out is damage to report, not a reason to try variant 1.
Attempt ReadOnce(const std::filesystem::path& file, int number, bool last, ReaderUi& ui,
                 VariantBlock& block) {
    NumberedReader reader(file);
    if (reader.access() == FileAccess::Missing) return Attempt::Missing;
    const std::string fileName = file.string();
    if (reader.access() != FileAccess::Readable)
        return Damaged(ui, Fill(ui.Translate("Game", "%1 cannot be read"), {fileName}));
    std::string line;
    reader.Next(line);
    if (reader.failed())
        return Damaged(ui, Fill(ui.Translate("Game", "%1 cannot be read"), {fileName}));
    if (!HasPrefix(line, kHeader)) {
        ui.Message(ui.Translate("Game", "VARIANTS.INI is not an Zelkor Variants file"), "Zelkor",
                   Icon::Exclamation);
        return Attempt::NotVariantFile;
    }
    if (!SameVersion(std::string_view(line).substr(kHeader.size()))) {
        ui.Message(
            Fill(ui.Translate("Game", "Incorrect version of VARIANTS.INI\r\nNeed version %1"),
                 {kVariantVersion}),
            ui.Translate("Game", "Error"), Icon::Exclamation);
        return Attempt::WrongVersion;
    }
    int count = 0;
    while (count < number) {
        if (!reader.Next(line)) {
            if (reader.failed())
                return Damaged(ui, Fill(ui.Translate("Game", "%1 cannot be read"), {fileName}));
            if (!last) return Attempt::RanOut;
            return Damaged(
                ui, Fill(ui.Translate("Game", "%1 holds no block \"Variant=\""), {fileName}));
        }
        if (HasPrefix(line, "Variant=")) ++count;
    }
    const int blockLine = reader.number();
    block = VariantBlock{};
    block.name = line.substr(8);
    const std::string blockName = Fill(ui.Translate("Game", "the block \"%1\" (line %2)"),
                                       {line.substr(0, 80), std::to_string(blockLine)});
    std::string badLine;
    switch (ReadBlockLines(reader, block, badLine)) {
        case BlockRead::Found:
            return Attempt::Read;
        case BlockRead::BadFlag:
            return Damaged(ui,
                           Fill(ui.Translate("Game", "%1, line %2: %3 does not fit in %4"),
                                {fileName, std::to_string(reader.number()), badLine, blockName}));
        case BlockRead::RanOut:
            break;
    }
    if (reader.failed())
        return Damaged(ui, Fill(ui.Translate("Game", "%1 cannot be read"), {fileName}));
    if (!last) return Attempt::RanOut;
    return Damaged(ui, Fill(ui.Translate("Game", "%1: %2 has no line END"), {fileName, blockName}));
}

void SetNameAndHelp(GameState& g, const VariantBlock& block) {
    g.defined.name = block.name;
    g.defined.help = block.help;
    g.active.name = block.name;
    g.active.help = block.help;
}

}  // namespace

VariantFileStatus ReadVariantBlock(const std::filesystem::path& dataDir, uint8_t& Variant,
                                   ReaderUi& ui, VariantBlock& block) {
    const std::filesystem::path file = dataDir / kVariantFileName;
    if (Variant < 1) Variant = 1;
    Attempt attempt = ReadOnce(file, Variant, Variant == 1, ui, block);
    if (attempt == Attempt::RanOut) {
        Variant = 1;
        attempt = ReadOnce(file, Variant, true, ui, block);
    }
    switch (attempt) {
        case Attempt::Read:
            return VariantFileStatus::Loaded;
        case Attempt::Missing:
            return VariantFileStatus::Missing;
        case Attempt::NotVariantFile:
            return VariantFileStatus::NotVariantFile;
        case Attempt::WrongVersion:
            return VariantFileStatus::WrongVersion;
        case Attempt::Damaged:
        case Attempt::RanOut:
            break;
    }
    return VariantFileStatus::Damaged;
}

VariantFileStatus LoadVariant(GameState& g, const std::filesystem::path& dataDir, uint8_t& Variant,
                              ReaderUi& ui) {
    VariantBlock block;
    const VariantFileStatus status = ReadVariantBlock(dataDir, Variant, ui, block);
    if (status != VariantFileStatus::Loaded) return status;
    SetNameAndHelp(g, block);
    for (int f = 0; f < kRuleFlagCount; ++f)
        if (block.flags[f]) g.defined.flags[f] = *block.flags[f];
    for (int side = 0; side < 2; ++side) {
        if (block.home[side]) g.defined.home[side] = ParseHomeSquares(*block.home[side]);
        if (block.directions[side]) g.defined.directions[side] = *block.directions[side];
    }
    if (block.setup) {
        ApplySetupText(*block.setup, g.board);
        ApplySetupText(*block.setup, g.initialBoard);
    }
    return status;
}

std::vector<std::string> ListVariantNames(const std::filesystem::path& dataDir, bool fileMissing) {
    std::vector<std::string> names;
    if (fileMissing) return names;
    TextLineReader reader(dataDir / kVariantFileName);
    std::string line;
    while (static_cast<int>(names.size()) < kMaxVariants && reader.Next(line))
        if (HasPrefix(line, "Variant=")) names.push_back(line.substr(8));
    return names;
}

DialogVariant ReadVariantForDialog(GameState& g, const std::filesystem::path& dataDir,
                                   uint8_t& Variant, ReaderUi& ui) {
    DialogVariant result;
    VariantBlock block;
    result.status = ReadVariantBlock(dataDir, Variant, ui, block);
    if (result.status == VariantFileStatus::Loaded) {
        SetNameAndHelp(g, block);
        for (int f = 0; f < kRuleFlagCount; ++f) {
            if (!block.flags[f]) continue;
            g.active.flags[f] = *block.flags[f];
            g.defined.flags[f] = *block.flags[f];
        }
        for (int side = 0; side < 2; ++side) {
            if (block.home[side]) g.defined.home[side] = ParseHomeSquares(*block.home[side]);
            if (block.directions[side]) {
                g.defined.directions[side] = *block.directions[side];
                ParseDirections(*block.directions[side], side, g.directions);
            }
        }
        result.setup = block.setup;
    }
    result.home = g.defined.home;
    for (int side = 0; side < 2; ++side) {
        const std::string& text = g.defined.directions[side];
        const size_t blank = text.find(' ');
        result.normalMoves[side] = text.substr(0, blank);
        result.jumpMoves[side] =
            blank == std::string::npos ? std::string() : text.substr(blank + 1);
        result.directionTexts[side] = text;
    }
    result.table = g.directions;
    return result;
}

}  // namespace zelkor
