// The transfer screen and the certificate list on the shipped layout with a new league career:
// the club filter, the squad limit on the Hire button, selections that follow their player through
// a refresh, and the contract talks from the demand to a signing with its fee and certificate.
#include "screens/stadium/TransferScreen.h"
#include "career/EventList.h"
#include "career/Transfers.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "gui/Element.h"
#include "gui/Grid.h"
#include "gui/Window.h"
#include "guidefines.h"
#include "screens/FormatMoney.h"
#include "screens/info/CertificateListScreen.h"
#include "screens/info/PlayerInfoWindow.h"

#include "ScreenTestKit.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class TransferScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kit.layoutLoaded);
        ASSERT_TRUE(kit.StartLeagueCareer(0, "Tester"));
        certificates = std::make_unique<CCertificateListScreen>(ctx);
        kit.screens[ScreenRole::Certificates] = certificates.get();
        screen = std::make_unique<CTransferScreen>(ctx);
        screen->Refresh();
    }
    CGuiElement* Find(int id) { return kit.stack.FindElement(id); }
    bool Send(int source, int kind = kMsgClick, int p1 = 0) {
        GuiMessage m = Message(source, kind, p1);
        screen->OnMessage(m);
        return m.sID == -1;
    }
    // Shows the players of the combo item whose data is `teamId`.
    void Filter(int32_t teamId) {
        CGuiElement* combo = Find(ID_TF_TEAMS);
        for (int i = 0; i < combo->GetItemCount(); ++i)
            if (combo->GetItemData(i) == teamId)
                combo->SetSelection(i);
        EXPECT_TRUE(Send(ID_TF_TEAMS, kMsgSelection));
        EXPECT_EQ(screen->TeamFilter(), teamId);
    }
    const TransferListEntry& SelectedMarket() {
        return *screen->Market()[static_cast<size_t>(screen->SelectedMarket())];
    }
    CTeam* Club() { return kit.session.UserClub(); }
    CStr BoxText() {
        CStr text;
        CGuiElement* box = Find(ID_TF_NEG_TEXT);
        return box ? box->GetText() : text;
    }
    void SignFreeAgentsUpTo(int squad) {
        CCareerSession& s = kit.session;
        while (static_cast<int>(Club()->players.size()) < squad) {
            CPlayer* agent = nullptr;
            for (CPlayer* p : s.worldDB->players)
                if (p->teamId <= -1)
                    agent = p;
            ASSERT_NE(agent, nullptr);
            TransferTerms terms;
            terms.playerId = agent->id;
            terms.months = 12;
            ASSERT_EQ(SignPlayer(*s.worldDB, *s.careerDB, nullptr, s.currentDate, terms, "No club"),
                      TransferResult::Done);
        }
    }

    ScreenKit kit;
    CScreenContext ctx = kit.MakeContext();
    std::unique_ptr<CCertificateListScreen> certificates;
    std::unique_ptr<CTransferScreen> screen;
};

} // namespace

TEST_F(TransferScreenTest, TheComboListsPlayersWithoutAClubFirstThenTheOtherClubsByName) {
    CGuiElement* combo = Find(ID_TF_TEAMS);
    const int items = combo->GetItemCount();
    ASSERT_EQ(items, kit.session.worldDB->teams.Size()); // every club but the user's, plus "No club"
    EXPECT_EQ(combo->GetItemText(0), ctx.Text(200088));
    EXPECT_EQ(combo->GetItemData(0), -1);
    for (int i = 1; i < items; ++i) {
        EXPECT_NE(combo->GetItemData(i), Club()->id);
        if (i > 1) {
            EXPECT_LT(strcmp(combo->GetItemText(i - 1).GetText(), combo->GetItemText(i).GetText()), 0);
        }
    }
    // The first item is chosen: the market shows the players without a club, and only them.
    EXPECT_EQ(screen->TeamFilter(), -1);
    CGuiElement* market = Find(ID_TF_MARKET);
    int agents = 0;
    for (const CPlayer* p : kit.session.worldDB->players)
        agents += p->teamId <= -1 ? 1 : 0;
    ASSERT_GT(agents, 0);
    EXPECT_EQ(market->GetRowCount(), agents);
    for (int row = 0; row < market->GetRowCount(); ++row)
        EXPECT_EQ(screen->Market()[static_cast<size_t>(market->FindCell(1, row)->data)]->teamId, -1);

    // A club shows its squad in squad order.
    const CTeam* other = kit.session.worldDB->teams.At(3);
    Filter(other->id);
    ASSERT_EQ(market->GetRowCount(), static_cast<int>(other->players.size()));
    for (int row = 0; row < market->GetRowCount(); ++row)
        EXPECT_EQ(market->FindCell(1, row)->text, other->players[static_cast<size_t>(row)]->name);
    EXPECT_EQ(Find(ID_TF_MARKET_TEAM)->GetText(), other->name);
}

