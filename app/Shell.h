// CShellServices: the shell interface the screens get, answered by the game manager's flags and,
// when it exists, the application's. Without the application (tests, the probe) long work runs on
// a worker of its own.
#pragma once

#include "app/WorkerThread.h"
#include "engine/Music.h"
#include "screens/ScreenContext.h"

#include <atomic>

class CGameApp;
class CGameManager;

class CShellServices : public IShell {
public:
    CShellServices(CGameManager& gm, CGameApp* app) : m_gm(gm), m_app(app) {}
    ~CShellServices() override { m_worker.Join(); }

    bool StartWorker(std::function<void()> work) override;
    bool WorkerRunning() const override;
    void SetWaitText(const CStr& text) override;
    void SetProgressStep(int steps) override;
    void SetLoadingProgress(int done) override;
    void SetNewCareerWait(bool on) override;
    void SetThreadRunning(bool on) override;
    void SetBusy(bool on) override;
    void SetOverlayOpen(Overlay overlay, bool open) override;
    bool IsOverlayOpen(Overlay overlay) const override;
    void SetMatchPace(bool paused, bool fast) override;
    int MatchClockScale() const override;
    void SetMatchRunning(bool on) override;
    void RefreshAllScreens() override;
    void ApplySoundOptions() override;
    void RequestQuit() override;

    CGameApp* App() const { return m_app; }
    bool QuitRequested() const { return m_quit.load(); }
    // Waits for work started without the application.
    void WaitForWorker() { m_worker.Join(); }

private:
    CGameManager& m_gm;
    CGameApp* m_app;
    CWorkerThread m_worker;
    std::atomic<bool> m_quit{false};
    // The overlay flags when there is no application to hold them.
    std::atomic<uint8_t> m_overlays[static_cast<int>(Overlay::Count)] = {};
};
