// The sponsor screen on the shipped layout with a new league career: the lists are a view of the
// two sponsor tables, signing pays once, the contract limits hold and contracts survive a save.
#include "screens/finance/SponsorScreen.h"
#include "career/EventList.h"
#include "database/Careers.h"
#include "database/HiredStaff.h"
#include "database/MemoryDB.h"
#include "gui/Element.h"
#include "guidefines.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

namespace {

class SponsorScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(0, "Tester"));
        kit.session.currentDate = {2007, 7, 10};
        club()->standing1 = 100000; // every offer within reach
        screen = std::make_unique<CSponsorScreen>(ctx);
        screen->Refresh();
    }
    CTeam* club() { return kit.session.UserClub(); }
    int Offered(int list) const {
        return static_cast<int>(screen->List(list).size()) - screen->Contracts(list);
    }
    int FirstOffer(int list) const {
        const auto& entries = screen->List(list);
        for (size_t i = 0; i < entries.size(); ++i)
            if (!entries[i].contract)
                return static_cast<int>(i);
        return -1;
    }
    int FirstContract(int list) const {
        const auto& entries = screen->List(list);
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].contract)
                return static_cast<int>(i);
        return -1;
    }
    size_t SponsorBookings() const {
        size_t count = 0;
        for (size_t i = 0; i < kit.session.ledger->Size(); ++i)
            if (kit.session.ledger->At(i)->Kind() >= 1 && kit.session.ledger->At(i)->Kind() <= 3)
                ++count;
        return count;
    }
    void Send(int source, int kind) {
        GuiMessage m;
        m.sID = source;
        m.MSG = kind;
        screen->OnMessage(m);
        EXPECT_EQ(m.sID, -1);
    }
    CGuiElement* Find(int id) { return kit.stack.FindElement(id); }

    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
    std::unique_ptr<CSponsorScreen> screen;
};

TEST_F(SponsorScreenTest, RefreshesKeepOneEntryPerRecordInRequirementOrder) {
    const int records =
        kit.session.worldDB->sponsorOffers.Size() + kit.session.worldDB->sponsorContracts.Size();
    ASSERT_GT(records, 0);
    ASSERT_EQ(screen->Accept(2, FirstOffer(2)), CSponsorScreen::Result::Done);
    for (int k = 0; k < 3; ++k)
        screen->Refresh();
    size_t total = 0;
    for (int list = 1; list <= 3; ++list) {
        total += screen->List(list).size();
        for (size_t i = 1; i < screen->List(list).size(); ++i)
            EXPECT_LE(screen->List(list)[i - 1].record->requirement,
                      screen->List(list)[i].record->requirement);
    }
    EXPECT_EQ(static_cast<int>(total), records);
    EXPECT_EQ(screen->Contracts(2), 1);
    EXPECT_EQ(Find(ID_SP_CONTRACTS_2)->GetRowCount(), 2); // one contract and the empty row
}

TEST_F(SponsorScreenTest, SigningPaysOnceAndADropAndResigningBooksNothingMore) {
    const int position = FirstOffer(1);
    ASSERT_GE(position, 0);
    const CSponsorRecord signed_ = *screen->List(1)[static_cast<size_t>(position)].record;
    const int32_t cash = club()->cash;
    const size_t bookings = SponsorBookings();
    ASSERT_EQ(screen->Accept(1, position), CSponsorScreen::Result::Done);
    EXPECT_EQ(club()->cash, cash + signed_.amount);
    ASSERT_EQ(SponsorBookings(), bookings + 1);
    const CCalendarEvent* booked = kit.session.ledger->At(kit.session.ledger->Size() - 1);
    EXPECT_EQ(booked->Kind(), 1);
    const auto& payload = std::get<LedgerEventData>(booked->Payload());
    EXPECT_EQ(payload.amount, signed_.amount);
    EXPECT_EQ(payload.reference, CSponsorScreen::EndYear(2007, 7, signed_.months));
    EXPECT_EQ(kit.session.worldDB->sponsorContracts.Size(), 1);

    ASSERT_EQ(screen->Drop(1, FirstContract(1)), CSponsorScreen::Result::Done);
    EXPECT_EQ(club()->cash, cash + signed_.amount);
    EXPECT_EQ(kit.session.worldDB->sponsorContracts.Size(), 0);
    int again = -1;
    for (size_t i = 0; i < screen->List(1).size(); ++i)
        if (screen->List(1)[i].record->name == signed_.name)
            again = static_cast<int>(i);
    ASSERT_EQ(screen->Accept(1, again), CSponsorScreen::Result::Done);
    EXPECT_EQ(club()->cash, cash + signed_.amount);
    EXPECT_EQ(SponsorBookings(), bookings + 1);
    EXPECT_EQ(screen->Contracts(1), 1);
}

