// The shell interface the screens get: the frame's flags, the worker, sound options and quitting.
#include "app/Shell.h"

#include "app/GameApp.h"
#include "app/GameManager.h"
#include "engine/Music.h"
#include "engine/Sound.h"

#include <algorithm>
#include <cstdlib>

bool CShellServices::StartWorker(std::function<void()> work) {
    if (m_app)
        return m_app->StartWorker(std::move(work));
    return m_worker.Start(std::move(work));
}

bool CShellServices::WorkerRunning() const {
    return m_app ? m_app->WorkerRunning() : m_worker.IsRunning();
}

void CShellServices::SetWaitText(const CStr& text) {
    m_gm.SetWaitText(text);
}

void CShellServices::SetProgressStep(int steps) {
    if (m_app)
        m_app->SetProgressStep(steps);
}

void CShellServices::SetLoadingProgress(int done) {
    m_gm.loadingProgress = done;
}

void CShellServices::SetNewCareerWait(bool on) {
    m_gm.newCareerWait = on ? 1 : 0;
}

void CShellServices::SetThreadRunning(bool on) {
    if (m_app)
        m_app->threadRunning = on ? 1 : 0;
}

void CShellServices::SetBusy(bool on) {
    if (m_app)
        m_app->busy = on ? 1 : 0;
}

void CShellServices::SetOverlayOpen(Overlay overlay, bool open) {
    // The tactics window over a match also takes the messages first while it is open.
    if (overlay == Overlay::Tactics)
        m_gm.tacticsWindow = open ? 1 : 0;
    m_overlays[static_cast<int>(overlay)] = open ? 1 : 0;
    if (m_app)
        m_app->overlayOpen[static_cast<int>(overlay)] = open ? 1 : 0;
}

bool CShellServices::IsOverlayOpen(Overlay overlay) const {
    const int index = static_cast<int>(overlay);
    return (m_app ? m_app->overlayOpen[index].load() : m_overlays[index].load()) != 0;
}

void CShellServices::SetMatchPace(bool paused, bool fast) {
    if (m_app) {
        m_app->matchPaused = paused ? 1 : 0;
        m_app->fastMode = fast ? 1 : 0;
    }
}

int CShellServices::MatchClockScale() const {
    const char* scaleText = std::getenv("FB_MATCH_CLOCK_SCALE");
    const int scale = scaleText ? std::atoi(scaleText) : 1;
    return std::clamp(scale, 1, 100);
}

void CShellServices::SetMatchRunning(bool on) {
    if (m_app)
        m_app->matchRunning = on ? 1 : 0;
}

void CShellServices::RefreshAllScreens() {
    m_gm.RefreshAllScreens();
}

void CShellServices::ApplySoundOptions() {
    const GameOptions& o = m_gm.Session().options;
    if (g_pQuorelMusic) {
        g_pQuorelMusic->SetVolume(o.musicVolume);
        g_pQuorelMusic->SetEnabled(o.enableMusic);
        if (o.enableMusic && !g_pQuorelMusic->IsPlaying())
            g_pQuorelMusic->SwitchTrack(kMenuTracks[0]);
    }
    if (g_pQuorelSound) {
        g_pQuorelSound->SetVolume(o.effectVolume);
        g_pQuorelSound->SetMuted(!o.enableEffect);
    }
}

void CShellServices::RequestQuit() {
    m_quit = true;
    if (m_app)
        m_app->RequestQuit();
}
