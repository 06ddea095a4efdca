// Shared helpers for the toolkit tests: a backend that records sounds and drawing, a log catcher,
// a stack whose screens are a callback, and input shorthands.
#pragma once

#include "engine/Color.h"
#include "engine/Log.h"
#include "gui/Backend.h"
#include "gui/ScreenStack.h"
#include "gui/Window.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <string>

class CRecordingBackend : public CGuiNullBackend {
public:
    void PlaySound(const char* tag) override { sounds.emplace_back(tag); }
    void DrawText(const GuiFont&, const CStr& text, const GuiRect&, int, uint32_t colour) override {
        texts.emplace_back(text.Std());
        textColours.push_back(colour);
    }
    void FillRect(const GuiRect&, uint32_t) override { ++fills; }
    std::vector<std::string> sounds;
    std::vector<std::string> texts;
    std::vector<uint32_t> textColours;
    int fills = 0;
};

// Installs a recording backend and a fresh engine log for one test.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previousLog = g_pQuorelLog;
        // The test's lines stay out of the game folder's log.
        m_log.SetFile("");
        g_pQuorelLog = &m_log;
        SetGuiBackend(&backend);
    }
    void TearDown() override {
        SetGuiBackend(nullptr);
        g_pQuorelLog = m_previousLog;
    }
    // Log lines containing every given piece.
    int LogLinesWith(const std::vector<std::string>& pieces) const {
        int count = 0;
        for (const CStr& entry : m_log.Entries()) {
            bool all = true;
            for (const std::string& piece : pieces)
                all = all && entry.Std().find(piece) != std::string::npos;
            count += all ? 1 : 0;
        }
        return count;
    }
    size_t LogSize() const { return m_log.Entries().size(); }

    CRecordingBackend backend;

private:
    CQuorelLog m_log;
    CQuorelLog* m_previousLog = nullptr;
};

// A stack whose screens are one callback, as the game manager's are its screen objects.
class CTestStack : public CScreenStack {
public:
    void OnMessage(GuiMessage& message) override {
        seen.push_back(message);
        if (screens)
            screens(message);
    }
    std::function<void(GuiMessage&)> screens;
    std::vector<GuiMessage> seen;
};

inline std::unique_ptr<CGuiElement> MakeWindow(int32_t id, GuiRect rect) {
    auto window = std::make_unique<CGuiWindow>();
    window->Desc().id = id;
    window->Desc().x = rect.x;
    window->Desc().y = rect.y;
    window->Desc().w = rect.w;
    window->Desc().h = rect.h;
    window->UpdateRect();
    return window;
}

template <class T> T* AddControl(CGuiElement* parent, int32_t id, GuiRect rect) {
    auto control = std::make_unique<T>();
    control->Desc().id = id;
    control->Desc().x = rect.x;
    control->Desc().y = rect.y;
    control->Desc().w = rect.w;
    control->Desc().h = rect.h;
    control->UpdateRect();
    return static_cast<T*>(parent->AddChild(std::move(control)));
}

inline GuiInput Mouse(GuiInputKind kind, int x, int y, uint32_t timeMs = 0, int clicks = 1) {
    GuiInput input;
    input.kind = kind;
    input.x = x;
    input.y = y;
    input.button = kind == GuiInputKind::MouseMove ? GuiMouseButton::None : GuiMouseButton::Left;
    input.clicks = clicks;
    input.timeMs = timeMs;
    return input;
}

inline void Click(CScreenStack& stack, int x, int y, uint32_t timeMs = 0, int clicks = 1) {
    stack.DispatchInput(Mouse(GuiInputKind::MouseMove, x, y, timeMs));
    stack.DispatchInput(Mouse(GuiInputKind::MouseDown, x, y, timeMs, clicks));
    stack.DispatchInput(Mouse(GuiInputKind::MouseUp, x, y, timeMs, clicks));
}

inline void Wheel(CScreenStack& stack, int x, int y, int notches) {
    GuiInput input;
    input.kind = GuiInputKind::Wheel;
    input.x = x;
    input.y = y;
    input.wheel = notches;
    stack.DispatchInput(input);
}

inline bool SameMessage(const GuiMessage& m, int32_t sID, int32_t cID, int32_t kind, int32_t p1 = 0) {
    return m.sID == sID && m.cID == cID && m.MSG == kind && m.p1 == p1;
}
