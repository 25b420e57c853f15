#include "records/text_file.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <system_error>

#include "records/settings.h"
#include "records/text_lines.h"

#if __has_include(<fcntl.h>) && __has_include(<unistd.h>)
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#define ZELKOR_HAVE_FSYNC 1
#endif

namespace zelkor {

bool HasFileSignature(const std::filesystem::path& path) {
    LineReader in(path);
    const auto first = in.Next(15);
    return first && *first == kFileSignature;
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

// A temporary file is ".zelkor-" + eight random letters and digits + ".tmp" in the target's
// folder: short whatever the target's name, and made with O_EXCL, so a name another copy
// of the program (or anyone) holds is never opened, replaced or removed.
constexpr const char* kTempMark = ".zelkor-";
constexpr const char* kTempEnd = ".tmp";
constexpr std::size_t kTempRandomLength = 8;
constexpr const char* kTempAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
// A temporary file this old is no write in progress: a write takes a moment.
constexpr auto kStaleAge = std::chrono::hours(1);

std::string RandomPart() {
    static std::random_device device;
    static std::mt19937_64 engine((static_cast<unsigned long long>(device()) << 32) ^ device() ^
                                  static_cast<unsigned long long>(
                                      std::chrono::steady_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<int> pick(0, 35);
    std::string part;
    for (std::size_t i = 0; i < kTempRandomLength; ++i)
        part.push_back(kTempAlphabet[pick(engine)]);
    return part;
}

bool IsTemporaryName(const std::string& name) {
    const std::size_t mark = std::char_traits<char>::length(kTempMark);
    if (name.size() != mark + kTempRandomLength + 4 || name.compare(0, mark, kTempMark) != 0 ||
        name.compare(name.size() - 4, 4, kTempEnd) != 0)
        return false;
    return name.substr(mark, kTempRandomLength).find_first_not_of(kTempAlphabet) ==
           std::string::npos;
}

// Creates a new temporary file in `folder` exclusively and writes the contents into it with
// the given permissions, pushed to the disk before it replaces the old one, so that the
// rename never publishes a file whose data is still only in memory. The name made, or an
// empty path (then nothing of this write is left behind).
std::filesystem::path WriteNewTemporary(const std::filesystem::path& folder,
                                        const std::string& contents,
                                        std::optional<std::filesystem::perms> permissions) {
#ifdef ZELKOR_HAVE_FSYNC
    std::filesystem::path file;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        file = folder / (kTempMark + RandomPart() + kTempEnd);
        fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && errno != EEXIST) return {};
    }
    if (fd < 0) return {};
    bool written = true;
    std::size_t done = 0;
    while (written && done < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR) continue;
        written = n > 0;
        if (written) done += static_cast<std::size_t>(n);
    }
    if (written && permissions) written = ::fchmod(fd, static_cast<mode_t>(*permissions)) == 0;
    if (written) written = ::fsync(fd) == 0;
    if (::close(fd) != 0) written = false;
    if (written) return file;
    ::unlink(file.c_str());  // made by this call
    return {};
#else
    std::error_code error;
    const std::filesystem::path file = folder / (kTempMark + RandomPart() + kTempEnd);
    if (std::filesystem::exists(file, error)) return {};
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return {};
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.close();
    if (!out.fail() && permissions) std::filesystem::permissions(file, *permissions, error);
    if (!out.fail() && !error) return file;
    std::filesystem::remove(file, error);
    return {};
#endif
}

}  // namespace

bool IsWriteProtected(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (!std::filesystem::is_regular_file(status)) return false;
    // No write permission for anyone is a protection even for the administrator.
    using std::filesystem::perms;
    if ((status.permissions() & (perms::owner_write | perms::group_write | perms::others_write)) ==
        perms::none)
        return true;
#ifdef ZELKOR_HAVE_FSYNC
    return ::access(file.c_str(), W_OK) != 0 && errno == EACCES;
#else
    return false;
#endif
}

bool WriteFileSafely(const std::filesystem::path& path, const std::string& contents,
                     RenameFunction rename) {
    // A link is written through to the file it names and stays a link.
    std::error_code error;
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
        target = std::filesystem::weakly_canonical(path, error);
        if (error) return false;
    }
    // Only a file is ever replaced: renaming over a device, a pipe or a folder chosen by
    // mistake would destroy it (a save into /dev/full fails instead). A file the user
    // cannot write is not replaced either.
    const std::filesystem::file_status status = std::filesystem::status(target, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) return false;
    if (IsWriteProtected(target)) return false;
    std::optional<std::filesystem::perms> permissions;
    if (std::filesystem::exists(status)) permissions = status.permissions();

    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    const std::filesystem::path temp = WriteNewTemporary(folder, contents, permissions);
    if (temp.empty()) return false;
    bool renamed = false;
    if (rename) {
        renamed = rename(temp, target);
    } else {
        std::filesystem::rename(temp, target, error);
        renamed = !error;
    }
    if (renamed) return true;
    std::filesystem::remove(temp, error);  // made by this call
    return false;
}

bool WriteProbe(const std::filesystem::path& folder) {
    const std::filesystem::path probe = WriteNewTemporary(folder, "\n", std::nullopt);
    if (probe.empty()) return false;
    std::error_code error;
    std::filesystem::remove(probe, error);  // made by this call
    return true;
}

bool MoveToNewName(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
#ifdef ZELKOR_HAVE_FSYNC
    // A hard link is made only when the name is free, so nothing is ever replaced.
    if (::link(from.c_str(), to.c_str()) == 0) {
        if (::unlink(from.c_str()) == 0) return true;
        ::unlink(to.c_str());
        return false;
    }
    if (errno == EEXIST) return false;
#endif
    // A file system without links: the name is checked first.
    if (std::filesystem::exists(std::filesystem::symlink_status(to, error))) return false;
    std::filesystem::rename(from, to, error);
    return !error;
}

std::optional<std::string> ReadDataFile(const std::filesystem::path& path, std::uintmax_t maxSize) {
    if (DataFileAccess(path, maxSize) != FileAccess::Readable) return std::nullopt;
    std::string contents;
#ifdef ZELKOR_HAVE_FSYNC
    // Non-blocking, and checked again on the open file: what was swapped in since the check
    // is refused as well.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<std::uintmax_t>(info.st_size) <= maxSize;
    char buffer[65536];
    while (ok) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        contents.append(buffer, static_cast<std::size_t>(n));
        ok = contents.size() <= maxSize;
    }
    ::close(fd);
    if (!ok) return std::nullopt;
#else
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (contents.size() > maxSize) return std::nullopt;
#endif
    return contents;
}

int RemoveStaleTemporaries(const std::filesystem::path& folder) {
    int removed = 0;
    std::error_code error;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (!IsTemporaryName(it->path().filename().string())) continue;
        std::error_code status;
        if (!it->is_regular_file(status) || it->is_symlink(status)) continue;
        // One that is younger may be a write of another copy of the program in progress.
        const auto written = std::filesystem::last_write_time(it->path(), status);
        if (status || now - written < kStaleAge) continue;
        if (std::filesystem::remove(it->path(), status)) ++removed;
    }
    return removed;
}

}  // namespace zelkor
