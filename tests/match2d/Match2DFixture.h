// Clubs built in memory and a match engine reading the shipped tactics, for the flat-court tests.
#pragma once

#include "database/MemoryDB.h"
#include "database/Records.h"
#include "engine/GameRand.h"
#include "match2d/Match2D.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

// The batch tests play fewer matches under the sanitizers, whose builds run many times slower.
#ifdef FB_SANITIZED_BUILD
constexpr bool kSanitizedBuild = true;
#else
constexpr bool kSanitizedBuild = false;
#endif

struct ClubBuilder {
    std::vector<std::unique_ptr<CPlayer>> players;
    std::vector<std::unique_ptr<CStaffRecord>> staff;
    CTeam team;

    // A club of count players, the first five starting; skills from low to low + 20 as the world
    // generator gives them (35, 45 or 55 by tier), energy 70-100.
    ClubBuilder(int teamId, int count, int low = 45) {
        team.id = teamId;
        team.leagueId = 0;
        team.leagueKind = 100005;
        team.name = CStr::Formatted("Club %d", teamId);
        team.shortName = CStr::Formatted("C%d", teamId);
        static const int kPositions[5] = {80063, 80064, 80065, 80066, 80067};
        for (int i = 0; i < count; ++i) {
            auto p = std::make_unique<CPlayer>();
            p->id = teamId * 100 + i;
            p->name = CStr::Formatted("Player %d-%d", teamId, i);
            p->teamId = teamId;
            p->words[kWordPosition] = kPositions[i % 5];
            p->words[kWordPlayedPosition] = kPositions[i % 5];
            p->words[kWordHeight] = 185 + GameRand() % 35;
            p->words[kWordWeight] = 80 + GameRand() % 40;
            for (int s = 1; s <= kSkillCount; ++s) {
                p->SkillValue(s) = low + GameRand() % 21;
            }
            p->words[5] = 70 + GameRand() % 31; // energy
            p->words[kWordMatchState] = i < 5 ? kOnCourt : kOnBench;
            team.players.push_back(p.get());
            players.push_back(std::move(p));
        }
    }
    void AddStaff(int category, const char* name) {
        auto s = std::make_unique<CStaffRecord>();
        s->category = category;
        s->clubId = team.id;
        s->name = name;
        team.staff.push_back(s.get());
        staff.push_back(std::move(s));
    }
};

// The clubs of one league class of a loaded world, in the world's order.
inline std::vector<CTeam*> ClubsOfClass(CMemoryDB& world, int leagueClass) {
    std::vector<CTeam*> clubs;
    for (int i = 0; i < world.teams.Size(); ++i) {
        if (((world.teams.At(i)->leagueId % 3) + 3) % 3 == leagueClass) {
            clubs.push_back(world.teams.At(i));
        }
    }
    return clubs;
}

class Match2DTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(match.LoadTactics("\\ini\\InitData.xml"));
        match.hooks.substituteNeeded = nullptr;
        match.hooks.commentary = [this](const CStr& text, const CStr& name, bool home) {
            (void)text;
            events.push_back({name, home});
        };
    }
    // A match set up for play: line-ups, tip-off places, formations; instant unless told otherwise.
    void Start(CTeam& home, CTeam& away, bool userIsHome = true, bool instant = true) {
        ASSERT_TRUE(SetupMatch2D(match, &home, &away, userIsHome, instant));
    }
    struct Event {
        CStr name;
        bool home;
    };
    CMatch2D match;
    std::vector<Event> events;
};
