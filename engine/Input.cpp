// CQuorelInput: gathers mouse motion and wheel between reads, and the keys and buttons held.
#include "engine/Input.h"

CQuorelInput* g_pQuorelInput = nullptr;

void CQuorelInput::OnEvent(const QuorelEvent& event) {
    std::lock_guard<std::mutex> lock(m_mutex);
    switch (event.type) {
    case QuorelEventType::MouseMove:
        m_x = event.x;
        m_y = event.y;
        m_dx += event.dx;
        m_dy += event.dy;
        break;
    case QuorelEventType::MouseDown:
    case QuorelEventType::MouseUp:
        m_x = event.x;
        m_y = event.y;
        if (event.button >= 1 && event.button <= 3)
            m_buttons[event.button] = event.type == QuorelEventType::MouseDown;
        break;
    case QuorelEventType::MouseWheel:
        m_wheel += event.wheel;
        break;
    case QuorelEventType::KeyDown:
        m_keys.insert(event.key);
        break;
    case QuorelEventType::KeyUp:
        m_keys.erase(event.key);
        break;
    case QuorelEventType::FocusLost:
        m_keys.clear();
        m_buttons[1] = m_buttons[2] = m_buttons[3] = false;
        break;
    default:
        break;
    }
}

void CQuorelInput::ReadMouse(int& dx, int& dy, int& wheel) {
    std::lock_guard<std::mutex> lock(m_mutex);
    dx = m_dx;
    dy = m_dy;
    wheel = m_wheel;
    m_dx = m_dy = m_wheel = 0;
}

bool CQuorelInput::IsButtonDown(int button) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return button >= 1 && button <= 3 && m_buttons[button];
}

bool CQuorelInput::IsKeyDown(int key) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_keys.count(key) != 0;
}

void CQuorelInput::Reset() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_keys.clear();
    m_buttons[1] = m_buttons[2] = m_buttons[3] = false;
    m_dx = m_dy = m_wheel = 0;
}
