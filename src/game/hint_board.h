// The hint as the board shows it: the computer's hint box passes through here, so that a
// jump is written as a jump ("g1xe3") and the move is drawn on the board before the box
// appears. Everything else goes to the window unchanged.
#pragma once

#include <cstdlib>

#include "game/board_marks.h"
#include "game/user_interface.h"

namespace zelkor {

// "Try g1-e3" as the hint box words it, for the position on the board: the jump character
// when the move is a jump, and the route of the move (empty when the text names no legal
// move).
struct HintText {
    std::string text;
    MoveRoute route;
};
HintText HintForBoard(GameState& g, const std::string& text);

class HintBoardUi : public UserInterface {
  public:
    HintBoardUi(UserInterface& inner, GameState& game, bool onBoard)
        : inner_(inner), game_(game), onBoard_(onBoard) {}

    std::string Translate(const char* context, const char* text) const override {
        return inner_.Translate(context, text);
    }
    void SetText(Display d, const std::string& text) override { inner_.SetText(d, text); }
    std::string Text(Display d) const override { return inner_.Text(d); }
    void HighlightSideToMove(bool first) override { inner_.HighlightSideToMove(first); }
    void SetEnabled(Command c, bool enabled) override { inner_.SetEnabled(c, enabled); }
    void SetChecked(Command c, bool checked) override { inner_.SetChecked(c, checked); }
    void SetListLines(ListId list, const std::vector<std::string>& lines) override {
        inner_.SetListLines(list, lines);
    }
    void SelectListLine(ListId list, int line) override { inner_.SelectListLine(list, line); }
    void SetProgressMaximum(int maximum) override { inner_.SetProgressMaximum(maximum); }
    void SetProgressValue(int value) override { inner_.SetProgressValue(value); }
    void ShowCountdown(bool countdown) override { inner_.ShowCountdown(countdown); }
    void RedrawBoard() override { inner_.RedrawBoard(); }
    void SetWaitCursor(bool waiting) override { inner_.SetWaitCursor(waiting); }
    Answer Message(const std::string& text, const std::string& title, Icon icon,
                   Buttons buttons = Buttons::Ok) override;
    std::optional<std::string> AskSaveFile(const std::string& title,
                                           const std::string& filter) override {
        return inner_.AskSaveFile(title, filter);
    }
    std::optional<std::string> AskOpenFile(const std::string& title,
                                           const std::string& filter) override {
        return inner_.AskOpenFile(title, filter);
    }
    std::string ChooseBookMove(const std::vector<std::string>& lines, const std::string& games,
                               const std::string& moves) override {
        return inner_.ChooseBookMove(lines, games, moves);
    }
    void ShowVariantDialog() override { inner_.ShowVariantDialog(); }
    void ProcessEvents() override { inner_.ProcessEvents(); }
    [[noreturn]] void Terminate() override {
        inner_.Terminate();
        std::abort();  // the window's Terminate never returns
    }

  private:
    UserInterface& inner_;
    GameState& game_;
    bool onBoard_;
};

}  // namespace zelkor
