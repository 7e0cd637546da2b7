#include "platform/sdl/draw/renderer_choice.h"

namespace vex {

SDL_Renderer* first_renderer(const std::function<SDL_Renderer*(Uint32 flags)>& create) {
    for (const Uint32 flags : renderer_order) {
        if (SDL_Renderer* renderer = create(flags)) {
            return renderer;
        }
    }
    return nullptr;
}

RendererHandle make_renderer(SDL_Window* window) {
    return RendererHandle(first_renderer([window](Uint32 flags) { return SDL_CreateRenderer(window, -1, flags); }));
}

}  // namespace vex
