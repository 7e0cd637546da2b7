#include "app/settings_file.h"

#include "app/config_folder.h"
#include "app/setting_text.h"
#include "platform/paths.h"
#include "platform/regular_file.h"

#include <algorithm>
#include <functional>
#include <set>

namespace vex {

namespace {

// Far beyond any sensible settings file; a larger one is refused rather than read.
constexpr std::size_t largest_file = 1 << 20;
constexpr std::size_t longest_line = 200;
constexpr std::string_view sections = "[sound], [keys], [pad], [window]";

// The line without its comment: one starts with '#' or ';' at the line's start, or with '#' after
// a blank.
std::string_view without_comment(std::string_view line) {
    if (line.starts_with('#') || line.starts_with(';')) {
        return {};
    }
    for (std::size_t at = line.find('#', 1); at != std::string_view::npos; at = line.find('#', at + 1)) {
        if (line[at - 1] == ' ' || line[at - 1] == '\t') {
            return line.substr(0, at);
        }
    }
    return line;
}

std::optional<bool> truth(std::string_view text) {
    const std::string word = lowered(text);
    return word == "true" ? std::optional(true) : word == "false" ? std::optional(false) : std::nullopt;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

std::vector<std::string> split_names(std::string_view text) {
    std::vector<std::string> names;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        names.push_back(trimmed(text.substr(start, comma - start)));
        start = comma + 1;
    }
    return names;
}

// An action's keys or buttons as one entry of the file bound them.
struct Binding {
    std::size_t action = 0;
    int line = 0;
    std::vector<int> ids;
};

// One pass over the file's lines; each entry is taken or named with the default it falls back to.
class Reader {
public:
    Reader(std::string_view file_name, const NameLookups& names, const PlayerSettings& defaults)
        : m_file(file_name), m_names(names), m_defaults(defaults), m_settings(defaults) {}

    SettingsRead read(std::string_view text) && {
        if (text.starts_with("\xEF\xBB\xBF")) {
            text.remove_prefix(3);
        }
        while (!text.empty()) {
            const std::size_t end = std::min(text.find('\n'), text.size());
            ++m_line;
            take_line(text.substr(0, end));
            text.remove_prefix(std::min(end + 1, text.size()));
        }
        resolve_clashes(m_keys, m_settings.keys, m_defaults.keys, m_names.key, "key");
        resolve_clashes(m_buttons, m_settings.buttons, m_defaults.buttons, m_names.button, "button");
        std::ranges::stable_sort(m_problems, {}, &Problem::line);
        SettingsRead result{m_settings, {}};
        for (auto& problem : m_problems) {
            result.problems.push_back(std::move(problem.text));
        }
        return result;
    }

private:
    struct Problem {
        int line;
        std::string text;
    };

    void problem(int line, const std::string& text) {
        m_problems.push_back({line, m_file + ":" + std::to_string(line) + ": " + text});
    }

    void take_line(std::string_view raw) {
        if (raw.find('\0') != std::string_view::npos) {
            return problem(m_line, "the line holds a NUL byte; it is ignored");
        }
        if (raw.size() > longest_line) {
            return problem(m_line, "the line is longer than " + std::to_string(longest_line) + " characters; it is ignored");
        }
        const std::string line = trimmed(without_comment(trimmed(raw)));
        const std::size_t equals = line.find('=');
        if (line.empty()) {
            return;
        }
        if (line.front() == '[' && line.back() == ']') {
            m_section = lowered(trimmed(line.substr(1, line.size() - 2)));
            m_known_section = m_section == "sound" || m_section == "keys" || m_section == "pad" || m_section == "window";
            if (!m_known_section) {
                problem(m_line, "[" + m_section + "] is no section of the settings (" + std::string(sections) +
                                    "); its entries are ignored");
            }
        } else if (equals == std::string::npos || equals == 0) {
            problem(m_line, "'" + line + "' is not a setting (name = value) nor a [section]; it is ignored");
        } else if (m_section.empty()) {
            problem(m_line, "'" + trimmed(line.substr(0, equals)) + "' stands before any section (" +
                                std::string(sections) + "); it is ignored");
        } else if (m_known_section) {
            take(lowered(trimmed(line.substr(0, equals))), trimmed(line.substr(equals + 1)));
        }
    }

