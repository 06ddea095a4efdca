// The inbox on the shipped layout with a real new career: a mail filed, counted, opened and
// removed; rows and folders out of range; the start-of-season mails; and the news window.
#include "ScreenTestKit.h"
#include "gui/Button.h"

#include "career/Gossip.h"
#include "engine/GameRand.h"
#include "gui/Grid.h"
#include "gui/TextBox.h"
#include "gui/Window.h"

TEST_F(InboxTest, AMailWithThreeValuesIsCountedOpenedAndRemoved) {
    StartCareer();
    m_inbox->Refresh();
    EXPECT_STREQ(TextOf(ID_FR_MAILCOUNT).GetText(), "All read");
    EXPECT_STREQ(TextOf(ID_FR_LETTERCOUNT).GetText(), "");

    CEmail* mail = m_inbox->CreateEmail(27, 2007, 8, 2, Text(80062), "Ann Money", 80062,
                                        {"$ 1,000", "$ 2,500", "$ 1,500"});
    ASSERT_NE(mail, nullptr);
    const int mailsBefore = m_session->careerDB->emails.Size();
    EXPECT_EQ(m_inbox->CurrentFolder(), 1);
    EXPECT_EQ(m_inbox->UnreadIn(1), 1);
    EXPECT_STREQ(TextOf(ID_INBOX_FOLDER_STAFF).GetText(), "Staff (1)");
    EXPECT_STREQ(TextOf(ID_INBOX_FOLDER_CLUB).GetText(), "Club");
    EXPECT_STREQ(TextOf(ID_FR_MAILCOUNT).GetText(), "Unread (1)");
    EXPECT_STREQ(TextOf(ID_FR_LETTERCOUNT).GetText(), "");
    EXPECT_STREQ(TextOf(ID_FR_INBOX).GetText(), "Inbox (1)");
    auto* grid = static_cast<CGuiGridControl*>(m_stack.FindElement(ID_INBOX_GRID));
    ASSERT_EQ(grid->GetRowCount(), 1);
    EXPECT_STREQ(grid->FindCell(0, 0)->text.GetText(), "02.08.2007");
    EXPECT_STREQ(grid->FindCell(1, 0)->text.GetText(), "Monthly money report");
    EXPECT_STREQ(grid->FindCell(2, 0)->text.GetText(), "Ann Money [Business manager]");
    EXPECT_STREQ(grid->FindCell(3, 0)->text.GetText(), "New");
    EXPECT_STREQ(grid->HeaderText(1).GetText(), "Subject");
    EXPECT_FALSE(m_stack.FindElement(ID_INBOX_TEXT)->IsVisible());

    // Choosing the row opens the mail: every placeholder filled, the mail read, counters down.
    GuiMessage select = Message(ID_INBOX_GRID, kMsgSelection, 0);
    m_inbox->OnMessage(select);
    EXPECT_EQ(select.sID, -1);
    EXPECT_EQ(mail->unread, 0);
    CStr pane = TextOf(ID_INBOX_TEXT);
    EXPECT_NE(pane.Find("Expenses: $ 1,000"), -1) << pane.GetText();
    EXPECT_NE(pane.Find("Income: $ 2,500"), -1);
    EXPECT_NE(pane.Find("Balance: $ 1,500"), -1);
    EXPECT_NE(pane.Find("From: Ann Money [Business manager]"), -1);
    EXPECT_EQ(pane.Find("XX"), -1);
    EXPECT_TRUE(m_stack.FindElement(ID_INBOX_TEXT)->IsVisible());
    EXPECT_TRUE(m_stack.FindElement(ID_INBOX_PANE)->IsVisible());
    EXPECT_STREQ(grid->FindCell(3, 0)->text.GetText(), "Read");
    EXPECT_STREQ(TextOf(ID_INBOX_FOLDER_STAFF).GetText(), "Staff");
    EXPECT_STREQ(TextOf(ID_FR_MAILCOUNT).GetText(), "All read");
    EXPECT_STREQ(TextOf(ID_FR_INBOX).GetText(), "Inbox");
    // Opening it again changes no counter.
    m_inbox->OpenMail();
    EXPECT_EQ(m_inbox->UnreadIn(1), 0);

    // Rows and folders out of range do nothing.
    GuiMessage beyond = Message(ID_INBOX_GRID, kMsgSelection, 5);
    m_inbox->OnMessage(beyond);
    EXPECT_EQ(m_inbox->SelectedRow(), -1);
    EXPECT_FALSE(m_stack.FindElement(ID_INBOX_TEXT)->IsVisible());
    m_inbox->DeleteMail(1);
    m_inbox->DeleteMail(-1);
    m_inbox->SelectFolder(7);
    EXPECT_EQ(m_inbox->CurrentFolder(), 1);
    GuiMessage removeNothing = Message(ID_INBOX_DELETE, kMsgClick);
    m_inbox->OnMessage(removeNothing);
    EXPECT_EQ(removeNothing.sID, -1);
    EXPECT_EQ(m_session->careerDB->emails.Size(), mailsBefore);
    EXPECT_EQ(m_session->careerDB->emails.Folder(1).size(), 1u);

    // Removing the opened mail takes it out of the career for good.
    GuiMessage again = Message(ID_INBOX_GRID, kMsgSelection, 0);
    m_inbox->OnMessage(again);
    GuiMessage remove = Message(ID_INBOX_DELETE, kMsgClick);
    m_inbox->OnMessage(remove);
    EXPECT_EQ(m_session->careerDB->emails.Folder(1).size(), 0u);
    EXPECT_EQ(m_session->careerDB->emails.Size(), mailsBefore - 1);
    EXPECT_EQ(grid->GetRowCount(), 0);
    EXPECT_EQ(m_inbox->SelectedRow(), -1);
    EXPECT_FALSE(m_stack.FindElement(ID_INBOX_TEXT)->IsVisible());
}

