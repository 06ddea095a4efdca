// The career frame with the inbox (an opened mail) and with the news window, drawn on a real
// offscreen device from the shipped layout and texts; the pictures land in the build folder.
#include "ScreenTestKit.h"
#include "ShotCheck.h"

#include "career/Gossip.h"
#include "engine/Device.h"
#include "engine/GameRand.h"
#include "gui/EngineBackend.h"

#include <memory>

namespace {

const std::string kShots = std::string(FB_GAME_DIR) + "/../day-screenshots";

} // namespace

class InboxScreenshotTest : public InboxTest {
protected:
    void SetUp() override {
        m_shot = std::make_unique<ShotDevice>(kShots);
        if (m_shot->SkipReason())
            GTEST_SKIP() << m_shot->SkipReason();
        m_drawing = true;
        InboxTest::SetUp();
    }
    void TearDown() override {
        // A skipped set-up never made the game folder there is to take down.
        if (m_drawing)
            InboxTest::TearDown();
        m_shot.reset();
    }
    void Shoot(const char* name) {
        m_stack.ProcessMessages();
        m_shot->Shoot(m_stack, name);
    }

    std::unique_ptr<ShotDevice> m_shot;
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
