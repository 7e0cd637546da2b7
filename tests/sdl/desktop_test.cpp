// What the game learns from the desktop it starts on: which video drivers can answer, which
// renderer draws, the settings daemon's text size, and boxes that cannot be shown.
#include "platform/runtime_error.h"
#include "platform/sdl/draw/font_set.h"
#include "platform/sdl/boxes/dialog_window.h"
#include "platform/sdl/boxes/input_body.h"
#include "platform/sdl/draw/renderer_choice.h"
#include "platform/sdl/desktop/video_drivers.h"
#include "platform/sdl/desktop/xsettings.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace vex {
namespace {

// A Wayland client reaches a compositor through a socket handed over, an absolute socket path, or
// a name in an absolute runtime folder; a relative runtime folder is refused as libwayland does.
TEST(VideoDrivers, WaylandIsTriedOnlyWhereACompositorCanBeReached) {
    const std::tuple<const char*, const char*, const char*, bool> cases[] = {
        {nullptr, nullptr, nullptr, false},          {nullptr, "wayland-0", nullptr, false},
        {nullptr, "wayland-0", "", false},           {nullptr, "wayland-0", "run/user", false},
        {nullptr, nullptr, "/run/user/1000", true},  {nullptr, "wayland-1", "/run/user/1000", true},
        {nullptr, "/run/w/wayland-1", nullptr, true}, {"7", nullptr, nullptr, true},
        {"", "", "", false}};
    for (const auto& [socket, display, runtime_dir, reachable] : cases) {
        EXPECT_EQ(wayland_reachable(socket, display, runtime_dir), reachable)
            << (socket ? socket : "-") << " " << (display ? display : "-") << " " << (runtime_dir ? runtime_dir : "-");
    }
    const std::tuple<std::vector<std::string>, std::string> lists[] = {
        {{"x11", "wayland", "KMSDRM", "offscreen", "dummy"}, "x11,KMSDRM,offscreen,dummy"},
        {{"wayland"}, ""}, {{"x11"}, "x11"}, {std::vector<std::string>{}, ""}};
    for (const auto& [drivers, list] : lists) {
        EXPECT_EQ(drivers_except(drivers, "wayland"), list) << list;
    }
}

// Software first, then whatever SDL can make; nothing when neither can be made.
TEST(RendererChoice, SoftwareFirstThenAnyRendererSdlCanMake) {
    int stand_in = 0;
    auto* const made = reinterpret_cast<SDL_Renderer*>(&stand_in);
    const std::tuple<const char*, std::vector<Uint32>, std::vector<Uint32>, bool> cases[] = {
        {"software works", {SDL_RENDERER_SOFTWARE, 0}, {SDL_RENDERER_SOFTWARE}, true},
        {"only an accelerated one", {0}, {SDL_RENDERER_SOFTWARE, 0}, true},
        {"none", {}, {SDL_RENDERER_SOFTWARE, 0}, false}};
    for (const auto& [name, working, tried_expected, found] : cases) {
        std::vector<Uint32> tried;
        const SDL_Renderer* renderer = first_renderer([&](Uint32 flags) {
            tried.push_back(flags);
            return std::find(working.begin(), working.end(), flags) != working.end() ? made : nullptr;
        });
        EXPECT_EQ(tried, tried_expected) << name;
        EXPECT_EQ(renderer != nullptr, found) << name;
    }
}

// An XSETTINGS property as a settings daemon writes it, in either byte order.
class SettingsProperty {
public:
    explicit SettingsProperty(bool big_endian) : m_big(big_endian) {
        m_bytes = {static_cast<unsigned char>(big_endian ? 1 : 0), 0, 0, 0};
        number(4, 7);  // serial
        number(4, 0);  // count, set as settings are added
    }
    SettingsProperty& integer(const std::string& name, std::int32_t value) {
        head(0, name);
        number(4, static_cast<std::uint32_t>(value));
        return *this;
    }
    SettingsProperty& string(const std::string& name, const std::string& value) {
        head(1, name);
        number(4, static_cast<std::uint32_t>(value.size()));
        text(value);
        return *this;
    }
    SettingsProperty& color(const std::string& name) {
        head(2, name);
        number(4, 0x11112222);
        number(4, 0x3333ffff);
        return *this;
    }
    std::vector<unsigned char> bytes() const { return m_bytes; }

private:
    void number(std::size_t size, std::uint32_t value) {
        for (std::size_t i = 0; i < size; ++i) {
            const std::size_t shift = 8 * (m_big ? size - 1 - i : i);
            m_bytes.push_back(static_cast<unsigned char>(value >> shift));
        }
    }
    void text(const std::string& value) {
        m_bytes.insert(m_bytes.end(), value.begin(), value.end());
        m_bytes.resize(m_bytes.size() + (4 - value.size() % 4) % 4, 0);
    }
    void head(unsigned char type, const std::string& name) {
        ++m_count;
        const std::size_t count_at = 8;
        for (std::size_t i = 0; i < 4; ++i) {
            const std::size_t shift = 8 * (m_big ? 3 - i : i);
            m_bytes[count_at + i] = static_cast<unsigned char>(m_count >> shift);
        }
        m_bytes.push_back(type);
        m_bytes.push_back(0);
        number(2, static_cast<std::uint32_t>(name.size()));
        text(name);
        number(4, 3);  // last change
    }