TEST_F(TransferScreenTest, TheHireButtonFollowsTheSquadSizeBothWays) {
    EXPECT_TRUE(Find(ID_TF_NEGOTIATE)->IsEnabled());
    SignFreeAgentsUpTo(kSquadLimit);
    screen->Refresh();
    EXPECT_FALSE(Find(ID_TF_NEGOTIATE)->IsEnabled());
    EXPECT_FALSE(screen->SignPlayer(screen->SelectedMarket(), 5000, 12));

    // A squad that shrinks by any means (here straight in the career, as a loaded save would) may
    // sign again after the next fill.
    CCareerSession& s = kit.session;
    TransferTerms terms;
    terms.playerId = Club()->players.back()->id;
    ASSERT_EQ(ReleasePlayer(*s.worldDB, *s.careerDB, s.currentDate, terms, "No club"), TransferResult::Done);
    screen->Refresh();
    EXPECT_TRUE(Find(ID_TF_NEGOTIATE)->IsEnabled());
}

TEST_F(TransferScreenTest, SelectionsFollowTheirPlayerThroughARefresh) {
    CGuiElement* squadGrid = Find(ID_TF_SQUAD);
    ASSERT_GE(squadGrid->GetRowCount(), 4);
    EXPECT_TRUE(Send(ID_TF_SQUAD, kMsgSelection, 3));
    const int32_t squadId = screen->Squad()[static_cast<size_t>(screen->SelectedSquad())]->playerId;
    EXPECT_TRUE(Send(ID_TF_MARKET, kMsgSelection, 2));
    const int32_t marketId = SelectedMarket().playerId;
    const CStr marketName = SelectedMarket().name;

    // Players ahead of both leave their lists, so every index after them moves up.
    CCareerSession& s = kit.session;
    TransferTerms first;
    first.months = 12;
    first.playerId =
        screen->Market()[static_cast<size_t>(Find(ID_TF_MARKET)->FindCell(1, 0)->data)]->playerId;
    ASSERT_EQ(SignPlayer(*s.worldDB, *s.careerDB, nullptr, s.currentDate, first, "No club"),
              TransferResult::Done);
    TransferTerms gone;
    gone.playerId = Club()->players.front()->id;
    ASSERT_EQ(ReleasePlayer(*s.worldDB, *s.careerDB, s.currentDate, gone, "No club"), TransferResult::Done);
    screen->Refresh();

    ASSERT_GE(screen->SelectedSquad(), 0);
    EXPECT_EQ(screen->Squad()[static_cast<size_t>(screen->SelectedSquad())]->playerId, squadId);
    EXPECT_EQ(squadGrid->GetSelectedRow(), screen->SelectedSquad());
    ASSERT_GE(screen->SelectedMarket(), 0);
    EXPECT_EQ(SelectedMarket().playerId, marketId);
    EXPECT_EQ(Find(ID_TF_MARKET_NAME)->GetText(), marketName);
    EXPECT_EQ(Find(ID_TF_MARKET)->FindCell(1, Find(ID_TF_MARKET)->GetSelectedRow())->data,
              screen->SelectedMarket());

    // A row outside the grid changes nothing.
    EXPECT_TRUE(Send(ID_TF_MARKET, kMsgSelection, 500));
    EXPECT_EQ(SelectedMarket().playerId, marketId);
}

