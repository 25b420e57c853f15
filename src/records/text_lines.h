// Line-by-line reading of the program's text files. Lines may end in LF, CR LF, CR CR LF
// (a file converted twice) or CR; an overlong line is cut so that no input, however
// malformed, can exhaust memory.
//
// Every reader of a data file goes through DataFileAccess: only a regular file of bounded
// size is read. A folder, a pipe or a device in a file's place is "cannot be read" for its
// reader, never a blocked read, an endless one or an exception.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace zelkor {

constexpr size_t kMaxLineLength = 64 * 1024;
// The largest data file a reader takes: far above any real book or game, far below a disk.
constexpr std::uintmax_t kMaxDataFileSize = std::uintmax_t{1} << 30;

enum class FileAccess {
    Readable,    // a regular file (or a link to one) within the size bound
    Missing,     // nothing of that name
    Unreadable,  // a folder, a pipe, a device, a file too large or one that cannot be opened
};

FileAccess DataFileAccess(const std::filesystem::path& path,
                          std::uintmax_t maxSize = kMaxDataFileSize);

class TextLineReader {
  public:
    // Opens the file only when DataFileAccess allows it; reads no more than maxSize bytes.
    explicit TextLineReader(const std::filesystem::path& path, size_t maxLine = kMaxLineLength,
                            std::uintmax_t maxSize = kMaxDataFileSize);

    FileAccess access() const { return access_; }
    bool isOpen() const { return in_.is_open(); }
    bool is_open() const { return in_.is_open(); }
    // The next line without its line end; false at the end of the file. Characters beyond
    // the length limit are skipped.
    bool Next(std::string& line);
    // The same, cut to maxLength characters; nothing at the end of the file.
    std::optional<std::string> Next(size_t maxLength);
    std::optional<std::string> Next() { return Next(maxLine_); }
    // True when no further line follows.
    bool AtEnd();
    // A read failed for another reason than reaching the end.
    bool failed() const { return failed_; }

  private:
    int Get();
    int Peek();
    std::ifstream in_;
    size_t maxLine_;
    std::uintmax_t left_;
    FileAccess access_ = FileAccess::Missing;
    bool failed_ = false;
    int pending_ = std::char_traits<char>::eof();  // a character read ahead after a CR
};

// Reads a leading decimal number the way a lenient reader does: blanks, an optional
// sign, digits with an optional fraction and exponent; anything after it is ignored.
// A text without such a number reads as 0.
double LeadingDecimal(std::string_view text);

inline bool HasPrefix(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace zelkor
