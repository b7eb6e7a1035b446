// The least an SDL program can do to put a window of the main window's size on
// screen: the reference that scripts/measure-window starts beside the program.
// It fills the client area with the caption colour the measurement waits for,
// then sleeps in SDL's own wait until it is closed.
#include <SDL.h>

namespace {

constexpr int clientWidth = 471;
constexpr int clientHeight = 417;

}  // namespace

int main(int, char**)
{
    // The program sets the same hint; without it the first surface request
    // makes a second X window.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        SDL_Log("bare_window: %s", SDL_GetError());
        return 1;
    }
    SDL_Window* window = SDL_CreateWindow("Bare window", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                          clientWidth, clientHeight, SDL_WINDOW_HIDDEN);
    SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
    if (!surface) {
        SDL_Log("bare_window: %s", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    SDL_ShowWindow(window);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 255, 150, 125));
    SDL_UpdateWindowSurface(window);

    SDL_Event event;
    bool open = true;
    while (open && SDL_WaitEvent(&event)) {
        if (event.type == SDL_QUIT)
            open = false;
        else if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED)
            SDL_UpdateWindowSurface(window);
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