TEST_F(TransferScreenTest, ADoubleClickOpensTheWindowOfThePlayerOnThatRow) {
    CPlayerInfoWindow info(ctx);
    kit.screens[ScreenRole::PlayerInfo] = &info;
    EXPECT_TRUE(Send(ID_TF_MARKET, kMsgDoubleClick, 2));
    EXPECT_EQ(info.ShownPlayerId(), SelectedMarket().playerId);
    EXPECT_TRUE(Send(ID_TF_SQUAD, kMsgDoubleClick, 1));
    EXPECT_EQ(info.ShownPlayerId(), screen->Squad()[static_cast<size_t>(screen->SelectedSquad())]->playerId);
    EXPECT_NE(info.ShownPlayerId(), SelectedMarket().playerId);
    kit.screens.erase(ScreenRole::PlayerInfo);
}

TEST_F(TransferScreenTest, TermsChangedAfterAnAcceptanceMustBeAskedAgain) {
    // A free agent: both clubs have no matches yet, so the demand itself is accepted.
    ASSERT_TRUE(Send(ID_TF_NEGOTIATE));
    const TransferListEntry entry = SelectedMarket();
    const int32_t yearly = YearlyWageDemand(entry.attributes[12], entry.wageFactor, entry.rating);
    CGuiElement* grid = Find(ID_TF_NEG_GRID);
    ASSERT_NE(grid->FindCell(0, 0), nullptr);
    EXPECT_EQ(grid->FindCell(0, 0)->data, yearly / 12);
    // The yearly column starts at the sum the box text quotes.
    EXPECT_EQ(grid->FindCell(2, 0)->data, yearly);
    EXPECT_NE(BoxText().Find(FormatMoney(yearly).GetText()), -1);
    EXPECT_EQ(grid->FindCell(3, 0)->text, CStr::Formatted("%d", std::max(entry.contractMonths, 1)));
    EXPECT_FALSE(Find(ID_TF_NEG_SIGN)->IsEnabled());
    EXPECT_EQ(BoxText().Find(ctx.Text(200209).Left(10).GetText()), -1) << "a free agent costs no fee";

    Send(ID_TF_NEG_ASK);
    ASSERT_TRUE(screen->Agreed());
    EXPECT_TRUE(Find(ID_TF_NEG_SIGN)->IsEnabled());
    EXPECT_FALSE(Find(ID_TF_NEG_ASK)->IsEnabled());

    // Any change of the terms goes back to asking; neither sign button signs the new terms unasked.
    Send(ID_TF_NEG_MONTHS_DOWN);
    EXPECT_FALSE(screen->Agreed());
    EXPECT_FALSE(Find(ID_TF_NEG_SIGN)->IsEnabled());
    EXPECT_TRUE(Find(ID_TF_NEG_ASK)->IsEnabled());
    const size_t squad = Club()->players.size();
    EXPECT_TRUE(Send(ID_TF_NEG_SIGN));
    EXPECT_TRUE(Send(ID_TF_QUICKSIGN_SIGN));
    EXPECT_EQ(Club()->players.size(), squad);

    // Asked again, the new terms sign.
    Send(ID_TF_NEG_ASK);
    ASSERT_TRUE(screen->Agreed());
    EXPECT_TRUE(Send(ID_TF_NEG_SIGN));
    ASSERT_EQ(Club()->players.size(), squad + 1);
    const CPlayer* signed1 = kit.session.careerDB->FindPlayer(entry.playerId);
    ASSERT_NE(signed1, nullptr);
    EXPECT_EQ(signed1->contractMonths, std::max(std::max(entry.contractMonths, 1) - 1, 1));
    EXPECT_EQ(signed1->words[kWordWage], yearly / 12);
    // The lists and the certificate grid show the move at once.
    bool listed = false;
    for (const auto& e : screen->Squad())
        listed = listed || e->playerId == entry.playerId;
    EXPECT_TRUE(listed);
    CGuiElement* certificateGrid = Find(ID_CERT_GRID);
    ASSERT_EQ(certificateGrid->GetRowCount(), 1);
    EXPECT_EQ(certificateGrid->FindCell(0, 0)->text, entry.name);
    EXPECT_EQ(certificateGrid->FindCell(3, 0)->text, ctx.Text(200088));
    EXPECT_EQ(certificateGrid->FindCell(4, 0)->text, Club()->name);
}

