#pragma once
// A script line that cannot be run as written: a syntax fault, an unknown command, wrong words for a command.
// It stops the run with exit status 1. It is deliberately not a std::exception: the command loop reports
// std::exception as the program's own error (ERRORE) and goes on, which must never happen to a script fault.

#include <string>
#include <utility>

namespace valmora::cli {

class ScriptError {
public:
    explicit ScriptError(std::string reason) : reason_(std::move(reason)) {}
    const std::string& reason() const { return reason_; }

private:
    std::string reason_;
};

} // namespace valmora::cli
