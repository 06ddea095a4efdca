// The end of a 3D match on scripted rosters: one match record per club and one player record per
// squad player in the right database, the fixture's score, the hurt booked out, once per match,
// a stale fixture index left alone, and the hand-over to the results on the season's last day.
#include "ScreenTestKit.h"

#include "FakeDayShell.h"
#include "career/FixtureList.h"
#include "match3d/FakeMatch.h"
#include "match3d/MatchTeam.h"
#include "screens/info/DayController.h"
#include "screens/match/Match3DRecord.h"

#include <gtest/gtest.h>

namespace {

using screentest::MatchScreenRig;

// A roster of the club's squad, every player with a few figures of his own; `leaveOut` players at
// the end of the squad are not in it.
void FillRoster(CMatchTeam& side, const CTeam& club, bool user, int leaveOut = 0) {
    side.isUserTeam = user ? 1 : 0;
    const int count = static_cast<int>(club.players.size()) - leaveOut;
    for (int i = 0; i < count; ++i) {
        auto* p = new CCourtPlayer();
        p->playerId = club.players[static_cast<size_t>(i)]->id;
        p->twoPointAttempts = 3 + i;
        p->twoPointersMade = 1 + i % 3;
        p->threePointAttempts = 2;
        p->threePointersMade = i % 2;
        p->freeThrowsAttempted = 2;
        p->freeThrowsMade = 1;
        p->fieldGoalsAttempted = p->twoPointAttempts + p->threePointAttempts;
        p->fieldGoalsMade = p->twoPointersMade + p->threePointersMade;
        p->offensiveRebounds = 1;
        p->defensiveRebounds = 2 + i % 2;
        p->steals = i % 3;
        p->goodPasses = 5;
        p->badPasses = 1;
        p->turnovers = 2; // the bad pass and a ball stolen from him
        p->blocks = 2;
        p->secondsOnCourt = 600 + i;
        p->foulsCharged = i % 4;
        p->foulsBooked = 1;
        p->foulsInAttack = i % 4 > 0 ? 1 : 0;
        p->ballsWon = 1;
        side.AddPlayerPointer(p);
    }
}

struct RecordRig : MatchScreenRig {
    CTeam* user = nullptr;
    CTeam* other = nullptr;
    CMatchTeam homeSide, awaySide;
    CMatch3DRecorder recorder;

    explicit RecordRig(bool userAtHome) {
        user = Club();
        other = world.clubs[0];
        session.currentDate = GameDate{2007, 10, 3};
        CLeague* league = session.worldDB->leagues.At(0);
        // The schedule names the world's club ids; the user's club plays as the career's record.
        session.fixtureList->AddFixture(other, world.clubs[1], league, 2007, 10, 3);
        if (userAtHome)
            session.fixtureList->AddFixture(user, other, league, 2007, 10, 3);
        else
            session.fixtureList->AddFixture(other, user, league, 2007, 10, 3);
        session.fixtureList->AddFixture(world.clubs[0], world.clubs[1], league, 2008, 4, 20);
        session.fixtureList->FinishSchedule();
        CTeam* home = userAtHome ? user : other;
        CTeam* away = userAtHome ? other : user;
        FillRoster(homeSide, *home, userAtHome);
        FillRoster(awaySide, *away, !userAtHome, userAtHome ? 1 : 0);
        homeSide.score = 88;
        awaySide.score = 79;
        recorder.SetMatchParams(home, away, 1, 2007, 10, 3);
    }
};

} // namespace

