#include "game/quiet_book.h"

#include <cstdlib>

#include "game/silent_ui.h"

namespace zelkor {

namespace {

class QuietUi : public SilentUi {
  public:
    explicit QuietUi(UserInterface& ui) : ui_(ui) {}
    void SetText(Display display, const std::string& text) override {
        if (display == Display::OpeningName) ui_.SetText(display, text);
    }
    Answer Message(const std::string& text, const std::string& title, Icon icon,
                   Buttons buttons) override {
        return ui_.Message(text, title, icon, buttons);
    }
    std::string Text(Display) const override { return {}; }
    [[noreturn]] void Terminate() override {
        ui_.Terminate();
        std::abort();
    }

  private:
    UserInterface& ui_;
};

class NoRandom : public Random {
  public:
    double Uniform() override { return 0.0; }
    void Seed(unsigned long long) override {}
};

}  // namespace

BookResult QuietBookLookup(BookCache& book, const GameState& g, UserInterface& ui,
                           const std::filesystem::path& dataDir) {
    QuietUi quiet(ui);
    NoRandom random;
    return book.Lookup(0, g, dataDir, random, quiet);
}

}  // namespace zelkor
