#include "records/safe_write.h"

#include <fstream>
#include <system_error>

#if __has_include(<fcntl.h>) && __has_include(<unistd.h>)
#include <fcntl.h>
#include <unistd.h>
#define ZELKOR_HAVE_FSYNC 1
#endif

namespace zelkor {

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

bool WriteFileSafely(const std::filesystem::path& file, const std::string& contents) {
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    std::error_code error;
    bool written = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
            out.flush();
            written = static_cast<bool>(out);
            out.close();
            written = written && !out.fail();
        }
    }
    if (written) written = SyncToDisk(temporary);
    if (written) {
        std::filesystem::rename(temporary, file, error);
        written = !error;
    }
    if (!written && !std::filesystem::is_directory(temporary, error))
        std::filesystem::remove(temporary, error);
    return written;
}

}  // namespace zelkor
