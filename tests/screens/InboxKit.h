// A new career in a private copy of the game's data, the shipped layout and texts, and the inbox
// and news screens on them: what the inbox tests and its screenshot share.
#pragma once

#include "career/CareerSession.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "gui/LayoutLoader.h"
#include "gui/ScreenStack.h"
#include "gui/TextTable.h"
#include "screens/ScreenContext.h"
#include "screens/club/EmailScreen.h"
#include "screens/info/WhisperScreen.h"
#include "screens/start/CareerFrameScreen.h"
#include "screens/start/NewCareerScreen.h"

#include "engine/GameFolder.h"

#include <gtest/gtest.h>

#include <memory>

// The shell as the screens see it, doing nothing.
class QuietShell : public IShell {
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
    void SetOverlayOpen(Overlay, bool) override {}
    void RefreshAllScreens() override {}
    void ApplySoundOptions() override {}
    void RequestQuit() override {}
};

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
    QuietShell m_shell;
    std::unique_ptr<CCareerSession> m_session;
    std::unique_ptr<CScreenContext> m_ctx;
    std::unique_ptr<CEmailScreen> m_inbox;
    std::unique_ptr<CWhisperScreen> m_news;
    std::unique_ptr<CCareerFrameScreen> m_frame;
};
