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
            return QT_TRANSLATE_NOOP("Game", "forward");
        case kSouth:
            return QT_TRANSLATE_NOOP("Game", "backward");
        case kEast:
            return QT_TRANSLATE_NOOP("Game", "right");
        case kWest:
            return QT_TRANSLATE_NOOP("Game", "left");
        case kNorthEast:
            return QT_TRANSLATE_NOOP("Game", "diagonally forward right");
        case kNorthWest:
            return QT_TRANSLATE_NOOP("Game", "diagonally forward left");
        case kSouthEast:
            return QT_TRANSLATE_NOOP("Game", "diagonally backward right");
        case kSouthWest:
            return QT_TRANSLATE_NOOP("Game", "diagonally backward left");
        default:
            return nullptr;
    }
}

// "in all eight directions", "forward, left and diagonally forward left", or empty when
// the row holds no direction. Black's rows hold negated offsets.
std::string DirectionWords(const std::array<int16_t, 9>& row, int sign, const Translator& texts) {
    std::vector<std::string> words;
    for (int16_t offset : row) {
        if (offset == kDirectionEnd) break;
        const char* word = DirectionWord(sign * offset);
        if (word && std::find(words.begin(), words.end(), word) == words.end())
            words.push_back(word);
    }
    if (words.size() == 8) return texts.Translate("Game", "in all eight directions");
    std::string text;
    for (size_t i = 0; i < words.size(); ++i) {
        if (i > 0) text += i + 1 == words.size() ? texts.Translate("Game", " and ") : ", ";
        text += texts.Translate("Game", words[i].c_str());
    }
    return text;
}

std::string UpperName(int square) {
    std::string name = SquareName(square);
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

std::string CampText(const std::array<int32_t, kHomeSlots>& list, const Translator& texts) {
    std::vector<int32_t> squares;
    for (int32_t square : list)
        if (square >= 21 && square <= 98) squares.push_back(square);
    std::sort(squares.begin(), squares.end());
    std::string text;
    for (int32_t square : squares) {
        if (!text.empty()) text += ' ';
        text += UpperName(square);
    }
    return text.empty() ? texts.Translate("Game", "none") : text;
}

// "move forward and left, and jump in all eight directions" for one side's two rows.
std::string MovementText(const DirectionTable& table, int side, const Translator& texts) {
    const int sign = side == 0 ? 1 : -1;
    const std::string steps = DirectionWords(table[side], sign, texts);
    const std::string jumps = DirectionWords(table[side + 2], sign, texts);
    std::string text = steps.empty() ? texts.Translate("Game", "never step")
                                     : Fill(texts.Translate("Game", "move %1"), {steps});
    text += jumps.empty() ? texts.Translate("Game", " and never jump")
                          : Fill(texts.Translate("Game", ", and jump %1"), {jumps});
    return text;
}

}  // namespace

