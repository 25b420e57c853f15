// One fuzz target per reader; it returns for every input ("Error found!" too), never aborts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelkor::fuzz {

using Target = int (*)(const uint8_t* data, std::size_t size);

int FuzzVariantFile(const uint8_t* data, std::size_t size);   // variants.ini, then the rules
int FuzzGameFile(const uint8_t* data, std::size_t size);      // *.zlk: the reader alone
int FuzzGameReplay(const uint8_t* data, std::size_t size);    // *.zlk through the controller
int FuzzSettingsFile(const uint8_t* data, std::size_t size);  // zelkor.ini
int FuzzBook(const uint8_t* data, std::size_t size);          // zelkor.bok and the book games
int FuzzRatingFile(const uint8_t* data, std::size_t size);    // zelkor.rtg
int FuzzTypedMoves(const uint8_t* data, std::size_t size);    // the move box, line by line

struct NamedTarget {
    const char* name;  // also the folder of its kept inputs under tests/data/regressions
    Target run;
};
const std::vector<NamedTarget>& AllTargets();

}  // namespace zelkor::fuzz
