// Subcommands of zelkor-cli. Each command lives in its own file and registers itself
// with a static CliCommand object.
#pragma once

#include <cstdlib>
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

// A whole decimal number from low to high, read into value; false leaves value alone.
inline bool ParseNumber(const std::string& text, long low, long high, int& value) {
    char* end = nullptr;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || number < low || number > high) return false;
    value = static_cast<int>(number);
    return true;
}

}  // namespace zelkor::cli