TEST_F(InboxTest, FolderButtonsShowTheirFolderAndNothingSelected) {
    StartCareer();
    m_inbox->CreateEmail(6, 2007, 8, 3, Text(300118), "", kMailTypeClub, {"Joe Grumble"});
    m_inbox->CreateEmail(33, 2007, 8, 2, Text(80060), "Rob Finder", 80060, {"Ace Shooter"});
    // The newest unread mail's folder opens first. The count beside "Mail" is every unread mail,
    // the player's letter included; beside "Players" (which opens the line-up) stands none.
    EXPECT_EQ(m_inbox->CurrentFolder(), 0);
    EXPECT_STREQ(TextOf(ID_FR_MAILCOUNT).GetText(), "Unread (2)");
    EXPECT_STREQ(TextOf(ID_FR_LETTERCOUNT).GetText(), "");
    GuiMessage open = Message(ID_INBOX_GRID, kMsgSelection, 0);
    m_inbox->OnMessage(open);
    EXPECT_NE(TextOf(ID_INBOX_TEXT).Find("Joe Grumble"), -1);
    EXPECT_NE(TextOf(ID_INBOX_TEXT).Find("From: Grapevine\n"), -1);

    GuiMessage staff = Message(ID_INBOX_FOLDER_STAFF, kMsgClick);
    m_inbox->OnMessage(staff);
    EXPECT_EQ(staff.sID, -1);
    EXPECT_EQ(m_inbox->CurrentFolder(), 1);
    EXPECT_EQ(m_inbox->SelectedRow(), -1);
    // The open folder's button is drawn pressed, the others as usual.
    auto state = [this](int id) { return static_cast<CGuiButton*>(m_stack.FindElement(id))->GetState(); };
    EXPECT_EQ(state(ID_INBOX_FOLDER_STAFF), CGuiButton::kPressed);
    EXPECT_EQ(state(ID_INBOX_FOLDER_CLUB), CGuiButton::kNormal);
    // The staff mail is still unread: switching folders opens nothing.
    EXPECT_EQ(m_session->careerDB->emails.Folder(1)[0]->unread, 1);
    EXPECT_STREQ(TextOf(ID_FR_MAILCOUNT).GetText(), "Unread (1)");
    EXPECT_STREQ(TextOf(ID_FR_LETTERCOUNT).GetText(), "");
}

