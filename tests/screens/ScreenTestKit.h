// The screen tests' one kit. The shell fake (CFakeShell) records what the screens ask of the shell;
// ScreenKit gives a screen context on the shipped layout, a career session and the game's texts;
// screentest::MatchScreenRig puts a small career world behind the layout for the match screens,
// with texts reading "<id>"; InboxTest is the fixture of a new career in a private copy of the
// game's data with the inbox and news screens.
#pragma once

#include "career/CareerSession.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "gui/Element.h"
#include "gui/LayoutLoader.h"
#include "gui/ScreenStack.h"
#include "gui/TextTable.h"
#include "screens/ScreenContext.h"
#include "screens/club/EmailScreen.h"
#include "screens/info/WhisperScreen.h"
#include "screens/start/CareerFrameScreen.h"
#include "screens/start/NewCareerScreen.h"

#include "guidefines.h"

#include "career/DayTestWorld.h"
#include "engine/GameFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <memory>

// A message as the input dispatch makes it: from an element, of a kind, with its first value.
inline GuiMessage Message(int source, int kind, int p1 = 0) {
    GuiMessage m;
    m.sID = source;
    m.MSG = kind;
    m.p1 = p1;
    return m;
}

// The overlay flags by overlay; the older tests index them by the overlay's number.
struct FakeOverlayFlags {
    bool& operator[](Overlay overlay) { return flags[static_cast<size_t>(overlay)]; }
    bool& operator[](int overlay) { return flags[static_cast<size_t>(overlay)]; }
    bool operator[](Overlay overlay) const { return flags[static_cast<size_t>(overlay)]; }
    bool operator[](int overlay) const { return flags[static_cast<size_t>(overlay)]; }
    std::array<bool, static_cast<size_t>(Overlay::Count)> flags{};
};

// The shell as the screens see it: work runs at once, and the overlays, the match's pace and
// whether the match runs are kept for the tests to read and set.
class CFakeShell : public IShell {
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
    void SetOverlayOpen(Overlay overlay, bool open) override { overlays[overlay] = open; }
    bool IsOverlayOpen(Overlay overlay) const override { return overlays[overlay]; }
    void SetMatchPace(bool p, bool f) override {
        paused = p;
        fast = f;
    }
    void SetMatchRunning(bool on) override { matchRunning = on; }
    int MatchClockScale() const override { return clockScale; }
    void RefreshAllScreens() override {}
    void ApplySoundOptions() override {}
    void RequestQuit() override {}

    FakeOverlayFlags overlays;
    bool paused = false;
    bool fast = false;
    bool matchRunning = true;
    int clockScale = 1;
};

struct ScreenKit {
    ScreenKit() : loader(stack) {
        layoutLoaded = loader.Load(); // the game folder is the working directory
        language.Load("\\guifiles\\lang_en.txt");
        language.LoadAppend("\\guifiles\\lang_data_en.txt");
    }
    // A new league career for the club at that place in the generated world's list.
    ::testing::AssertionResult StartLeagueCareer(int clubIndex, const char* manager) {
        CMemoryDB world;
        if (!LoadWorldData(world, kDataSetLeague) || clubIndex >= world.teams.Size())
            return ::testing::AssertionFailure() << "the generated league data set is missing";
        if (!session.StartNewCareer(kDataSetLeague, world.teams.At(clubIndex)->id, CStr(manager)))
            return ::testing::AssertionFailure() << "the career did not start";
        return ::testing::AssertionSuccess();
    }
    // The window inside the career frame, as the frame's menu opens it, the club named in the header.
    // False when the window did not come up.
    bool ShowInFrame(int window) {
        CGuiElement* clubName = stack.FindElement(ID_FR_CLUB);
        if (clubName && session.UserClub())
            clubName->SetText(session.UserClub()->name);
        stack.PostMessage(-1, ID_FRAME, kMsgOpenMenu, 0, 0);
        stack.PostMessage(-1, window, kMsgSwitchTo, 0, 0);
        stack.ProcessMessages();
        return stack.IsLayerActive(window);
    }
    CScreenContext MakeContext() {
        return CScreenContext(
            session, stack, shell, [this](int id) { return language.Get(id); },
            [this](ScreenRole role) {
                auto it = screens.find(role);
                return it == screens.end() ? nullptr : it->second;
            });
    }

    CScreenStack stack;
    CGuiLayoutLoader loader;
    bool layoutLoaded = false;
    CTextTable language;
    CCareerSession session;
    CFakeShell shell;
    std::map<ScreenRole, CGameScreen*> screens;
};

namespace screentest {

using FakeShell = CFakeShell;

// A stack that offers each message to the test's screens first, as the game manager does.
struct RoutedStack : CScreenStack {
    void OnMessage(GuiMessage& message) override {
        if (screens)
            screens(message);
    }
    std::function<void(GuiMessage&)> screens;
};

struct MatchScreenRig {
    CCareerSession session;
    RoutedStack stack;
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

class InboxTest : public GameFolderTest {
protected:
    void SetUp() override {
        GameFolderTest::SetUp();
        ASSERT_TRUE(m_language.Load("\\guifiles\\lang_en.txt"));
        ASSERT_TRUE(m_language.LoadAppend("\\guifiles\\lang_data_en.txt"));
        m_session = std::make_unique<CCareerSession>([this](int id) { return m_language.Get(id); });
        ASSERT_TRUE(m_session->Open(GameOptions()));
        CGuiLayoutLoader loader(m_stack);
        ASSERT_TRUE(loader.Load());
        m_ctx = std::make_unique<CScreenContext>(
            *m_session, m_stack, m_shell, [this](int id) { return m_language.Get(id); },
            [this](ScreenRole role) -> CGameScreen* {
                if (role == ScreenRole::Inbox)
                    return m_inbox.get();
                if (role == ScreenRole::News)
                    return m_news.get();
                return nullptr;
            });
        m_inbox = std::make_unique<CEmailScreen>(*m_ctx);
        m_news = std::make_unique<CWhisperScreen>(*m_ctx);
        m_frame = std::make_unique<CCareerFrameScreen>(*m_ctx);
    }
    void TearDown() override {
        m_frame.reset();
        m_news.reset();
        m_inbox.reset();
        m_ctx.reset();
        m_session.reset();
        GameFolderTest::TearDown();
    }
    // A league career for the world's third club.
    void StartCareer(const char* manager = "Dana Reyes") {
        ASSERT_TRUE(m_session->StartNewCareer(kDataSetLeague, m_session->worldDB->teams.At(2)->id, manager));
    }
    CStr TextOf(int id) {
        CGuiElement* element = m_stack.FindElement(id);
        return element ? element->GetText() : CStr("<missing>");
    }
    CStr Text(int id) { return m_language.Get(id); }

    CTextTable m_language;
    CScreenStack m_stack;
    CFakeShell m_shell;
    std::unique_ptr<CCareerSession> m_session;
    std::unique_ptr<CScreenContext> m_ctx;
    std::unique_ptr<CEmailScreen> m_inbox;
    std::unique_ptr<CWhisperScreen> m_news;
    std::unique_ptr<CCareerFrameScreen> m_frame;
};
