// The season's end and the rollover on a fixture world of three leagues: the verdict and the
// prize, promotion with the bottom club of the league above coming down, clubs that stay, league
// rows that name nothing, and the new season on the generated world saved and loaded again.
#include "career/SeasonRollover.h"
#include "career/CareerSession.h"
#include "career/EventList.h"
#include "career/FixtureList.h"
#include "career/SeasonEnd.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"

#include "GameCopyTest.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

constexpr int kLeagueType = 100005;

// Leagues 0 (bottom), 1 and 2 (top), four clubs each: club ids 10 x row + 1..4, each with its
// own arena. The user's club is club 1 of league `userRow`, held by the career.
struct RolloverWorld {
    CCareerSession session;
    CMemoryDB* world = nullptr;
    CMemoryDB* career = nullptr;
    CTeam* user = nullptr;
    std::vector<std::unique_ptr<CMatchStat>> records;

    explicit RolloverWorld(int userRow) {
        delete session.worldDB;
        session.worldDB = world = new CMemoryDB();
        session.careerDB = career = new CMemoryDB();
        for (int row = 0; row < 3; ++row) {
            auto* league = new CLeague();
            league->id = row;
            league->nameTextId = 800000 + row;
            league->type = kLeagueType;
            league->classNumber = row;
            league->promotionLeague = row < 2 ? row + 1 : -1;
            league->relegationLeague = row > 0 ? row - 1 : -1;
            world->leagues.Append(league);
            for (int i = 1; i <= 4; ++i)
                AddClub(*world, league, row * 10 + i);
        }
        world->Link();

        CTeam* worldClub = world->FindTeam(userRow * 10 + 1);
        user = new CTeam(worldClub->CopyFields());
        career->teams.Append(user);
        auto* stadium = new CStadiumRecord(worldClub->stadium->CopyFields());
        career->stadiums.Append(stadium);
        auto* league = new CLeague(*world->leagues.At(userRow));
        league->teams.clear();
        career->leagues.Append(league);
        auto* profile = new CProfile();
        profile->id = 7;
        profile->clubId = user->id;
        career->profiles.Append(profile);
        career->managerClubId = user->id;
        career->Link();

        session.currentDate = GameDate{2008, 4, 30};
        SeasonSpan& season = session.fixtureList->Season();
        season.startYear = 2007;
        season.endYear = 2008;
    }

    static void AddClub(CMemoryDB& db, CLeague* league, int id) {
        auto* team = new CTeam();
        team->id = id;
        team->leagueId = league->id;
        team->name = CStr::Formatted("Club %d", id);
        team->stadiumKey = CStr::Formatted("arena_%d", id);
        db.teams.Append(team);
        auto* stadium = new CStadiumRecord();
        stadium->id = id;
        stadium->teamId = id;
        stadium->level = id;
        stadium->name = CStr::Formatted("Hall %d", id);
        stadium->picture = CStr::Formatted("hall_%d.png", id);
        db.stadiums.Append(stadium);
    }

    CTeam* Club(int id) const { return id == user->id ? user : world->FindTeam(id); }

    // A season's record for one club: `wins` of ten games won, each by `winBy`, each defeat by 10.
    void Record(int clubId, int wins, int winBy = 10) {
        CTeam* team = Club(clubId);
        for (int game = 0; game < 10; ++game) {
            auto stat = std::make_unique<CMatchStat>();
            stat->Field(3) = clubId;
            stat->Field(8) = 2007;
            stat->Field(7) = 10;
            stat->Field(6) = 1 + game;
            stat->Field(9) = game < wins ? 70 + winBy : 70;
            stat->Field(10) = game < wins ? 70 : 80;
            team->matchStats.push_back(stat.get());
            records.push_back(std::move(stat));
        }
    }
    // Every club of the league by wins, in the order given (the first the best).
    void Table(int row, std::initializer_list<int> bestFirst) {
        int wins = 9;
        for (int id : bestFirst)
            Record(row * 10 + id, wins--);
    }

