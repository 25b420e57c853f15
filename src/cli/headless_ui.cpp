#include "cli/headless_ui.h"

#include <cstdlib>

namespace zelkor {

void HeadlessGameUi::SetText(Display display, const std::string& text) {
    if (out_ && display == Display::Status && !text.empty() && text != Text(display))
        std::fprintf(out_, "  %s\n", text.c_str());
    SilentUi::SetText(display, text);
}

Answer HeadlessGameUi::Message(const std::string& text, const std::string& title, Icon,
                               Buttons buttons) {
    ++messages_;
    lastMessage_ = text;
    if (out_) std::fprintf(out_, "  [%s] %s\n", title.c_str(), text.c_str());
    if (buttons != Buttons::YesNo) return Answer::Ok;
    return title == "Question" ? Answer::No : Answer::Yes;
}

void HeadlessGameUi::Terminate() {
    std::fprintf(stderr, "zelkor-cli: fatal error, last message: %s\n", lastMessage_.c_str());
    std::exit(3);
}

}  // namespace zelkor
