#include "records/game_file.h"
namespace zelkor {
GameFileData GameFileDataOf(const GameState&, const Settings&) {
    return {};
}
std::string GameFileText(const GameFileData&) {
    return {};
}
bool WriteGameFile(const std::filesystem::path&, const GameFileData&) {
    return false;
}
GameFileContents ReadGameFile(const std::filesystem::path&) {
    return {};
}
std::string GameFileStatusMessage(GameFileStatus, const std::string&, std::string*) {
    return {};
}
bool IsGameFileFlagKey(const std::string&, RuleFlag*) {
    return false;
}
}  // namespace zelkor
