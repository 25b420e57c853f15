#include "game/links.h"

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

bool LoadVariant(GameState&, Settings&, UserInterface&, const std::filesystem::path&) {
    return false;
}
std::vector<std::string> VariantNames(const std::filesystem::path&) {
    return {};
}

bool ReadSettings(Settings& settings, const std::filesystem::path&) {
    settings = Settings{};
    return true;
}
bool WriteSettings(const Settings&, const std::filesystem::path&) {
    return true;
}
int ReadRating(const std::filesystem::path&) {
    return 1200;
}
bool WriteRating(int, const std::filesystem::path&) {
    return true;
}
std::string RatingUpdate(const GameState&, const SearchState&, const Settings&, bool& rated, int&,
                         double) {
    rated = false;
    return {};
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
