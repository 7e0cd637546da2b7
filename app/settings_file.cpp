#include "app/settings_file.h"

#include "app/config_folder.h"
#include "platform/paths.h"
#include "platform/regular_file.h"

// inih: a small INI reader Debian keeps (libinih-dev) that handles comments, sections, blanks
// and a byte-order mark, and calls us once per entry without ever failing on what it reads.
#include <ini.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <set>

namespace vex {

namespace {

// Far beyond any sensible settings file; a larger one is refused rather than read.
constexpr std::size_t largest_file = 1 << 20;
// inih's line buffer (INI_MAX_LINE); a longer line is one bad entry.
constexpr std::size_t longest_line = 200;

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

std::string lowered(std::string_view text) {
    std::string result(text);
    std::ranges::transform(result, result.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::optional<int> whole_number(std::string_view text, int least, int most) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || end != text.data() + text.size() || number < least || number > most) {
        return std::nullopt;
    }
    return number;
}

std::optional<bool> truth(std::string_view text) {
    const std::string word = lowered(text);
    if (word == "true") {
        return true;
    }
    if (word == "false") {
        return false;
    }
    return std::nullopt;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

// A '#' after a blank starts a comment, as one at the start of a line does.
std::string_view without_comment(std::string_view line) {
    for (std::size_t at = line.find('#', 1); at != std::string_view::npos; at = line.find('#', at + 1)) {
        if (line[at - 1] == ' ' || line[at - 1] == '\t') {
            return line.substr(0, at);
        }
    }
    return line;
}

std::vector<std::string> split_names(std::string_view text) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        names.push_back(trimmed(text.substr(start, comma - start)));
        start = comma + 1;
    }
    return names;
}

// An action's names as the player wrote them, where in the file, and what they stand for.
struct Binding {
    std::size_t action = 0;
    int line = 0;
    std::vector<int> ids;
};

// Reads a file line by line for inih, watching which lines it took as entries so that every line
// it could not make sense of is named, not only the first.
class Reader {
public:
    Reader(std::string_view text, std::string_view file_name, const NameLookups& names, const PlayerSettings& defaults)
        : m_text(text), m_file(file_name), m_names(names), m_defaults(defaults) {
        m_read.settings = defaults;
        if (m_text.starts_with("\xEF\xBB\xBF")) {
            m_text.remove_prefix(3);
        }
    }

    SettingsRead run() && {
        ini_parse_stream(&Reader::next_line, this, &Reader::entry, this);
        check_unread_line();
        resolve_clashes(m_keys, m_read.settings.keys, m_defaults.keys, "key");
        resolve_clashes(m_buttons, m_read.settings.buttons, m_defaults.buttons, "button");
        std::ranges::sort(m_read.problems, {}, &Problem::line);
        SettingsRead read{m_read.settings, {}};
        for (auto& problem : m_read.problems) {
            read.problems.push_back(std::move(problem.text));
        }
        return read;
    }

private:
    struct Problem {
        int line;
        std::string text;
    };
    struct Collected {
        PlayerSettings settings;
        std::vector<Problem> problems;
    };

    // Hands inih the next line, its leading blanks dropped: an indented line is an entry of its
    // own here, never the continuation of the one before.
    static char* next_line(char* buffer, int size, void* self) {
        auto& reader = *static_cast<Reader*>(self);
        reader.check_unread_line();
        if (reader.m_text.empty()) {
            return nullptr;
        }
        const std::size_t end = std::min(reader.m_text.find('\n'), reader.m_text.size());
        std::string line = trimmed(without_comment(reader.m_text.substr(0, end)));
        reader.m_text.remove_prefix(std::min(end + 1, reader.m_text.size()));
        ++reader.m_line;
        reader.m_taken = false;
        if (line.find('\0') != std::string::npos) {
            reader.problem("the line holds a NUL byte; it is ignored");
            line.clear();
        } else if (line.size() + 2 > static_cast<std::size_t>(size) || line.size() + 2 > longest_line) {
            reader.problem("the line is longer than " + std::to_string(longest_line - 2) + " characters; it is ignored");
            line.clear();
        }
        reader.m_current = line;
        line += '\n';
        std::memcpy(buffer, line.c_str(), line.size() + 1);
        return buffer;
    }

