// The settings file as the player writes it: each row a file's text, the settings it gives and
// the lines the player is told.
#include "app/settings_file.h"

#include "platform/paths.h"

#include "tests/support/test_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace vex {
namespace {

// Names as the backend knows them, any case; two names of one key share its number.
std::optional<int> lookup(const std::map<std::string, int>& known, std::string_view name) {
    std::string lowered(name);
    std::ranges::transform(lowered, lowered.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto found = known.find(lowered);
    return found == known.end() ? std::nullopt : std::optional(found->second);
}

const NameLookups names{
    [](std::string_view name) {
        return lookup({{"s", 1}, {"left", 2}, {"right", 3}, {"left ctrl", 4}, {"right ctrl", 5}, {"space", 6},
                       {"a", 7}, {"d", 8}, {"return", 9}, {"enter", 9}},
                      name);
    },
    [](std::string_view name) {
        return lookup({{"a", 0}, {"b", 1}, {"x", 2}, {"y", 3}, {"start", 6}, {"dpleft", 13}, {"dpright", 14}}, name);
    },
};

std::string joined(const std::vector<std::string>& names_of_action) {
    std::string text;
    for (const auto& name : names_of_action) {
        text += (text.empty() ? "" : "+") + name;
    }
    return text;
}

// Only what differs from the defaults, e.g. "volume=30 fire=Space pad.fire=b".
std::string changes(const PlayerSettings& settings) {
    const PlayerSettings defaults;
    std::string text;
    const auto add = [&](const std::string& item) { text += (text.empty() ? "" : " ") + item; };
    if (settings.volume != defaults.volume) {
        add("volume=" + std::to_string(settings.volume));
    }
    if (settings.mute) {
        add("mute");
    }
    if (settings.scale) {
        add("scale=" + std::to_string(*settings.scale));
    }
    if (settings.fullscreen) {
        add("fullscreen");
    }
    if (settings.deadzone != defaults.deadzone) {
        add("deadzone=" + std::to_string(settings.deadzone));
    }
    for (std::size_t action = 0; action < actions.size(); ++action) {
        if (settings.keys[action] != defaults.keys[action]) {
            add(std::string(actions[action].name) + "=" + joined(settings.keys[action]));
        }
        if (settings.buttons[action] != defaults.buttons[action]) {
            add("pad." + std::string(actions[action].name) + "=" + joined(settings.buttons[action]));
        }
    }
    return text;
}

struct Row {
    const char* what;
    std::string file;
    std::string settings;
    std::vector<std::string> told;
};

TEST(SettingsFile, EachEntryIsTakenOrNamedWithItsDefault) {
    const std::vector<Row> rows{
        {"empty", "", "", {}},
        {"every setting",
         "[sound]\nvolume = 30\nmute = true\n[keys]\nstart = Return\nleft = a\nright = d\nfire = Space, Left Ctrl\n"
         "[pad]\nstart = y\nleft = x\nright = b\nfire = a\ndeadzone = 25\n[window]\nscale = 3\nfullscreen = true\n",
         "volume=30 mute scale=3 fullscreen deadzone=25 start=Return pad.start=y left=a pad.left=x right=d pad.right=b "
         "fire=Space+Left Ctrl pad.fire=a",
         {}},
        {"comments, blanks, indents, any case, a byte-order mark, CRLF",
         "\xEF\xBB\xBF# mine\r\n\r\n  [Sound]  \r\n\tVolume=0 # at night\r\n; old style\r\nMUTE = False\r\n[WINDOW]\r\nscale = AUTO\r\n",
         "volume=0", {}},
        {"the last of an entry given twice", "[sound]\nvolume = 10\nvolume = 20\n", "volume=20", {}},
        {"the edges of each range", "[sound]\nvolume = 100\n[pad]\ndeadzone = 95\n[window]\nscale = 8\n", "scale=8 deadzone=95", {}},
        {"scale auto after a number", "[window]\nscale = 2\nscale = auto\n", "", {}},
        {"a bad volume on line 3", "[sound]\n# the volume\nvolume = loud\n", "",
         {"vexoids.ini:3: volume = loud: the volume is a whole number from 0 to 100; 100 is used"}},
        {"a bad value falls back to the default, not to the line before", "[sound]\nvolume = 40\nvolume = 101\n", "",
         {"vexoids.ini:3: volume = 101: the volume is a whole number from 0 to 100; 100 is used"}},
        {"out of range and not numbers",
         "[sound]\nvolume = -1\nmute = yes\n[pad]\ndeadzone = 4\n[window]\nscale = 0\nscale = 9\nscale = 2x\nfullscreen = 1\n",
         "",
         {"vexoids.ini:2: volume = -1: the volume is a whole number from 0 to 100; 100 is used",
          "vexoids.ini:3: mute = yes: it is true or false; false is used",
          "vexoids.ini:5: deadzone = 4: the dead zone (percent of the stick's travel) is a whole number from 5 to 95; 50 is used",
          "vexoids.ini:7: scale = 0: the scale is auto or a whole number from 1 to 8; auto is used",
          "vexoids.ini:8: scale = 9: the scale is auto or a whole number from 1 to 8; auto is used",
          "vexoids.ini:9: scale = 2x: the scale is auto or a whole number from 1 to 8; auto is used",
          "vexoids.ini:10: fullscreen = 1: it is true or false; false is used"}},
        {"lines that do not parse, each named", "volume\n[sound\n[sound]\nvolume 5\n= 5\nvolume = 5\n", "volume=5",
         {"vexoids.ini:1: 'volume' is not a setting (name = value) nor a [section]; it is ignored",
          "vexoids.ini:2: '[sound' is not a setting (name = value) nor a [section]; it is ignored",
          "vexoids.ini:4: 'volume 5' is not a setting (name = value) nor a [section]; it is ignored",
          "vexoids.ini:5: '= 5' is not a setting (name = value) nor a [section]; it is ignored"}},
        {"unknown sections and settings", "volume = 5\n[sounds]\nvolume = 5\nmute = true\n[sound]\nloudness = 5\n[keys]\njump = Space\n"
         "[pad]\nmute = true\n[window]\nwidth = 800\n", "",
         {"vexoids.ini:1: 'volume' stands before any section ([sound], [keys], [pad], [window]); it is ignored",
          "vexoids.ini:2: [sounds] is no section of the settings ([sound], [keys], [pad], [window]); its entries are ignored",
          "vexoids.ini:6: 'loudness' is no setting of [sound] (volume, mute); it is ignored",
          "vexoids.ini:8: 'jump' is no setting of [keys] (start, left, right, fire); it is ignored",
          "vexoids.ini:10: 'mute' is no setting of [pad] (start, left, right, fire, deadzone); it is ignored",
          "vexoids.ini:12: 'width' is no setting of [window] (scale, fullscreen); it is ignored"}},
        {"names nobody knows, or none", "[keys]\nfire = Space, Hyper\nleft =\nright = d,\n[pad]\nfire = a, z\n", "",
         {"vexoids.ini:2: fire = Space, Hyper: no key is named 'Hyper'; Left Ctrl, Right Ctrl is used",
          "vexoids.ini:3: left = : a key name is missing; Left is used",
          "vexoids.ini:4: right = d,: a key name is missing; Right is used",
          "vexoids.ini:6: fire = a, z: no button is named 'z'; a, x is used"}},
        {"keys swapped between actions", "[keys]\nleft = Right\nright = Left\nfire = S\nstart = Space\n",
         "start=Space left=Right right=Left fire=S", {}},
        {"a key of an action left at its default", "[keys]\nfire = s\n", "",
         {"vexoids.ini:2: fire = s: a key of start already; Left Ctrl, Right Ctrl is used"}},
        {"two spellings of one key, the later entry falls back", "[keys]\nstart = Return\nfire = Space, enter\n", "start=Return",
         {"vexoids.ini:3: fire = Space, enter: a key of start already; Left Ctrl, Right Ctrl is used"}},
        {"the same button twice", "[pad]\nleft = b\nright = b\n", "pad.left=b",
         {"vexoids.ini:3: right = b: a button of left already; dpright is used"}},
        {"a long line", "[sound]\nvolume = 5" + std::string(300, ' ') + "0\nmute = true\n", "mute",
         {"vexoids.ini:2: the line is longer than 200 characters; it is ignored"}},
        {"a NUL byte", std::string("[sound]\nvolume = 5") + '\0' + " 0\nmute = true\n", "mute",
         {"vexoids.ini:2: the line holds a NUL byte; it is ignored"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const SettingsRead read = parse_settings(row.file, "vexoids.ini", names);
        EXPECT_EQ(changes(read.settings), row.settings);
        EXPECT_EQ(read.problems, row.told);
    }
}

// A file that is not there is no settings and no word; one that cannot be read is named once.
TEST(SettingsFile, OnlyARegularFileIsRead) {
    const testing::TestFolder folder;
    const auto file = folder.path() / "vexoids.ini";
    EXPECT_EQ(read_settings_file(file, names).problems, std::vector<std::string>{});
    std::filesystem::create_directory(file);
    const SettingsRead from_folder = read_settings_file(file, names);
    EXPECT_EQ(changes(from_folder.settings), "");
    ASSERT_EQ(from_folder.problems.size(), 1U);
    EXPECT_TRUE(from_folder.problems[0].starts_with(utf8_text(file) + ": ")) << from_folder.problems[0];
    EXPECT_TRUE(from_folder.problems[0].ends_with("; the settings file is ignored")) << from_folder.problems[0];
    std::filesystem::remove(file);
    std::ofstream(file) << "[sound]\nvolume = 7\n";
    EXPECT_EQ(changes(read_settings_file(file, names).settings), "volume=7");
}

}  // namespace
}  // namespace vex
