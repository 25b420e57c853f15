#include "records/book.h"
namespace zelkor {
std::string GameText(const GameState&) {
    return {};
}
BookResult FileBookLookup(int, const GameState&, const std::filesystem::path&, Random&,
                          UserInterface&) {
    return {};
}
BookResult GamesBookLookup(GameState&, const std::filesystem::path&, UserInterface&) {
    return {};
}
BookGamesProposals CollectBookGameProposals(const std::filesystem::path&, const std::string&) {
    return {};
}
std::string BookDialogLine(const BookGameCandidate&) {
    return {};
}
std::string BookGamesLabel(int) {
    return {};
}
std::string BookMovesLabel(int) {
    return {};
}
}  // namespace zelkor