    // A line that is no entry, blank, comment or section header did not parse.
    void check_unread_line() {
        if (m_taken || m_current.empty() || m_current.front() == '#' || m_current.front() == ';' ||
            (m_current.front() == '[' && m_current.find(']') != std::string::npos)) {
            m_current.clear();
            return;
        }
        problem("'" + m_current + "' is not a setting (name = value) nor a [section]; it is ignored");
        m_current.clear();
    }

    static int entry(void* self, const char* section, const char* name, const char* value) {
        auto& reader = *static_cast<Reader*>(self);
        // A line with nothing before its '=' is no entry: check_unread_line names it.
        if (*name != '\0') {
            reader.m_taken = true;
            reader.take(lowered(section), lowered(name), value);
        }
        return 1;
    }

    void problem(std::string text) {
        m_read.problems.push_back({m_line, m_file + ":" + std::to_string(m_line) + ": " + std::move(text)});
    }

    void take(const std::string& section, const std::string& name, const std::string& value) {
        PlayerSettings& settings = m_read.settings;
        const std::string shown = name + " = " + value;
        const auto bad = [&](std::string_view wanted, const std::string& fallback) {
            problem(shown + ": " + std::string(wanted) + "; " + fallback + " is used");
        };
        if (section == "sound" && name == "volume") {
            if (const auto volume = whole_number(value, 0, loudest)) {
                settings.volume = *volume;
            } else {
                bad("the volume is a whole number from 0 to 100", std::to_string(m_defaults.volume));
                settings.volume = m_defaults.volume;
            }
        } else if (section == "sound" && name == "mute") {
            take_truth(settings.mute, m_defaults.mute, value, bad);
        } else if (section == "window" && name == "scale") {
            if (lowered(value) == "auto") {
                settings.scale.reset();
            } else if (const auto scale = whole_number(value, 1, largest_scale)) {
                settings.scale = scale;
            } else {
                bad("the scale is auto or a whole number from 1 to " + std::to_string(largest_scale), "auto");
                settings.scale = m_defaults.scale;
            }
        } else if (section == "window" && name == "fullscreen") {
            take_truth(settings.fullscreen, m_defaults.fullscreen, value, bad);
        } else if (section == "pad" && name == "deadzone") {
            if (const auto deadzone = whole_number(value, smallest_deadzone, largest_deadzone)) {
                settings.deadzone = *deadzone;
            } else {
                bad("the dead zone is a whole number from " + std::to_string(smallest_deadzone) + " to " +
                        std::to_string(largest_deadzone) + " (percent of the stick's travel)",
                    std::to_string(m_defaults.deadzone));
                settings.deadzone = m_defaults.deadzone;
            }
        } else if (section == "keys" || section == "pad") {
            const bool keys = section == "keys";
            const auto action = std::ranges::find(actions, name, &Action::name);
            if (action == actions.end()) {
                problem("'" + name + "' is no setting of [" + section + "] (start, left, right, fire" +
                        (keys ? "" : ", deadzone") + "); it is ignored");
                return;
            }
            take_names(static_cast<std::size_t>(action - actions.begin()), value, keys);
        } else if (section == "sound" || section == "window") {
            problem("'" + name + "' is no setting of [" + section + "] (" +
                    (section == "sound" ? "volume, mute" : "scale, fullscreen") + "); it is ignored");
        } else if (section.empty()) {
            problem("'" + name + "' stands before any section ([sound], [keys], [pad], [window]); it is ignored");
        } else {
            problem("[" + section + "] is no section of the settings ([sound], [keys], [pad], [window]); " + name +
                    " is ignored");
        }
    }

    template <class Bad>
    static void take_truth(bool& setting, bool fallback, const std::string& value, const Bad& bad) {
        if (const auto flag = truth(value)) {
            setting = *flag;
        } else {
            bad("it is true or false", fallback ? "true" : "false");
            setting = fallback;
        }
    }

