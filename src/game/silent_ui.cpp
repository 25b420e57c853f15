#include "game/silent_ui.h"

#include <cstdio>
#include <cstdlib>

namespace zelkor {

void SilentUi::SetText(Display display, const std::string& text) {
    texts_[static_cast<size_t>(display)] = text;
}

std::string SilentUi::Text(Display display) const {
    return texts_[static_cast<size_t>(display)];
}

Answer SilentUi::Message(const std::string& text, const std::string& title, Icon, Buttons buttons) {
    messages.push_back(title + ": " + text);
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
}

void SilentUi::Terminate() {
    if (!messages.empty()) std::fprintf(stderr, "%s\n", messages.back().c_str());
    std::exit(1);
}

}  // namespace zelkor