TEST(Match3DRecord, OneMatchRecordPerClubAndOnePlayerRecordPerSquadPlayer) {
    RecordRig rig(true);
    CMemoryDB& career = *rig.session.careerDB;
    CMemoryDB& world = *rig.session.worldDB;
    // The last squad player of the away club is not in its roster: he was injured and stays so.
    CPlayer* missing = rig.other->players.back();
    missing->words[kWordInjured] = 1;
    missing->words[kWordDaysOut] = 4;
    // A home player hurt in the match; another was hurt before it and played.
    rig.homeSide.players[2]->injured = 1;
    rig.user->players[3]->words[kWordInjured] = 1;
    rig.user->players[3]->words[kWordDaysOut] = 6;
    // Two twos, a three and three of four free throws.
    CCourtPlayer& scorer = *rig.homeSide.players[4];
    scorer.twoPointersMade = 2;
    scorer.threePointersMade = 1;
    scorer.freeThrowsMade = 3;
    scorer.freeThrowsAttempted = 4;
    // Field goals: the scorer's three of seven, nobody else's.
    for (CCourtPlayer* p : rig.homeSide.players)
        p->fieldGoalsMade = p->fieldGoalsAttempted = 0;
    scorer.fieldGoalsMade = 3;
    scorer.fieldGoalsAttempted = 7;

    std::vector<int32_t> chosenFive;
    for (const CPlayer* player : rig.user->players)
        chosenFive.push_back(player->words[kWordMatchState]);
    ASSERT_TRUE(rig.recorder.RecordMatch(rig.session, rig.homeSide, rig.awaySide));
    ASSERT_EQ(career.matchStats.Size(), 1);
    ASSERT_EQ(world.matchStats.Size(), 1);
    const CMatchStat& h = *career.matchStats.At(0);
    const CMatchStat& a = *world.matchStats.At(0);
    EXPECT_EQ(rig.user->matchStats.back(), &h);
    EXPECT_EQ(rig.other->matchStats.back(), &a);
    EXPECT_EQ(h.Field(1), 2007);
    EXPECT_EQ(h.Field(3), 900);
    EXPECT_EQ(h.Field(4), rig.other->id);
    EXPECT_EQ(h.Field(5), 0);
    EXPECT_EQ(a.Field(5), 1);
    EXPECT_EQ(h.Field(6), 3);
    EXPECT_EQ(h.Field(7), 10);
    EXPECT_EQ(h.Field(8), 2007);
    EXPECT_EQ(h.Field(9), 88);
    EXPECT_EQ(h.Field(10), 79);
    EXPECT_EQ(a.Field(9), 79);
    int32_t twos = 0, threes = 0;
    for (const CCourtPlayer* p : rig.homeSide.players) {
        twos += p->twoPointAttempts;
        threes += p->threePointersMade;
    }
    // The close shots stand apart from the other twos, as the flat court's dunks do: every view adds
    // the two kinds. A close shot made is one of his two baskets, never a third.
    EXPECT_EQ(h.Field(11), 7);
    EXPECT_EQ(h.Field(12), 2);
    EXPECT_EQ(h.Field(13), twos - 7);
    EXPECT_EQ(h.Field(16), threes);
    EXPECT_EQ(h.Field(18), 11 + 3); // one made by each but the scorer, who made three
    EXPECT_EQ(h.Field(25), 24);     // turnovers, two by each of twelve; not the passes counted
    EXPECT_EQ(h.Field(26), 24);     // blocks, two by each of twelve
    EXPECT_EQ(h.Field(21) + h.Field(22) + h.Field(23), 0);

    // Twelve home players and the eleven of the away roster.
    EXPECT_EQ(career.playerStats.Size(), 12);
    EXPECT_EQ(world.playerStats.Size(), 11);
    EXPECT_TRUE(missing->stats.empty());
    EXPECT_EQ(missing->words[kWordDaysOut], 4);
    const CPlayerStat& s = *rig.user->players[4]->stats.back();
    EXPECT_EQ(s.Field(2), 2007);
    EXPECT_EQ(s.Field(3), 10);
    EXPECT_EQ(s.Field(4), 3);
    EXPECT_EQ(s.Field(5), 604);
    EXPECT_EQ(s.Field(10), 10);
    EXPECT_EQ(s.Field(11), 1);
    EXPECT_EQ(s.Field(18), 4);
    EXPECT_EQ(s.Field(20), 4);
    EXPECT_EQ(s.Field(19), 3);
    EXPECT_EQ(s.Field(21), 3);
    EXPECT_EQ(s.Field(30), s.Field(22) + s.Field(23));
    EXPECT_EQ(rig.other->players[0]->stats.back()->Field(11), 0);
    // The fields every view of a match fills: the owner, minutes, the starting five and fouls.
    for (size_t i = 0; i < rig.user->players.size(); ++i) {
        const CPlayer* player = rig.user->players[i];
        const CPlayerStat& record = *player->stats.back();
        EXPECT_EQ(record.Field(1), player->id);
        EXPECT_GE(record.SecondsPlayed(), 600);
        EXPECT_EQ(record.Field(6), chosenFive[i] == kOnCourt ? 1 : 0);
        // What the views show adds up: the points are the field goals' and free throws'.
        EXPECT_EQ(record.Points(), 2 * (record.CloseShotsMade() + record.TwoPointersMade()) +
                                       3 * record.ThreePointersMade() + record.FreeThrowsMade())
            << i;
        EXPECT_LE(record.CloseShotsMade() + record.TwoPointersMade(),
                  record.CloseShotsTaken() + record.TwoPointersTaken());
    }
    // His four fouls, one of them while his side had the ball, stand where every engine puts them:
    // the comparison and the leaders read the fouls, never the balls he won.
    const CPlayerStat& fouler = *rig.user->players[3]->stats.back();
    EXPECT_EQ(fouler.AttackFouls(), 1);
    EXPECT_EQ(fouler.DefenceFouls(), 3);
    EXPECT_EQ(fouler.Field(26), 4);
    EXPECT_EQ(fouler.Field(27), 0); // steals: 3 % 3
    EXPECT_EQ(fouler.Field(28), 2); // turnovers, his bad pass among them
    EXPECT_EQ(fouler.Field(29), 2); // blocks
    // The hurt player is out ten days from today; the one hurt before is fit again.
    const CPlayer* hurt = rig.user->players[2];
    EXPECT_EQ(hurt->words[kWordInjured], 1);
    EXPECT_EQ(hurt->words[kWordDaysOut], 10);
    EXPECT_EQ(hurt->words[kWordInjuryDay], 3);
    EXPECT_EQ(hurt->words[kWordInjuryMonth], 10);
    EXPECT_EQ(hurt->words[kWordInjuryYear], 2007);
    EXPECT_EQ(rig.user->players[3]->words[kWordInjured], 0);
    EXPECT_EQ(rig.user->players[3]->words[kWordDaysOut], 0);

    const CFixture* fixture = rig.session.fixtureList->At(1);
    EXPECT_EQ(rig.recorder.RecordedFixture(), fixture);
    EXPECT_EQ(fixture->homeScore, 88);
    EXPECT_EQ(fixture->awayScore, 79);

    // The same match a second time records nothing.
    EXPECT_FALSE(rig.recorder.RecordMatch(rig.session, rig.homeSide, rig.awaySide));
    EXPECT_EQ(career.matchStats.Size(), 1);
    EXPECT_EQ(career.playerStats.Size(), 12);
    EXPECT_EQ(rig.user->players[4]->stats.size(), 1u);
}

