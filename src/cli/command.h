// Subcommands of zelkor-cli. Each command lives in its own file and registers itself
// with a static CliCommand object.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zelkor::cli {

// Arguments after the command name; the data folder is already resolved.
struct CliContext {
    std::vector<std::string> args;
    std::string dataDir;
};

using CliHandler = std::function<int(const CliContext&)>;

struct CliCommand {
    CliCommand(const char* name, const char* usage, CliHandler handler);
};

}  // namespace zelkor::cli