    ~RolloverWorld() {
        for (CTable<CTeam>* teams : {&world->teams, &career->teams})
            for (CTeam* team : *teams)
                team->matchStats.clear();
    }

    std::vector<int> TeamIds(int row) const {
        std::vector<int> ids;
        for (const CTeam* team : world->leagues.At(row)->teams)
            ids.push_back(team->id);
        return ids;
    }
};

CStr Texts(int id) {
    return CStr::Formatted("T%d", id);
}

} // namespace

TEST(SeasonRollover, AChampionGoesUpAndTheBottomClubAboveComesDownWithTheSwappedArena) {
    GameSrand(5);
    RolloverWorld w(0);
    w.Table(0, {1, 2, 3, 4}); // the user's club 1 wins league 0
    w.Table(1, {2, 1, 4, 3}); // 13 is last
    ASSERT_EQ(w.world->leagues.At(1)->teams.size(), 4u);

    RolloverOutcome outcome = StartNewSeason(w.session, Texts, {});
    EXPECT_TRUE(outcome.promoted);
    const CLeague* league = w.career->leagues.At(0);
    EXPECT_EQ(league->id, 1);
    EXPECT_EQ(league->nameTextId, 800001);
    EXPECT_EQ(league->promotionLeague, 2);
    EXPECT_EQ(league->relegationLeague, 0);
    EXPECT_EQ(w.user->leagueId, 1);
    EXPECT_EQ(w.world->FindTeam(1)->leagueId, 1);
    // League 1's bottom club (13) has taken the user's place in league 0.
    EXPECT_EQ(w.TeamIds(0), (std::vector<int>{2, 3, 4, 13}));
    EXPECT_EQ(w.TeamIds(1), (std::vector<int>{11, 12, 14, 1}));
    const CTeam* down = w.world->FindTeam(13);
    EXPECT_EQ(down->leagueId, 0);
    // The arena key, its level and its picture changed hands.
    EXPECT_STREQ(w.user->stadiumKey.GetText(), "arena_13");
    EXPECT_EQ(w.user->stadium->level, 13);
    EXPECT_STREQ(w.user->stadium->picture.GetText(), "hall_13.png");
    EXPECT_STREQ(down->stadiumKey.GetText(), "arena_1");
    EXPECT_EQ(down->stadium->level, 1);
    EXPECT_STREQ(down->stadium->picture.GetText(), "hall_1.png");
    EXPECT_STREQ(w.user->stadium->name.GetText(), "Hall 1"); // the name stays with the club

    // The new season: 1 August, the user's club home and away against each of league 1's clubs.
    EXPECT_EQ(w.session.currentDate, (GameDate{2008, 8, 1}));
    EXPECT_TRUE(outcome.scheduled);
    std::set<int> opponents;
    int userGames = 0;
    for (int i = 0; i < w.session.fixtureList->Size(); ++i) {
        const CFixture* f = w.session.fixtureList->At(i);
        EXPECT_GE(f->DateKey(), FixtureDateKey(2008, 9, 1));
        EXPECT_LE(f->DateKey(), FixtureDateKey(2009, 5, 31));
        EXPECT_EQ(f->homeScore, -1);
        if (f->home->id == 1 || f->away->id == 1) {
            ++userGames;
            opponents.insert(f->home->id == 1 ? f->away->id : f->home->id);
            EXPECT_EQ(f->leagueId, 1);
        }
    }
    EXPECT_EQ(userGames, 6);
    EXPECT_EQ(opponents, (std::set<int>{11, 12, 14}));
    EXPECT_EQ(w.session.fixtureList->Season().startYear, 2008);
    EXPECT_EQ(w.session.fixtureList->Season().endYear, 2009);
    EXPECT_EQ(w.career->profiles.At(0)->managerNumber, 31);
}