TEST(Match3DRecord, AnAwayUserMatchKeepsItsRecordsInTheCareerAndAStaleIndexTouchesNoFixture) {
    RecordRig rig(false);
    // Index 0 of the day is another pairing; index 5 is none at all.
    for (int index : {0, 5}) {
        SCOPED_TRACE(index);
        rig.recorder.SetMatchParams(rig.other, rig.user, index, 2007, 10, 3);
        ASSERT_TRUE(rig.recorder.RecordMatch(rig.session, rig.homeSide, rig.awaySide));
        EXPECT_EQ(rig.recorder.RecordedFixture(), nullptr);
        for (int i = 0; i < rig.session.fixtureList->Size(); ++i)
            EXPECT_EQ(rig.session.fixtureList->At(i)->homeScore, -1);
        const CMatchStat& a = *rig.session.careerDB->matchStats.Records().back();
        EXPECT_EQ(a.Field(3), 900);
        EXPECT_EQ(a.Field(5), 1);
        EXPECT_EQ(rig.session.worldDB->matchStats.Records().back()->Field(5), 0);
    }
    EXPECT_EQ(rig.session.careerDB->playerStats.Size(), 24);
    // Without its clubs nothing is recorded.
    rig.recorder.SetMatchParams(nullptr, rig.user, 0, 2007, 10, 3);
    EXPECT_FALSE(rig.recorder.RecordMatch(rig.session, rig.homeSide, rig.awaySide));
}