    void take_names(std::size_t action, const std::string& value, bool keys) {
        Bindings& bindings = keys ? m_read.settings.keys : m_read.settings.buttons;
        const Bindings& defaults = keys ? m_defaults.keys : m_defaults.buttons;
        const auto& lookup = keys ? m_names.key : m_names.button;
        const std::string what = keys ? "key" : "button";
        Binding binding{action, m_line, {}};
        std::vector<std::string> names;
        for (const std::string& name : split_names(value)) {
            const auto id = name.empty() ? std::nullopt : lookup(name);
            if (!id) {
                problem(std::string(actions[action].name) + " = " + value + ": " +
                        (name.empty() ? "a " + what + " name is missing" : "no " + what + " is named '" + name + "'") +
                        "; " + joined(defaults[action]) + " is used");
                bindings[action] = defaults[action];
                std::erase_if(keys ? m_keys : m_buttons, [action](const Binding& b) { return b.action == action; });
                return;
            }
            binding.ids.push_back(*id);
            names.push_back(name);
        }
        bindings[action] = names;
        auto& taken = keys ? m_keys : m_buttons;
        std::erase_if(taken, [action](const Binding& b) { return b.action == action; });
        taken.push_back(std::move(binding));
    }

    // A key or button bound to two actions is kept by the one bound first (an action left at its
    // default first of all); the later entry falls back to its default.
    void resolve_clashes(const std::vector<Binding>& entries, Bindings& bindings, const Bindings& defaults,
                         const std::string& what) {
        const auto& lookup = what == "key" ? m_names.key : m_names.button;
        std::vector<std::set<int>> used(actions.size());
        const auto ids_of = [&](const std::vector<std::string>& names) {
            std::set<int> ids;
            for (const auto& name : names) {
                if (const auto id = lookup(name)) {
                    ids.insert(*id);
                }
            }
            return ids;
        };
        for (std::size_t action = 0; action < actions.size(); ++action) {
            if (std::ranges::none_of(entries, [action](const Binding& b) { return b.action == action; })) {
                used[action] = ids_of(bindings[action]);
            }
        }
        std::vector<Binding> in_order = entries;
        std::ranges::sort(in_order, {}, &Binding::line);
        for (const Binding& entry : in_order) {
            const auto other = std::ranges::find_if(used, [&](const std::set<int>& ids) {
                return std::ranges::any_of(entry.ids, [&](int id) { return ids.contains(id); });
            });
            if (other != used.end()) {
                const auto owner = static_cast<std::size_t>(other - used.begin());
                m_read.problems.push_back(
                    {entry.line, m_file + ":" + std::to_string(entry.line) + ": " + std::string(actions[entry.action].name) +
                                     " = " + joined(bindings[entry.action]) + ": a " + what + " of " +
                                     std::string(actions[owner].name) + " already; " + joined(defaults[entry.action]) +
                                     " is used"});
                bindings[entry.action] = defaults[entry.action];
            }
            used[entry.action] = ids_of(bindings[entry.action]);
        }
    }

    std::string_view m_text;
    std::string m_file;
    const NameLookups& m_names;
    const PlayerSettings& m_defaults;
    Collected m_read;
    std::vector<Binding> m_keys, m_buttons;
    int m_line = 0;
    bool m_taken = false;
    std::string m_current;
};

}  // namespace

SettingsRead parse_settings(std::string_view text, std::string_view file_name, const NameLookups& names,
                            const PlayerSettings& defaults) {
    return Reader(text, file_name, names, defaults).run();
}

SettingsRead read_settings_file(const std::filesystem::path& file, const NameLookups& names) {
    const FileRead read = read_regular_file(file, largest_file);
    switch (read.status) {
    case FileRead::Status::Read:
        return parse_settings(read.bytes, utf8_text(file), names);
    case FileRead::Status::Missing:
        return {};
    default:
        return {{}, {utf8_text(file) + ": " + read.reason + "; the settings file is ignored"}};
    }
}

std::optional<std::filesystem::path> settings_file_path() {
    const auto folder = configuration_folder();
    return folder ? std::optional(*folder / "vexoids" / "vexoids.ini") : std::nullopt;
}

}  // namespace vex
