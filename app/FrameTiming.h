// Frame step and the choice of what one frame shows.
#pragma once

#include <cstdint>

// The game's clock step per frame for a measured frame rate: 0.01 at 62 fps and above; slower
// machines take proportionally bigger steps, capped so a stall never jumps the match ahead.
float FrameStepForFps(float fps);

// Recomputes the step every 30 frames from the time those frames took.
class CFrameTimer {
public:
    // Call once per frame with a high-resolution timestamp in seconds; returns the base step.
    float Tick(double nowSeconds);
    float Step() const { return m_step; }
    float Fps() const { return m_fps; }

private:
    int m_frames = 0;
    double m_windowStart = -1.0;
    float m_step = 0.01f;
    float m_fps = 62.0f;
};

// The step a frame hands to the match: 0 while paused, doubled in fast mode.
float MatchFrameStep(float baseStep, bool paused, bool fastMode);

enum class FrameView { Intro, Loading, Wait, Match3D, Match2D, Gui };

struct FrameFlags {
    bool introFinished = false;
    bool loaded = false;
    bool newCareerWait = false;
    bool oneDayWait = false;
    bool wait3D = false;
    bool matchRunning = false;
    bool view3D = false;
};

// Exactly one view per frame, in this priority.
FrameView ChooseFrameView(const FrameFlags& flags);
