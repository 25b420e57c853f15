#include "records/book.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "records/game_file.h"
#include "records/settings.h"
#include "records/text_file.h"
#include "rules/board.h"
#include "rules/variant.h"

namespace zelkor {

namespace {

// A book line needs five characters per ply of a game; longer lines are cut.
constexpr std::size_t kMaxBookLineLength = 5 * (kMaxGamePlies + 1) + 16;

bool StartsWith(const std::string& line, const std::string& key) {
    return line.rfind(key, 0) == 0;
}

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// Characters [at, at + count) of a text, as far as it reaches.
std::string Part(const std::string& text, std::size_t at, std::size_t count) {
    return at < text.size() ? text.substr(at, count) : std::string();
}

char CharAt(const std::string& text, std::size_t at) {
    return at < text.size() ? text[at] : '\0';
}

std::string LeftTrimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

// Rows of a direction table equal up to and including their terminators.
bool SameDirections(const DirectionTable& a, const DirectionTable& b) {
    for (std::size_t row = 0; row < a.size(); ++row) {
        for (std::size_t slot = 0; slot < a[row].size(); ++slot) {
            if (a[row][slot] != b[row][slot]) return false;
            if (a[row][slot] == kDirectionEnd) break;
        }
    }
    return true;
}

// Whether a "PromoW="/"PromoB=" value fits a home-square list: every named square is in
// the list, and a missing piece or one that names no square needs an empty slot there.
bool HomeListFits(const std::string& value, const std::array<int32_t, kHomeSlots>& list) {
    for (int slot = 0; slot < kHomeSlots; ++slot) {
        const int square = SquareNumber(Part(value, static_cast<std::size_t>(2 * slot), 2));
        const int wanted = square == 0 ? kEmptySlot : square;
        if (std::find(list.begin(), list.end(), wanted) == list.end()) return false;
    }
    return true;
}

// The header of a book section: does the section fit the game?
class SectionMatcher {
  public:
    explicit SectionMatcher(const GameState& g) : g_(g), setup_(SetupText(g.initialBoard)) {}

    void Line(const std::string& line) {
        if (StartsWith(line, "Variant=")) {
            fits_ = line.substr(8) == g_.active.name;
            directions_ = g_.directions;
            return;
        }
        if (StartsWith(line, "Setup=")) {
            if (line.substr(6) != setup_) fits_ = false;
            return;
        }
        for (int f = 0; f < kRuleFlagCount; ++f) {
            const std::string key = std::string(kRuleFlagKeys[f]) + "=";
            if (StartsWith(line, key)) {
                const auto number = LeadingNumber(line.substr(key.size()));
                if (number.value_or(0) != g_.active.flags[f]) fits_ = false;
                return;
            }
        }
        if (StartsWith(line, "PromoW=")) {
            if (!HomeListFits(line.substr(7), g_.active.home[0])) fits_ = false;
        } else if (StartsWith(line, "PromoB=")) {
            if (!HomeListFits(line.substr(7), g_.active.home[1])) fits_ = false;
        } else if (StartsWith(line, "WhiteManMovement=")) {
            ParseDirections(line.substr(17), 0, directions_);
        } else if (StartsWith(line, "BlackManMovement=")) {
            ParseDirections(line.substr(17), 1, directions_);
        }
    }

    // At "start": the section is taken when it still fits.
    bool Start() {
        if (!SameDirections(directions_, g_.directions)) fits_ = false;
        return fits_;
    }

