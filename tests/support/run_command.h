// Runs a shell command and collects its exit status and everything it printed.
#pragma once

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace tarnik::testing {

struct Command {
    int status;
    std::string output;
};

inline Command runCommand(const std::string& command) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    std::string output;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) {
        output.append(buffer, n);
    }
    int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

} // namespace tarnik::testing