std::string RulesInForceText(const VariantRules& rules, bool handSetUp, const Translator& texts) {
    DirectionTable table{};
    for (int side = 0; side < 2; ++side)
        ParseDirections(rules.directions[side], side, table);
    const bool longKings = rules.flag(LongKings) == 1;
    const bool reduced =
        rules.flag(MulJumps) == 1 || rules.flag(CapRequired) == 1 || rules.flag(MaxCapMove) == 1;

    std::vector<std::string> lines;
    // Not named tr: the catalogue's collector would take it for Qt's and miss every text.
    const auto say = [&texts](const char* text) { return texts.Translate("Game", text); };
    lines.push_back(rules.flag(BlackStarts) == 1
                        ? say(QT_TRANSLATE_NOOP("Game", "Black moves first."))
                        : say(QT_TRANSLATE_NOOP("Game", "White moves first.")));
    const std::string white = MovementText(table, 0, texts);
    const std::string black = MovementText(table, 1, texts);
    if (white == black)
        lines.push_back(
            Fill(say(QT_TRANSLATE_NOOP("Game",
                                       "Men %1 (as each side sees the board from its own side).")),
                 {white}));
    else
        lines.push_back(Fill(say(QT_TRANSLATE_NOOP("Game",
                                                   "White's men %1; Black's men %2 (as each "
                                                   "side sees the board from its own side).")),
                             {white, black}));
    if (longKings)
        lines.push_back(Fill(
            say(QT_TRANSLATE_NOOP("Game",
                                  "A man slides over any number of empty squares. It jumps "
                                  "over the first man in its line, however far away, to "
                                  "%1. Only one jump is made per move.")),
            {rules.flag(KingFirst) == 1
                 ? say(QT_TRANSLATE_NOOP("Game", "the square directly behind it"))
                 : say(QT_TRANSLATE_NOOP(
                       "Game", "any empty square behind it up to the next man or the edge"))}));
    else
        lines.push_back(say(QT_TRANSLATE_NOOP(
            "Game",
            "A man steps to a neighbouring empty square, or jumps over a neighbouring man "
            "of either colour to the empty square directly behind it; jumps can be "
            "chained.")));
    if (!longKings && rules.flag(ManContJump) == 0)
        lines.push_back(say(QT_TRANSLATE_NOOP(
            "Game",
            "A chain of jumps stops as soon as a man lands on a square of its target camp.")));
    if (rules.flag(CapRequired) == 1)
        lines.push_back(say(QT_TRANSLATE_NOOP("Game",
                                              "Jumping is mandatory: while one of your men "
                                              "outside your target camp can jump, you may "
                                              "not step.")));
    if (rules.flag(MulJumps) == 1)
        lines.push_back(
            say(QT_TRANSLATE_NOOP("Game", "A chain of jumps must go on for as long as it can.")));
    if (rules.flag(MaxCapMove) == 1)
        lines.push_back(
            say(QT_TRANSLATE_NOOP("Game",
                                  "When you jump, only a chain with the greatest number of "
                                  "jumps any of your men can make is allowed (a forced jump "
                                  "out of the starting camp excepted).")) +
            (rules.flag(CapRequired) == 1
                 ? ""
                 : say(QT_TRANSLATE_NOOP("Game", " Stepping is still allowed."))));
    if (reduced)
        lines.push_back(
            Fill(say(QT_TRANSLATE_NOOP(
                     "Game",
                     "No jump may land more than two squares farther from your target corner "
                     "(%1 for White, %2 for Black) than the square the man started from, "
                     "counting along ranks and files; a move that needs such a jump is not "
                     "legal. A forced jump out of the starting camp is exempt.")),
                 {UpperName(rules.home[0][0]), UpperName(rules.home[1][0])}));
    if (rules.flag(OutofHome) == 1)
        lines.push_back(
            longKings ? say(QT_TRANSLATE_NOOP(
                            "Game",
                            "When one of your men in your starting camp can jump over an enemy "
                            "man next to it to a square outside the camp or farther from your "
                            "starting corner, you must make a move that begins with such a "
                            "jump."))
                      : say(QT_TRANSLATE_NOOP(
                            "Game",
                            "When one of your men in your starting camp can jump over an enemy "
                            "man to a square outside the camp or farther from your starting "
                            "corner, you must make a move that begins with such a jump.")));
    if (rules.flag(HomeLess) == 1)
        lines.push_back(say(QT_TRANSLATE_NOOP(
            "Game",
            "You lose when, after 30 moves, any of your men is still in your starting "
            "camp.")));
    lines.push_back(rules.flag(FullHome) == 1
                        ? say(QT_TRANSLATE_NOOP("Game",
                                                "You win as soon as your target camp is "
                                                "full, whatever the colour of the men in it."))
                        : say(QT_TRANSLATE_NOOP("Game",
                                                "The first side to fill its target camp "
                                                "with its own men wins.")));
    lines.push_back(say(QT_TRANSLATE_NOOP("Game", "A side that cannot move loses.")));
    lines.push_back(Fill(say(QT_TRANSLATE_NOOP("Game", "White's target camp: %1.")),
                         {CampText(rules.home[0], texts)}));
    lines.push_back(Fill(say(QT_TRANSLATE_NOOP("Game", "Black's target camp: %1.")),
                         {CampText(rules.home[1], texts)}));
    if (handSetUp)
        lines.push_back(say(QT_TRANSLATE_NOOP("Game", "The position was set up by hand.")));

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

std::string BoardGuideText(const Translator& texts) {
    return texts.Translate(
        "Game",
        "The number beside each player's name counts the men that side has in its target "
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
        "puts it down, Escape lets it go.");
}

}  // namespace zelkor
