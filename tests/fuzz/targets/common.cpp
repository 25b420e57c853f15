#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "fuzz_targets.h"

namespace zelkor::fuzz {
namespace {

// The scratch folder lives as long as the process.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zelkor-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
        path_ = pattern;
        std::filesystem::copy_file(ShippedData() / "variants.ini", path_ / "variants.ini");
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace

const std::filesystem::path& Workspace() {
    static const ScratchFolder folder;
    return folder.path();
}

std::filesystem::path ShippedData() {
    return ZELKOR_SHIPPED_DATA_DIR;
}

std::filesystem::path WriteInput(const std::string& name, const uint8_t* data, std::size_t size) {
    const std::filesystem::path path = Workspace() / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

void Fail(const char* file, int line, const char* what) {
    std::fprintf(stderr, "%s:%d: broken promise: %s\n", file, line, what);
    std::fflush(stderr);
    std::abort();
}

const std::vector<NamedTarget>& AllTargets() {
    static const std::vector<NamedTarget> targets = {
        {"variant_file", FuzzVariantFile},
        {"game_file", FuzzGameFile},
        {"game_replay", FuzzGameReplay},
        {"settings_file", FuzzSettingsFile},
        {"book", FuzzBook},
        {"rating_file", FuzzRatingFile},
        {"typed_moves", FuzzTypedMoves},
    };
    return targets;
}

}  // namespace zelkor::fuzz