TEST_F(TransferScreenTest, TheFeeShownIsTheFeeCharged) {
    // A player of another club whose rating is not 60.
    const CTeam* other = nullptr;
    int row = -1;
    for (const CTeam* team : kit.session.worldDB->teams) {
        if (team->id == Club()->id)
            continue;
        for (size_t i = 0; i < team->players.size() && row < 0; ++i)
            if (MarketRating(*team->players[i]) != 60) {
                other = team;
                row = static_cast<int>(i);
            }
        if (other)
            break;
    }
    ASSERT_NE(other, nullptr);
    Filter(other->id);
    ASSERT_TRUE(Send(ID_TF_MARKET, kMsgSelection, row));
    Send(ID_TF_NEGOTIATE);
    Send(ID_TF_NEG_WAGE_UP);
    Send(ID_TF_NEG_WAGE_UP);
    const TransferListEntry entry = SelectedMarket();
    const int32_t wage = Find(ID_TF_NEG_GRID)->FindCell(0, 0)->data;
    const int32_t fee = TransferFee(entry.rating, wage);
    ASSERT_GT(fee, 0);
    EXPECT_NE(BoxText().Find(FormatMoney(fee).GetText()), -1) << BoxText().GetText();

    // Whatever the verdict, a signing on these terms charges exactly that.
    const int32_t cash = Club()->cash;
    ASSERT_TRUE(screen->SignPlayer(screen->SelectedMarket(), wage, 12));
    EXPECT_EQ(Club()->cash, cash - fee);
    const CCalendarEvent* booked = kit.session.ledger->At(kit.session.ledger->Size() - 1);
    ASSERT_NE(booked, nullptr);
    EXPECT_EQ(booked->Kind(), kLedgerTransfer);
    EXPECT_EQ(PayloadAmount(booked->Payload()), fee);
}

TEST_F(TransferScreenTest, TheOfferedWageStopsAtItsCapAndAtTheLowestStep) {
    Send(ID_TF_NEGOTIATE);
    GuiGridCell* wage = Find(ID_TF_NEG_GRID)->FindCell(0, 0);
    ASSERT_NE(wage, nullptr);
    wage->data = kMaxMonthlyWage - 1000;
    Send(ID_TF_NEG_WAGE_UP);
    Send(ID_TF_NEG_WAGE_UP);
    EXPECT_EQ(wage->data, kMaxMonthlyWage);
    EXPECT_EQ(Find(ID_TF_NEG_GRID)->FindCell(2, 0)->data, kMaxMonthlyWage * 12);

    wage->data = 7000;
    Send(ID_TF_NEG_WAGE_DOWN);
    EXPECT_EQ(wage->data, 2000);
    Send(ID_TF_NEG_WAGE_DOWN);
    EXPECT_EQ(wage->data, 2000);
    // A contract runs at least a month.
    GuiGridCell* months = Find(ID_TF_NEG_GRID)->FindCell(3, 0);
    months->text = "1";
    Send(ID_TF_NEG_MONTHS_DOWN);
    EXPECT_EQ(months->text, CStr("1"));
}