// The results window judges the last day, then the new season starts: the manager is a year older,
// not two.
TEST(SeasonRollover, TheManagerIsOneYearOlderEachSeason) {
    GameSrand(5);
    RolloverWorld w(0);
    w.Table(0, {1, 2, 3, 4});
    JudgeSeasonEnd(w.session, BuildSeasonStandings(w.session, Texts));
    StartNewSeason(w.session, Texts, {});
    EXPECT_EQ(w.career->profiles.At(0)->managerNumber, 31);
}

TEST(SeasonRollover, ClubsThatDidNotWinAndChampionsOfTheTopLeagueStay) {
    struct Case {
        int userRow;
        bool userWins;
    };
    for (Case c : {Case{2, true}, Case{0, false}, Case{1, false}}) {
        SCOPED_TRACE(c.userRow);
        RolloverWorld w(c.userRow);
        const int base = c.userRow * 10;
        if (c.userWins)
            w.Table(c.userRow, {1, 2, 3, 4});
        else
            w.Table(c.userRow, {2, 1, 3, 4});
        const std::vector<int> before[3] = {w.TeamIds(0), w.TeamIds(1), w.TeamIds(2)};
        bool mailed = false;
        RolloverOutcome outcome = StartNewSeason(w.session, Texts, [&] { mailed = true; });
        EXPECT_FALSE(outcome.promoted);
        EXPECT_TRUE(mailed);
        EXPECT_EQ(w.career->leagues.At(0)->id, c.userRow);
        EXPECT_EQ(w.user->leagueId, c.userRow);
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(w.TeamIds(row), before[row]);
        EXPECT_STREQ(w.user->stadiumKey.GetText(), CStr::Formatted("arena_%d", base + 1).GetText());
        EXPECT_EQ(w.session.currentDate, (GameDate{2008, 8, 1}));
        EXPECT_GT(w.session.fixtureList->Size(), 0);
    }
}

// The summer the rollover jumps over costs what a played month does, holds a camp booked for it
// and closes every month, so August's overview starts from the club's real cash.
TEST(SeasonRollover, TheSkippedSummerBooksItsMonthsCampsAndLoans) {
    RolloverWorld w(1);
    w.Table(1, {2, 1, 3, 4});
    CEventList& ledger = *w.session.ledger;
    ledger.Clear();
    w.user->cash = 2000000;
    auto* player = new CPlayer();
    player->id = 5001;
    player->words[kWordWage] = 10000;
    w.career->players.Append(player);
    w.user->players.push_back(player);
    auto* camp = new CCampBooking();
    camp->year = 2008;
    camp->week = 27;
    camp->cost = 150000;
    GameDate campDay;
    CCalendar::DateOfWeek(2008, 27, campDay);
    ASSERT_EQ(campDay.month, 7);
    w.career->campBookings.Append(camp);
    auto* loan = new CLoan();
    loan->year = 2008;
    loan->month = 1;
    loan->day = 10;
    loan->amount = 60000;
    loan->months = 6;
    loan->instalment = 11500;
    loan->paid = 3; // January's loan has paid February to April
    w.career->loans.Append(loan);

    const RolloverOutcome outcome = StartNewSeason(w.session, Texts, {});
    ASSERT_EQ(w.session.currentDate, (GameDate{2008, 8, 1}));
    // What the manager is told: each day that moved the money, in order, adding up to the change.
    int64_t told = 0;
    int firsts = 0;
    for (size_t i = 0; i < outcome.summerBookings.size(); ++i) {
        const SkippedDayBooking& booked = outcome.summerBookings[i];
        told += booked.cost;
        firsts += booked.date.day == 1 ? 1 : 0;
        if (i > 0) {
            EXPECT_LT(MakeDateKey(outcome.summerBookings[i - 1].date), MakeDateKey(booked.date));
        }
    }
    EXPECT_EQ(firsts, 4) << "May, June, July and August";
    EXPECT_EQ(told, 2000000 - int64_t{w.user->cash});
    const CStr text = SummerBookingsText(outcome.summerBookings, w.user->cash, Texts);
    EXPECT_STREQ(text.GetText(), "T100374");
    const CStr listed = SummerBookingsText(outcome.summerBookings, w.user->cash,
                                           [](int) { return CStr("Booked: XX1. Cash: XX2."); });
    EXPECT_NE(listed.Find(CStr("01.05.2008 ") + MoneyText(static_cast<int>(outcome.summerBookings[0].cost))),
              -1)
        << listed.GetText();
    EXPECT_NE(listed.Find(CStr("Cash: ") + MoneyText(w.user->cash)), -1) << listed.GetText();
    EXPECT_TRUE(SummerBookingsText({}, 0, Texts).IsEmpty());
    int camps = 0, wages = 0, instalments = 0;
    int64_t sum = 0;
    for (size_t i = 0; i < ledger.Size(); ++i) {
        const CCalendarEvent* event = ledger.At(i);
        if (event->Kind() == kLedgerMonthChange)
            continue;
        const int64_t amount = PayloadAmount(event->Payload());
        sum += PayloadDirection(event->Payload()) == kIncome ? amount : -amount;
        camps += event->Kind() == kLedgerTrainingCamp ? 1 : 0;
        wages += event->Kind() == kLedgerWages ? 1 : 0;
        instalments += event->Kind() == kLedgerLoan ? 1 : 0;
    }
    EXPECT_EQ(camps, 1);
    EXPECT_EQ(wages, 4) << "May, June, July and August";
    EXPECT_EQ(instalments, 3);
    EXPECT_TRUE(w.career->loans.IsEmpty());
    EXPECT_EQ(w.user->cash, 2000000 + sum);
    EXPECT_EQ(w.user->cash, 2000000 - 150000 - 4 * 10000 - 3 * 11500 - 4 * w.user->stadium->upkeep);
    // July closes in the books, so August brings the cash before August's bookings forward.
    EXPECT_EQ(ledger.GetMonthEndBalance(2008, 7),
              2000000 - 150000 - 3 * 10000 - 3 * 11500 - 3 * w.user->stadium->upkeep);
}

