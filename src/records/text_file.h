// Reading and writing the program's line-oriented data files.
//
// Lines end in CR LF when written; a reader accepts LF, CR LF and a lone CR. A reader never
// trusts the file: every line it keeps is cut to a fixed length, so a binary file or one
// enormous line costs time proportional to its size and no more memory than the cut.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "records/text_lines.h"

namespace zelkor {

inline constexpr const char* kFileSignature = "ZELKOR Version=";  // first 15 bytes

// Reads only a regular file of bounded size (see DataFileAccess); a read error ends the
// file early and shows in failed().
using LineReader = TextLineReader;

// True when the file starts with "ZELKOR Version=".
bool HasFileSignature(const std::filesystem::path& path);
// The number after the first 15 characters of a first line, read as far as it is a number
// ("0.1", "0.10abc"; nothing numeric reads as 0), compared with the data version as numbers.
bool VersionMatches(const std::string& firstLine);
// The leading decimal number of a text (an optional sign, then digits; a leading blank is
// skipped); nothing when the text does not start with a number or it does not fit an int.
std::optional<long long> LeadingNumber(const std::string& text);

// Writes the whole text to a temporary file beside the target and renames it over the
// target, so a failure half-way leaves the previous file untouched. The temporary file is
// made the way the system library makes one: a short name with a random part
// (".zelkor-" + 8 letters and digits + ".tmp"), created exclusively, so that long target
// names fit and two copies of the program never share one. A link is written through to
// the file it names, and the file keeps its permissions. False on any failure, when the
// target exists but is not a regular file (a device, a pipe, a folder), and when it is
// write-protected. `rename` replaces the final rename (tests make it fail); it returns false
// on failure.
using RenameFunction = bool (*)(const std::filesystem::path& from, const std::filesystem::path& to);
bool WriteFileSafely(const std::filesystem::path& path, const std::string& contents,
                     RenameFunction rename = nullptr);
// True for an existing file the user cannot write, or one without any write permission.
bool IsWriteProtected(const std::filesystem::path& file);
// Whether a new file can be made in `folder` (one is made and removed).
bool WriteProbe(const std::filesystem::path& folder);
// Renames `from` to `to` only when nothing has that name; never replaces a file.
bool MoveToNewName(const std::filesystem::path& from, const std::filesystem::path& to);
// The whole contents of a regular file of at most maxSize bytes, opened so that a pipe or
// a device in its place can neither block nor flood the reader; nothing otherwise.
std::optional<std::string> ReadDataFile(const std::filesystem::path& path, std::uintmax_t maxSize);
// Removes the program's temporary files in `folder` that are at least an hour old (left
// by a crash or a power cut); a younger one may be another copy's write in progress.
// Returns how many.
int RemoveStaleTemporaries(const std::filesystem::path& folder);

}  // namespace zelkor
