// The shipped layout with a small career behind a screen context, for the line-up, tactics and
// view mode screens. Texts read "<id>" so the tests can tell which text went where.
#pragma once

#include "career/CareerSession.h"
#include "gui/LayoutLoader.h"
#include "gui/ScreenStack.h"
#include "screens/ScreenContext.h"

#include "career/DayTestWorld.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace screentest {

class FakeShell : public IShell {
public:
    bool StartWorker(std::function<void()> work) override {
        work();
        return true;
    }
    bool WorkerRunning() const override { return false; }
    void SetWaitText(const CStr&) override {}
    void SetProgressStep(int) override {}
    void SetLoadingProgress(int) override {}
    void SetNewCareerWait(bool) override {}
    void SetThreadRunning(bool) override {}
    void SetBusy(bool) override {}
    void SetOverlayOpen(Overlay overlay, bool open) override { overlays[static_cast<int>(overlay)] = open; }
    bool IsOverlayOpen(Overlay overlay) const override { return overlays[static_cast<int>(overlay)]; }
    void SetMatchPace(bool p, bool f) override {
        paused = p;
        fast = f;
    }
    void SetMatchRunning(bool on) override { matchRunning = on; }
    void RefreshAllScreens() override {}
    void ApplySoundOptions() override {}
    void RequestQuit() override {}
    bool overlays[static_cast<int>(Overlay::Count)] = {};
    bool paused = false;
    bool fast = false;
    bool matchRunning = true;
};

struct MatchScreenRig {
    CCareerSession session;
    CScreenStack stack;
    FakeShell shell;
    daytest::DayWorld world;
    std::map<ScreenRole, CGameScreen*> screens;
    CScreenContext ctx;

    explicit MatchScreenRig(int squad = 12, int starters = 5, CScreenContext::TextLookup texts = {})
        : world(2, squad, starters),
          ctx(
              session, stack, shell,
              texts ? std::move(texts) : [](int id) { return CStr::Formatted("<%d>", id); },
              [this](ScreenRole role) {
                  auto it = screens.find(role);
                  return it == screens.end() ? nullptr : it->second;
              }) {
        CGuiLayoutLoader loader(stack);
        EXPECT_TRUE(loader.Load()); // the game folder is the working directory
        // The session owns the databases from here; the world's pointers stay valid.
        delete session.worldDB;
        delete session.careerDB;
        session.worldDB = world.world.release();
        session.careerDB = world.career.release();
    }

    CTeam* Club() const { return session.UserClub(); }
};

} // namespace screentest
