// Game mail without a window: making and filing mails, unread counts, the newest unread folder,
// the text an opened mail reads, and mail kept through a saved and reloaded career.
#include "career/Mail.h"
#include "career/CareerSession.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"

#include "GameCopyTest.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A world with mail templates whose texts are "<subject r>" and the given body for every row.
struct MailWorld {
    CMemoryDB world;
    CMemoryDB career;
    CStr body = "A=XX1 B=XX2 C=XX3 A again=XX1 empty=[XX4]\\nnext line";

    MailWorld() {
        for (int row = 0; row < 58; ++row) {
            auto* entry = new CEmailTemplate();
            entry->id = row;
            entry->subjectTextId = 801000 + 2 * row;
            entry->bodyTextId = 801001 + 2 * row;
            world.emailTemplates.Append(entry);
        }
    }
    TextLookup Texts() const {
        return [this](int id) {
            if (id == 300955)
                return CStr("Unread");
            if (id == 300956)
                return CStr("All read");
            if (id == 80050)
                return CStr("From");
            if (id >= 801000 && id % 2 == 0)
                return CStr::Formatted("<subject %d>", (id - 801000) / 2);
            return body;
        };
    }
    CEmail* Send(int row, int32_t type, int year, int month, int day) {
        return CreateEmail(&world, &career, row, year, month, day, "Business manager", "Ann Money", type,
                           {"one", "two", "three"});
    }
};

} // namespace

TEST(GameMail, AMailIsFiledByItsTypeAndStartsUnread) {
    MailWorld w;
    CEmail* mail = w.Send(27, 80062, 2007, 9, 30);
    ASSERT_NE(mail, nullptr);
    EXPECT_EQ(mail->unread, 1);
    EXPECT_EQ(mail->year, 2007);
    EXPECT_EQ(mail->month, 9);
    EXPECT_EQ(mail->day, 30);
    ASSERT_EQ(w.career.emails.Folder(1).size(), 1u);
    EXPECT_EQ(w.career.emails.Folder(1)[0], mail);
    EXPECT_STREQ(mail->placeholders[2].GetText(), "three");
    EXPECT_TRUE(mail->placeholders[3].IsEmpty());

    // Each type to its folder; an unknown type is kept but filed nowhere and counts nowhere.
    w.Send(6, 100152, 2007, 9, 30);
    w.Send(1, 100151, 2007, 9, 30);
    w.Send(1, 80092, 2007, 9, 30);
    w.Send(49, 100153, 2007, 9, 30);
    CEmail* stray = w.Send(1, 12345, 2007, 9, 30);
    ASSERT_NE(stray, nullptr);
    for (int folder = 0; folder < kEmailFolders; ++folder)
        EXPECT_EQ(w.career.emails.Folder(folder).size(), 1u) << folder;
    EXPECT_EQ(CountUnreadByFolder(w.career.emails), (std::array<int, kEmailFolders>{1, 1, 1, 1, 1}));
    UnreadMail unread = CountUnreadMail(w.career.emails);
    EXPECT_EQ(unread.laments, 1);
    EXPECT_EQ(unread.others, 4);

    // Ids are new every time; without either database no mail is made.
    EXPECT_NE(stray->id, mail->id);
    EXPECT_EQ(CreateEmail(nullptr, &w.career, 1, 2007, 9, 30, "", "", 80062), nullptr);
    EXPECT_EQ(CreateEmail(&w.world, nullptr, 1, 2007, 9, 30, "", "", 80062), nullptr);
}

TEST(GameMail, TheBodyFillsEveryPlaceholderEverywhere) {
    MailWorld w;
    CEmail* mail = w.Send(27, 80062, 2007, 9, 30);
    CStr body = MailBody(&w.world, *mail, w.Texts());
    EXPECT_STREQ(body.GetText(), "A=one B=two C=three A again=one empty=[]\nnext line");
    EXPECT_STREQ(MailSubject(&w.world, *mail, w.Texts()).GetText(), "<subject 27>");
    CStr pane = MailReadingText(&w.world, *mail, w.Texts());
    EXPECT_EQ(pane.Find("From: Ann Money [Business manager]"), pane.Find("\n") + 1);
    EXPECT_EQ(pane.Find("XX"), -1);

    // A template row the world does not have reads as nothing rather than failing.
    mail->templateRow = 400;
    EXPECT_TRUE(MailBody(&w.world, *mail, w.Texts()).IsEmpty());
    EXPECT_TRUE(MailSubject(&w.world, *mail, w.Texts()).IsEmpty());
}

