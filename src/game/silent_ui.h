// A user interface without a window, for zelkor-cli and the matches: it shows nothing, answers
// every question with No and keeps the texts so that a caller may read them back. The other
// windowless interfaces derive from it and override only what they do differently.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "game/user_interface.h"

namespace zelkor {

class SilentUi : public UserInterface {
  public:
    void SetText(Display display, const std::string& text) override;
    std::string Text(Display display) const override;
    void HighlightSideToMove(bool) override {}
    void SetEnabled(Command, bool) override {}
    void SetChecked(Command, bool) override {}
    void SetListLines(ListId, const std::vector<std::string>&) override {}
    void SelectListLine(ListId, int) override {}
    void SetProgressMaximum(int) override {}
    void SetProgressValue(int) override {}
    void ShowCountdown(bool) override {}
    void RedrawBoard() override {}
    void SetWaitCursor(bool) override {}
    Answer Message(const std::string& text, const std::string& title, Icon icon,
                   Buttons buttons) override;
    std::optional<std::string> AskSaveFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> AskOpenFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::string ChooseBookMove(const std::vector<std::string>&, const std::string&,
                               const std::string&) override {
        return {};
    }
    void ShowVariantDialog() override {}
    void ProcessEvents() override {}
    // Prints the last message to standard error and ends the process.
    [[noreturn]] void Terminate() override;

    std::vector<std::string> messages;  // "title: text" of every message box

  private:
    std::array<std::string, static_cast<size_t>(Display::kCount)> texts_;
};

}  // namespace zelkor
