#include "game/links.h"

#include "records/rating.h"
#include "records/settings_file.h"
#include "rules/variant_file.h"

namespace zelkor::links {

void Generate(GameState& g, int /*allMoves*/) {
    g.plyStart[g.ply + 1] = g.plyStart[g.ply];
}
void Perform(GameState& g, int move) {
    const Move& m = g.movePool[move];
    ++g.gamePly;
    ++g.ply;
    g.jumpAtPly[g.ply] = m.jump == 1;
    g.board[m.dest] = g.board[m.Source];
    g.board[m.Source] = kEmpty;
    g.side = -g.side;
}
void TakeBack(GameState& g, int move) {
    const Move& m = g.movePool[move];
    --g.gamePly;
    g.side = -g.side;
    --g.ply;
    g.board[m.Source] = g.board[m.dest];
    g.board[m.dest] = kEmpty;
}
void InitTree(GameState& g) {
    g.ply = 0;
}
void DrawTest(GameState&, const Settings&) {}
bool GameEndTest(GameState&, Settings&, UserInterface&, Clock&, EngineHooks&, const std::string&) {
    return false;
}
std::string ResultText(GameState&, int) {
    return {};
}

bool LoadVariant(GameState& g, Settings& settings, UserInterface& ui,
                 const std::filesystem::path& dataDir) {
    return zelkor::LoadVariant(g, dataDir, settings.Variant, ui) != VariantFileStatus::Missing;
}
std::vector<std::string> VariantNames(const std::filesystem::path& dataDir) {
    return ListVariantNames(dataDir, false);
}

bool ReadSettings(Settings& settings, const std::filesystem::path& dataDir) {
    return zelkor::ReadSettings(settings, dataDir).status != SettingsReadStatus::Invalid;
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

std::vector<std::string> BookMoves(GameState&, const Settings&, const std::filesystem::path&) {
    return {};
}
bool InBook(GameState&, const Settings&, const std::filesystem::path&) {
    return false;
}
std::pair<int, int> BookMove(GameState&, const Settings&, UserInterface&, Random&,
                             const std::filesystem::path&, bool) {
    return {0, 0};
}

void ComputerMove(Engine&) {}
void GiveHint(Engine&) {}
void OfferDraw(Engine&) {}
void Resign(Engine&) {}
void AnalyzePosition(Engine&) {}
int QuickScore(Engine&) {
    return 0;
}

}  // namespace zelkor::links