TEST(Match3DRecord, TheSeasonsLastMatchHandsOverToTheResults) {
    for (bool lastDay : {false, true}) {
        SCOPED_TRACE(lastDay);
        RecordRig rig(true);
        std::unique_ptr<CMemoryDB> none;
        daytest::FakeDayShell host(none, none);
        const GameDate today = lastDay ? GameDate{2008, 4, 20} : GameDate{2007, 10, 3};
        host.date = today;
        rig.session.currentDate = today;
        CDayController day(host.session, &host, &host, rig.session.fixtureList);
        rig.screens[ScreenRole::DayController] = &day;
        rig.recorder.SetMatchParams(rig.user, rig.other, -1, today.year, today.month, today.day);
        rig.session.matchMode = 1;
        ASSERT_TRUE(FinishMatch3D(rig.ctx, rig.recorder, rig.homeSide, rig.awaySide));
        EXPECT_FALSE(rig.session.matchMode);
        EXPECT_EQ(day.SeasonEndPending(), lastDay);
        std::vector<GuiMessage> posted = rig.stack.PendingMessages();
        ASSERT_FALSE(posted.empty());
        EXPECT_EQ(posted[0].cID, lastDay ? ID_RESULTS : ID_STATISTICS_FRAME);
        EXPECT_EQ(posted[0].MSG, kMsgSwitchTo);
        EXPECT_EQ(posted.size(), lastDay ? 1u : 2u);
        // Finished once: a second end does nothing.
        EXPECT_FALSE(FinishMatch3D(rig.ctx, rig.recorder, rig.homeSide, rig.awaySide));
        EXPECT_EQ(rig.stack.PendingMessages().size(), posted.size());
    }
}

// The day panel after a 3D match: its players join the day's leaders, as a flat-court match's do.
TEST(Match3DRecord, TheDayPanelShowsTheMatchsLeaders) {
    RecordRig rig(true);
    std::unique_ptr<CMemoryDB> none;
    daytest::FakeDayShell host(none, none);
    host.date = rig.session.currentDate;
    CDayController day(host.session, &host, &host, rig.session.fixtureList);
    rig.screens[ScreenRole::DayController] = &day;
    // The away side's fourth player has the day's most steals, the home side's second its assists.
    rig.awaySide.players[3]->steals = 9;
    rig.homeSide.players[1]->assists = 7;
    ASSERT_TRUE(FinishMatch3D(rig.ctx, rig.recorder, rig.homeSide, rig.awaySide));
    day.FinishUserMatch(rig.recorder.RecordedFixture(), rig.homeSide.score, rig.awaySide.score);
    const DayBoard& board = day.Board();
    ASSERT_GE(board.leaders.size(), 5u);
    EXPECT_EQ(board.leaders[4].texts[0], rig.other->players[3]->name);
    EXPECT_EQ(board.leaders[4].texts[1], rig.other->name);
    EXPECT_FALSE(board.leaders[0].texts[0].IsEmpty());
    EXPECT_EQ(board.leaders[1].texts[0], rig.user->players[1]->name);
}

// The 3D match reported a defender's balls won (his steals again, with his blocks) where quick
// results and the flat court report his blocks: the day's best defender is counted one way.
TEST(Match3DRecord, TheBestDefenderIsCountedByHisBlocks) {
    RecordRig rig(true);
    std::unique_ptr<CMemoryDB> none;
    daytest::FakeDayShell host(none, none);
    host.date = rig.session.currentDate;
    CDayController day(host.session, &host, &host, rig.session.fixtureList);
    rig.screens[ScreenRole::DayController] = &day;
    for (CCourtPlayer* p : rig.awaySide.players) {
        p->blocks = 0;
        p->ballsWon = 4;
    }
    rig.awaySide.players[2]->blocks = 3;
    ASSERT_TRUE(FinishMatch3D(rig.ctx, rig.recorder, rig.homeSide, rig.awaySide));
    int listed = -1;
    for (const MatchDayEntry& entry : day.DayResults().List(CDayResults::kDefence))
        if (entry.playerName == rig.other->players[2]->name)
            listed = entry.value;
    EXPECT_EQ(listed, 3);
}

