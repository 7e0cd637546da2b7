// Captions measured, wrapped and rendered once per change. A caption is cut to what its control
// can show before any of that, so a name of megabytes costs no more than one that fills the label;
// a caption that fails to render stays blank until it changes instead of being tried every frame.
#pragma once

#include "platform/control.h"
#include "platform/sdl/draw/canvas.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vex {

// No line of a caption is drawn wider than this (the window is narrower).
constexpr int widest_caption_line = 4096;

struct RenderedCaption {
    struct Line {
        TextureHandle texture;  // empty when the line could not be rendered or is empty
        int width = 0;
        int height = 0;
    };
    std::vector<Line> lines;
    int line_height = 0;
    // Width of the first line: the whole caption's, as far as it is shown, when it is not wrapped.
    int width = 0;
};

class CaptionCache {
public:
    explicit CaptionCache(Canvas& canvas) : m_canvas(canvas) {}

    // The caption of `owner` in `style` and `color`, word-wrapped to `wrap_width` pixels (0: one
    // line) and cut to `max_lines` lines. Work is done only when one of these, or the canvas's
    // scale, changed since the last call for the same control.
    const RenderedCaption& get(const Control& owner, std::string_view caption, const TextStyle& style, Color color,
                               int wrap_width, int max_lines);

private:
    struct Entry {
        std::string shown;
        TextStyle style;
        Color color = 0;
        int wrap_width = 0;
        int max_lines = 0;
        int scale = 1;
        RenderedCaption rendered;
    };

    Canvas& m_canvas;
    std::unordered_map<const Control*, Entry> m_entries;
};

}  // namespace vex
