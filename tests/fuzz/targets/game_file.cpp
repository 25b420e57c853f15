// *.zlk, the reader alone: whatever the file holds, the result has bounded lists.
#include "records/game_file.h"
#include "fuzz_targets.h"

namespace zelkor::fuzz {

int FuzzGameFile(const uint8_t* data, std::size_t size) {
    const GameFileContents contents = ReadGameFile(WriteInput("game.zlk", data, size));
    std::size_t moves = 0;
    for (const GameFileItem& item : contents.body) {
        if (item.kind == GameFileItem::Kind::Move) {
            ++moves;
            FUZZ_CHECK(item.text.size() <= kMaxMoveLineLength);
        }
    }
    FUZZ_CHECK(moves <= static_cast<std::size_t>(kMaxGamePlies));
    FUZZ_CHECK(contents.linesAfterStart >= 0);
    std::string title;
    GameFileStatusMessage(contents.status, "game.zlk", &title);
    return 0;
}

}  // namespace zelkor::fuzz