// Clubs on the same win share: the points difference decides who goes up and who comes down.
TEST(SeasonRollover, EqualWinSharesArePartedByPointsDifferenceForPromotionAndTheDrop) {
    for (bool userAhead : {false, true}) {
        SCOPED_TRACE(userAhead ? "the user's club ahead" : "the rival ahead");
        RolloverWorld w(0);
        // Clubs 1 (the user's) and 2 win nine of ten; one of them by more in each win.
        w.Record(1, 9, userAhead ? 20 : 5);
        w.Record(2, 9, userAhead ? 5 : 20);
        w.Record(3, 4);
        w.Record(4, 2);
        // Above, 13 and 14 win one of ten; 14 by less, so it is the bottom club.
        w.Record(11, 7);
        w.Record(12, 5);
        w.Record(13, 1, 30);
        w.Record(14, 1, 2);

        const CompetitionList standings = BuildSeasonStandings(w.session, Texts);
        const SeasonVerdict verdict = JudgeSeasonEnd(w.session, standings);
        EXPECT_EQ(verdict.champion, userAhead);
        EXPECT_EQ(verdict.prizePaid, userAhead);
        EXPECT_EQ(verdict.position, userAhead ? 1 : 2);

        const RolloverOutcome outcome = StartNewSeason(w.session, Texts, {});
        EXPECT_EQ(outcome.promoted, userAhead);
        if (userAhead) {
            EXPECT_EQ(w.TeamIds(0), (std::vector<int>{2, 3, 4, 14}));
            EXPECT_EQ(w.TeamIds(1), (std::vector<int>{11, 12, 13, 1}));
        } else {
            EXPECT_EQ(w.TeamIds(0), (std::vector<int>{1, 2, 3, 4}));
            EXPECT_EQ(w.TeamIds(1), (std::vector<int>{11, 12, 13, 14}));
        }
    }
}

