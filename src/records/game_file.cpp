#include "records/game_file.h"

#include <algorithm>
#include <climits>
#include <system_error>

#include "records/text_file.h"
#include "rules/board.h"

namespace zelkor {

namespace {

// The header lines in their file order; the flags among them by their key.
constexpr const char* kVariantKey = "Variant=";
constexpr const char* kSetupKey = "Setup=";
constexpr const char* kDepthKey = "Depth=";
constexpr const char* kNotationKey = "Notation=";
constexpr const char* kPromoWKey = "PromoW=";
constexpr const char* kPromoBKey = "PromoB=";
constexpr const char* kOffsetKey = "Offset=";
constexpr const char* kPlayerNameKey = "PlayerName=";
constexpr const char* kStartLine = "START";
// A file of nothing but key lines is not a game record; its header is cut off here.
constexpr std::size_t kMaxHeaderLines = 1000;

const std::string kCrLf = "\r\n";

// A value that must stay on its line: line breaks are dropped.
std::string OneLine(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n') out.push_back(c);
    return out;
}

// Every line break of a comment (CR LF, or a lone CR or LF) becomes two code-255 bytes.
std::string EncodeComment(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += kCommentBreak;
            out += kCommentBreak;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string DecodeComment(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == kCommentBreak && i + 1 < text.size() && text[i + 1] == kCommentBreak) {
            out += kCrLf;
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool StartsWith(const std::string& line, const char* key) {
    return line.rfind(key, 0) == 0;
}

// The largest value a numeric key accepts (its field is a byte, or 32 bits for the depth).
long long NumericKeyLimit(const std::string& key) {
    return key == kDepthKey ? INT_MAX : 255;
}

// The recognised key a header line starts with, or an empty text.
std::string HeaderKeyOf(const std::string& line) {
    static const char* const kTextKeys[] = {kSetupKey,  kVariantKey, kDepthKey,  kNotationKey,
                                            kPromoWKey, kPromoBKey,  kOffsetKey, kPlayerNameKey};
    for (const char* key : kTextKeys)
        if (StartsWith(line, key)) return key;
    for (const char* flag : kRuleFlagKeys) {
        const std::string key = std::string(flag) + "=";
        if (StartsWith(line, key.c_str())) return key;
    }
    return {};
}

bool IsNumericKey(const std::string& key) {
    RuleFlag flag;
    return key == kVariantKey || key == kDepthKey || key == kNotationKey ||
           IsGameFileFlagKey(key, &flag);
}

}  // namespace

bool IsGameFileFlagKey(const std::string& key, RuleFlag* flag) {
    for (int f = 0; f < kRuleFlagCount; ++f) {
        if (key == std::string(kRuleFlagKeys[f]) + "=") {
            if (flag) *flag = static_cast<RuleFlag>(f);
            return true;
        }
    }
    return false;
}

std::string RecordedMoveText(const GameState& g, int ply) {
    if (ply < 1 || ply > kMaxGamePlies) return "----";
    const MoveTextRow& row = g.moveTexts[static_cast<std::size_t>((ply + 1) / 2)];
    const std::string& field = ply % 2 == 1 ? row.first : row.second;
    const std::string upper = UpperCase(field.substr(0, 4));
    int from = upper.size() >= 2 ? SquareNumber(upper.substr(0, 2)) : 0;
    int to = upper.size() >= 4 ? SquareNumber(upper.substr(2, 2)) : 0;
    if (from == 0 || to == 0) {
        from = g.gameRecord[static_cast<std::size_t>(ply)].Source;
        to = g.gameRecord[static_cast<std::size_t>(ply)].dest;
    }
    return SquareName(from) + SquareName(to);
}

GameFileData GameFileDataOf(const GameState& g, const Settings& settings) {
    GameFileData data;
    data.variant = settings.Variant;
    data.setup = SetupText(g.initialBoard);
    data.depth = settings.SearchDepth;
    data.notation = settings.Notation;
    data.flags = g.active.flags;
    for (int s = 0; s < 2; ++s) {
        data.home[s] = HomeSquaresText(g.active.home[s]);
        data.directions[s] = g.active.directions[s];
    }
    data.playerName = settings.PlayerName;
    const int plies = std::clamp(g.recordLength, 0, kMaxGamePlies);
    for (int p = 1; p <= plies; ++p)
        data.moves.push_back(RecordedMoveText(g, p));
    for (int k = 0; k <= plies; ++k)
        data.comments.push_back(g.comments[static_cast<std::size_t>(k)]);
    return data;
}

std::string GameFileText(const GameFileData& data) {
    auto flag = [&](RuleFlag f) {
        return std::string(kRuleFlagKeys[f]) + "=" + std::to_string(data.flags[f]) + kCrLf;
    };
    std::string text;
    text += std::string(kFileSignature) + kDataVersion + kCrLf;
    text += kVariantKey + std::to_string(data.variant) + kCrLf;
    text += kSetupKey + OneLine(data.setup) + kCrLf;
    text += kDepthKey + std::to_string(data.depth) + kCrLf;
    text += kNotationKey + std::to_string(data.notation) + kCrLf;
    text += flag(MulJumps);
    text += flag(MaxCapMove);
    text += flag(BlackStarts);
    text += kPromoWKey + OneLine(data.home[0]) + kCrLf;
    text += kPromoBKey + OneLine(data.home[1]) + kCrLf;
    text += flag(ManContJump);
    text += flag(LongKings);
    text += flag(KingFirst);
    text += flag(CapRequired);
    text += flag(HomeLess);
    text += flag(FullHome);
    text += flag(OutofHome);
    text += std::string(kOffsetKey) + kCrLf;
    text += OneLine(data.directions[0]) + kCrLf;
    text += OneLine(data.directions[1]) + kCrLf;
    text += kPlayerNameKey + OneLine(data.playerName) + kCrLf;
    text += std::string(kStartLine) + kCrLf;

    const std::size_t plies = std::min(data.moves.size(), static_cast<std::size_t>(kMaxGamePlies));
    for (std::size_t k = 0;; ++k) {
        if (k < data.comments.size() && !data.comments[k].empty())
            text.append("{").append(EncodeComment(data.comments[k])).append("}").append(kCrLf);
        if (k == plies) break;
        text += OneLine(data.moves[k]).substr(0, 4) + kCrLf;
    }
    return text;
}

bool WriteGameFile(const std::filesystem::path& path, const GameFileData& data) {
    return WriteFileSafely(path, GameFileText(data));
}

GameFileContents ReadGameFile(const std::filesystem::path& path) {
    GameFileContents result;
    // A folder, a device or a pipe is no game record (a pipe could block the reader).
    switch (DataFileAccess(path)) {
        case FileAccess::Missing:
            result.status = GameFileStatus::Missing;
            return result;
        case FileAccess::Unreadable:
            result.status = GameFileStatus::Unreadable;
            return result;
        case FileAccess::Readable:
            break;
    }

    // First pass: the lines after "START", for the progress bar.
    {
        LineReader counter(path);
        if (!counter.is_open()) {
            result.status = GameFileStatus::Unreadable;
            return result;
        }
        bool started = false;
        while (auto line = counter.Next(8)) {
            if (started) {
                if (result.linesAfterStart < INT_MAX) ++result.linesAfterStart;
            } else if (StartsWith(*line, kStartLine)) {
                started = true;
            }
        }
    }

    if (!HasFileSignature(path)) {
        result.status = GameFileStatus::NotZelkorFile;
        return result;
    }
    LineReader in(path);
    if (!in.is_open()) {
        result.status = GameFileStatus::Unreadable;
        return result;
    }
    const auto first = in.Next(256);
    if (!first || !VersionMatches(*first)) {
        result.status = GameFileStatus::WrongVersion;
        return result;
    }
    result.status = GameFileStatus::Ok;

    // Where the reading stopped, for the caller's message.
    int number = 1;
    auto next = [&in, &number]() {
        auto line = in.Next();
        if (line) ++number;
        return line;
    };
    auto stop = [&result, &number](const std::string& text) {
        result.stopLine = number;
        result.stopText = text.substr(0, 40);
        return result;
    };

    // Header: recognised key lines up to "START"; other lines are ignored.
    bool started = false;
    while (auto line = next()) {
        if (StartsWith(*line, kStartLine)) {
            started = true;
            break;
        }
        const std::string key = HeaderKeyOf(*line);
        if (key.empty()) continue;
        if (result.header.size() == kMaxHeaderLines) return stop(*line);
        GameFileHeaderLine entry;
        entry.key = key;
        entry.value = line->substr(key.size());
        if (key == kOffsetKey) {
            const auto side0 = next();
            const auto side1 = side0 ? next() : std::nullopt;
            if (!side1) {
                ++number;
                return stop(std::string());
            }
            entry.value = *side0;
            entry.value2 = *side1;
        } else if (IsNumericKey(key)) {
            const auto value = LeadingNumber(entry.value);
            if (!value || *value < 0 || *value > NumericKeyLimit(key)) return stop(*line);
            entry.number = *value;
        }
        result.header.push_back(std::move(entry));
    }
    if (!started) {
        ++number;  // the line START the file lacks
        return stop(std::string());
    }

    // Body: comments and moves up to the end of the file. Empty lines may only close it:
    // a body that goes on after one, or after the 1000th move, stopped early there.
    int moves = 0;
    while (auto line = next()) {
        if (line->empty()) {
            const int blank = number;
            while (auto rest = in.Next(1)) {
                if (rest->empty()) continue;
                number = blank;
                return stop(std::string());
            }
            break;
        }
        if ((*line)[0] == '{') {
            if (line->size() < 2) return stop(*line);
            std::string text = DecodeComment(line->substr(1, line->size() - 2));
            if (!result.body.empty() && result.body.back().kind == GameFileItem::Kind::Comment)
                result.body.back().text = std::move(text);
            else
                result.body.push_back({GameFileItem::Kind::Comment, std::move(text), number});
            if (in.AtEnd()) break;
            continue;
        }
        if (moves == kMaxGamePlies) return stop(*line);
        ++moves;
        result.body.push_back(
            {GameFileItem::Kind::Move, UpperCase(line->substr(0, kMaxMoveLineLength)), number});
    }
    if (in.failed()) return stop(std::string());
    result.complete = true;
    return result;
}

std::string GameFileStatusMessage(GameFileStatus status, const std::string& fileName,
                                  std::string* title, const Translator& texts) {
    std::string caption = "Zelkor";
    std::string text;
    switch (status) {
        case GameFileStatus::Ok:
            break;
        case GameFileStatus::Missing:
            text = Fill(texts.Translate("Game", "%1 does not exist"), {fileName});
            break;
        case GameFileStatus::NotZelkorFile:
            text = Fill(texts.Translate("Game", "%1 is not an Zelkor file"), {fileName});
            break;
        case GameFileStatus::WrongVersion:
            caption = texts.Translate("Game", "Error");
            text = Fill(texts.Translate("Game", "Incorrect game file!\r\nNeed version %1"),
                        {kDataVersion});
            break;
        case GameFileStatus::Unreadable:
            caption = texts.Translate("Game", "Error");
            text = Fill(texts.Translate("Game", "%1 cannot be read"), {fileName});
            break;
    }
    if (title) *title = caption;
    return text;
}

std::string IncompleteGameFileMessage(const GameFileContents& contents, const std::string& fileName,
                                      int movesLoaded, const Translator& texts) {
    const std::string line = std::to_string(contents.stopLine);
    std::string text;
    if (contents.illegalMove)
        text = Fill(texts.Translate("Game", "%1, line %2: \"%3\" is not a legal move"),
                    {fileName, line, contents.stopText});
    else if (contents.stopText.empty())
        text = Fill(texts.Translate("Game", "%1, line %2 could not be read"), {fileName, line});
    else
        text = Fill(texts.Translate("Game", "%1, line %2: \"%3\" could not be read"),
                    {fileName, line, contents.stopText});
    const std::string loaded = movesLoaded == 1 ? texts.Translate("Game", "; %1 move was loaded")
                                                : texts.Translate("Game", "; %1 moves were loaded");
    return text + Fill(loaded, {std::to_string(movesLoaded)});
}

std::string GameFileWriteFailedMessage(const std::string& fileName, bool writeProtected,
                                       const Translator& texts) {
    return Fill(writeProtected
                    ? texts.Translate("Game", "%1 could not be saved: it is write-protected")
                    : texts.Translate("Game", "%1 could not be saved"),
                {fileName});
}

}  // namespace zelkor
