#include "platform/sdl/draw/caption_cache.h"

#include "platform/layout/text_wrap.h"
#include "platform/layout/utf8.h"

namespace vex {

const RenderedCaption& CaptionCache::get(const Control& owner, std::string_view caption, const TextStyle& style,
                                         Color color, int wrap_width, int max_lines) {
    // A drawn character is at least a pixel wide, so more than this many never show.
    const int line_width = wrap_width > 0 ? wrap_width : widest_caption_line;
    const auto most_characters = static_cast<std::size_t>(max_lines) * static_cast<std::size_t>(line_width + 1);
    const std::string_view shown = first_characters(caption, most_characters);
    const auto [found, added] = m_entries.try_emplace(&owner);
    Entry& entry = found->second;
    const int scale = m_canvas.viewport().scale;
    if (!added && entry.shown == shown && entry.style == style && entry.color == color &&
        entry.wrap_width == wrap_width && entry.max_lines == max_lines && entry.scale == scale) {
        return entry.rendered;
    }
    entry = Entry{std::string(shown), style, color, wrap_width, max_lines, scale, {}};
    RenderedCaption& rendered = entry.rendered;
    const auto measure = [&](std::string_view text) { return m_canvas.text_width(text, style); };
    std::vector<std::string> lines = wrap_width > 0 ? wrap_words(shown, wrap_width, measure) : std::vector<std::string>{entry.shown};
    if (lines.size() > static_cast<std::size_t>(max_lines)) {
        lines.resize(static_cast<std::size_t>(max_lines));
    }
    rendered.line_height = m_canvas.line_height(style);
    for (const std::string& text : lines) {
        RenderedCaption::Line line;
        line.texture = m_canvas.render_text(text, style, color, line.width, line.height);
        rendered.lines.push_back(std::move(line));
    }
    rendered.width = rendered.lines.front().width;
    return rendered;
}

}  // namespace vex
