// Runs the zelkor-cli program built next to the tests.
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

// zelkor-cli with the arguments (quoted by the caller where needed); stdout only, stderr is
// discarded unless `withErrors` asks for it after stdout.
inline CliRun RunCli(const std::string& arguments, bool withErrors = false) {
    CliRun run;
    const std::string command =
        std::string(ZELKOR_CLI_PATH) + " " + arguments + (withErrors ? " 2>&1" : " 2>/dev/null");
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

}  // namespace zelkor::test
