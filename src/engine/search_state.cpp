#include "engine/search_state.h"

namespace zelkor {

void SearchState::ResetForNewGame() {
    scoreHistory.fill(0);
    rootMoveCounts.fill(0);
    stableScoreCounter = 0;
    lastDrawOfferPly = 0;
    announced = false;
    hintFrom = 0;
    hintTo = 0;
    bestScore = 0;
    for (RootEntry& entry : rootTable)
        entry = RootEntry{};
    rootCount = 0;
    analysedHere = false;
}

void SearchState::ClearRootScores() {
    for (RootEntry& entry : rootTable) {
        entry.from = kUnsearched;
        entry.score = kUnsearched;
    }
}

}  // namespace zelkor
