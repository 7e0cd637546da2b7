#include "app/command_line.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

namespace vex {
namespace {

// What a command line asks for, e.g. "help version scale=2 fullscreen", then "| " and the reason
// it is refused, if it is.
std::string outcome(const ParsedCommandLine& parsed) {
    const Options& o = parsed.options;
    return std::string(o.help ? "help " : "") + (o.version ? "version " : "") +
           (o.scale ? "scale=" + std::to_string(*o.scale) + " " : "") + (o.fullscreen ? "fullscreen " : "") +
           (o.volume ? "volume=" + std::to_string(*o.volume) + " " : "") + (o.mute ? "mute " : "") +
           (o.record ? "record=" + *o.record + " " : "") + (o.replay ? "replay=" + *o.replay + " " : "") +
           (o.verify ? "verify=" + *o.verify + " " : "") + (parsed.error ? "| " + *parsed.error : "");
}

TEST(CommandLine, ParsesOrRefusesWithOneLine) {
    const std::string bad_scale = "| --scale takes a whole number from 1 to 8, not ";
    const std::vector<std::pair<std::vector<std::string_view>, std::string>> cases{
        {{}, ""}, {{"--help"}, "help "}, {{"--version"}, "version "}, {{"--version", "--help"}, "help version "},
        {{"--fullscreen-please"}, "| unknown option '--fullscreen-please'"}, {{"-h"}, "| unknown option '-h'"},
        {{"--help=yes"}, "| unknown option '--help=yes'"}, {{"scores.dat"}, "| unknown option 'scores.dat'"},
        {{"--help", "--bogus"}, "help | unknown option '--bogus'"},
        {{"--scale", "2", "--fullscreen"}, "scale=2 fullscreen "}, {{"--scale=8"}, "scale=8 "},
        {{"--scale", "1", "--scale=3"}, "scale=3 "}, {{"--fullscreen", "--scale"}, "fullscreen | --scale needs a value (--scale N)"},
        {{"--scale", "0"}, bad_scale + "'0'"}, {{"--scale=9"}, bad_scale + "'9'"}, {{"--scale", "2x"}, bad_scale + "'2x'"},
        {{"--scale", "-1"}, bad_scale + "'-1'"}, {{"--scale="}, bad_scale + "''"},
        {{"--fullscreen=no"}, "| unknown option '--fullscreen=no'"},
        {{"--volume", "0", "--mute"}, "volume=0 mute "}, {{"--volume=100"}, "volume=100 "},
        {{"--volume", "101"}, "| --volume takes a whole number from 0 to 100, not '101'"},
        {{"--volume=loud"}, "| --volume takes a whole number from 0 to 100, not 'loud'"},
        {{"--volume"}, "| --volume needs a value (--volume N)"}, {{"--mute=yes"}, "| unknown option '--mute=yes'"},
        {{"--record", "a.replay", "--scale=2"}, "scale=2 record=a.replay "}, {{"--replay=b"}, "replay=b "},
        {{"--verify", "--help"}, "verify=--help "}, {{"--verify"}, "| --verify needs a value (--verify FILE)"},
        {{"--record="}, "| a replay option needs a file name"},
        {{"--record", "a", "--verify", "a"}, "record=a | --record, --replay and --verify go one at a time"},
        {{"--replay", "a", "--replay", "b"}, "replay=a | --record, --replay and --verify go one at a time"},
    };
    for (const auto& [arguments, expected] : cases) {
        EXPECT_EQ(outcome(parse_command_line(arguments)), expected) << (arguments.empty() ? "(none)" : arguments.back());
    }
}

// What the settings file chose stands unless the command line says otherwise.
TEST(CommandLine, WinsOverTheSettingsFile) {
    PlayerSettings file;
    file.volume = 40;
    file.scale = 2;
    file.keys[3] = {"Space"};
    const std::vector<std::tuple<std::vector<std::string_view>, PlayerSettings, std::string>> cases{
        {{}, file, "volume=40 scale=2 window"},
        {{"--scale", "1", "--volume=0"}, file, "volume=0 scale=1 window"},
        {{"--mute", "--fullscreen"}, file, "volume=40 muted scale=2 fullscreen"},
        {{"--volume", "70"}, PlayerSettings{.mute = true, .scale = std::nullopt, .fullscreen = true}, "volume=70 muted auto fullscreen"},
    };
    for (const auto& [arguments, settings, expected] : cases) {
        const PlayerSettings chosen = with_command_line(settings, parse_command_line(arguments).options);
        EXPECT_EQ("volume=" + std::to_string(chosen.volume) + (chosen.mute ? " muted " : " ") +
                      (chosen.scale ? "scale=" + std::to_string(*chosen.scale) : "auto") +
                      (chosen.fullscreen ? " fullscreen" : " window"),
                  expected);
        EXPECT_EQ(chosen.keys, settings.keys) << "the keys are the file's alone";
    }
}

}  // namespace
}  // namespace vex
