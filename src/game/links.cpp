#include "game/links.h"

#include <cstdlib>

#include "engine/driver.h"
#include "engine/hint.h"
#include "engine/search.h"
#include "engine/silent_ui.h"
#include "records/book.h"
#include "records/rating.h"
#include "records/settings_file.h"
#include "rules/game_end.h"
#include "rules/make_move.h"
#include "rules/movegen.h"
#include "rules/variant_file.h"

namespace zelkor::links {

namespace {

// The legal-move list asks the book quietly. The opening name and what is wrong with the
// book file (told once per change of the file) still reach the window.
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

void Generate(GameState& g, int allMoves) {
    GenerateMoves(g, allMoves);
}
void Perform(GameState& g, int move) {
    PerformMove(g, move);
}
void TakeBack(GameState& g, int move) {
    TakeBackMove(g, move);
}
void InitTree(GameState& g) {
    InitGameTree(g);
}
void DrawTest(GameState& g, const Settings& settings) {
    zelkor::DrawTest(g, settings.DrawRule15 == 1);
}
bool GameEndTest(GameState& g, Settings& settings, UserInterface& ui, Clock& clock,
                 EngineHooks& hooks, const std::string& playerName, std::string* heldMessage) {
    GameEndOptions options;
    options.heldMessage = heldMessage;
    options.chessDrawRules = settings.ChessDrawRules == 1;
    options.drawRule15 = settings.DrawRule15 == 1;
    options.playerName = playerName;
    return zelkor::GameEndTest(g, ui, clock, options,
                               [&hooks](double score) { return hooks.UpdateRating(score); });
}
std::string ResultText(GameState& g, int code) {
    return zelkor::ResultText(g, code);
}

bool LoadVariant(GameState& g, Settings& settings, UserInterface& ui,
                 const std::filesystem::path& dataDir) {
    return zelkor::LoadVariant(g, dataDir, settings.Variant, ui) != VariantFileStatus::Missing;
}
std::vector<std::string> VariantNames(const std::filesystem::path& dataDir) {
    return ListVariantNames(dataDir, false);
}

std::string ReadSettings(Settings& settings, const std::filesystem::path& dataDir) {
    return SettingsProblemMessage(zelkor::ReadSettings(settings, dataDir), dataDir);
}
bool WriteSettings(const Settings& settings, const std::filesystem::path& dataDir) {
    return zelkor::WriteSettings(settings, dataDir);
}
void ApplySettings(const Settings& settings, GameState& g) {
    ApplySettingsRules(settings, g);
}
void StoreSettings(const GameState& g, Settings& settings) {
    StoreActiveRules(g, settings);
}
int ReadRating(const std::filesystem::path& dataDir) {
    return ReadRatingFile(dataDir);
}
bool WriteRating(int rating, const std::filesystem::path& dataDir) {
    return WriteRatingFile(dataDir, rating);
}
std::string RatingUpdate(GameState& g, const SearchState& search, const Settings& settings,
                         int& rating, double playerScore) {
    const ComputerPlyRecord computer{search.scoreHistory, search.rootMoveCounts};
    return zelkor::UpdateRating(playerScore, g, settings.UseRating == 1, rating, computer);
}

std::vector<std::string> BookMoves(BookCache& book, GameState& g, UserInterface& ui,
                                   const std::filesystem::path& dataDir) {
    QuietUi quiet(ui);
    NoRandom random;
    return book.Lookup(0, g, dataDir, random, quiet).bookMoves;
}
bool InBook(BookCache& book, GameState& g, UserInterface& ui,
            const std::filesystem::path& dataDir) {
    QuietUi quiet(ui);
    NoRandom random;
    return book.Lookup(0, g, dataDir, random, quiet).inBook;
}
std::pair<int, int> BookMove(BookCache& book, GameState& g, const Settings&, UserInterface& ui,
                             Random& random, const std::filesystem::path& dataDir, bool fromGames) {
    const BookResult result =
        fromGames ? GamesBookLookup(g, dataDir, ui) : book.Lookup(1, g, dataDir, random, ui);
    return {result.from, result.to};
}

void ComputerMove(Engine& engine) {
    zelkor::ComputerMove(engine);
}
void GiveHint(Engine& engine) {
    zelkor::GiveHint(engine);
}
void OfferDraw(Engine& engine) {
    zelkor::OfferDraw(engine);
}
void Resign(Engine& engine) {
    zelkor::Resign(engine);
}
void AnalyzePosition(Engine& engine) {
    zelkor::AnalyzePosition(engine);
}
int QuickScore(Engine& engine) {
    GameState& g = engine.game;
    InitGameTree(g);
    engine.search.searchStartPly = g.gamePly;
    const int score = HintSearch(engine, -kWinScore, kWinScore, 1);
    InitGameTree(g);
    return score;
}

}  // namespace zelkor::links