  private:
    const GameState& g_;
    std::string setup_;
    bool fits_ = false;  // a section without "Variant=" never fits
    DirectionTable directions_{};
};

BookResult EmptyWithName(int mode, UserInterface& ui, BookResult result) {
    if (mode == 0) ui.SetText(Display::OpeningName, result.openingName);
    return result;
}

}  // namespace

std::pair<int, int> BookMoveSquares(const std::string& move) {
    const std::string upper = UpperCase(move);
    return {SquareNumber(Part(upper, 0, 2)), SquareNumber(Part(upper, 2, 2))};
}

std::string GameText(const GameState& g) {
    std::string text;
    const int plies = std::clamp(g.gamePly, 0, kMaxGamePlies);
    for (int ply = 1; ply <= plies; ++ply) {
        if (ply > 1) text += ' ';
        text += RecordedMoveText(g, ply);
    }
    return text;
}

BookResult FileBookLookup(int mode, const GameState& g, const std::filesystem::path& dataDir,
                          Random& random, UserInterface& ui) {
    BookResult result;
    const std::filesystem::path path = dataDir / kBookFileName;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return result;

    if (!HasFileSignature(path)) {
        ui.Message("ZELKOR.BOK is not an Zelkor Book file", "Zelkor", Icon::Exclamation);
        return result;
    }
    LineReader in(path);
    const auto first = in.Next(256);
    if (!first || !VersionMatches(*first)) {
        ui.Message(std::string("Incorrect version of ZELKOR.BOK\r\nNeed version ") + kDataVersion,
                   "Error", Icon::Exclamation);
        return result;
    }

    // Find the section of the game's rules.
    SectionMatcher matcher(g);
    bool found = false;
    while (auto line = in.Next(kMaxBookLineLength)) {
        if (*line == "start") {
            if (matcher.Start()) {
                found = true;
                break;
            }
            continue;
        }
        matcher.Line(*line);
    }
    if (!found) return EmptyWithName(mode, ui, result);

    // Collect the candidates of the book lines. Every occurrence is one entry, so a move
    // proposed by several lines is chosen that much more often.
    std::string gameText = GameText(g);
    const char sideLetter = g.side == kWhite ? 'w' : 'b';
    const std::size_t length = gameText.size();
    std::vector<std::string> candidates;
    std::string previous;
    bool names = false;
    while (auto line = in.Next(kMaxBookLineLength)) {
        if (*line == "names") {
            names = true;
            break;
        }
        if (*line == "end") break;
        const std::size_t blanks = std::min(line->find_first_not_of(' '), line->size());
        const std::string expanded = previous.substr(0, blanks) + line->substr(blanks);
        previous = expanded;
        if (length == 0) {
            if (CharAt(*line, 4) == sideLetter && candidates.size() < kMaxBookCandidates)
                candidates.push_back(Part(*line, 0, 4));
            continue;
        }
        bool continues = true;
        for (std::size_t at = 0; at < length && continues; at += 5)
            continues = Part(expanded, at, 4) == gameText.substr(at, 4);
        if (!continues) continue;
        result.inBook = true;
        if (CharAt(*line, length + 5) == sideLetter && candidates.size() < kMaxBookCandidates)
            candidates.push_back(Part(*line, length + 1, 4));
    }
    for (std::size_t i = 0; i < candidates.size() && i < kShownBookMoves; ++i)
        result.bookMoves.push_back(candidates[i]);

    if (mode == 1 && !candidates.empty()) {
        const double r = std::clamp(random.Uniform(), 0.0, 1.0);
        const std::size_t pick =
            std::min(static_cast<std::size_t>(r * static_cast<double>(candidates.size())),
                     candidates.size() - 1);
        const std::string& chosen = candidates[pick];
        if (!chosen.empty()) {
            gameText += " " + chosen;
            const auto [from, to] = BookMoveSquares(chosen);
            result.from = from;
            result.to = to;
        }
    }

    if (names) {
        const std::string trimmed = LeftTrimmed(gameText);
        while (auto line = in.Next(kMaxBookLineLength)) {
            if (*line == "end") break;
            const std::size_t open = line->find('\'');
            const std::size_t close = open == std::string::npos ? open : line->find('\'', open + 1);
            if (close == std::string::npos) FatalError(ui);
            const std::string prefix = line->substr(0, open);
            if (trimmed.substr(0, prefix.size()) == prefix)
                result.openingName = line->substr(open + 1, close - open - 1);
        }
    }
    return EmptyWithName(mode, ui, result);
}

}  // namespace zelkor
