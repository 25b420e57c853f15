// The headless user interface with an observable fatal path: Terminate throws Terminated
// instead of ending the process, and ProcessEvents can run a callback.
#pragma once

#include <functional>
#include <stdexcept>

#include "game/headless_ui.h"

namespace zelkor::fuzz {

struct Terminated : std::runtime_error {
    Terminated() : std::runtime_error("terminated") {}
};

class FuzzUi : public HeadlessGameUi {
  public:
    [[noreturn]] void Terminate() override { throw Terminated(); }
    void ProcessEvents() override {
        if (onProcessEvents) onProcessEvents();
    }
    std::function<void()> onProcessEvents;
};

}  // namespace zelkor::fuzz
