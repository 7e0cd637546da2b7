// Drawing primitives over one SDL renderer: rectangles, lines, circles, text and pictures. Text
// and picture textures are kept for reuse; everything else is drawn afresh each frame.
// Callers draw in the picture's own pixels; the canvas shows them through its viewport: SDL
// scales shapes and pictures (nearest neighbour, every pixel a sharp square), while text is
// rasterised at the scaled size and copied pixel for pixel, so letters stay as sharp as at 1x.
#pragma once

#include "platform/control.h"
#include "platform/sdl/draw/font_set.h"
#include "platform/layout/geometry.h"
#include "platform/sdl/draw/picture_file.h"
#include "platform/sdl/sdl_handles.h"
#include "platform/layout/viewport.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vex {

class Canvas {
public:
    // The canvas draws the `pictures` it is given, read and checked before.
    Canvas(SDL_Renderer& renderer, FontSet& fonts, Pictures pictures);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Shows a picture of `picture` size through `viewport` from now on.
    void set_viewport(const Viewport& viewport, PixelSize picture);
    const Viewport& viewport() const { return m_viewport; }

    // Limits drawing to `area`; nullopt lifts the limit to the viewport.
    void clip(const std::optional<PixelRect>& area);

    void clear(Color color);
    void fill(const PixelRect& area, Color color);
    // A one-pixel frame just inside `area`.
    void outline(const PixelRect& area, Color color);
    // A line through both end points, `pen` pixels thick.
    void line(int x1, int y1, int x2, int y2, Color color, int pen);
    void filled_circle(int center_x, int center_y, int radius, Color color);

    // Text measures are in picture pixels, the same at every scale.
    int text_width(std::string_view text, const TextStyle& style);
    int line_height(const TextStyle& style);
    // Anti-aliased text with its top-left corner at (x, y).
    void text(std::string_view text, int x, int y, const TextStyle& style, Color color);
    // The text rendered once, at the viewport's scale, into a texture that covers `width` by
    // `height` picture pixels; empty (and 0 by 0) when there is nothing to render or it cannot
    // be rendered.
    TextureHandle render_text(std::string_view text, const TextStyle& style, Color color, int& width, int& height);
    // Copies a texture from render_text pixel for pixel, its top-left corner at picture pixel (x, y).
    void texture(SDL_Texture& texture, int x, int y);
    // How many times text was measured or rendered so far.
    std::uint64_t text_work() const { return m_text_work; }

    // Draws one of the canvas's pictures unscaled at (x, y), its transparent pixels letting what
    // is below show. A picture it was not given is a RuntimeError naming it.
    void picture(const std::string& relative_path, int x, int y);

    // The size of one of the canvas's pictures.
    PixelSize picture_size(const std::string& relative_path);

    // Whether what was drawn stays until drawn over, frame after frame: the software renderer
    // keeps it; a GPU renderer's next frame starts undefined.
    bool keeps_pixels() const { return m_keeps_pixels; }
    // Shows what was drawn and forgets text that was not drawn for a while.
    void present();
    // The same, showing only the `areas` (picture pixels) when the canvas keeps its pixels.
    void present(const std::vector<PixelRect>& areas);

private:
    struct TextEntry {
        TextureHandle texture;
        int width = 0;
        int height = 0;
        std::uint64_t last_frame = 0;
    };
    struct PictureEntry {
        SurfaceHandle surface;  // until the texture is made from it
        TextureHandle texture;
        int width = 0;
        int height = 0;
    };

    void set_color(Color color);
    void count_frame();
    PictureEntry& load_picture(const std::string& relative_path);

    SDL_Renderer& m_renderer;
    FontSet& m_fonts;
    std::unordered_map<std::string, TextEntry> m_texts;
    std::unordered_map<std::string, PictureEntry> m_pictures;
    std::uint64_t m_frame = 0;
    std::uint64_t m_text_work = 0;
    bool m_keeps_pixels = false;
    Viewport m_viewport;
};

}  // namespace vex
