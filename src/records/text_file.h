// Reading and writing the program's line-oriented data files.
//
// Lines end in CR LF when written; a reader accepts LF, CR LF and a lone CR. A reader never
// trusts the file: every line it keeps is cut to a fixed length, so a binary file or one
// enormous line costs time proportional to its size and no more memory than the cut.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace zelkor {

inline constexpr const char* kFileSignature = "ZELKOR Version=";  // first 15 bytes
inline constexpr std::size_t kMaxKeptLineLength = 65536;

class LineReader {
  public:
    explicit LineReader(const std::filesystem::path& path);
    bool is_open() const { return in_.is_open(); }

    // The next line without its line end, cut to maxLength characters (the rest of the line
    // is skipped); nothing at the end of the file.
    std::optional<std::string> Next(std::size_t maxLength = kMaxKeptLineLength);
    // True when no further line follows.
    bool AtEnd();

  private:
    std::ifstream in_;
};

// True when the file starts with "ZELKOR Version=".
bool HasFileSignature(const std::filesystem::path& path);
// The number after the first 15 characters of a first line, read as far as it is a number
// ("0.1", "0.10abc"; nothing numeric reads as 0), compared with the data version as numbers.
bool VersionMatches(const std::string& firstLine);
// The leading decimal number of a text (an optional sign, then digits; a leading blank is
// skipped); nothing when the text does not start with a number or it does not fit an int.
std::optional<long long> LeadingNumber(const std::string& text);

// Writes the whole text to a temporary file beside the target and renames it over the
// target, so a failure half-way leaves the previous file untouched. False on any failure,
// and when the target exists but is not a regular file (a device, a pipe, a folder).
bool WriteFileSafely(const std::filesystem::path& path, const std::string& contents);

}  // namespace zelkor