    bool m_big;
    std::uint32_t m_count = 0;
    std::vector<unsigned char> m_bytes;
};

// The daemon's Xft/DPI is found among strings, colours and other integers in either byte order;
// a property cut short, of an unknown byte order or with an unknown type gives nothing.
TEST(XSettings, FindsTheDesktopsDpiAmongOtherSettings) {
    const auto full = [](bool big) {
        return SettingsProperty(big)
            .string("Net/ThemeName", "Adwaita")
            .color("Gtk/Color")
            .integer("Xft/Antialias", 1)
            .integer("Xft/DPI", 192 * 1024)
            .integer("Xft/Hinting", 1)
            .bytes();
    };
    // Cut within the value of Xft/DPI, its last setting.
    std::vector<unsigned char> cut = SettingsProperty(false).string("Net/ThemeName", "Adwaita").integer("Xft/DPI", 5).bytes();
    cut.erase(cut.end() - 2, cut.end());
    std::vector<unsigned char> odd_order = full(false);
    odd_order[0] = 2;
    std::vector<unsigned char> odd_type = SettingsProperty(false).integer("Net/X", 1).integer("Xft/DPI", 5).bytes();
    odd_type[12] = 9;
    const std::tuple<const char*, std::vector<unsigned char>, std::optional<std::int32_t>> cases[] = {
        {"little-endian", full(false), 192 * 1024},
        {"big-endian", full(true), 192 * 1024},
        {"only setting", SettingsProperty(true).integer("Xft/DPI", -1).bytes(), -1},
        {"absent", SettingsProperty(false).integer("Xft/Hinting", 1).string("Xft/DPI", "192").bytes(), std::nullopt},
        {"cut short", cut, std::nullopt},
        {"unknown byte order", odd_order, std::nullopt},
        {"unknown type before it", odd_type, std::nullopt},
        {"empty", {}, std::nullopt}};
    for (const auto& [name, property, dpi] : cases) {
        EXPECT_EQ(xsettings_integer(property, "Xft/DPI"), dpi) << name;
    }
}

// A box SDL cannot make (here: a window larger than SDL allows) is an error, never a box
// answered as if cancelled.
TEST(DialogWindow, ABoxThatCannotBeShownIsAnError) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    {
        FontSet fonts;
        InputBody body("Name?", "nobody");
        DialogWindow box("Enter Your Name", body, {nullptr, nullptr, 60}, fonts);
        LoopObserver nobody_watching;
        EXPECT_THROW(box.run([](const SDL_Event&) {}, nobody_watching), RuntimeError);
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace
}  // namespace vex
