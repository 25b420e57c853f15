#include "game/hint_board.h"

#include <cctype>

#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor {

namespace {

constexpr std::string_view kTry = "Try ";

}  // namespace

HintText HintForBoard(GameState& g, const std::string& text) {
    HintText hint{text, {}};
    if (text.size() != kTry.size() + 5 || text.compare(0, kTry.size(), kTry) != 0) return hint;
    std::string move = text.substr(kTry.size());
    std::string upper = move;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const int from = SquareNumber(std::string_view(upper).substr(0, 2));
    const int to = SquareNumber(std::string_view(upper).substr(3, 2));
    if (from == 0 || to == 0) return hint;
    // The hint's search leaves the board as it found it; the moves of the position decide.
    for (const Move& m : LegalMoves(g)) {
        if (m.Source != from || m.dest != to) continue;
        move[2] = m.jump == 1 ? g.jumpChar : '-';
        hint.text = std::string(kTry) + move;
        hint.route = RouteOf(g, g.board, from, to, m.jump == 1);
        break;
    }
    return hint;
}

Answer HintBoardUi::Message(const std::string& text, const std::string& title, Icon icon,
                            Buttons buttons) {
    if (title != "Hint") return inner_.Message(text, title, icon, buttons);
    const HintText hint = HintForBoard(game_, text);
    if (onBoard_ && !hint.route.empty()) inner_.ShowHint(hint.route.stops, hint.route.passed);
    // Worded in the user's language only now, as the move was read from the English text.
    const std::string shown = hint.text.starts_with(kTry) ? Fill(inner_.Translate("Game", "Try %1"),
                                                                 {hint.text.substr(kTry.size())})
                                                          : hint.text;
    const Answer answer = inner_.Message(shown, inner_.Translate("Game", "Hint"), icon, buttons);
    if (onBoard_ && !hint.route.empty()) inner_.ShowHint({}, {});
    return answer;
}

}  // namespace zelkor