TEST(GameMail, TheSenderLineShowsWhatTheMailHas) {
    CEmail mail;
    mail.senderText = "Scout";
    EXPECT_STREQ(MailSender(mail).GetText(), "Scout");
    mail.senderName = "Rob Finder";
    EXPECT_STREQ(MailSender(mail).GetText(), "Rob Finder [Scout]");
    // A sponsor writes under its name alone: no empty brackets.
    mail.senderText = "";
    EXPECT_STREQ(MailSender(mail).GetText(), "Rob Finder");
}

TEST(GameMail, CountersReadUnreadOrAllRead) {
    MailWorld w;
    EXPECT_STREQ(UnreadCounterText(0, w.Texts()).GetText(), "All read");
    EXPECT_STREQ(UnreadCounterText(3, w.Texts()).GetText(), "Unread (3)");
    EXPECT_STREQ(FolderCaption("Staff", 0).GetText(), "Staff");
    EXPECT_STREQ(FolderCaption("Staff", 1).GetText(), "Staff (1)");
}

TEST(GameMail, TheNewestUnreadMailPicksTheFolderByWholeDates) {
    MailWorld w;
    EXPECT_EQ(NewestUnreadFolder(w.career.emails, -1), -1);
    w.Send(1, 100151, 2007, 10, 1); // folder 2, 1 October
    w.Send(27, 80062, 2007, 9, 30); // folder 1, 30 September: day 30 is larger, but it is older
    EXPECT_EQ(NewestUnreadFolder(w.career.emails, 4), 2);
    // Of equal dates the folder visited last (order 2, 4, 3, 1, 0) wins.
    w.Send(6, 100152, 2007, 10, 1);
    EXPECT_EQ(NewestUnreadFolder(w.career.emails, 4), 0);
    // Read mail does not count.
    for (int folder = 0; folder < kEmailFolders; ++folder)
        for (CEmail* mail : w.career.emails.Folder(folder))
            mail->unread = 0;
    EXPECT_EQ(NewestUnreadFolder(w.career.emails, 3), 3);
}

class MailCareerTest : public GameCopyTest {};

TEST_F(MailCareerTest, ASavedCareerKeepsItsMailAndRumours) {
    int32_t club = m_session->worldDB->teams.At(2)->id;
    ASSERT_TRUE(m_session->StartNewCareer(kDataSetLeague, club, "Dana Reyes"));
    CCareerSession& s = *m_session;
    CEmail* read = CreateEmail(s.worldDB, s.careerDB, 27, 2007, 8, 31, "Business manager", "Ann Money", 80062,
                               {"$ 1,000", "$ 2,500", "$ 1,500"});
    CreateEmail(s.worldDB, s.careerDB, 6, 2007, 9, 2, "Grapevine", "", 100152, {"Joe Grumble"});
    CEmail* removed = CreateEmail(s.worldDB, s.careerDB, 33, 2007, 9, 3, "Scout", "Rob", 80060, {"Ace"});
    ASSERT_NE(read, nullptr);
    read->unread = 0;
    ASSERT_TRUE(s.careerDB->emails.Erase(removed));
    auto* whisper = new CWhisper();
    whisper->templateIndex = 3;
    whisper->state = 2;
    whisper->teamRow = 1;
    whisper->year = 2007;
    whisper->month = 9;
    whisper->day = 1;
    s.worldDB->whispers.whispers.Append(whisper);
    ASSERT_TRUE(s.SaveCurrentCareer());
    int32_t profile = s.careerDB->profiles.At(0)->id;

    s.LeaveCareer();
    ASSERT_TRUE(s.LoadSavedCareer(profile));
    const CEmailList& mails = s.careerDB->emails;
    ASSERT_EQ(mails.Size(), 2);
    ASSERT_EQ(mails.Folder(1).size(), 1u);
    ASSERT_EQ(mails.Folder(0).size(), 1u);
    const CEmail* report = mails.Folder(1)[0];
    EXPECT_EQ(report->templateRow, 27);
    EXPECT_EQ(report->unread, 0);
    EXPECT_EQ(report->month, 8);
    EXPECT_EQ(report->day, 31);
    EXPECT_STREQ(report->senderName.GetText(), "Ann Money");
    EXPECT_STREQ(report->placeholders[1].GetText(), "$ 2,500");
    EXPECT_EQ(mails.Folder(0)[0]->unread, 1);
    EXPECT_STREQ(mails.Folder(0)[0]->placeholders[0].GetText(), "Joe Grumble");
    ASSERT_EQ(s.worldDB->whispers.whispers.Size(), 1);
    EXPECT_EQ(s.worldDB->whispers.whispers.At(0)->state, 2);
    EXPECT_EQ(s.worldDB->whispers.whispers.At(0)->teamRow, 1);
}
