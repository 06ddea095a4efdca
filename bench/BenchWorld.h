// The made-up worlds the benchmarks play: the same clubs and the same season every run, so their
// figures and digests compare across builds.
#pragma once

#include "career/Calendar.h"
#include "career/CareerSession.h"
#include "career/DayRunner.h"
#include "career/FixtureList.h"
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"

#include <memory>
#include <utility>
#include <vector>

// A club of fifteen players with fixed ratings, kept in a database (quick results, seasons).
inline CTeam* MakeBenchClub(CMemoryDB& db, int id) {
    auto* team = new CTeam();
    team->id = id;
    team->name = CStr::Formatted("Club %d", id);
    db.teams.Append(team);
    for (int i = 0; i < 15; ++i) {
        auto* player = new CPlayer();
        player->id = id * 100 + i;
        player->name = CStr::Formatted("Player %d", player->id);
        player->words[kWordPosition] = 80063 + i % 5;
        player->words[kWordMatchState] = i < 5 ? kOnCourt : kOnBench;
        for (int s = 1; s <= kSkillCount; ++s) {
            player->SkillValue(s) = 40 + (i * 7 + s * 3) % 50;
            player->SkillSecond(s) = player->SkillValue(s);
        }
        db.players.Append(player);
        team->players.push_back(player);
    }
    return team;
}

// The instant match's clubs: twelve men each, ratings drawn from the game's generator.
struct InstantBenchClub {
    std::vector<std::unique_ptr<CPlayer>> players;
    CTeam team;
    InstantBenchClub(int id, int low) {
        team.id = id;
        team.leagueId = 1;
        team.leagueKind = 100005;
        team.name = CStr::Formatted("Club %d", id);
        const int positions[5] = {80063, 80064, 80065, 80066, 80067};
        for (int i = 0; i < 12; ++i) {
            auto p = std::make_unique<CPlayer>();
            p->id = id * 100 + i;
            p->name = CStr::Formatted("Player %d", i);
            p->words[kWordPosition] = p->words[kWordPlayedPosition] = positions[i % 5];
            p->words[kWordHeight] = 185 + GameRand() % 35;
            for (int s = 1; s <= kSkillCount; ++s)
                p->SkillValue(s) = low + GameRand() % 21;
            p->words[5] = 70 + GameRand() % 31;
            p->words[kWordMatchState] = i < 5 ? kOnCourt : kOnBench;
            team.players.push_back(p.get());
            players.push_back(std::move(p));
        }
    }
};

// The career session owns the databases and the ledger; the host answers nothing but texts.
class BenchDayHost : public IDayHost {
public:
    BenchDayHost() { session.view3D = 0; }
    CStr GetText(int) const override { return CStr(); }
    void SetBusy(bool) override {}
    void SetStep(bool) override {}
    void SetWaitText(const CStr&) override {}
    void PublishLatestResult(const LatestResult&) override {}
    UserMatchOutcome StartUserMatch(const UserMatchSetup&) override { return UserMatchOutcome(); }

    CCareerSession session;
    CMemoryDB* const world = session.worldDB;
    CMemoryDB* const career = session.careerDB = new CMemoryDB();
    GameDate& date = session.currentDate;
};

// Circle-method rounds, one round every three days from September.
inline void AddBenchSeason(CFixtureList& list, std::vector<CTeam*> ring, const CLeague* league) {
    size_t n = ring.size();
    GameDate date{2007, 9, 1};
    for (int leg = 0; leg < 2; ++leg) {
        for (size_t round = 0; round + 1 < n; ++round) {
            for (size_t i = 0; i < n / 2; ++i) {
                CTeam* a = ring[i];
                CTeam* b = ring[n - 1 - i];
                if (leg == 1)
                    std::swap(a, b);
                list.AddFixture(a, b, league, date.year, date.month, date.day);
            }
            CTeam* last = ring.back();
            ring.pop_back();
            ring.insert(ring.begin() + 1, last);
            for (int step = 0; step < 3; ++step)
                date = CCalendar::NextDay(date);
        }
    }
}

// A world the size of the default one: two leagues of ten clubs, every pairing home and away, and
// the user's club (playing no match) in the career.
inline void BuildBenchSeason(BenchDayHost& host, CFixtureList& fixtures) {
    for (int l = 0; l < 2; ++l) {
        auto* league = new CLeague();
        league->id = l;
        league->type = 100005;
        host.world->leagues.Append(league);
        std::vector<CTeam*> clubs;
        for (int t = 0; t < 10; ++t)
            clubs.push_back(MakeBenchClub(*host.world, l * 10 + t + 1));
        AddBenchSeason(fixtures, clubs, league);
    }
    fixtures.FinishSchedule();
    auto* careerLeague = new CLeague();
    careerLeague->type = 100005;
    host.career->leagues.Append(careerLeague);
    MakeBenchClub(*host.career, 900);
    host.career->profiles.Append(new CProfile());
}
