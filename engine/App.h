// CQuorelApp: the engine's application base. It creates the engine singletons in a fixed order, opens
// the device on the game window, hands out window events, and deletes the singletons again (device
// first, log last).
#pragma once

#include "engine/Input.h"

#include <atomic>

class CQuorelApp {
public:
    CQuorelApp();
    // Tears the engine down if the owner did not.
    virtual ~CQuorelApp();
    CQuorelApp(const CQuorelApp&) = delete;
    CQuorelApp& operator=(const CQuorelApp&) = delete;

    // Creates the singletons in the order device, texture manager, camera, lights, frustum, input (only
    // when withInput), music, sound, video holder, log. Music and sound stay null without an audio
    // device; a log made earlier is kept.
    virtual bool StartEngine(bool withInput = true);
    // Opens the window with a width x height client area and the device's context on it.
    virtual bool CreateDevice(int width, int height, int bitsPerPixel);
    // Deletes the singletons, device first and log last (the log writes "\log.txt" as it goes).
    void ShutdownEngine();

    void SetWindowTitle(const char* title);
    void ShowWindow();
    void ShowSystemCursor(bool show);

    // The next window event, fed to CQuorelInput as well; false when none is waiting.
    bool PollEvent(QuorelEvent& event);
    // False while the window is minimised or has lost focus.
    bool IsActive() const { return m_active.load(); }
    // Set once the window has been closed.
    bool QuitRequested() const { return m_quit.load(); }

private:
    bool m_started = false;
    std::atomic<bool> m_active{true};
    std::atomic<bool> m_quit{false};
};

extern CQuorelApp* g_pQuorelApp;
