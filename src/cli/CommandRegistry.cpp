#include "cli/CommandRegistry.h"

#include "cli/ScriptError.h"

#include <stdexcept>

namespace valmora::cli {

namespace {

std::string wordCount(std::size_t n) {
    return n == 1 ? "1 parola" : std::to_string(n) + " parole";
}

} // namespace

void CommandCall::requireArgs(std::size_t min, std::size_t max) const {
    if (args.size() >= min && args.size() <= max) {
        return;
    }
    std::string wanted = min == max          ? wordCount(min)
                         : args.size() < min ? "almeno " + wordCount(min)
                                             : "al massimo " + wordCount(max);
    throw ScriptError("il comando \"" + name + "\" vuole " + wanted + " dopo il nome, ne ha " +
                      std::to_string(args.size()));
}

Date CommandCall::dateArg(std::size_t index) const {
    auto date = Date::parse(args.at(index));
    if (!date) {
        throw ScriptError("\"" + args.at(index) + "\" non è una data GG/MM/AAAA valida");
    }
    return *date;
}

void CommandRegistry::add(std::string name, CommandHandler handler) {
    if (handlers_.count(name) != 0) {
        throw std::logic_error("comando registrato due volte: " + name);
    }
    handlers_.emplace(std::move(name), std::move(handler));
}

const CommandHandler* CommandRegistry::find(std::string_view name) const {
    auto it = handlers_.find(name);
    return it == handlers_.end() ? nullptr : &it->second;
}

std::vector<std::string> CommandRegistry::names() const {
    std::vector<std::string> result;
    for (const auto& entry : handlers_) {
        result.push_back(entry.first);
    }
    return result;
}

} // namespace valmora::cli
