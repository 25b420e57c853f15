// zelkor.ini: read, written back, read again to the same lines.
#include "records/settings_file.h"
#include "fuzz_targets.h"

namespace zelkor::fuzz {

int FuzzSettingsFile(const uint8_t* data, std::size_t size) {
    const std::filesystem::path file = WriteInput("settings/zelkor.ini", data, size);
    const std::filesystem::path dir = file.parent_path();
    Settings settings;
    const SettingsReadResult result = ReadSettings(settings, dir);
    if (result.status == SettingsReadStatus::Invalid) {
        FUZZ_CHECK(result.line >= 1 && result.line <= kSettingsLines);
        return 0;
    }
    const std::vector<std::string> lines = SettingsLines(settings);
    FUZZ_CHECK(lines.size() == static_cast<std::size_t>(kSettingsLines));
    FUZZ_CHECK(WriteSettings(settings, dir));
    Settings again;
    FUZZ_CHECK(ReadSettings(again, dir).status == SettingsReadStatus::Read);
    FUZZ_CHECK(SettingsLines(again) == lines);
    return 0;
}

}  // namespace zelkor::fuzz
