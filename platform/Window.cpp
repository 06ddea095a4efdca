// The game window on SDL2 with an OpenGL 3.3 core context; SDL events become QuorelEvents.
#include "platform/Window.h"

#include <SDL.h>
#include <cctype>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// One window per process, as the game has.
struct WindowState {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    int width = 0, height = 0;
    bool paced = false; // frames wait for the display's refresh
    Uint64 shortestFrameMs = 16;
    Uint64 lastSwapMs = 0;
};

WindowState& State() {
    static WindowState state;
    return state;
}

int MapKey(SDL_Keycode key) {
    switch (key) {
    case SDLK_BACKSPACE:
        return kKeyBackspace;
    case SDLK_TAB:
        return kKeyTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return kKeyReturn;
    case SDLK_ESCAPE:
        return kKeyEscape;
    case SDLK_SPACE:
        return kKeySpace;
    case SDLK_DELETE:
        return kKeyDelete;
    case SDLK_LEFT:
        return kKeyLeft;
    case SDLK_RIGHT:
        return kKeyRight;
    case SDLK_UP:
        return kKeyUp;
    case SDLK_DOWN:
        return kKeyDown;
    case SDLK_HOME:
        return kKeyHome;
    case SDLK_END:
        return kKeyEnd;
    case SDLK_PAGEUP:
        return kKeyPageUp;
    case SDLK_PAGEDOWN:
        return kKeyPageDown;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return kKeyShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return kKeyControl;
    case SDLK_LALT:
    case SDLK_RALT:
        return kKeyAlt;
    default:
        break;
    }
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return kKeyF1 + (key - SDLK_F1);
    if (key > 32 && key < 127)
        return std::tolower(static_cast<int>(key));
    return kKeyNone;
}

} // namespace

bool PlatformOpenWindow(int width, int height, const char* title, char* error, int errorSize) {
    WindowState& s = State();
    auto fail = [&](const char* what) {
        if (error && errorSize > 0)
            std::snprintf(error, static_cast<size_t>(errorSize), "%s: %s", what, SDL_GetError());
        return false;
    };
    if (s.window)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return fail("video driver");
#if defined(__GLIBC__)
    // A software rasteriser builds each frame in a few megabytes of fresh memory and frees it again.
    // By default the allocator hands that back to the kernel and faults it in anew every frame (a
    // third of the GUI frame's time); kept in the heap, the next frame reuses it.
    mallopt(M_MMAP_THRESHOLD, 16 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    s.window = SDL_CreateWindow(title ? title : "", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!s.window) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return fail("window");
    }
    s.context = SDL_GL_CreateContext(s.window);
    if (!s.context) {
        SDL_DestroyWindow(s.window);
        s.window = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return fail("OpenGL 3.3 core context");
    }
    SDL_GL_MakeCurrent(s.window, s.context);
    // A real display paces frames; the offscreen driver has nothing to wait for.
    s.paced = std::strcmp(SDL_GetCurrentVideoDriver(), "offscreen") != 0;
    // The window sessions of the tests run several games on a few cores and read only what the
    // screen settles on, so they may ask for fewer frames.
    if (const char* ms = std::getenv("FB_SHORTEST_FRAME_MS")) {
        const long v = std::strtol(ms, nullptr, 10);
        if (v > 16 && v <= 200)
            s.shortestFrameMs = static_cast<Uint64>(v);
    }
    SDL_GL_SetSwapInterval(s.paced ? 1 : 0);
    s.width = width;
    s.height = height;
    return true;
}

void PlatformCloseWindow() {
    WindowState& s = State();
    if (!s.window)
        return;
    SDL_GL_DeleteContext(s.context);
    SDL_DestroyWindow(s.window);
    s = WindowState();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool PlatformWindowOpen() {
    return State().window != nullptr;
}

void PlatformShowWindow() {
    if (State().window)
        SDL_ShowWindow(State().window);
}

void PlatformSetWindowTitle(const char* title) {
    if (State().window)
        SDL_SetWindowTitle(State().window, title ? title : "");
}

void PlatformShowCursor(bool show) {
    if (State().window)
        SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void PlatformSwapBuffers() {
    WindowState& s = State();
    if (!s.window)
        return;
    SDL_GL_SwapWindow(s.window);
    if (!s.paced)
        return;
    // A display without a refresh to wait for (a virtual X server, a driver with sync off) would
    // let the loop spin a core for frames nobody sees: no frame is shorter than the game's 62 fps.
    const Uint64 now = SDL_GetTicks64();
    if (s.lastSwapMs != 0 && now - s.lastSwapMs < s.shortestFrameMs)
        SDL_Delay(static_cast<Uint32>(s.shortestFrameMs - (now - s.lastSwapMs)));
    s.lastSwapMs = SDL_GetTicks64();
}

void PlatformDrawableSize(int& width, int& height) {
    width = State().width;
    height = State().height;
    if (State().window)
        SDL_GL_GetDrawableSize(State().window, &width, &height);
}

const char* PlatformVideoDriver() {
    const char* driver = State().window ? SDL_GetCurrentVideoDriver() : nullptr;
    return driver ? driver : "";
}

bool PlatformPollEvent(QuorelEvent& out) {
    if (!State().window)
        return false;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        out = QuorelEvent();
        switch (e.type) {
        case SDL_QUIT:
            out.type = QuorelEventType::Quit;
            return true;
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
            case SDL_WINDOWEVENT_CLOSE:
                out.type = QuorelEventType::Quit;
                return true;
            case SDL_WINDOWEVENT_FOCUS_GAINED:
            case SDL_WINDOWEVENT_RESTORED:
                out.type = QuorelEventType::FocusGained;
                return true;
            case SDL_WINDOWEVENT_FOCUS_LOST:
            case SDL_WINDOWEVENT_MINIMIZED:
                out.type = QuorelEventType::FocusLost;
                return true;
            default:
                continue;
            }
        case SDL_MOUSEMOTION:
            out.type = QuorelEventType::MouseMove;
            out.x = e.motion.x;
            out.y = e.motion.y;
            out.dx = e.motion.xrel;
            out.dy = e.motion.yrel;
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            out.type = e.type == SDL_MOUSEBUTTONDOWN ? QuorelEventType::MouseDown : QuorelEventType::MouseUp;
            out.x = e.button.x;
            out.y = e.button.y;
            out.button = e.button.button;
            out.clicks = e.button.clicks;
            return true;
        case SDL_MOUSEWHEEL:
            out.type = QuorelEventType::MouseWheel;
            out.wheel = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
            SDL_GetMouseState(&out.x, &out.y);
            return true;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            out.type = e.type == SDL_KEYDOWN ? QuorelEventType::KeyDown : QuorelEventType::KeyUp;
            out.key = MapKey(e.key.keysym.sym);
            out.repeat = e.key.repeat != 0;
            return true;
        case SDL_TEXTINPUT:
            out.type = QuorelEventType::TextInput;
            std::snprintf(out.text, sizeof out.text, "%s", e.text.text);
            return true;
        default:
            continue;
        }
    }
    return false;
}
