#pragma once
// The table of script commands: a name and the handler that runs it. Each feature keeps its commands in a file
// of its own with one `registerXxxCommands(CommandRegistry&)` function, listed once in Commands.cpp.
//
// A handler checks its words (CommandCall's helpers throw ScriptError for a wrong count or a bad date, which
// stops the script with exit 1), then drives the engine; an engine failure is a std::exception that the
// command loop prints as ERRORE before going on.

#include "core/Date.h"

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace valmora::cli {

class CliContext;

struct CommandCall {
    std::string name;
    std::vector<std::string> args; // the words after the command's name
    int line = 0;

    // Throws ScriptError unless there are between `min` and `max` words.
    void requireArgs(std::size_t min, std::size_t max) const;
    void requireArgs(std::size_t exactly) const { requireArgs(exactly, exactly); }
    // Word `index` as a dd/mm/yyyy date; throws ScriptError naming the word otherwise.
    Date dateArg(std::size_t index) const;
};

using CommandHandler = std::function<void(const CommandCall&, CliContext&)>;

class CommandRegistry {
public:
    // Throws std::logic_error when the name is taken: two features must not fight over a command.
    void add(std::string name, CommandHandler handler);
    const CommandHandler* find(std::string_view name) const;
    std::vector<std::string> names() const;

private:
    std::map<std::string, CommandHandler, std::less<>> handlers_;
};

} // namespace valmora::cli