// A player hurt in a 3D match is one of the day's incidents beside those of the other fixtures, at
// the match time he was hurt, and he is booked out as after any match.
TEST(Match3DRecord, TheDayPanelListsThePlayersHurtInTheMatch) {
    RecordRig rig(true);
    std::unique_ptr<CMemoryDB> none;
    daytest::FakeDayShell host(none, none);
    host.date = rig.session.currentDate;
    CDayController day(host.session, &host, &host, rig.session.fixtureList);
    rig.screens[ScreenRole::DayController] = &day;
    // Another fixture of the day had its own.
    day.AddIncident(MatchDayIncident{"Quick Hurt", "Elsewhere", 31, 7});
    rig.homeSide.players[1]->injured = 1;
    rig.homeSide.players[1]->injuredAtSecond = 25 * 60 + 4;
    rig.awaySide.players[0]->injured = 1;
    rig.awaySide.players[0]->injuredAtSecond = 47 * 60 + 59;
    ASSERT_TRUE(FinishMatch3D(rig.ctx, rig.recorder, rig.homeSide, rig.awaySide));
    day.FinishUserMatch(rig.recorder.RecordedFixture(), rig.homeSide.score, rig.awaySide.score);
    const DayBoard& board = day.Board();
    ASSERT_EQ(board.events.size(), 3u);
    EXPECT_EQ(board.events[0].texts[0], CStr("Quick Hurt"));
    EXPECT_EQ(board.events[1].texts[0], rig.user->players[1]->name);
    EXPECT_EQ(board.events[1].texts[1], rig.user->name);
    EXPECT_EQ(board.events[1].texts[2], CStr("25:04"));
    EXPECT_EQ(board.events[2].texts[0], rig.other->players[0]->name);
    EXPECT_EQ(board.events[2].texts[1], rig.other->name);
    EXPECT_EQ(board.events[2].texts[2], CStr("47:59"));
    EXPECT_EQ(rig.user->players[1]->words[kWordDaysOut], 10);
    EXPECT_EQ(rig.other->players[0]->words[kWordInjured], 1);
    EXPECT_EQ(rig.other->players[0]->words[kWordDaysOut], 10);
}

TEST(Match3DRecord, APlayerWhoRanOutOfBreathLeftTheCourtButIsNeitherAnIncidentNorBookedOut) {
    RecordRig rig(true);
    std::unique_ptr<CMemoryDB> none;
    daytest::FakeDayShell host(none, none);
    host.date = rig.session.currentDate;
    CDayController day(host.session, &host, &host, rig.session.fixtureList);
    rig.screens[ScreenRole::DayController] = &day;
    CCourtPlayer* worn = rig.homeSide.players[1];
    worn->stamina = 0.0f;
    match3dtest::FakeMatch rolls;
    worn->AttachMatch(&rolls);
    bool spent = false;
    for (int i = 0; i < 1000 && !spent; ++i)
        spent = worn->CheckExhaustion(); // a roll of 19 or 20 calls him off
    worn->AttachMatch(nullptr);
    ASSERT_TRUE(spent);
    ASSERT_NE(worn->injured, 0) << "he must leave the court";
    worn->injuredAtSecond = 40 * 60;
    rig.awaySide.players[0]->injured = 1; // hurt in a contest
    rig.awaySide.players[0]->injuredAtSecond = 12 * 60;
    ASSERT_TRUE(FinishMatch3D(rig.ctx, rig.recorder, rig.homeSide, rig.awaySide));
    day.FinishUserMatch(rig.recorder.RecordedFixture(), rig.homeSide.score, rig.awaySide.score);
    ASSERT_EQ(day.Board().events.size(), 1u);
    EXPECT_EQ(day.Board().events[0].texts[0], rig.other->players[0]->name);
    EXPECT_EQ(rig.user->players[1]->words[kWordInjured], 0);
    EXPECT_EQ(rig.user->players[1]->stats.back()->Injured(), 0);
    EXPECT_EQ(rig.other->players[0]->words[kWordInjured], 1);
}