TEST(SeasonRollover, LeagueRowsThatNameNothingAndAClubNotInItsLeagueChangeNothing) {
    auto snapshot = [](const RolloverWorld& w) {
        std::vector<int> state{w.career->leagues.At(0)->id, w.career->leagues.At(0)->promotionLeague,
                               w.user->leagueId};
        for (int row = 0; row < 3; ++row)
            for (int id : w.TeamIds(row))
                state.push_back(row * 100 + id);
        return state;
    };
    for (int fault = 0; fault < 4; ++fault) {
        SCOPED_TRACE(fault);
        RolloverWorld w(0);
        w.Table(0, {1, 2, 3, 4});
        CLeague* league = w.career->leagues.At(0);
        if (fault == 0)
            league->promotionLeague = 3; // past the end of the list
        else if (fault == 1)
            league->id = 9; // the career's league is no row of the world
        else if (fault == 2)
            w.world->leagues.At(0)->id = 5; // the row holds another league
        else                                // the club is missing from its own league's list
            w.world->leagues.At(0)->teams.erase(w.world->leagues.At(0)->teams.begin());
        const std::vector<int> before = snapshot(w);
        EXPECT_EQ(MoveTeamToLeague(w.world, w.career, league, false, BuildSeasonStandings(w.session, Texts)),
                  nullptr);
        EXPECT_EQ(snapshot(w), before);
        EXPECT_STREQ(w.user->stadiumKey.GetText(), "arena_1");
    }
    // The relegation path's -1 of the bottom league is a bad row too.
    RolloverWorld w(0);
    EXPECT_EQ(MoveTeamToLeague(w.world, w.career, w.career->leagues.At(0), true, {}), nullptr);
    EXPECT_EQ(w.career->leagues.At(0)->id, 0);
}

TEST(SeasonRollover, WithoutATableAboveTheFirstClubThatIsNotTheUsersComesDown) {
    RolloverWorld w(0);
    CLeague* left = w.world->leagues.At(0);
    CLeague* joined = w.world->leagues.At(1);
    // The user's club has just arrived at the head of the league above; no standings exist.
    CTeam* worldClub = w.world->FindTeam(1);
    joined->teams.insert(joined->teams.begin(), worldClub);
    left->teams.erase(left->teams.begin());
    EXPECT_TRUE(UpdateLeagueAfterMove(w.career, left, joined, false, {}));
    EXPECT_EQ(w.TeamIds(1), (std::vector<int>{1, 12, 13, 14}));
    EXPECT_EQ(w.TeamIds(0).back(), 11);
    EXPECT_STREQ(w.user->stadiumKey.GetText(), "arena_11");
    // A league holding only the user's club sends nobody.
    CLeague lonely;
    lonely.id = 2;
    lonely.teams = {worldClub};
    EXPECT_FALSE(UpdateLeagueAfterMove(w.career, left, &lonely, false, {}));
    EXPECT_FALSE(UpdateLeagueAfterMove(w.career, nullptr, joined, false, {}));
}

