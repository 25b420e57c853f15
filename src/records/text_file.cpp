#include "records/text_file.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <system_error>

#include "records/settings.h"

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

constexpr const char* kTempMark = ".zelkor-";  // <name>.zelkor-<process id>.tmp
constexpr const char* kTempEnd = ".tmp";

#ifdef ZELKOR_HAVE_FSYNC
long ProcessId() {
    return static_cast<long>(::getpid());
}
#else
long ProcessId() {
    return 0;
}
#endif

// Writes the contents into a new file of that name, which must not exist, with the given
// permissions, and pushes it to the disk before it replaces the old one, so that the
// rename never publishes a file whose data is still only in memory.
bool WriteNewFile(const std::filesystem::path& file, const std::string& contents,
                  std::optional<std::filesystem::perms> permissions) {
#ifdef ZELKOR_HAVE_FSYNC
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
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
    return written;
#else
    std::error_code error;
    if (std::filesystem::exists(file, error)) return false;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.close();
    if (!out.fail() && permissions) std::filesystem::permissions(file, *permissions, error);
    return !out.fail() && !error;
#endif
}

bool ProcessIsRunning(long id) {
#ifdef ZELKOR_HAVE_FSYNC
    return id > 0 && (::kill(static_cast<pid_t>(id), 0) == 0 || errno != ESRCH);
#else
    (void)id;
    return false;
#endif
}

}  // namespace

std::filesystem::path TemporaryFileFor(const std::filesystem::path& target) {
    std::filesystem::path temp = target;
    temp += kTempMark + std::to_string(ProcessId()) + kTempEnd;
    return temp;
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
    // mistake would destroy it (a save into /dev/full fails instead).
    const std::filesystem::file_status status = std::filesystem::status(target, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) return false;
    std::optional<std::filesystem::perms> permissions;
    if (std::filesystem::exists(status)) permissions = status.permissions();

    // The temporary name is this process's own, so two running copies never share one and
    // a user's file of another name is never touched. One left by an earlier process of the
    // same number is ours to replace.
    const std::filesystem::path temp = TemporaryFileFor(target);
    if (std::filesystem::is_regular_file(std::filesystem::symlink_status(temp, error)))
        std::filesystem::remove(temp, error);
    if (!WriteNewFile(temp, contents, permissions)) {
        if (std::filesystem::is_regular_file(std::filesystem::symlink_status(temp, error)))
            std::filesystem::remove(temp, error);
        return false;
    }
    bool renamed = false;
    if (rename) {
        renamed = rename(temp, target);
    } else {
        std::filesystem::rename(temp, target, error);
        renamed = !error;
    }
    if (renamed) return true;
    std::filesystem::remove(temp, error);
    return false;
}

int RemoveStaleTemporaries(const std::filesystem::path& folder) {
    int removed = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        const std::size_t mark = name.rfind(kTempMark);
        if (mark == std::string::npos || name.size() < 4 ||
            name.compare(name.size() - 4, 4, kTempEnd) != 0)
            continue;
        const std::string digits = name.substr(mark + 8, name.size() - 4 - (mark + 8));
        if (digits.empty() || digits.size() > 18 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const long id = std::stol(digits);
        // A copy of the program that is still running may be writing it.
        if (id != ProcessId() && ProcessIsRunning(id)) continue;
        std::error_code status;
        if (!it->is_regular_file(status)) continue;
        if (std::filesystem::remove(it->path(), status)) ++removed;
    }
    return removed;
}

}  // namespace zelkor
