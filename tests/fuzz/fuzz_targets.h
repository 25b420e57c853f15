// The fuzz targets: each takes one input and drives one reader of the program with it.
// libFuzzer calls them through fuzz_main.cpp; the regression test replays the kept inputs
// through the same functions, so a fixed fault stays fixed in the ordinary test run.
//
// A target returns normally for every input, including the fatal "Error found!" path,
// which the targets observe through a user interface whose Terminate throws. Anything
// else (a crash, a sanitizer report, a broken promise checked with FUZZ_CHECK) is a fault.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
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

// A scratch folder for the files a target writes, made once per process and removed at
// its end. It holds a copy of the shipped variant file.
const std::filesystem::path& Workspace();
// Writes the input as a file of the workspace (or below it) and returns its path.
std::filesystem::path WriteInput(const std::string& name, const uint8_t* data, std::size_t size);
std::filesystem::path ShippedData();

// Reports a broken promise of the program and aborts, which libFuzzer records as a crash.
[[noreturn]] void Fail(const char* file, int line, const char* what);

}  // namespace zelkor::fuzz

#define FUZZ_CHECK(condition) \
    ((condition) ? (void)0 : ::zelkor::fuzz::Fail(__FILE__, __LINE__, #condition))
