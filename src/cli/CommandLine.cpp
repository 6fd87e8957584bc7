#include "cli/CommandLine.h"

namespace valmora::cli {

CommandLineOptions parseCommandLine(const std::vector<std::string>& args) {
    CommandLineOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--oggi") {
            if (i + 1 == args.size()) {
                throw UsageError("--oggi vuole una data GG/MM/AAAA");
            }
            options.today = Date::parse(args[++i]);
            if (!options.today) {
                throw UsageError("--oggi: \"" + args[i] + "\" non è una data GG/MM/AAAA valida");
            }
        } else if (arg == "--help" || arg == "-h") {
            options.showUsage = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError("opzione sconosciuta \"" + arg + "\"");
        } else if (options.scriptPath) {
            throw UsageError("un solo script alla volta (\"" + *options.scriptPath + "\" e \"" + arg + "\")");
        } else if (arg != "-") {
            options.scriptPath = arg;
        }
    }
    return options;
}

} // namespace valmora::cli
