// Replacing a file so that a crash or a full disk never leaves it truncated or empty:
// the new contents go to a temporary file in the same folder, which then takes the
// old file's place in one step.
#pragma once

#include <filesystem>
#include <string>

namespace zelkor {

// True when the file now holds exactly `contents`; on failure the old file is unchanged
// and no temporary file is left behind.
bool WriteFileSafely(const std::filesystem::path& file, const std::string& contents);

}  // namespace zelkor