TEST_F(SponsorScreenTest, EndYearAndStanding) {
    EXPECT_EQ(CSponsorScreen::EndYear(2007, 6, 6), 2007);
    EXPECT_EQ(CSponsorScreen::EndYear(2007, 7, 6), 2008);
    // The year the acceptance mail gives: January 2007 + 24 months ends in January 2009.
    EXPECT_EQ(CSponsorScreen::EndYear(2007, 1, 24), 2009);
    EXPECT_EQ(CSponsorScreen::EndYear(2007, 8, 18), 2009);
    EXPECT_EQ(CSponsorScreen::EndYear(2007, 8, 24), 2009);
    EXPECT_EQ(CSponsorScreen::EndYear(2007, 12, 12), 2008);
    club()->standing1 = 0;
    club()->standing2 = 0;
    screen->Refresh();
    const auto& entries = screen->List(1);
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].record->requirement > 0) {
            club()->standing2 = entries[i].record->requirement - 1;
            EXPECT_EQ(screen->Accept(1, static_cast<int>(i)), CSponsorScreen::Result::NotEligible);
            club()->standing2 = entries[i].record->requirement;
            EXPECT_EQ(screen->Accept(1, static_cast<int>(i)), CSponsorScreen::Result::Done);
            break;
        }
}

TEST_F(SponsorScreenTest, AFullListRefusesAnotherContractAndASelectionDoesNotEnableIt) {
    // One offer more than each list may sign.
    for (int list = 1; list <= 3; ++list)
        for (int k = Offered(list); k <= CSponsorScreen::Limit(list); ++k) {
            auto* extra = new CSponsorRecord;
            extra->kind = list;
            extra->months = 12;
            extra->amount = 1000;
            extra->name = CStr::Formatted("Extra %d-%d", list, k);
            kit.session.worldDB->sponsorOffers.Append(extra);
        }
    screen->Refresh();
    for (int list = 1; list <= 3; ++list) {
        ASSERT_GT(Offered(list), CSponsorScreen::Limit(list)) << "list " << list;
        for (int k = 0; k < CSponsorScreen::Limit(list); ++k)
            ASSERT_EQ(screen->Accept(list, FirstOffer(list)), CSponsorScreen::Result::Done);
        const int32_t cash = club()->cash;
        EXPECT_EQ(screen->Accept(list, FirstOffer(list)), CSponsorScreen::Result::ListFull);
        EXPECT_EQ(screen->Contracts(list), CSponsorScreen::Limit(list));
        EXPECT_EQ(club()->cash, cash);
    }
    screen->Refresh();
    CGuiElement* offers = Find(ID_SP_OFFERS_1);
    offers->SetSelectedRow(0);
    Send(ID_SP_OFFERS_1, kMsgSelection);
    EXPECT_EQ(offers->FindCell(3, 0)->data, 1);
    EXPECT_FALSE(Find(ID_SP_ACCEPT_1)->IsEnabled());
    Send(ID_SP_ACCEPT_1, kMsgClick);
    EXPECT_EQ(screen->Contracts(1), 4);
    // Dropping one makes room again.
    CGuiElement* contracts = Find(ID_SP_CONTRACTS_1);
    contracts->SetSelectedRow(0);
    Send(ID_SP_CONTRACTS_1, kMsgSelection);
    EXPECT_TRUE(Find(ID_SP_DROP_1)->IsEnabled());
    Send(ID_SP_DROP_1, kMsgClick);
    EXPECT_EQ(screen->Contracts(1), 3);
    offers->SetSelectedRow(0);
    Send(ID_SP_OFFERS_1, kMsgSelection);
    EXPECT_TRUE(Find(ID_SP_ACCEPT_1)->IsEnabled());
}

