// A user interface without a window for whole games driven by zelkor-cli: it keeps the
// texts the game writes, never blocks, and answers Yes to the game's confirmations (so a
// new game can follow a finished one) and No to the computer's draw proposal.
#pragma once

#include <cstdio>
#include <string>

#include "game/silent_ui.h"

namespace zelkor {

class HeadlessGameUi : public SilentUi {
  public:
    // With `statusOut` set, every new status text and every message is printed there.
    explicit HeadlessGameUi(std::FILE* statusOut = nullptr) : out_(statusOut) {}

    void SetText(Display display, const std::string& text) override;
    // Confirmations are answered Yes; the computer's draw proposal ("Question") No, so that
    // games are played out.
    Answer Message(const std::string& text, const std::string& title, Icon icon,
                   Buttons buttons) override;
    [[noreturn]] void Terminate() override;

    int messagesShown() const { return messages_; }
    const std::string& lastMessage() const { return lastMessage_; }

  private:
    std::FILE* out_;
    int messages_ = 0;
    std::string lastMessage_;
};

}  // namespace zelkor
