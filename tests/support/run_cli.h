// Runs a shell command, or the zelkor-cli program built next to the tests.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace zelkor::test {

struct CliRun {
    std::string out;
    int status = -1;

    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
};

// The command's standard output and exit status.
inline CliRun RunShell(const std::string& command) {
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

// zelkor-cli with the arguments (quoted by the caller where needed); stderr is discarded
// unless `withErrors` asks for it after stdout.
inline CliRun RunCli(const std::string& arguments, bool withErrors = false) {
    return RunShell(std::string(ZELKOR_CLI_PATH) + " " + arguments +
                    (withErrors ? " 2>&1" : " 2>/dev/null"));
}

}  // namespace zelkor::test
