#include "bench/probes/offscreen_view.h"

#include "platform/sdl/draw/canvas.h"
#include "platform/sdl/draw/font_set.h"
#include "platform/sdl/draw/form_painter.h"
#include "platform/sdl/draw/picture_file.h"
#include "platform/sdl/sdl_handles.h"

#include <stdexcept>
#include <string>

namespace vex {

struct OffscreenView::Parts {
    Parts(const Form& form, PixelSize output, const std::filesystem::path& data_folder)
        : surface(SDL_CreateRGBSurfaceWithFormat(0, output.w, output.h, 32, SDL_PIXELFORMAT_RGB888)),
          renderer(surface ? SDL_CreateSoftwareRenderer(surface.get()) : nullptr) {
        if (!renderer) {
            throw std::runtime_error(std::string("offscreen renderer: ") + SDL_GetError());
        }
        canvas = std::make_unique<Canvas>(*renderer, fonts, require_form_pictures(form, data_folder));
        const PixelSize picture = client_size(form);
        canvas->set_viewport(fit(output, picture), picture);
        painter = std::make_unique<FormPainter>(*canvas);
    }

    SurfaceHandle surface;
    RendererHandle renderer;
    FontSet fonts;
    std::unique_ptr<Canvas> canvas;
    std::unique_ptr<FormPainter> painter;
};

OffscreenView::OffscreenView(const Form& form, const std::filesystem::path& data_folder,
                             std::optional<PixelSize> output)
    : m_form(form),
      m_parts(std::make_unique<Parts>(form, output.value_or(client_size(form)), data_folder)) {}

OffscreenView::~OffscreenView() = default;

Snapshot OffscreenView::draw() {
    m_parts->painter->show(m_form);
    SDL_Surface& surface = *m_parts->surface;
    Snapshot snapshot{surface.w, surface.h, {}};
    snapshot.pixels.reserve(static_cast<std::size_t>(surface.w) * static_cast<std::size_t>(surface.h));
    SDL_LockSurface(&surface);
    for (int y = 0; y < surface.h; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface.pixels) +
                                                          static_cast<std::ptrdiff_t>(y) * surface.pitch);
        for (int x = 0; x < surface.w; ++x) {
            snapshot.pixels.push_back(row[x] & 0xFFFFFFU);
        }
    }
    SDL_UnlockSurface(&surface);
    return snapshot;
}

PixelRect OffscreenView::drawn_rect(const Label& label) { return m_parts->painter->drawn_rect(label); }

std::uint64_t OffscreenView::text_work() const { return m_parts->canvas->text_work(); }

}  // namespace vex
