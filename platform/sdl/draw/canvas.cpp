#include "platform/sdl/draw/canvas.h"

#include "platform/runtime_error.h"

#include <cstdlib>

namespace vex {

namespace {

constexpr std::uint64_t frames_to_keep_text = 64;

constexpr Uint8 red_of(Color color) { return static_cast<Uint8>(color >> 16U); }
constexpr Uint8 green_of(Color color) { return static_cast<Uint8>(color >> 8U); }
constexpr Uint8 blue_of(Color color) { return static_cast<Uint8>(color); }

SDL_Rect to_sdl(const PixelRect& area) { return {area.x, area.y, area.w, area.h}; }

}  // namespace

Canvas::Canvas(SDL_Renderer& renderer, FontSet& fonts, Pictures pictures) : m_renderer(renderer), m_fonts(fonts) {
    for (auto& [name, surface] : pictures) {
        PictureEntry entry;
        entry.width = surface->w;
        entry.height = surface->h;
        entry.surface = std::move(surface);
        m_pictures.emplace(name, std::move(entry));
    }
    SDL_SetRenderDrawBlendMode(&m_renderer, SDL_BLENDMODE_NONE);
    SDL_RendererInfo info{};
    m_keeps_pixels = SDL_GetRendererInfo(&m_renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
}

void Canvas::set_viewport(const Viewport& viewport, PixelSize picture) {
    m_viewport = viewport;
    // SDL multiplies a viewport by the current scale; set at scale 1 it may start on any pixel.
    SDL_RenderSetScale(&m_renderer, 1, 1);
    const SDL_Rect area{m_viewport.x, m_viewport.y, picture.w * m_viewport.scale, picture.h * m_viewport.scale};
    SDL_RenderSetViewport(&m_renderer, &area);
    const auto scale = static_cast<float>(m_viewport.scale);
    SDL_RenderSetScale(&m_renderer, scale, scale);
}

void Canvas::clip(const std::optional<PixelRect>& area) {
    if (area) {
        const SDL_Rect rect = to_sdl(*area);
        SDL_RenderSetClipRect(&m_renderer, &rect);
    } else {
        SDL_RenderSetClipRect(&m_renderer, nullptr);
    }
}

void Canvas::set_color(Color color) {
    SDL_SetRenderDrawColor(&m_renderer, red_of(color), green_of(color), blue_of(color), SDL_ALPHA_OPAQUE);
}

void Canvas::clear(Color color) {
    set_color(color);
    SDL_RenderClear(&m_renderer);
}

void Canvas::fill(const PixelRect& area, Color color) {
    set_color(color);
    const SDL_Rect rect = to_sdl(area);
    SDL_RenderFillRect(&m_renderer, &rect);
}

void Canvas::outline(const PixelRect& area, Color color) {
    set_color(color);
    const SDL_Rect rect = to_sdl(area);
    SDL_RenderDrawRect(&m_renderer, &rect);
}

void Canvas::line(int x1, int y1, int x2, int y2, Color color, int pen) {
    set_color(color);
    // A thick line is a bundle of thin ones side by side across its main direction.
    const bool mostly_vertical = std::abs(y2 - y1) >= std::abs(x2 - x1);
    for (int offset = -(pen - 1) / 2; offset <= pen / 2; ++offset) {
        const int dx = mostly_vertical ? offset : 0;
        const int dy = mostly_vertical ? 0 : offset;
        SDL_RenderDrawLine(&m_renderer, x1 + dx, y1 + dy, x2 + dx, y2 + dy);
    }
}

void Canvas::filled_circle(int center_x, int center_y, int radius, Color color) {
    set_color(color);
    for (int dy = -radius; dy <= radius; ++dy) {
        int dx = 0;
        while ((dx + 1) * (dx + 1) + dy * dy <= radius * radius) {
            ++dx;
        }
        SDL_RenderDrawLine(&m_renderer, center_x - dx, center_y + dy, center_x + dx, center_y + dy);
    }
}

int Canvas::text_width(std::string_view text, const TextStyle& style) {
    TTF_Font* font = m_fonts.font(style);
    int width = 0;
    if (font != nullptr && !text.empty()) {
        ++m_text_work;
        const std::string copy(text);
        TTF_SizeUTF8(font, copy.c_str(), &width, nullptr);
    }
    return width;
}

int Canvas::line_height(const TextStyle& style) {
    TTF_Font* font = m_fonts.font(style);
    return font != nullptr ? TTF_FontLineSkip(font) : style.pixels;
}

TextureHandle Canvas::render_text(std::string_view text, const TextStyle& style, Color color, int& width, int& height) {
    width = 0;
    height = 0;
    TTF_Font* font = m_fonts.font(style);
    TTF_Font* scaled = m_fonts.font({style.pixels * m_viewport.scale, style.bold});
    if (font == nullptr || scaled == nullptr || text.empty()) {
        return {};
    }
    ++m_text_work;
    const std::string copy(text);
    const SDL_Color sdl_color{red_of(color), green_of(color), blue_of(color), SDL_ALPHA_OPAQUE};
    const SurfaceHandle surface(TTF_RenderUTF8_Blended(scaled, copy.c_str(), sdl_color));
    TextureHandle texture(surface ? SDL_CreateTextureFromSurface(&m_renderer, surface.get()) : nullptr);
    if (texture) {
        // Measured at 1x, the size the rendering takes there: layout and clicks are alike at every scale.
        TTF_SizeUTF8(font, copy.c_str(), &width, &height);
    }
    return texture;
}

void Canvas::texture(SDL_Texture& texture, int x, int y) {
    const int scale = m_viewport.scale;
    SDL_Rect target{x * scale, y * scale, 0, 0};
    SDL_QueryTexture(&texture, nullptr, nullptr, &target.w, &target.h);
    // Copied at scale 1: the viewport and the clip area stay where the scale put them.
    SDL_RenderSetScale(&m_renderer, 1, 1);
    SDL_RenderCopy(&m_renderer, &texture, nullptr, &target);
    SDL_RenderSetScale(&m_renderer, static_cast<float>(scale), static_cast<float>(scale));
}

void Canvas::text(std::string_view text, int x, int y, const TextStyle& style, Color color) {
    if (text.empty()) {
        return;
    }
    std::string key(text);
    key += '\x1f';
    key += std::to_string(style.pixels * m_viewport.scale);
    key += style.bold ? 'b' : 'r';
    key += std::to_string(color);
    TextEntry& entry = m_texts[key];
    if (!entry.texture) {
        entry.texture = render_text(text, style, color, entry.width, entry.height);
        if (!entry.texture) {
            m_texts.erase(key);
            return;
        }
    }
    entry.last_frame = m_frame;
    texture(*entry.texture, x, y);
}

Canvas::PictureEntry& Canvas::load_picture(const std::string& relative_path) {
    const auto found = m_pictures.find(relative_path);
    if (found == m_pictures.end()) {
        throw RuntimeError("The picture " + relative_path + " was not read before it was drawn.");
    }
    PictureEntry& entry = found->second;
    if (entry.surface) {
        entry.texture.reset(SDL_CreateTextureFromSurface(&m_renderer, entry.surface.get()));
        SDL_SetTextureScaleMode(entry.texture.get(), SDL_ScaleModeNearest);
        entry.surface.reset();
    }
    return entry;
}

void Canvas::picture(const std::string& relative_path, int x, int y) {
    const PictureEntry& entry = load_picture(relative_path);
    if (entry.texture) {
        const SDL_Rect target{x, y, entry.width, entry.height};
        SDL_RenderCopy(&m_renderer, entry.texture.get(), nullptr, &target);
    }
}

PixelSize Canvas::picture_size(const std::string& relative_path) {
    const PictureEntry& entry = load_picture(relative_path);
    return {entry.width, entry.height};
}

void Canvas::present() {
    SDL_RenderPresent(&m_renderer);
    count_frame();
}

void Canvas::present(const std::vector<PixelRect>& areas) {
    SDL_Window* window = SDL_RenderGetWindow(&m_renderer);
    if (!m_keeps_pixels || window == nullptr) {
        present();
        return;
    }
    // The software renderer draws into the window's own pixels; only the areas go to the screen.
    SDL_RenderFlush(&m_renderer);
    std::vector<SDL_Rect> rects;
    rects.reserve(areas.size());
    const int scale = m_viewport.scale;
    for (const PixelRect& area : areas) {
        rects.push_back({m_viewport.x + area.x * scale, m_viewport.y + area.y * scale, area.w * scale, area.h * scale});
    }
    SDL_UpdateWindowSurfaceRects(window, rects.data(), static_cast<int>(rects.size()));
    count_frame();
}

void Canvas::count_frame() {
    ++m_frame;
    if (m_frame % frames_to_keep_text == 0) {
        std::erase_if(m_texts, [this](const auto& item) { return m_frame - item.second.last_frame > frames_to_keep_text; });
    }
}

}  // namespace vex
