// Which renderer draws a window: the same order for the game's window and for every box, on every
// video driver.
#pragma once

#include "platform/sdl/sdl_handles.h"

#include <functional>

namespace vex {

// The renderer flags tried, in order. First SDL's software renderer, drawing straight into the
// window's own pixels: where the video driver gives windows pixels of their own (X11 shares them
// with the server), a few hundred thousand of them a tick cost less than the draw calls of an
// OpenGL renderer, and no GPU driver is kept in memory. Then the first renderer SDL can make at
// all (OpenGL, OpenGL ES), for drivers that give windows no pixels of their own: Wayland, while
// SDL is kept from faking them through a texture of its own.
inline constexpr Uint32 renderer_order[] = {SDL_RENDERER_SOFTWARE, 0};

// What `create` makes first, given the flags of `renderer_order` in turn; nullptr when nothing.
SDL_Renderer* first_renderer(const std::function<SDL_Renderer*(Uint32 flags)>& create);

// A renderer for `window` in that order; empty, with SDL's error set, when none can be made.
RendererHandle make_renderer(SDL_Window* window);

}  // namespace vex
