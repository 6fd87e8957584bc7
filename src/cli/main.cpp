// valmora-cli: the program driven by a script instead of a mouse.

#include "cli/CliContext.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/ScriptRunner.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

using namespace valmora;
using namespace valmora::cli;

int main(int argc, char** argv) {
    CommandLineOptions options;
    try {
        options = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& bad) {
        std::cerr << "valmora-cli: " << bad.what() << '\n' << kUsage << '\n';
        return kExitScriptUnreadable;
    }
    if (options.showUsage) {
        std::cout << kUsage << '\n';
        return kExitAllRan;
    }

    std::ifstream file;
    if (options.scriptPath) {
        const std::string& path = *options.scriptPath;
        std::error_code ignored;
        if (std::filesystem::is_directory(path, ignored)) {
            std::cerr << "valmora-cli: impossibile leggere lo script \"" << path << "\": è una cartella\n";
            return kExitScriptUnreadable;
        }
        file.open(path);
        if (!file) {
            std::cerr << "valmora-cli: impossibile leggere lo script \"" << path << "\": " << std::strerror(errno)
                      << '\n';
            return kExitScriptUnreadable;
        }
    }
    std::istream& script = options.scriptPath ? static_cast<std::istream&>(file) : std::cin;

    CliContext context(options.today ? *options.today : SystemClock().today(), std::cout);
    return runScript(script, context, standardCommands(), std::cerr);
}