TEST_F(TransferScreenTest, ASigningTheClubCannotPayIsRefusedWithAMessage) {
    Send(ID_TF_NEGOTIATE);
    const TransferListEntry entry = SelectedMarket();
    Send(ID_TF_NEG_ASK);
    ASSERT_TRUE(screen->Agreed());
    // The wage the player agreed to is more than the club holds.
    Club()->cash = Find(ID_TF_NEG_GRID)->FindCell(0, 0)->data - 1;
    const int32_t cash = Club()->cash;
    const size_t squad = Club()->players.size();
    const size_t booked = kit.session.ledger->Size();
    EXPECT_TRUE(Send(ID_TF_NEG_SIGN));
    EXPECT_EQ(Club()->players.size(), squad);
    EXPECT_EQ(Club()->cash, cash);
    EXPECT_EQ(kit.session.ledger->Size(), booked);
    EXPECT_EQ(kit.session.careerDB->FindPlayer(entry.playerId), nullptr);
    EXPECT_NE(BoxText().Find("cannot pay"), -1) << BoxText().GetText();
    EXPECT_FALSE(screen->Agreed());
    // No contract of no months, whatever the cash.
    Club()->cash = 100000000;
    EXPECT_FALSE(screen->SignPlayer(screen->SelectedMarket(), 5000, 0));
    EXPECT_NE(BoxText().Find("1 to 600 months"), -1) << BoxText().GetText();
    EXPECT_TRUE(screen->SignPlayer(screen->SelectedMarket(), 5000, 1));
}

TEST_F(TransferScreenTest, TheReleaseBoxSendsTheChosenPlayerAwayWithACertificate) {
    ASSERT_TRUE(Send(ID_TF_SQUAD, kMsgSelection, 1));
    const TransferListEntry chosen = *screen->Squad()[static_cast<size_t>(screen->SelectedSquad())];
    ASSERT_TRUE(Send(ID_TF_RELEASE));
    EXPECT_EQ(Find(ID_TF_RELEASE_YES)->GetText(), ctx.Text(300000));
    // The question names the player it lets go.
    const auto* box = dynamic_cast<const CGuiWindow*>(Find(ID_TF_RELEASE_BOX));
    ASSERT_NE(box, nullptr);
    EXPECT_NE(box->GetCaption().Find(chosen.name), -1) << box->GetCaption().GetText();
    const size_t squad = Club()->players.size();
    ASSERT_TRUE(Send(ID_TF_RELEASE_YES));
    EXPECT_EQ(Club()->players.size(), squad - 1);
    const CPlayer* released = kit.session.worldDB->FindPlayer(chosen.playerId);
    ASSERT_NE(released, nullptr);
    EXPECT_EQ(released->teamId, -1);
    // The certificate carries the rating the list and the card showed.
    ASSERT_EQ(kit.session.careerDB->certificates.Size(), 1);
    EXPECT_EQ(kit.session.careerDB->certificates.At(0)->rating, MarketRating(*released));
    EXPECT_EQ(Find(ID_CERT_GRID)->FindCell(4, 0)->text, ctx.Text(200088));
}

TEST_F(TransferScreenTest, TheCertificateListShowsItsCaptionsWithoutRowsForANewCareer) {
    certificates->Refresh();
    CGuiElement* grid = Find(ID_CERT_GRID);
    EXPECT_EQ(grid->GetRowCount(), 0);
    const int32_t captions[8] = {80035, 200092, 80071, 80050, 300110, 300111, 300113, 300112};
    for (int column = 0; column < 8; ++column) {
        const CStr header = static_cast<CGuiGridControl*>(grid)->HeaderText(column);
        EXPECT_FALSE(header.IsEmpty()) << column;
        EXPECT_EQ(header, ctx.Text(captions[column]));
    }
    const CStr caption = static_cast<CGuiWindow*>(Find(ID_CERTIFICATES))->GetCaption();
    EXPECT_NE(caption.Find(Club()->name.GetText()), -1) << caption.GetText();
    EXPECT_NE(caption.Find(ctx.Text(300117).GetText()), -1) << caption.GetText();
}
