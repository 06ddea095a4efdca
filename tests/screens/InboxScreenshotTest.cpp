// The career frame with the inbox (an opened mail) and with the news window, drawn on a real
// offscreen device from the shipped layout and texts; the pictures land in the build folder.
#include "InboxKit.h"
#include "ShotCheck.h"

#include "career/Gossip.h"
#include "engine/Device.h"
#include "engine/GameRand.h"
#include "gui/EngineBackend.h"

#include <filesystem>

namespace {

const std::string kShots = std::string(FB_GAME_DIR) + "/../day-screenshots";

} // namespace

class InboxScreenshotTest : public InboxTest {
protected:
    void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
        // The system's font and GL libraries keep caches LeakSanitizer reports; the picture is the
        // same in the plain build.
        GTEST_SKIP() << "drawn in the plain build only";
#endif
        if (!m_device.Create(1024, 768, 32))
            GTEST_SKIP() << "no GL device here";
        g_pQuorelDevice = &m_device;
        SetGuiBackend(&m_backend);
        std::filesystem::create_directories(kShots);
        m_drawing = true;
        InboxTest::SetUp();
    }
    void TearDown() override {
        // A skipped set-up never made the game folder there is to take down.
        if (!m_drawing)
            return;
        InboxTest::TearDown();
        SetGuiBackend(nullptr);
        g_pQuorelDevice = nullptr;
    }
    void Shoot(const char* name) {
        m_stack.ProcessMessages();
        m_device.BeginScene();
        m_device.Clear(0x0E0A08FFu);
        m_stack.Draw(m_backend, 1000);
        m_device.EndScene();
        m_device.Flush2D();
        // The content area is drawn (the window, its lists and text), not one flat colour.
        EXPECT_GT(DistinctColours(m_device, 188, 72, 828, 688), 20u) << name;
        EXPECT_TRUE(m_device.SaveScreenshot((kShots + "/" + name).c_str()));
        m_device.Present();
    }

    CQuorelDevice m_device;
    CGuiEngineBackend m_backend;
    bool m_drawing = false;
};

TEST_F(InboxScreenshotTest, InboxWithAnOpenedMailAndTheNews) {
    StartCareer("Dana Reyes");
    CNewCareerScreen newCareer(*m_ctx);
    newCareer.SendStartMails();
    m_inbox->CreateEmail(33, 2007, 8, 1, Text(80060), "Rob Finder", 80060, {"Marcus Vell"});
    m_inbox->CreateEmail(27, 2007, 8, 1, Text(80062), "Ann Money", 80062,
                         {"$ 41,200", "$ 12,500", "$ -28,700"});
    m_inbox->CreateEmail(11, 2007, 8, 1, Text(300118), "", kMailTypeClub, {"Tomas Brandt"});
    GameSrand(8);
    GameDate today = m_session->currentDate;
    for (int day = 0; day < 400 && m_session->worldDB->whispers.whispers.Size() < 8; ++day) {
        today = CCalendar::NextDay(today);
        GossipDailyUpdate(*m_session->worldDB, today);
    }
    m_frame->Refresh();
    m_frame->UpdateMenuButtons();
    m_inbox->Refresh();
    m_news->Refresh();

    m_stack.PostMessage(-1, ID_FRAME, kMsgOpenMenu, 0, 0);
    m_stack.PostMessage(-1, ID_INBOX, kMsgSwitchTo, 0, 0);
    m_stack.ProcessMessages();
    ASSERT_TRUE(m_stack.IsLayerActive(ID_INBOX));
    ASSERT_EQ(m_inbox->CurrentFolder(), 0);
    GuiMessage open;
    open.sID = ID_INBOX_GRID;
    open.MSG = kMsgSelection;
    open.p1 = 0;
    m_inbox->OnMessage(open);
    ASSERT_EQ(m_inbox->SelectedRow(), 0);
    Shoot("inbox.png");

    GuiMessage staff;
    staff.sID = ID_INBOX_FOLDER_STAFF;
    staff.MSG = kMsgClick;
    m_inbox->OnMessage(staff);
    open.sID = ID_INBOX_GRID;
    open.p1 = 1;
    m_inbox->OnMessage(open);
    Shoot("inbox_staff.png");

    m_stack.PostMessage(-1, ID_NEWS, kMsgSwitchTo, 0, 0);
    m_stack.ProcessMessages();
    ASSERT_TRUE(m_stack.IsLayerActive(ID_NEWS));
    Shoot("news.png");
}
