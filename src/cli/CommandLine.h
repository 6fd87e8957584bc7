#pragma once
// valmora-cli [--oggi GG/MM/AAAA] [SCRIPT]

#include "core/Date.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace valmora::cli {

struct CommandLineOptions {
    std::optional<Date> today;             // --oggi; the system date when absent
    std::optional<std::string> scriptPath; // standard input when absent or "-"
    bool showUsage = false;                // --help
};

inline constexpr const char* kUsage = "uso: valmora-cli [--oggi GG/MM/AAAA] [SCRIPT]";

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// `args` without the program's name. Throws UsageError (Italian) on an unknown option, a bad date, two scripts.
CommandLineOptions parseCommandLine(const std::vector<std::string>& args);

} // namespace valmora::cli
