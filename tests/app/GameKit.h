// The running game for the shell's tests: the shipped layout, the language and the league world read
// as at start-up, the registry's screens and a new career, with the clicks and the day runs the
// tests drive it by. Made inside a GameFolderTest, whose folder is then the working directory.
#pragma once

#include "app/GameManager.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"
#include "gui/Element.h"
#include "gui/GuiMessage.h"
#include "gui/LayoutLoader.h"
#include "guidefines.h"
#include "screens/info/DayController.h"

#include "WatchedMatch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace gamekit {

// When the registry's screens are made. From the main menu they exist before any career; made on a
// career already started they read it at once; a test of the career alone makes none.
enum class Screens { BeforeCareer, AfterCareer, None };

// Which career starts: by default a league career for the world's first club.
struct NewCareer {
    static constexpr int32_t kFirstClub = -1;
    int32_t dataSet = kDataSetLeague;
    int32_t club = kFirstClub;
    const char* manager = "Tester";
};

// The options of the tests that play their matches on the flat court.
inline GameOptions Without3D() {
    GameOptions options;
    options.enable3DSimulation = false;
    return options;
}

struct Game {
    CGameManager gm;
    CGuiLayoutLoader loader{gm};

    CCareerSession& Session() { return gm.Session(); }

    // Layout, texts and world as the game reads them at start-up, no career open. A failure names
    // the step that failed.
    ::testing::AssertionResult Boot(const GameOptions& options = GameOptions()) {
        if (!loader.Load())
            return ::testing::AssertionFailure() << "the layout did not load";
        if (!gm.CreateScreens(options))
            return ::testing::AssertionFailure() << "the texts or the world did not load";
        CMemoryDB* world = gm.Session().worldDB;
        if (world == nullptr || world->teams.IsEmpty())
            return ::testing::AssertionFailure() << "the generated league data set is missing";
        return ::testing::AssertionSuccess();
    }

    // Boot, then the career with the screens made at the given point.
    ::testing::AssertionResult Start(Screens screens, const GameOptions& options = GameOptions(),
                                     const NewCareer& career = NewCareer()) {
        ::testing::AssertionResult booted = Boot(options);
        if (!booted)
            return booted;
        CMemoryDB* world = gm.Session().worldDB;
        if (screens == Screens::BeforeCareer)
            CreateScreensKeepingTheSeed();
        const int32_t club = career.club == NewCareer::kFirstClub ? world->teams.At(0)->id : career.club;
        if (!gm.Session().StartNewCareer(career.dataSet, club, CStr(career.manager)))
            return ::testing::AssertionFailure() << "the career did not start";
        if (screens == Screens::AfterCareer)
            CreateScreensKeepingTheSeed();
        return ::testing::AssertionSuccess();
    }

    // The day controller makes the flat-court engine, which seeds the generator from the clock as
    // the game does at start-up. The sequence a test seeded goes on across the screens' making, or
    // the test would play differently every second.
    void CreateScreensKeepingTheSeed() {
        const unsigned int state = GameRandState();
        gm.CreateRegisteredScreens();
        GameSrand(state);
    }

    // A click as the input dispatch posts it, and the frames that handle it.
    void Click(int id, int frames = 1) {
        gm.PostMessage(id, -1, kMsgClick, 0, 0);
        for (int i = 0; i < frames; ++i)
            gm.ProcessMessages();
    }

    CStr TextOf(int id) {
        CGuiElement* element = gm.FindElement(id);
        return element ? element->GetText() : CStr("<missing>");
    }

    CDayController* Day() const {
        return dynamic_cast<CDayController*>(gm.Screen(ScreenRole::DayController));
    }

    // Frames while the day runs on its worker, as the main loop pumps them: up to a minute, since
    // a day with the user's match is slow under the sanitizers.
    ::testing::AssertionResult AwaitDay() {
        CDayController* day = Day();
        if (day == nullptr)
            return ::testing::AssertionFailure() << "no day controller";
        const auto start = std::chrono::steady_clock::now();
        while (day->IsWorkerActive() && std::chrono::steady_clock::now() - start < std::chrono::seconds(60)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            gm.ProcessMessages();
        }
        if (day->IsWorkerActive())
            return ::testing::AssertionFailure() << "the day did not end within a minute";
        return ::testing::AssertionSuccess();
    }

    // A day button pressed, its run waited out and one more frame for what the run left behind.
    ::testing::AssertionResult RunDay(int button = ID_CONTINUE) {
        Click(button);
        ::testing::AssertionResult ended = AwaitDay();
        gm.ProcessMessages();
        return ended;
    }

    // RunDay, and a match of the user's that the day stopped on watched on the match centre to its
    // finish.
    ::testing::AssertionResult PlayDay(int button = ID_CONTINUE) {
        ::testing::AssertionResult ended = RunDay(button);
        if (!ended)
            return ended;
        if (gm.Session().matchMode != 0 && !watched::PlayWatchedMatch(gm))
            return ::testing::AssertionFailure() << "the watched match did not end";
        return ::testing::AssertionSuccess();
    }
};

} // namespace gamekit
