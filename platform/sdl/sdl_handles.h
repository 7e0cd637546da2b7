// Owning pointers for SDL objects, each freed by its own SDL function.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <memory>

namespace vex {

template <auto Free>
struct SdlFree {
    template <typename T>
    void operator()(T* object) const {
        Free(object);
    }
};

using WindowHandle = std::unique_ptr<SDL_Window, SdlFree<SDL_DestroyWindow>>;
using RendererHandle = std::unique_ptr<SDL_Renderer, SdlFree<SDL_DestroyRenderer>>;
using TextureHandle = std::unique_ptr<SDL_Texture, SdlFree<SDL_DestroyTexture>>;
using SurfaceHandle = std::unique_ptr<SDL_Surface, SdlFree<SDL_FreeSurface>>;
using FontHandle = std::unique_ptr<TTF_Font, SdlFree<TTF_CloseFont>>;
using ControllerHandle = std::unique_ptr<SDL_GameController, SdlFree<SDL_GameControllerClose>>;
using AudioStreamHandle = std::unique_ptr<SDL_AudioStream, SdlFree<SDL_FreeAudioStream>>;

}  // namespace vex
