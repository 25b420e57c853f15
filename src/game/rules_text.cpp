#include "game/rules_text.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "rules/board.h"

namespace zelkor {

namespace {

// Directions as the mover sees the board from its own side: "forward" is towards the
// opponent's back rank.
const char* DirectionWord(int offset) {
    switch (offset) {
        case kNorth:
            return "forward";
        case kSouth:
            return "backward";
        case kEast:
            return "right";
        case kWest:
            return "left";
        case kNorthEast:
            return "diagonally forward right";
        case kNorthWest:
            return "diagonally forward left";
        case kSouthEast:
            return "diagonally backward right";
        case kSouthWest:
            return "diagonally backward left";
        default:
            return nullptr;
    }
}

// "in all eight directions", "forward, left and diagonally forward left", or empty when
// the row holds no direction. Black's rows hold negated offsets.
std::string DirectionWords(const std::array<int16_t, 9>& row, int sign) {
    std::vector<std::string> words;
    for (int16_t offset : row) {
        if (offset == kDirectionEnd) break;
        const char* word = DirectionWord(sign * offset);
        if (word && std::find(words.begin(), words.end(), word) == words.end())
            words.push_back(word);
    }
    if (words.size() == 8) return "in all eight directions";
    std::string text;
    for (size_t i = 0; i < words.size(); ++i) {
        if (i > 0) text += i + 1 == words.size() ? " and " : ", ";
        text += words[i];
    }
    return text;
}

std::string UpperName(int square) {
    std::string name = SquareName(square);
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

std::string CampText(const std::array<int32_t, kHomeSlots>& list) {
    std::vector<int32_t> squares;
    for (int32_t square : list)
        if (square >= 21 && square <= 98) squares.push_back(square);
    std::sort(squares.begin(), squares.end());
    std::string text;
    for (int32_t square : squares) {
        if (!text.empty()) text += ' ';
        text += UpperName(square);
    }
    return text.empty() ? "none" : text;
}

// "move forward and left, and jump in all eight directions" for one side's two rows.
std::string MovementText(const DirectionTable& table, int side) {
    const int sign = side == 0 ? 1 : -1;
    const std::string steps = DirectionWords(table[side], sign);
    const std::string jumps = DirectionWords(table[side + 2], sign);
    std::string text = steps.empty() ? "never step" : "move " + steps;
    text += jumps.empty() ? " and never jump" : ", and jump " + jumps;
    return text;
}

}  // namespace

std::string RulesInForceText(const VariantRules& rules, bool handSetUp) {
    DirectionTable table{};
    for (int side = 0; side < 2; ++side)
        ParseDirections(rules.directions[side], side, table);
    const bool longKings = rules.flag(LongKings) == 1;
    const bool reduced =
        rules.flag(MulJumps) == 1 || rules.flag(CapRequired) == 1 || rules.flag(MaxCapMove) == 1;

    std::vector<std::string> lines;
    lines.push_back(rules.flag(BlackStarts) == 1 ? "Black moves first." : "White moves first.");
    const std::string white = MovementText(table, 0);
    const std::string black = MovementText(table, 1);
    if (white == black)
        lines.push_back("Men " + white + " (as each side sees the board from its own side).");
    else
        lines.push_back("White's men " + white + "; Black's men " + black +
                        " (as each side sees the board from its own side).");
    if (longKings)
        lines.push_back(std::string("A man slides over any number of empty squares. It jumps over "
                                    "the first man in its line, however far away, to ") +
                        (rules.flag(KingFirst) == 1
                             ? "the square directly behind it"
                             : "any empty square behind it up to the next man or the edge") +
                        ". Only one jump is made per move.");
    else
        lines.push_back(
            "A man steps to a neighbouring empty square, or jumps over a neighbouring man of "
            "either colour to the empty square directly behind it; jumps can be chained.");
    if (!longKings && rules.flag(ManContJump) == 0)
        lines.push_back(
            "A chain of jumps stops as soon as a man lands on a square of its "
            "target camp.");
    if (rules.flag(CapRequired) == 1)
        lines.push_back(
            "Jumping is mandatory: while one of your men outside your target camp "
            "can jump, you may not step.");
    if (rules.flag(MulJumps) == 1)
        lines.push_back("A chain of jumps must go on for as long as it can.");
    if (rules.flag(MaxCapMove) == 1)
        lines.push_back(std::string("When you jump, only a chain with the greatest number of "
                                    "jumps any of your men can make is allowed (a forced jump "
                                    "out of the starting camp excepted).") +
                        (rules.flag(CapRequired) == 1 ? "" : " Stepping is still allowed."));
    if (reduced)
        lines.push_back("No jump may land more than two squares farther from your target corner (" +
                        UpperName(rules.home[0][0]) + " for White, " + UpperName(rules.home[1][0]) +
                        " for Black) than the square the man started from, counting along "
                        "ranks and files; a move that needs such a jump is not legal. A forced "
                        "jump out of the starting camp is exempt.");
    if (rules.flag(OutofHome) == 1)
        lines.push_back(std::string("When one of your men in your starting camp can jump over an "
                                    "enemy man ") +
                        (longKings ? "next to it " : "") +
                        "to a square outside the camp or farther from your starting corner, you "
                        "must make a move that begins with such a jump.");
    if (rules.flag(HomeLess) == 1)
        lines.push_back(
            "You lose when, after 30 moves, any of your men is still in your "
            "starting camp.");
    lines.push_back(rules.flag(FullHome) == 1
                        ? "You win as soon as your target camp is full, whatever the colour of "
                          "the men in it."
                        : "The first side to fill its target camp with its own men wins.");
    lines.push_back("A side that cannot move loses.");
    lines.push_back("White's target camp: " + CampText(rules.home[0]) + ".");
    lines.push_back("Black's target camp: " + CampText(rules.home[1]) + ".");
    if (handSetUp) lines.push_back("The position was set up by hand.");

    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty()) text += '\n';
        text += line;
    }
    return text;
}

std::string HelpForBoard(const std::string& help, bool turned) {
    if (!turned) return help;
    static const std::pair<const char*, const char*> kCorners[] = {{"top left", "bottom right"},
                                                                   {"top right", "bottom left"},
                                                                   {"bottom right", "top left"},
                                                                   {"bottom left", "top right"}};
    std::string text;
    for (size_t at = 0; at < help.size();) {
        bool swapped = false;
        for (const auto& [from, to] : kCorners) {
            const std::string_view word(from);
            if (help.compare(at, word.size(), word) == 0) {
                text += to;
                at += word.size();
                swapped = true;
                break;
            }
        }
        if (!swapped) text += help[at++];
    }
    return text;
}

std::string BoardGuideText() {
    return "The number beside each player's name counts the men that side has in its target "
           "camp.\n"
           "A \"b\" after a move marks a move of the opening book.\n"
           "\"(M)\" after the variant's name: the rules or the starting position of this game "
           "differ from the variant's own.\n"
           "The last move is marked on the board, and the squares a man can reach when you pick "
           "it up (Options, Board).\n"
           "A hint, an analysis or a move chosen from a list makes the game unrated.\n"
           "Keys: Left and Right step back and forward through the game, Home and End go to its "
           "start and end, Ctrl+Z takes back your last move with the computer's reply. Tab to "
           "the board shows a square cursor: the arrow keys move it, Space picks up a man and "
           "puts it down, Escape lets it go.";
}

}  // namespace zelkor
