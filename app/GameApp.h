// CGameApp: the game's application object. It owns the shell's images, fonts and sounds, runs the
// main loop (intro, loading, wait and busy screens, the GUI, the match views) and the worker
// threads, and holds the flags the career and the matches share with the frame.
#pragma once

#include "app/FrameTiming.h"
#include "app/WorkerThread.h"
#include "engine/App.h"
#include "engine/Math3D.h"
#include "engine/RenderTexture.h"
#include "engine/Str.h"
#include "gui/TextTable.h"
#include "screens/ScreenContext.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class CQuorelFont;
class IGuiBackend;

// The windows that can lie over a running match, in the order of their open flags.
constexpr int kOverlayWindowIds[] = {11074, 11222, 11305, 11312, 11316};

struct BusyResult {
    CStr league, away, home, awayScore, homeScore;
};

class CGameApp : public CQuorelApp {
public:
    CGameApp();
    ~CGameApp() override;

    // Effects, intro and wait images, progress bar, cursors, fonts, sound tags and lights.
    bool Init();
    // The main loop until the window closes; the process exit code.
    int Run();
    // One frame: messages, frame step, drawing.
    void FrameTick();
    void Frame(float dt);
    void HandleEvent(const QuorelEvent& event);

    // A copy of the tooltip text of an element or tooltip id; empty when absent.
    CStr GetTooltip(int id) const { return m_tooltips.Get(id); }
    CTextTable& Tooltips() { return m_tooltips; }
    void SetProgressStep(int steps) { m_progressStep = steps > 0 ? steps : 1; }
    // The day run's busy panel: shown by the main loop while the busy flag is set.
    void StartBusyThread() { busy = 1; }
    void SetBusyResult(const BusyResult& result);
    BusyResult GetBusyResult() const;
    // Runs long work off the main thread (one at a time); the main loop keeps drawing.
    bool StartWorker(std::function<void()> work) { return m_worker.Start(std::move(work)); }
    bool WorkerRunning() const { return m_worker.IsRunning(); }
    void WaitForWorker() { m_worker.Join(); }

    // The loading step, also used directly by tests and the start-up benchmark.
    void LoadGame();
    bool IsLoaded() const { return m_loaded.load(); }
    bool IntroFinished() const { return m_introFinished.load(); }
    void FinishIntro();
    FrameFlags CurrentFrameFlags() const;
    // Ends the main loop after the current frame; the game then shuts down in order.
    void RequestQuit() { m_quitLoop = true; }
    // A start-up failure (a content file that does not parse, no font): shown once the loading
    // is over, then the game ends with its exit code. Empty when the start went well.
    CStr StartupError() const { return m_startupError; }
    int ExitCode() const { return m_exitCode; }
    // What the player reads when the menu fonts cannot draw (either missing or not opened); empty
    // when both are usable.
    static CStr FontProblem(const CQuorelFont* font, const CQuorelFont* titleFont);

    // Seams the match views fill: each draws its whole view for one frame.
    std::function<void(float dt)> drawMatch2D;
    std::function<void(float dt)> drawMatch3D;

    std::atomic<uint8_t> busy{0};
    std::atomic<uint8_t> step{0};
    std::atomic<uint8_t> threadRunning{0};
    std::atomic<uint8_t> matchRunning{0};
    std::atomic<uint8_t> input3D{0};
    std::atomic<uint8_t> newResult{0};
    std::atomic<uint8_t> overlayOpen[static_cast<int>(Overlay::Count)] = {};
    std::atomic<uint8_t> matchPaused{0};
    std::atomic<uint8_t> fastMode{0};
    std::atomic<bool> stop{false};
    Vec3 trackingPoint;
    CStr baseFolder;
    int cameraMode = 0;
    uint32_t lastAutoCamera = 0;

private:
    void DrawIntro();
    void DrawLoading(const CStr& caption, float progress);
    void DrawBusyPanel();
    void DrawCursor();
    void DrawStartupError();
    void StartLoadingThread();
    void RegisterSounds();
    void SetStartupError(const char* title, const CStr& text, int exitCode);
    void ShowStartupError();

    CTextTable m_tooltips;
    CWorkerThread m_loader;
    CWorkerThread m_worker;
    std::atomic<bool> m_loaded{false};
    std::atomic<bool> m_introFinished{false};
    std::atomic<int> m_progressStep{6};
    int m_introIndex = 0;
    uint32_t m_introStart = 0;
    bool m_loadingStarted = false;
    CFrameTimer m_timer;
    float m_dt = 0.01f;
    int m_mouseX = 512, m_mouseY = 384;
    std::atomic<bool> m_quitLoop{false};
    // Written before the loaded flag is raised (or on the main thread), read after it.
    CStr m_startupTitle;
    CStr m_startupError;
    int m_startupExitCode = 0;
    bool m_startupErrorShown = false;
    // The start-up error drawn in the game's own window (no message box could be shown) until the
    // player presses a key or closes the window. Main thread only.
    bool m_startupErrorInWindow = false;
    int m_exitCode = 0;

    CRenderTexture m_logos[6];
    CRenderTexture m_waitImage;
    CRenderTexture m_progressBack;
    CRenderTexture m_progressFront;
    CRenderTexture m_cursor;
    CRenderTexture m_cursorBusy;
    CQuorelFont* m_font = nullptr; // the device's cache owns fonts
    CQuorelFont* m_titleFont = nullptr;

    std::unique_ptr<IGuiBackend> m_guiBackend;
    mutable std::mutex m_busyMutex;
    BusyResult m_busyResult;
};

extern CGameApp* g_pGameApp;
// Sets the loading progress bar's number of steps.
void SetProgressStep(int steps);
