#include "rules/translator.h"

namespace zelkor {

const Translator& English() {
    static const Translator english;
    return english;
}

std::string Fill(const std::string& pattern, const std::vector<std::string>& args) {
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t index = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < args.size()) {
            text += args[index];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace zelkor
