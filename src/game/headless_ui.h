// A user interface without a window for whole games driven by zelkor-cli: it keeps the
// texts the game writes, never blocks, and answers Yes to the game's confirmations (so a
// new game can follow a finished one) and No to the computer's draw proposal.
#pragma once

#include <cstdio>
#include <map>
#include <string>

#include "rules/user_interface.h"

namespace zelkor {

class HeadlessGameUi : public UserInterface {
  public:
    // With `statusOut` set, every new status text and every message is printed there.
    explicit HeadlessGameUi(std::FILE* statusOut = nullptr) : out_(statusOut) {}

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
    // Confirmations are answered Yes; the computer's draw proposal ("Question") No, so that
    // games are played out.
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
    [[noreturn]] void Terminate() override;

    int messagesShown() const { return messages_; }
    const std::string& lastMessage() const { return lastMessage_; }

  private:
    std::FILE* out_;
    std::map<Display, std::string> texts_;
    int messages_ = 0;
    std::string lastMessage_;
};

}  // namespace zelkor
