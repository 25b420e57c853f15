#include "records/text_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "records/settings.h"

#if __has_include(<fcntl.h>) && __has_include(<unistd.h>)
#include <fcntl.h>
#include <unistd.h>
#define ZELKOR_HAVE_FSYNC 1
#endif

namespace zelkor {

LineReader::LineReader(const std::filesystem::path& path) : in_(path, std::ios::binary) {}

std::optional<std::string> LineReader::Next(std::size_t maxLength) {
    if (!in_.is_open()) return std::nullopt;
    std::streambuf* buf = in_.rdbuf();
    using Traits = std::streambuf::traits_type;
    int c = buf->sbumpc();
    if (c == Traits::eof()) return std::nullopt;
    std::string line;
    while (c != Traits::eof()) {
        if (c == '\n') break;
        if (c == '\r') {
            if (buf->sgetc() == '\n') buf->sbumpc();
            break;
        }
        if (line.size() < maxLength) line.push_back(static_cast<char>(c));
        c = buf->sbumpc();
    }
    return line;
}

bool LineReader::AtEnd() {
    if (!in_.is_open()) return true;
    return in_.rdbuf()->sgetc() == std::streambuf::traits_type::eof();
}

bool HasFileSignature(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    char head[15] = {};
    in.read(head, sizeof head);
    return in.gcount() == 15 && std::string(head, 15) == kFileSignature;
}

namespace {

// The leading numeric part of a text as a decimal fraction: digits, one point, digits.
double LeadingValue(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    double value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 1e9)
        value = value * 10 + (text[i++] - '0');
    if (i < text.size() && text[i] == '.') {
        ++i;
        double scale = 0.1;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && scale > 1e-12) {
            value += (text[i++] - '0') * scale;
            scale /= 10;
        }
    }
    return negative ? -value : value;
}

}  // namespace

bool VersionMatches(const std::string& firstLine) {
    const std::string rest = firstLine.size() > 15 ? firstLine.substr(15) : std::string();
    // Compared in single precision, so "0.1" and "0.10" are the same version.
    return static_cast<float>(LeadingValue(rest)) == static_cast<float>(LeadingValue(kDataVersion));
}

std::optional<long long> LeadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
    long long value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i++] - '0');
        if (value > 2147483648LL) return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > 2147483647LL) return std::nullopt;
    return value;
}

namespace {

// Pushes the file's contents to the disk before it replaces the old one, so that the
// rename never publishes a file whose data is still only in memory.
bool SyncToDisk(const std::filesystem::path& file) {
#ifdef ZELKOR_HAVE_FSYNC
    const int fd = ::open(file.c_str(), O_RDONLY);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
#else
    (void)file;
    return true;
#endif
}

}  // namespace

bool WriteFileSafely(const std::filesystem::path& path, const std::string& contents) {
    // Only a file is ever replaced: renaming over a device, a pipe or a folder chosen by
    // mistake would destroy it (a save into /dev/full fails instead).
    std::error_code status;
    const std::filesystem::file_status target = std::filesystem::status(path, status);
    if (std::filesystem::exists(target) && !std::filesystem::is_regular_file(target)) return false;
    std::filesystem::path temp = path;
    temp += ".tmp";
    std::error_code error;
    bool written = false;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
            out.close();
            written = !out.fail();
        }
    }
    if (written) written = SyncToDisk(temp);
    if (written) {
        std::filesystem::rename(temp, path, error);
        written = !error;
    }
    // A folder in the temporary file's place is not ours to remove.
    if (!written && !std::filesystem::is_directory(temp, error))
        std::filesystem::remove(temp, error);
    return written;
}

}  // namespace zelkor