TEST(SeasonEnd, TheChampionIsPaidOnceAndTheBottomClubIsWarned) {
    RolloverWorld w(0);
    w.Table(0, {1, 2, 3, 4});
    const int cash = w.user->cash;
    CompetitionList table = BuildSeasonStandings(w.session, Texts);
    SeasonVerdict verdict = JudgeSeasonEnd(w.session, table);
    EXPECT_TRUE(verdict.champion);
    EXPECT_TRUE(verdict.prizePaid);
    EXPECT_EQ(verdict.position, 1);
    EXPECT_EQ(w.user->cash, cash + kChampionPrize);
    // In the books as well, as the club's prize money and the month's other income.
    EXPECT_EQ(w.user->money11, kChampionPrize);
    const GameDate today = w.session.currentDate;
    EXPECT_EQ(w.session.ledger->SumMonth(today.year, today.month, kIncome, today), kChampionPrize);
    // The last day's other callers judge again: the prize and the counters stay as they are, even
    // after the career was left and loaded again in the same run.
    verdict = JudgeSeasonEnd(w.session, table);
    EXPECT_TRUE(verdict.champion);
    EXPECT_FALSE(verdict.prizePaid);
    EXPECT_EQ(w.user->cash, cash + kChampionPrize);
    EXPECT_EQ(w.career->profiles.At(0)->progress, 1);
    // The age rises with the new season, not at the season's end.
    EXPECT_EQ(w.career->profiles.At(0)->managerNumber, 30);
    EXPECT_FALSE(w.session.careerOver);
    // The next season's end pays again.
    w.session.fixtureList->Season().endYear = 2009;
    EXPECT_TRUE(JudgeSeasonEnd(w.session, table).prizePaid);
    EXPECT_EQ(w.user->cash, cash + 2 * kChampionPrize);
    EXPECT_EQ(w.session.ledger->SumMonth(today.year, today.month, kIncome, today), 2 * kChampionPrize);

    RolloverWorld bottom(1);
    bottom.Table(1, {2, 3, 4, 1});
    verdict = JudgeSeasonEnd(bottom.session, BuildSeasonStandings(bottom.session, Texts));
    EXPECT_TRUE(verdict.bottom);
    EXPECT_FALSE(verdict.champion);
    EXPECT_EQ(verdict.position, 4);
    EXPECT_TRUE(bottom.session.careerOver);
    EXPECT_EQ(bottom.user->cash, 0);

    // A league of one club: the club leads it.
    RolloverWorld alone(2);
    CLeague* top = alone.world->leagues.At(2);
    top->teams.resize(1);
    alone.Record(21, 3);
    verdict = JudgeSeasonEnd(alone.session, BuildSeasonStandings(alone.session, Texts));
    EXPECT_TRUE(verdict.champion);
    EXPECT_FALSE(verdict.bottom);
    EXPECT_FALSE(alone.session.careerOver);
}

TEST(SeasonEnd, TournamentPlacesBelowTheQualifyingOnesAreOut) {
    // EuroCup stages: 3, 4, 1, 1 go through; the World cup's: 4, 1, 1, 1.
    EXPECT_FALSE(IsOutOfTournament(0, true, 3));
    EXPECT_TRUE(IsOutOfTournament(0, true, 4));
    EXPECT_FALSE(IsOutOfTournament(1, true, 4));
    EXPECT_TRUE(IsOutOfTournament(2, true, 2));
    EXPECT_FALSE(IsOutOfTournament(0, false, 4));
    EXPECT_TRUE(IsOutOfTournament(0, false, 5));
    EXPECT_FALSE(IsOutOfTournament(1, false, 1));
    EXPECT_TRUE(IsOutOfTournament(1, false, 2));
    EXPECT_FALSE(IsOutOfTournament(4, false, 9));

    RolloverWorld w(0);
    w.session.tournamentMode = 1;
    w.session.cupStage = 1;
    w.Table(0, {2, 1, 3, 4});
    SeasonVerdict verdict = JudgeSeasonEnd(w.session, BuildSeasonStandings(w.session, Texts));
    EXPECT_TRUE(verdict.knockedOut);
    EXPECT_FALSE(verdict.bottom);
    EXPECT_TRUE(w.session.tournamentExit);
    EXPECT_FALSE(w.session.careerOver);

    // Out, the groups give way to one table of every team that the career's league copies.
    ASSERT_TRUE(ReplaceLeaguesWithRoundList(w.session));
    ASSERT_EQ(w.world->leagues.Size(), 1);
    EXPECT_EQ(w.world->leagues.At(0)->teams.size(), 12u);
    EXPECT_EQ(w.world->leagues.At(0)->nameTextId, kWorldCupRoundListText);
    EXPECT_EQ(w.career->leagues.At(0)->id, 0);
    EXPECT_EQ(w.career->leagues.At(0)->type, kCupLeagueType);
    EXPECT_EQ(w.career->leagues.At(0)->teams.size(), 1u);
    for (const CTeam* team : w.world->teams)
        EXPECT_EQ(team->leagueId, 0);
}

