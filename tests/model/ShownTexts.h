#pragma once
// What the tests read of the scripted screen's message boxes: their texts, in the order shown.

#include "model/ScriptedUserInterface.h"

#include <string>
#include <vector>

namespace valmora::testing {

inline std::vector<std::string> testiMostrati(const ScriptedUserInterface& ui) {
    std::vector<std::string> texts;
    for (const auto& m : ui.messages()) {
        texts.push_back(m.text);
    }
    return texts;
}

} // namespace valmora::testing
