#include "cli/CommandLine.h"

#include <gtest/gtest.h>

using namespace valmora;
using namespace valmora::cli;

TEST(CommandLine, OggiAndScriptInAnyOrder) {
    auto options = parseCommandLine({"prova.vcli", "--oggi", "15/03/2026"});
    EXPECT_EQ(options.today, Date::fromYmd(2026, 3, 15));
    EXPECT_EQ(options.scriptPath, "prova.vcli");

    auto none = parseCommandLine({});
    EXPECT_FALSE(none.today.has_value());
    EXPECT_FALSE(none.scriptPath.has_value());
    // "-" is standard input, as when no script is named.
    EXPECT_FALSE(parseCommandLine({"-"}).scriptPath.has_value());
    EXPECT_TRUE(parseCommandLine({"--help"}).showUsage);
}

TEST(CommandLine, RefusesWhatItCannotRun) {
    EXPECT_THROW(parseCommandLine({"--oggi"}), UsageError);
    EXPECT_THROW(parseCommandLine({"--oggi", "2026-03-15"}), UsageError);
    EXPECT_THROW(parseCommandLine({"--oggi", "29/02/2026"}), UsageError);
    EXPECT_THROW(parseCommandLine({"--domani", "x"}), UsageError);
    EXPECT_THROW(parseCommandLine({"a.vcli", "b.vcli"}), UsageError);
}
