// Line-by-line reading of the program's text files. Lines may end in LF, CR LF or CR; an
// overlong line is cut so that no input, however malformed, can exhaust memory.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace zelkor {

constexpr size_t kMaxLineLength = 64 * 1024;

class TextLineReader {
  public:
    explicit TextLineReader(const std::filesystem::path& path, size_t maxLine = kMaxLineLength);

    bool isOpen() const { return in_.is_open(); }
    // The next line without its line end; false at the end of the file. Characters beyond
    // the length limit are skipped.
    bool Next(std::string& line);
    // A read failed for another reason than reaching the end.
    bool failed() const { return in_.bad(); }

  private:
    std::ifstream in_;
    size_t maxLine_;
};

// Reads a leading decimal number the way a lenient reader does: blanks, an optional
// sign, digits with an optional fraction and exponent; anything after it is ignored.
// A text without such a number reads as 0.
double LeadingDecimal(std::string_view text);

inline bool HasPrefix(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace zelkor
