// zelkor-cli: the game without a window, for tests, benchmarks and scripts.
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "cli/command.h"
#include "records/data_folder.h"
#include "records/text_file.h"

namespace zelkor::cli {
namespace {

struct Entry {
    std::string usage;
    CliHandler handler;
};

std::map<std::string, Entry>& Registry() {
    static std::map<std::string, Entry> registry;
    return registry;
}

std::string ExecutableFolder(const char* argv0) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.parent_path().string();
    return std::filesystem::absolute(argv0).parent_path().string();
}

// The usage on stderr with status 2 after a mistake; on stdout with status 0 when asked.
int Usage(std::FILE* out = stderr, int status = 2) {
    std::fprintf(out, "usage: zelkor-cli [--data-dir DIR] COMMAND [ARGS]\ncommands:\n");
    for (const auto& [name, entry] : Registry())
        std::fprintf(out, "  %s %s\n", name.c_str(), entry.usage.c_str());
    return status;
}

}  // namespace

CliCommand::CliCommand(const char* name, const char* usage, CliHandler handler) {
    Registry()[name] = Entry{usage, std::move(handler)};
}

}  // namespace zelkor::cli

int main(int argc, char** argv) {
    using namespace zelkor::cli;
    CliContext context;
    std::optional<std::filesystem::path> dataDir;
    int i = 1;
    if (i + 1 < argc && std::string(argv[i]) == "--data-dir") {
        dataDir = argv[i + 1];
        i += 2;
    }
    if (i >= argc) return Usage();
    if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") return Usage(stdout, 0);
    // An installed program keeps its files in the per-user folder.
    const zelkor::DataFolder data = zelkor::ResolveDataFolder(
        zelkor::ProcessDataFolderInputs(dataDir, ExecutableFolder(argv[0])));
    if (!data.error.empty()) {
        std::fprintf(stderr, "zelkor-cli: %s\n", data.error.c_str());
        return 1;
    }
    if (!data.warning.empty()) std::fprintf(stderr, "zelkor-cli: %s\n", data.warning.c_str());
    // What a crash left half-written is of no use to anyone.
    zelkor::RemoveStaleTemporaries(data.folder);
    context.dataDir = data.folder.string();
    const auto it = Registry().find(argv[i]);
    if (it == Registry().end()) {
        std::fprintf(stderr, "zelkor-cli: unknown command '%s'\n", argv[i]);
        return Usage();
    }
    for (++i; i < argc; ++i)
        context.args.emplace_back(argv[i]);
    return it->second.handler(context);
}
