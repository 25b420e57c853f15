#include "records/rating.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstring>
#include <system_error>

#include "records/text_file.h"
#include "records/text_lines.h"
#include "rules/move_text.h"

namespace zelkor {

namespace {

// Nearest integer, halves to the even neighbour.
long long RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    long long result = static_cast<long long>(lower);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
    return result;
}

int ClampRating(long long value) {
    return static_cast<int>(std::clamp<long long>(value, 0, kMaxRating));
}

int16_t At(std::span<const int16_t> values, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < values.size()
               ? values[static_cast<std::size_t>(index)]
               : 0;
}

const std::string& Marker(const MoveTextRow& row, bool firstSide) {
    return firstSide ? row.firstBy : row.secondBy;
}

}  // namespace

int ComputerGameRating(double averageDepth) {
    return static_cast<int>(1100 + std::floor(100 * averageDepth));
}

int RatingFactor(int rating) {
    if (rating < 2000) return 30;
    if (rating > 2400) return 10;
    return static_cast<int>(RoundHalfEven(130.0 - rating / 20.0));
}

int EloRating(int rating, int computerRating, double playerScore) {
    const double expected = 1.0 / (1.0 + std::pow(10.0, (computerRating - rating) / 400.0));
    return ClampRating(rating + RoundHalfEven(RatingFactor(rating) * (playerScore - expected)));
}

std::string RatingReport(const std::string& remark, int previous, int computerRating, int updated,
                         const Translator& texts) {
    return remark + "\r\n\r\n" +
           Fill(texts.Translate("Game", "Your previous rating was%1"), {SignedText(previous)}) +
           "\r\n" +
           Fill(texts.Translate("Game", "The computer's rating in this game was%1"),
                {SignedText(computerRating)}) +
           "\r\n\r\n" +
           Fill(texts.Translate("Game", "Your new rating is%1"), {SignedText(updated)});
}

std::string WinRemark(int gamePly, const ComputerPlyRecord& computer, const Translator& texts) {
    // The computer's plies are those of the side that did not make the last move.
    for (int ply = gamePly % 2 == 0 ? 1 : 2; ply <= gamePly; ply += 2) {
        if (At(computer.moveCounts, ply) > 1 && At(computer.scores, ply) > 199)
            return texts.Translate("Game", "  Good game");
    }
    return texts.Translate("Game", "  Great game");
}

std::string UpdateRating(double playerScore, GameState& g, bool useRating, int& rating,
                         const ComputerPlyRecord& computer, int* computerRating,
                         const Translator& language) {
    if (!useRating) return {};

    // Who played each side: the first marker of each side that is not a replayed move.
    std::string firstPlayer;
    std::string secondPlayer;
    bool firstFound = false;
    bool secondFound = false;
    for (int row = 1; row < kMoveRows && !(firstFound && secondFound); ++row) {
        const MoveTextRow& texts = g.moveTexts[static_cast<std::size_t>(row)];
        if (!firstFound && texts.firstBy != "3") {
            firstPlayer = texts.firstBy;
            firstFound = true;
        }
        if (!secondFound && texts.secondBy != "3") {
            secondPlayer = texts.secondBy;
            secondFound = true;
        }
    }
    if (firstPlayer != "1" && secondPlayer != "1") g.rated = false;

    // The players must not change during the game; sum the computer's depths.
    double depthSum = 0;
    int depthCount = 0;
    const int plies = std::clamp(g.gamePly, 0, kMaxGamePlies);
    for (int ply = 1; ply <= plies; ++ply) {
        const bool firstSide = ply % 2 == 1;
        const MoveTextRow& texts = g.moveTexts[static_cast<std::size_t>((ply + 1) / 2)];
        const std::string& marker = Marker(texts, firstSide);
        const std::string& player = firstSide ? firstPlayer : secondPlayer;
        if (!marker.empty() && marker != "3" && marker != player) {
            g.rated = false;
            break;
        }
        if (marker == "1") {
            const auto depth = LeadingNumber(texts.depth);
            depthSum += depth ? static_cast<double>(*depth) : 0.0;
            ++depthCount;
        }
    }
    if (!g.rated) return {};

    const std::string remark = playerScore == 1 ? WinRemark(g.gamePly, computer, language) : "";
    const double average = depthCount > 0 ? depthSum / depthCount : 1.0;
    const int computerGameRating = ComputerGameRating(average) + computer.ratingBonus;
    const int previous = ClampRating(rating);
    const int updated = EloRating(previous, computerGameRating, playerScore);
    rating = updated;
    if (computerRating) *computerRating = computerGameRating;
    g.rated = false;
    return RatingReport(remark, previous, computerGameRating, updated, language);
}

std::string EncodeRating(const std::string& digits) {
    std::string text;
    for (char c : digits)
        if (c >= '0' && c <= '9') text.push_back(kRatingKey[c - '0']);
    return text;
}

std::string DecodeRating(const std::string& text) {
    std::string digits;
    for (char c : text) {
        const char* at = c != '\0' ? std::strchr(kRatingKey, c) : nullptr;
        digits.push_back(at ? static_cast<char>('0' + (at - kRatingKey)) : '/');
    }
    return digits;
}

int RatingValue(const std::string& decoded) {
    long long value = 0;
    for (char c : decoded) {
        if (c < '0' || c > '9') break;
        value = std::min<long long>(value * 10 + (c - '0'), kMaxRating);
    }
    return static_cast<int>(value);
}

int ReadRatingFile(const std::filesystem::path& dataDir) {
    const std::filesystem::path path = dataDir / kRatingFileName;
    LineReader in(path, kMaxLineLength, 1 << 20);
    if (!in.is_open()) return kDefaultRating;
    const auto line = in.Next(64);
    return line ? RatingValue(DecodeRating(*line)) : 0;
}

bool WriteRatingFile(const std::filesystem::path& dataDir, int rating) {
    return WriteFileSafely(dataDir / kRatingFileName,
                           EncodeRating(std::to_string(ClampRating(rating))) + "\r\n");
}

std::string RatingMessage(int rating, const Translator& texts) {
    return Fill(texts.Translate("Game", "Your current rating is%1"), {SignedText(rating)});
}

std::string RatingCheckBoxCaption(int rating) {
    return "Use Rating (" + std::to_string(rating) + ")";
}

}  // namespace zelkor
