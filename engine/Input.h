// CQuorelInput: buffered mouse data (motion, wheel, buttons) and key state, fed by the window's events.
#pragma once

#include "platform/Events.h"

#include <mutex>
#include <set>

using WindowEvent = QuorelEvent;

class CQuorelInput {
public:
    CQuorelInput() = default;

    // Called for every window event by CQuorelApp::PollEvent.
    void OnEvent(const QuorelEvent& event);

    // Motion and wheel gathered since the last call, then cleared (as a buffered mouse device reads).
    void ReadMouse(int& dx, int& dy, int& wheel);
    // Buttons 1 left, 2 middle, 3 right.
    bool IsButtonDown(int button) const;
    bool IsKeyDown(int key) const;
    int CursorX() const { return m_x; }
    int CursorY() const { return m_y; }
    // Forgets held keys and buttons (the window lost focus).
    void Reset();

private:
    mutable std::mutex m_mutex;
    int m_x = 0, m_y = 0;
    int m_dx = 0, m_dy = 0, m_wheel = 0;
    bool m_buttons[4] = {false, false, false, false};
    std::set<int> m_keys;
};

extern CQuorelInput* g_pQuorelInput;
