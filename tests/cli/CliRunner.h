#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace zentrik::test {

// A path quoted for the shell.
inline std::string q(const std::filesystem::path& p) {
    return "'" + p.string() + "'";
}

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs zentrik-cli with the given arguments (already shell-quoted where needed), after the
// environment assignments in `env` ("NAME=value ...").
inline CliResult runCli(const std::string& args, const std::string& workDir,
                        const std::string& env = "") {
    const std::string outFile = workDir + "/cli.out", errFile = workDir + "/cli.err";
    const std::string cmd =
        env + "'" + ZENTRIK_CLI + "' " + args + " >'" + outFile + "' 2>'" + errFile + "'";
    const int status = std::system(cmd.c_str());
    auto slurp = [](const std::string& p) {
        std::string s;
        if (FILE* f = std::fopen(p.c_str(), "rb")) {
            char buf[4096];
            size_t n;
            while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
                s.append(buf, n);
            std::fclose(f);
        }
        return s;
    };
    CliResult r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = slurp(outFile);
    r.err = slurp(errFile);
    return r;
}

} // namespace zentrik::test