// ---- the generated world -------------------------------------------------------------------------

class RolloverCareerTest : public GameCopyTest {};

TEST_F(RolloverCareerTest, APromotedCareerSavedAfterTheRolloverLoadsAsTheNewSeason) {
    GameSrand(11);
    CMemoryDB data;
    ASSERT_TRUE(LoadWorldData(data, kDataSetLeague));
    const int32_t clubId = data.leagues.At(0)->teams.front()->id;
    ASSERT_TRUE(m_session->StartNewCareer(kDataSetLeague, clubId, "Rollo"));
    CCareerSession& s = *m_session;
    // The user's club wins every game of its league; the others share the rest.
    std::vector<std::unique_ptr<CMatchStat>> kept;
    for (CTeam* team : s.worldDB->leagues.At(0)->teams) {
        CTeam* holder = team->id == clubId ? s.UserClub() : team;
        auto* stat = new CMatchStat();
        stat->Field(3) = team->id;
        stat->Field(8) = 2007;
        stat->Field(7) = 11;
        stat->Field(6) = 3;
        stat->Field(9) = team->id == clubId ? 99 : 60 + team->id % 7;
        stat->Field(10) = 70;
        holder->matchStats.push_back(stat);
        (team->id == clubId ? s.careerDB : s.worldDB)->matchStats.Append(stat);
    }
    s.currentDate = GameDate{2008, 4, 28};
    ASSERT_TRUE(StartNewSeason(s, {}, {}).promoted);
    EXPECT_EQ(s.UserLeague()->id, 1);
    EXPECT_EQ(s.currentDate, (GameDate{2008, 8, 1}));
    const int fixtures = s.fixtureList->Size();
    const GameDate last = s.fixtureList->LastDate();
    ASSERT_GT(fixtures, 0);
    ASSERT_TRUE(s.SaveCurrentCareer());
    const int32_t profileId = s.careerDB->profiles.At(0)->id;
    const CStr key = s.UserClub()->stadiumKey;

    s.LeaveCareer();
    ASSERT_TRUE(s.LoadSavedCareer(profileId));
    EXPECT_EQ(s.currentDate, (GameDate{2008, 8, 1}));
    EXPECT_EQ(s.UserLeague()->id, 1);
    EXPECT_EQ(s.UserLeague()->promotionLeague, 2);
    EXPECT_EQ(s.UserClub()->leagueId, 1);
    EXPECT_STREQ(s.UserClub()->stadiumKey.GetText(), key.GetText());
    EXPECT_EQ(s.fixtureList->Size(), fixtures);
    EXPECT_EQ(s.fixtureList->LastDate(), last);
    EXPECT_EQ(s.fixtureList->Season().startYear, 2008);
    // Eight clubs a league still: the world lists agree with the clubs' league ids.
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(s.worldDB->leagues.At(row)->teams.size(), 8u);
        for (const CTeam* team : s.worldDB->leagues.At(row)->teams)
            EXPECT_EQ(team->leagueId, row);
    }
    EXPECT_EQ(s.worldDB->FindTeam(clubId)->leagueId, 1);
}