    void take(const std::string& name, const std::string& value) {
        const auto bad = [&](const std::string& wanted, const std::string& fallback) {
            problem(m_line, name + " = " + value + ": " + wanted + "; " + fallback + " is used");
        };
        const auto number = [&](int& setting, int fallback, int least, int most, const std::string& what) {
            if (const auto taken = whole_number(value, least, most)) {
                setting = *taken;
            } else {
                bad(what + " is a whole number from " + std::to_string(least) + " to " + std::to_string(most),
                    std::to_string(fallback));
                setting = fallback;
            }
        };
        const auto flag = [&](bool& setting, bool fallback) {
            const auto taken = truth(value);
            setting = taken.value_or(fallback);
            if (!taken) {
                bad("it is true or false", fallback ? "true" : "false");
            }
        };
        const auto action = std::ranges::find(actions, name, &Action::name);
        if (m_section == "sound" && name == "volume") {
            number(m_settings.volume, m_defaults.volume, 0, loudest, "the volume");
        } else if (m_section == "sound" && name == "mute") {
            flag(m_settings.mute, m_defaults.mute);
        } else if (m_section == "window" && name == "scale") {
            const auto scale = whole_number(value, 1, largest_scale);
            m_settings.scale = lowered(value) == "auto" ? std::nullopt : scale ? scale : m_defaults.scale;
            if (!scale && lowered(value) != "auto") {
                bad("the scale is auto or a whole number from 1 to " + std::to_string(largest_scale),
                    m_defaults.scale ? std::to_string(*m_defaults.scale) : "auto");
            }
        } else if (m_section == "window" && name == "fullscreen") {
            flag(m_settings.fullscreen, m_defaults.fullscreen);
        } else if (m_section == "pad" && name == "deadzone") {
            number(m_settings.deadzone, m_defaults.deadzone, smallest_deadzone, largest_deadzone,
                   "the dead zone (percent of the stick's travel)");
        } else if ((m_section == "keys" || m_section == "pad") && action != actions.end()) {
            take_names(static_cast<std::size_t>(action - actions.begin()), value, m_section == "keys");
        } else {
            const std::string known = m_section == "sound"    ? "volume, mute"
                                      : m_section == "window" ? "scale, fullscreen"
                                      : m_section == "pad"    ? "start, left, right, fire, deadzone"
                                                              : "start, left, right, fire";
            problem(m_line, "'" + name + "' is no setting of [" + m_section + "] (" + known + "); it is ignored");
        }
    }

    void take_names(std::size_t action, const std::string& value, bool keys) {
        Bindings& bindings = keys ? m_settings.keys : m_settings.buttons;
        const Bindings& defaults = keys ? m_defaults.keys : m_defaults.buttons;
        const auto& lookup = keys ? m_names.key : m_names.button;
        auto& entries = keys ? m_keys : m_buttons;
        const std::string what = keys ? "key" : "button";
        std::erase_if(entries, [action](const Binding& entry) { return entry.action == action; });
        bindings[action] = defaults[action];
        Binding binding{action, m_line, {}};
        const std::vector<std::string> names = split_names(value);
        for (const std::string& name : names) {
            const auto id = name.empty() ? std::nullopt : lookup(name);
            if (!id) {
                problem(m_line, std::string(actions[action].name) + " = " + value + ": " +
                                    (name.empty() ? "a " + what + " name is missing" : "no " + what + " is named '" + name + "'") +
                                    "; " + joined(defaults[action]) + " is used");
                return;
            }
            binding.ids.push_back(*id);
        }
        bindings[action] = names;
        entries.push_back(std::move(binding));
    }

    // A key or button bound to two actions stays with the one that had it first (an action left
    // at its default first of all); the later entry falls back to its default.
    void resolve_clashes(std::vector<Binding> entries, Bindings& bindings, const Bindings& defaults,
                         const std::function<std::optional<int>(std::string_view)>& lookup, const std::string& what) {
        const auto ids_of = [&](const std::vector<std::string>& names) {
            std::set<int> ids;
            for (const auto& name : names) {
                if (const auto id = lookup(name)) {
                    ids.insert(*id);
                }
            }
            return ids;
        };
        std::vector<std::set<int>> taken(actions.size());
        for (std::size_t action = 0; action < actions.size(); ++action) {
            if (std::ranges::none_of(entries, [action](const Binding& entry) { return entry.action == action; })) {
                taken[action] = ids_of(bindings[action]);
            }
        }
        std::ranges::sort(entries, {}, &Binding::line);
        for (const Binding& entry : entries) {
            const auto owner = std::ranges::find_if(taken, [&](const std::set<int>& ids) {
                return std::ranges::any_of(entry.ids, [&](int id) { return ids.contains(id); });
            });
            if (owner != taken.end()) {
                problem(entry.line, std::string(actions[entry.action].name) + " = " + joined(bindings[entry.action]) +
                                        ": a " + what + " of " + std::string(actions[static_cast<std::size_t>(owner - taken.begin())].name) +
                                        " already; " + joined(defaults[entry.action]) + " is used");
                bindings[entry.action] = defaults[entry.action];
            }
            taken[entry.action] = ids_of(bindings[entry.action]);
        }
    }

    std::string m_file;
    const NameLookups& m_names;
    const PlayerSettings& m_defaults;
    PlayerSettings m_settings;
    std::vector<Problem> m_problems;
    std::vector<Binding> m_keys, m_buttons;
    std::string m_section;
    bool m_known_section = false;
    int m_line = 0;
};

}  // namespace

SettingsRead parse_settings(std::string_view text, std::string_view file_name, const NameLookups& names,
                            const PlayerSettings& defaults) {
    return Reader(file_name, names, defaults).read(text);
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
