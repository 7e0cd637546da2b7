#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace vex {
namespace {

struct CommandLineCase {
    std::vector<std::string_view> arguments;
    bool help;
    bool version;
    std::optional<int> scale;
    bool fullscreen;
    std::optional<std::string> error;
};

TEST(CommandLine, ParsesOrRefusesWithOneLine) {
    const std::string bad_scale = "--scale takes a whole number from 1 to 8, not ";
    const std::vector<CommandLineCase> cases{
        {{}, false, false, std::nullopt, false, std::nullopt},
        {{"--help"}, true, false, std::nullopt, false, std::nullopt},
        {{"--version"}, false, true, std::nullopt, false, std::nullopt},
        {{"--version", "--help"}, true, true, std::nullopt, false, std::nullopt},
        {{"--fullscreen-please"}, false, false, std::nullopt, false, "unknown option '--fullscreen-please'"},
        {{"-h"}, false, false, std::nullopt, false, "unknown option '-h'"},
        {{"--help=yes"}, false, false, std::nullopt, false, "unknown option '--help=yes'"},
        {{"scores.dat"}, false, false, std::nullopt, false, "unknown option 'scores.dat'"},
        {{"--help", "--bogus"}, true, false, std::nullopt, false, "unknown option '--bogus'"},
        {{"--scale", "2", "--fullscreen"}, false, false, 2, true, std::nullopt},
        {{"--scale=8"}, false, false, 8, false, std::nullopt},
        {{"--scale", "1", "--scale=3"}, false, false, 3, false, std::nullopt},
        {{"--fullscreen", "--scale"}, false, false, std::nullopt, true, "--scale needs a value (--scale N)"},
        {{"--scale", "0"}, false, false, std::nullopt, false, bad_scale + "'0'"},
        {{"--scale=9"}, false, false, std::nullopt, false, bad_scale + "'9'"},
        {{"--scale", "2x"}, false, false, std::nullopt, false, bad_scale + "'2x'"},
        {{"--scale", "-1"}, false, false, std::nullopt, false, bad_scale + "'-1'"},
        {{"--scale="}, false, false, std::nullopt, false, bad_scale + "''"},
        {{"--fullscreen=no"}, false, false, std::nullopt, false, "unknown option '--fullscreen=no'"},
    };
    for (const auto& c : cases) {
        const auto parsed = parse_command_line(c.arguments);
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : std::string(c.arguments.back()));
        EXPECT_EQ(parsed.options.help, c.help);
        EXPECT_EQ(parsed.options.version, c.version);
        EXPECT_EQ(parsed.options.scale, c.scale);
        EXPECT_EQ(parsed.options.fullscreen, c.fullscreen);
        EXPECT_EQ(parsed.error, c.error);
    }
}

TEST(CommandLine, HelpListsEveryOptionInOneAlignedTable) {
    const std::string help = help_text("vexoids");
    EXPECT_EQ(help.rfind("Usage: vexoids [OPTION]...\n", 0), 0U);
    for (const char* line : {"\n  --help        show this help and exit\n", "\n  --version     show the version and exit\n",
                             "\n  --scale N     show each pixel as N x N", "\n  --fullscreen  start in full screen"}) {
        EXPECT_NE(help.find(line), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace vex