// The game's years bound the fixtures a save may hold and the seasons the rollover starts, so
// every career the game saves loads again: a fixture moved to the last day its season allows is
// played, the rollover goes on to the next 1 August, and that save loads; one beyond is refused.
TEST_F(RolloverCareerTest, AFixtureOnTheLastDayItsSeasonAllowsEndsInASaveThatLoads) {
    GameSrand(12);
    CMemoryDB data;
    ASSERT_TRUE(LoadWorldData(data, kDataSetLeague));
    ASSERT_TRUE(m_session->StartNewCareer(kDataSetLeague, data.leagues.At(0)->teams.front()->id, "Years"));
    CCareerSession& s = *m_session;
    const int32_t profileId = s.careerDB->profiles.At(0)->id;
    const int seasonStart = s.fixtureList->Season().startYear;
    ASSERT_TRUE(SeasonFitsGameYears(seasonStart));
    CFixture* moved = s.fixtureList->At(s.fixtureList->Size() - 1);

    moved->year = seasonStart + kSeasonYears;
    moved->month = 1;
    moved->day = 10;
    ASSERT_TRUE(s.SaveCurrentCareer());
    s.LeaveCareer();
    EXPECT_FALSE(s.LoadSavedCareer(profileId)) << "a fixture a year past its season";

    GameSrand(12);
    ASSERT_TRUE(m_session->StartNewCareer(kDataSetLeague, data.leagues.At(0)->teams.front()->id, "Years"));
    const int32_t id = s.careerDB->profiles.At(0)->id;
    moved = s.fixtureList->At(s.fixtureList->Size() - 1);
    moved->year = seasonStart + kSeasonYears - 1;
    moved->month = 12;
    moved->day = 30;
    ASSERT_TRUE(s.SaveCurrentCareer());
    s.LeaveCareer();
    ASSERT_TRUE(s.LoadSavedCareer(id));
    const GameDate last = s.fixtureList->LastDate();
    EXPECT_EQ(last, (GameDate{seasonStart + kSeasonYears - 1, 12, 30}));
    EXPECT_EQ(s.fixtureList->Season().endYear, seasonStart + kSeasonYears - 1);

    // Every fixture played, the season ends on its last day; the date only ever moves on.
    for (int i = 0; i < s.fixtureList->Size(); ++i) {
        s.fixtureList->At(i)->homeScore = 80;
        s.fixtureList->At(i)->awayScore = 70;
    }
    s.currentDate = last;
    RolloverOutcome outcome = StartNewSeason(s, {}, {});
    EXPECT_TRUE(outcome.dateMoved);
    EXPECT_TRUE(outcome.scheduled);
    EXPECT_EQ(s.currentDate, (GameDate{last.year + 1, 8, 1}));
    ASSERT_TRUE(s.SaveCurrentCareer());
    s.LeaveCareer();
    ASSERT_TRUE(s.LoadSavedCareer(id));
    EXPECT_EQ(s.currentDate, (GameDate{last.year + 1, 8, 1}));
    EXPECT_EQ(s.fixtureList->Season().startYear, last.year + 1);
}

TEST_F(RolloverCareerTest, NoSeasonStartsBeyondTheGamesYears) {
    GameSrand(13);
    CMemoryDB data;
    ASSERT_TRUE(LoadWorldData(data, kDataSetLeague));
    ASSERT_TRUE(m_session->StartNewCareer(kDataSetLeague, data.leagues.At(0)->teams.front()->id, "End"));
    CCareerSession& s = *m_session;
    const int fixtures = s.fixtureList->Size();
    const int32_t league = s.UserLeague()->id;
    // The last season the game holds ends in its last year: from there no new season begins and
    // the career is left as it was, so it still saves and loads.
    s.currentDate = GameDate{kLastGameYear, 4, 30};
    RolloverOutcome outcome = StartNewSeason(s, {}, {});
    EXPECT_FALSE(outcome.dateMoved);
    EXPECT_FALSE(outcome.scheduled);
    EXPECT_FALSE(outcome.promoted);
    EXPECT_EQ(s.currentDate, (GameDate{kLastGameYear, 4, 30}));
    EXPECT_EQ(s.fixtureList->Size(), fixtures);
    EXPECT_EQ(s.UserLeague()->id, league);
    // The season before still fits.
    s.currentDate = GameDate{kLastSeasonStartYear, 4, 30};
    EXPECT_TRUE(StartNewSeason(s, {}, {}).scheduled);
    EXPECT_EQ(s.fixtureList->LastDate().year, kLastGameYear);
}
