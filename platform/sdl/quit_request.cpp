#include "platform/sdl/quit_request.h"

#include <SDL.h>

namespace vex {

bool quit_requested() {
    SDL_PumpEvents();
    return SDL_HasEvent(SDL_QUIT) == SDL_TRUE;
}

}  // namespace vex