TEST_F(SponsorScreenTest, ContractsSurviveASaveAndReload) {
    ASSERT_EQ(screen->Accept(3, FirstOffer(3)), CSponsorScreen::Result::Done);
    const CStr name = kit.session.worldDB->sponsorContracts.At(0)->name;
    const int offers = kit.session.worldDB->sponsorOffers.Size();
    ASSERT_TRUE(kit.session.SaveCurrentCareer());
    const int32_t profile = kit.session.careerDB->profiles.At(0)->id;
    kit.session.LeaveCareer();
    ASSERT_TRUE(kit.session.LoadSavedCareer(profile));
    screen->Refresh();
    ASSERT_EQ(kit.session.worldDB->sponsorContracts.Size(), 1);
    EXPECT_EQ(kit.session.worldDB->sponsorContracts.At(0)->name, name);
    EXPECT_EQ(kit.session.worldDB->sponsorOffers.Size(), offers);
    EXPECT_EQ(screen->Contracts(3), 1);
    kit.session.DeleteSavedCareer(profile);
}

// A business manager hired on the staff screen after the sponsor screen's last refresh: the
// window shows him when opened and his mail goes out with the day's signing.
TEST_F(SponsorScreenTest, AManagerHiredTheSameDayIsShownAndSendsTheAcceptMail) {
    ASSERT_FALSE(FindHiredStaff(kit.session.careerDB, kStaffBusinessManager));
    const CStaffRecord* candidate = nullptr;
    for (const CStaffRecord* member : kit.session.worldDB->staff)
        if (!candidate && member->category == kStaffBusinessManager && member->clubId != club()->id)
            candidate = member;
    ASSERT_NE(candidate, nullptr);
    const CStr name = candidate->name;
    ASSERT_NE(HireStaffMember(kit.session.worldDB, *kit.session.careerDB, *candidate), nullptr);

    GuiMessage open;
    open.sID = -1;
    open.cID = ID_SPONSORS;
    open.MSG = kMsgSwitchTo;
    screen->OnMessage(open);
    EXPECT_NE(std::string(Find(ID_SP_MANAGER)->GetText().GetText()).find(name.GetText()), std::string::npos)
        << Find(ID_SP_MANAGER)->GetText().GetText();

    const auto& staffMails = kit.session.careerDB->emails.Folder(1);
    const size_t before = staffMails.size();
    Find(ID_SP_OFFERS_2)->SetSelectedRow(0);
    Send(ID_SP_OFFERS_2, kMsgSelection);
    Send(ID_SP_ACCEPT_2, kMsgClick);
    ASSERT_EQ(screen->Contracts(2), 1);
    ASSERT_EQ(staffMails.size(), before + 1);
    EXPECT_EQ(staffMails.back()->senderName, name);
}

// A row picked in the contracts grid before a signing points at another record once the new
// contract fills the grid: "Drop" waits for a fresh pick.
TEST_F(SponsorScreenTest, DropStaysOffAfterASigningUntilAContractIsPicked) {
    CGuiElement* contracts = Find(ID_SP_CONTRACTS_2);
    contracts->SetSelectedRow(0); // the empty row of an empty list
    Send(ID_SP_CONTRACTS_2, kMsgSelection);
    EXPECT_FALSE(Find(ID_SP_DROP_2)->IsEnabled());
    Find(ID_SP_OFFERS_2)->SetSelectedRow(0);
    Send(ID_SP_OFFERS_2, kMsgSelection);
    Send(ID_SP_ACCEPT_2, kMsgClick);
    ASSERT_EQ(screen->Contracts(2), 1);
    EXPECT_EQ(contracts->GetSelectedRow(), -1);
    EXPECT_FALSE(Find(ID_SP_DROP_2)->IsEnabled());
    contracts->SetSelectedRow(0);
    Send(ID_SP_CONTRACTS_2, kMsgSelection);
    EXPECT_TRUE(Find(ID_SP_DROP_2)->IsEnabled());
}

} // namespace
