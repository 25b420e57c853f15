// The English source texts of the Qt-free layers and their way into the user's language.
#pragma once

#include <string>
#include <vector>

// Marks a text of the Qt-free layers for lupdate where it is not passed straight to
// UserInterface::Translate (a constant translated later). The same definition as Qt's own.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace zelkor {

// The context of the Qt-free layers' texts in the translation catalogues.
inline constexpr const char* kTextContext = "Game";

// Puts the English source texts into the user's language. lupdate reads every call
// Translate("Game", "...") as a text to translate; a composed text is built from a
// translated pattern whose %1, %2 ... are filled afterwards (Fill), never translated whole.
// The command line and the log keep the English texts: the default returns them as they are.
class Translator {
  public:
    virtual ~Translator() = default;
    virtual std::string Translate(const char* context, const char* text) const {
        (void)context;
        return text;
    }
};
// The English texts as they are; the default of the functions that compose texts.
const Translator& English();

// `pattern` with %1, %2 ... %9 replaced by `args` in order (as QString::arg does, without
// looking into the inserted texts again).
std::string Fill(const std::string& pattern, const std::vector<std::string>& args);

}  // namespace zelkor
