#include "records/book_games.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <utility>

#include "records/book.h"
#include "records/game_file.h"
#include "records/text_file.h"
#include "rules/board.h"

namespace zelkor {

namespace {

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// A count as the lists show it, with a leading blank.
std::string CountText(int count) {
    std::string text(1, ' ');
    text += std::to_string(count);
    return text;
}

}  // namespace

BookGamesProposals CollectBookGameProposals(const std::filesystem::path& folder,
                                            const std::string& gameText, const GameState* rules) {
    BookGamesProposals proposals;
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return proposals;

    std::vector<std::filesystem::path> files;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::string extension = UpperCase(it->path().extension().string());
        if (extension == ".ZLK" && it->is_regular_file(error)) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());

    // The game's moves, four characters each.
    std::vector<std::string> moves;
    for (std::size_t at = 0; at < gameText.size(); at += 5)
        moves.push_back(gameText.substr(at, 4));

    for (const auto& file : files) {
        ++proposals.filesRead;
        LineReader in(file);
        bool started = false;
        std::optional<BookGameRules> header;
        if (rules) header.emplace(*rules);
        while (auto line = in.Next(256)) {
            if (*line == "START") {
                started = true;
                break;
            }
            if (header) header->Line(*line);
        }
        if (!started || (header && !header->Fits())) continue;
        // The next move line after the comments, and whether it is the file's last line.
        auto nextMove = [&in](bool& last) -> std::optional<std::string> {
            while (auto line = in.Next(kMaxMoveLineLength)) {
                if (!line->empty() && (*line)[0] == '{') continue;
                last = in.AtEnd();
                return line;
            }
            return std::nullopt;
        };
        bool last = false;
        bool matches = true;
        for (const std::string& move : moves) {
            const auto line = nextMove(last);
            if (!line || *line != move) {
                matches = false;
                break;
            }
        }
        if (!matches) continue;
        const auto proposal = nextMove(last);
        if (!proposal || last) continue;
        if (moves.empty()) {
            // At the start a game counts only when it goes on for at least two more lines.
            const auto second = nextMove(last);
            if (!second || last) continue;
        }
        auto known = std::find_if(proposals.candidates.begin(), proposals.candidates.end(),
                                  [&](const BookGameCandidate& c) { return c.move == *proposal; });
        if (known != proposals.candidates.end())
            ++known->count;
        else
            proposals.candidates.push_back({*proposal, 1});
    }
    std::stable_sort(
        proposals.candidates.begin(), proposals.candidates.end(),
        [](const BookGameCandidate& a, const BookGameCandidate& b) { return a.count > b.count; });
    return proposals;
}

std::string BookDialogLine(const BookGameCandidate& candidate) {
    const std::string count = CountText(candidate.count);
    const std::size_t used = candidate.move.size() + count.size();
    return candidate.move + std::string(used < 8 ? 8 - used : 0, ' ') + count;
}

std::string BookGamesLabel(int files, const Translator& texts) {
    return Fill(
        files < 2 ? texts.Translate("Game", "%1 game") : texts.Translate("Game", "%1 games"),
        {CountText(files)});
}

std::string BookMovesLabel(int moves, const Translator& texts) {
    return Fill(
        moves < 2 ? texts.Translate("Game", "%1 move") : texts.Translate("Game", "%1 moves"),
        {CountText(moves)});
}

}  // namespace zelkor
