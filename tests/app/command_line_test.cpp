#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace vex {
namespace {

struct CommandLineCase {
    std::vector<std::string_view> arguments;
    bool help;
    bool version;
    std::optional<std::string> error;
};

TEST(CommandLine, ParsesOrRefusesWithOneLine) {
    const std::vector<CommandLineCase> cases{
        {{}, false, false, std::nullopt},
        {{"--help"}, true, false, std::nullopt},
        {{"--version"}, false, true, std::nullopt},
        {{"--version", "--help"}, true, true, std::nullopt},
        {{"--fullscreen-please"}, false, false, "unknown option '--fullscreen-please'"},
        {{"-h"}, false, false, "unknown option '-h'"},
        {{"--help=yes"}, false, false, "unknown option '--help=yes'"},
        {{"scores.dat"}, false, false, "unknown option 'scores.dat'"},
        {{"--help", "--bogus"}, true, false, "unknown option '--bogus'"},
    };
    for (const auto& c : cases) {
        const auto parsed = parse_command_line(c.arguments);
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : std::string(c.arguments.back()));
        EXPECT_EQ(parsed.options.help, c.help);
        EXPECT_EQ(parsed.options.version, c.version);
        EXPECT_EQ(parsed.error, c.error);
    }
}

TEST(CommandLine, HelpListsEveryOptionInOneAlignedTable) {
    const std::string help = help_text("vexoids");
    EXPECT_EQ(help.rfind("Usage: vexoids [OPTION]...\n", 0), 0U);
    EXPECT_NE(help.find("\n  --help     show this help and exit\n"), std::string::npos);
    EXPECT_NE(help.find("\n  --version  show the version and exit\n"), std::string::npos);
}

}  // namespace
}  // namespace vex