TEST_F(InboxTest, StartMailsLeaveNoPlaceholderUnfilled) {
    StartCareer("Sam Okafor");
    CNewCareerScreen newCareer(*m_ctx);
    newCareer.SendStartMails();
    m_inbox->Refresh();
    const CEmailList& mails = m_session->careerDB->emails;
    ASSERT_GE(mails.Size(), 2);
    EXPECT_EQ(m_inbox->CurrentFolder(), 0);
    for (const CEmail* mail : mails) {
        EXPECT_GE(CEmailList::FolderOfType(mail->type), 0);
        CStr text = MailReadingText(m_session->worldDB, *mail, m_ctx->Texts());
        EXPECT_EQ(text.Find("XX"), -1) << text.GetText();
        EXPECT_FALSE(MailSubject(m_session->worldDB, *mail, m_ctx->Texts()).IsEmpty());
        EXPECT_FALSE(MailBody(m_session->worldDB, *mail, m_ctx->Texts()).IsEmpty());
    }
    CStr board = MailBody(m_session->worldDB, *mails.At(0), m_ctx->Texts());
    EXPECT_NE(board.Find("Dear Sam Okafor"), -1) << board.GetText();
    EXPECT_NE(board.Find(m_session->UserClub()->name), -1);
    CStr fixtures = MailBody(m_session->worldDB, *mails.At(1), m_ctx->Texts());
    EXPECT_NE(fixtures.Find("2007-2008"), -1) << fixtures.GetText();
}

TEST_F(InboxTest, TheNewsWindowShowsEveryRumourWithItsNames) {
    StartCareer();
    CMemoryDB& world = *m_session->worldDB;
    GameSrand(21);
    GameDate today = m_session->currentDate;
    for (int day = 0; day < 400 && world.whispers.whispers.Size() < 4; ++day) {
        today = CCalendar::NextDay(today);
        GossipDailyUpdate(world, today);
    }
    ASSERT_GE(world.whispers.whispers.Size(), 4);
    m_news->Refresh();
    m_news->Refresh();
    auto* box = static_cast<CGuiTextBox*>(m_stack.FindElement(ID_NEWS_TEXT));
    CStr all = box->GetText();
    for (const char* token : {"XYTEAM", "XYPLAYER", "COMPA", "XYACTOR", "XYMANACTOR", "CASH"})
        EXPECT_EQ(all.Find(token), -1) << token << " in " << all.GetText();
    EXPECT_NE(all.Find(world.teams.At(world.whispers.whispers.At(0)->teamRow)->name), -1) << all.GetText();
    auto* window = static_cast<CGuiWindow*>(m_stack.FindElement(ID_NEWS));
    EXPECT_NE(window->GetCaption().Find(m_session->UserClub()->name), -1) << window->GetCaption().GetText();
}

// A staff member's mail made by the day's steps, with no refresh of the inbox after it (the
// headers are counted on the player's next click): the Staff button counts it like the headers.
TEST_F(InboxTest, MailFromTheDaysStepsIsCountedOnItsFolderButtonWithTheHeaders) {
    StartCareer();
    m_inbox->Refresh();
    m_inbox->CreateEmail(6, 2007, 8, 3, Text(300118), "", kMailTypeClub, {"Joe Grumble"});
    ASSERT_STREQ(TextOf(ID_INBOX_FOLDER_CLUB).GetText(), "Club (1)");
    ::CreateEmail(m_session->worldDB, m_session->careerDB, 27, 2007, 8, 4, Text(80062), "Ann Money", 80062,
                  {"$ 1,000", "$ 2,500", "$ 1,500"});
    ::CreateEmail(m_session->worldDB, m_session->careerDB, 33, 2007, 8, 4, Text(80060), "Rob Finder", 80060,
                  {"Ace Shooter"});
    m_inbox->UpdateUnreadCounters();
    EXPECT_STREQ(TextOf(ID_FR_MAILCOUNT).GetText(), "Unread (3)");
    EXPECT_STREQ(TextOf(ID_INBOX_FOLDER_STAFF).GetText(), "Staff (2)");
    EXPECT_STREQ(TextOf(ID_INBOX_FOLDER_CLUB).GetText(), "Club (1)");
    EXPECT_EQ(m_inbox->UnreadIn(1), 2);
}
