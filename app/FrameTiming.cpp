// Frame timing.
#include "app/FrameTiming.h"

#include <algorithm>

float FrameStepForFps(float fps) {
    const float target = 62.0f;
    if (fps >= target)
        return 0.01f;
    if (fps <= 0.0f)
        return 0.05f;
    return std::min(0.01f * target / fps, 0.05f);
}

float CFrameTimer::Tick(double nowSeconds) {
    if (m_windowStart < 0.0) {
        m_windowStart = nowSeconds;
        return m_step;
    }
    if (++m_frames >= 30) {
        double elapsed = nowSeconds - m_windowStart;
        m_fps = elapsed > 0.0 ? static_cast<float>(m_frames / elapsed) : 1000.0f;
        m_step = FrameStepForFps(m_fps);
        m_frames = 0;
        m_windowStart = nowSeconds;
    }
    return m_step;
}

float MatchFrameStep(float baseStep, bool paused, bool fastMode) {
    if (paused)
        return 0.0f;
    return fastMode ? baseStep * 2.0f : baseStep;
}

FrameView ChooseFrameView(const FrameFlags& flags) {
    if (!flags.introFinished)
        return FrameView::Intro;
    if (!flags.loaded)
        return FrameView::Loading;
    if (flags.newCareerWait || flags.oneDayWait || flags.wait3D)
        return FrameView::Wait;
    if (flags.matchRunning)
        return flags.view3D ? FrameView::Match3D : FrameView::Match2D;
    return FrameView::Gui;
}
