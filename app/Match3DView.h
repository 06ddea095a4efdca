// CMatch3DView: the user's match in the 3D view. The day's worker builds the scene under the wait
// screen; the main thread takes the new match over, plays it frame by frame behind the in-match
// display, draws the arena, the characters and the ball, and at the display's end records the
// match, clears the match flags and hands the frame back to the windows.
#pragma once

#include "match3d/HeadlessMatch.h"
#include "match3d/SceneLoader.h"
#include "screens/info/DayController.h"
#include "screens/match/Match3DHudLink.h"
#include "screens/match/Match3DRecord.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

class CGameManager;
class CMatch3D;
class CCourtPlayer;
class CMatchHud;
struct CFixture;

class CMatch3DView : public IMatchSceneHost {
public:
    explicit CMatch3DView(CGameManager& gm);
    ~CMatch3DView() override;

    // On the day's worker: builds the match of the setup. False when no scene was built (another
    // set-up is under way).
    bool Load(const UserMatchSetup& setup);
    // Main thread, once a frame while the match is shown: takes a newly built match over, plays
    // one step and draws the view with the display over it.
    void Frame(float dt);
    // The match being shown; null before the first.
    CMatch3D* Match() const { return m_match.get(); }
    bool Finished() const { return m_finished; }

    // IMatchSceneHost (loader thread)
    void SetWaitCaption(int textId) override;
    void SetProgress(int done, int steps) override;
    void SetArena(int hudKind, int outdoor) override;
    void ShowStreetballImage() override { m_streetball = true; }
    void SetTrackingPoint(const Vec3& point) override;

private:
    void Begin();
    void Finish();
    void Draw(float dt);
    CMatchHud* Hud() const;

    CGameManager& m_gm;
    std::atomic<uint8_t> m_loaderRunning{0};
    std::mutex m_pendingMutex;
    std::unique_ptr<CMatch3D> m_pending; // built by the worker, not yet shown
    UserMatchSetup m_pendingSetup;
    int m_hudKind = 0;
    int m_outdoor = 0;
    bool m_streetball = false;

    std::unique_ptr<CMatch3D> m_match; // main thread from here on
    std::unique_ptr<CMatch3DHudLink> m_link;
    CMatch3DRecorder m_recorder;
    CHeadlessMotion m_motion;
    UserMatchSetup m_setup;
    bool m_finished = true;
    int m_frames = 0;
    // FB_MATCH_STOP_AFTER_CHANGE: the display pauses after every change of the user's side, the
    // log naming it and the five on court, and holds the final whistle (a seam for sessions that
    // look at each change and at the final box score).
    void StopAfterUserChange();
    UserChangesSeen m_userChanges;
    // FB_MATCH_FOUL_TROUBLE: the user's five on court stand at five fouls until one fouls out,
    // then the others get their own counts back (the fouls each was given).
    void KeepInFoulTrouble();
    bool m_foulTrouble = false;
    std::vector<std::pair<CCourtPlayer*, int>> m_foulBoost;
};
