#pragma once
// Dates and amounts as the tests write them: d(2005, 6, 30), eur("12,50").

#include "core/Date.h"
#include "core/Money.h"

#include <gtest/gtest.h>

namespace valmora::testing {

inline Date d(int y, int m, int day) {
    return *Date::fromYmd(y, m, day);
}

// "12,50" as a user types it; a text the program would refuse fails the test.
inline Money eur(const char* typed) {
    const auto m = Money::parseTyped(typed);
    EXPECT_TRUE(m.has_value()) << typed;
    return m.value_or(Money());
}

} // namespace valmora::testing
