// Gossip news: whispers start, wait their days and resolve once, whatever the news window does
// meanwhile; their effects stay within 0-100; empty lists and damaged records do no harm.
#include "career/Gossip.h"
#include "career/Calendar.h"
#include "career/Indicators.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"

#include "career/DayTestWorld.h"

#include <gtest/gtest.h>

#include <map>

using namespace daytest;

namespace {

// Twelve clubs with squads and opinion rows, sixteen templates and three companies.
struct GossipWorld {
    CMemoryDB db;

    explicit GossipWorld(int change = 3, int clubs = 12) {
        for (int i = 0; i < clubs; ++i) {
            CTeam* team = MakeTeam(db, i, CStr::Formatted("Club %d", i).GetText(), 8, 5, 50);
            auto* opinion = new CTeamOpinion();
            opinion->teamId = team->id;
            for (int k = 0; k < 3; ++k)
                opinion->current[k] = 50;
            db.opinions.Append(opinion);
        }
        for (int row = 0; row < kWhisperTemplates; ++row) {
            auto* entry = new CWhisperTemplate();
            entry->Word(0) = row;
            for (int column : {1, 6, 11}) {
                entry->Word(column) = 802000 + 3 * row + (column - 1) / 5;
                for (int k = 1; k <= 4; ++k)
                    entry->Word(column + k) = column == 6 ? -change : change;
            }
            db.whispers.templates.Append(entry);
        }
        for (const char* name : {"Brightwave Energy", "Kestrel Motors", "Summit Bank"}) {
            auto* sponsor = new CSponsorRecord();
            sponsor->name = name;
            db.sponsorOffers.Append(sponsor);
        }
    }
};

CStr Texts(int id) {
    switch ((id - 802000) % 3) {
    case 0:
        return "XYPLAYER of XYTEAM was seen with XYACTOR and XYMANACTOR; COMPA pays CASH.";
    case 1:
        return "Denied by XYTEAM.";
    default:
        return "Confirmed by XYTEAM.";
    }
}

// Days since 1 August 2007.
int DayNumber(int year, int month, int day) {
    GameDate date{2007, 8, 1};
    int n = 0;
    while (MakeDateKey(date) < MakeDateKey(year, month, day)) {
        date = CCalendar::NextDay(date);
        ++n;
    }
    return n;
}

} // namespace

TEST(Gossip, EachWhisperResolvesOnceAfterItsOneToThreeDaysWhateverTheNewsShows) {
    int started = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        GameSrand(seed);
        GossipWorld w;
        const TextLookup text = Texts;
        GameDate today{2007, 8, 1};
        // Start date and days of every whisper, by record.
        std::map<const CWhisper*, std::pair<int, int>> pending;
        for (int day = 1; day <= 60; ++day) {
            today = CCalendar::NextDay(today);
            GossipDailyUpdate(w.db, today);
            for (const CWhisper* whisper : w.db.whispers.whispers)
                if (whisper->state > 0 && !pending.count(whisper)) {
                    EXPECT_LE(whisper->state, 3);
                    pending[whisper] = {day, whisper->state};
                }
            // The news window refreshes as often as it likes.
            for (int refresh = 0; refresh < 3; ++refresh)
                EXPECT_EQ(BuildNewsLines(w.db, text).size(),
                          static_cast<size_t>(w.db.whispers.whispers.Size()));
        }
        ASSERT_LE(w.db.whispers.whispers.Size(), kWhisperListLimit) << "no list clearing expected in 60 days";
        started += static_cast<int>(pending.size());
        for (const auto& [whisper, start] : pending) {
            const auto [startDay, days] = start;
            // Its outcome follows it in the list: same template, club, player, celebrity, company.
            const CWhisper* outcome = nullptr;
            int outcomes = 0;
            for (const CWhisper* other : w.db.whispers.whispers)
                if (other->state < 0 && other->templateIndex == whisper->templateIndex &&
                    other->teamRow == whisper->teamRow && other->playerId == whisper->playerId &&
                    other->celebrity == whisper->celebrity && other->companyRow == whisper->companyRow) {
                    outcome = other;
                    ++outcomes;
                }
            if (startDay + days > 60) {
                EXPECT_EQ(outcomes, 0);
                continue;
            }
            ASSERT_EQ(outcomes, 1) << "seed " << seed;
            EXPECT_EQ(whisper->state, 0);
            EXPECT_TRUE(outcome->state == kWhisperDenied || outcome->state == kWhisperConfirmed);
            const int resolvedDay = DayNumber(outcome->year, outcome->month, outcome->day);
            EXPECT_EQ(resolvedDay - startDay, days) << "seed " << seed;
            EXPECT_GE(resolvedDay - startDay, 1);
            EXPECT_LE(resolvedDay - startDay, 3);
        }
    }
    // One club in a hundred of up to five a day: a few dozen whispers over these runs.
    EXPECT_GT(started, 10);
}

TEST(Gossip, OpinionsAndMoraleStayWithinZeroToHundred) {
    GossipWorld w(500);
    RebaseIndicators(w.db); // the morning's values
    ApplyWhisperOutcome(w.db, 2, *w.db.whispers.templates.At(0), 2);
    const CTeam* team = w.db.teams.At(2);
    const CTeamOpinion* opinion = w.db.opinions.FindByTeam(team->id);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(opinion->current[k], 100);
        EXPECT_EQ(opinion->previous[k], 50);
    }
    for (const CPlayer* player : team->players)
        EXPECT_EQ(player->words[kWordGossipValue], 100);
    ApplyWhisperOutcome(w.db, 2, *w.db.whispers.templates.At(0), kWhisperDenied);
    // The arrows show the whole day's move: the reference stays the morning's value.
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(opinion->current[k], 0);
        EXPECT_EQ(opinion->previous[k], 50);
    }
    for (const CPlayer* player : team->players)
        EXPECT_EQ(player->words[kWordGossipValue], 0);
    // A resolved-and-counted record (state 0) and a row past the list change nothing.
    ApplyWhisperOutcome(w.db, 2, *w.db.whispers.templates.At(0), 0);
    ApplyWhisperOutcome(w.db, 99, *w.db.whispers.templates.At(0), 1);
    EXPECT_EQ(opinion->current[0], 0);

    // A long run with large swings never leaves the range either.
    GossipWorld big(60);
    GameSrand(5);
    GameDate today{2007, 8, 1};
    for (int day = 0; day < 400; ++day) {
        today = CCalendar::NextDay(today);
        GossipDailyUpdate(big.db, today);
        for (const CPlayer* player : big.db.players)
            ASSERT_TRUE(player->words[kWordGossipValue] >= 0 && player->words[kWordGossipValue] <= 100);
        for (const CTeamOpinion* row : big.db.opinions)
            for (int k = 0; k < 3; ++k)
                ASSERT_TRUE(row->current[k] >= 0 && row->current[k] <= 100);
    }
}

TEST(Gossip, ALongListIsClearedOnlyPastFifty) {
    GossipWorld w;
    // With no club drawn nothing new can start, whatever the generator gives.
    GossipWorld none(3, 0);
    for (int records : {50, 51}) {
        none.db.whispers.whispers.Clear();
        for (int i = 0; i < records; ++i) {
            auto* whisper = new CWhisper();
            whisper->state = kWhisperConfirmed;
            none.db.whispers.whispers.Append(whisper);
        }
        GossipDailyUpdate(none.db, GameDate{2007, 9, 1});
        EXPECT_EQ(none.db.whispers.whispers.Size(), records == 50 ? 50 : 0);
    }
    for (int i = 0; i < 51; ++i)
        w.db.whispers.whispers.Append(new CWhisper());
    GameSrand(9);
    GossipDailyUpdate(w.db, GameDate{2007, 9, 1});
    EXPECT_LE(w.db.whispers.whispers.Size(), 5);
}

TEST(Gossip, EmptyListsAndDamagedRecordsDoNoHarm) {
    // No clubs: no whisper ever starts.
    GossipWorld empty(3, 0);
    GameDate today{2007, 8, 1};
    for (int day = 0; day < 200; ++day) {
        today = CCalendar::NextDay(today);
        GossipDailyUpdate(empty.db, today);
    }
    EXPECT_EQ(empty.db.whispers.whispers.Size(), 0);

    // No companies and a club without players: the names they would give are left out.
    GossipWorld w;
    w.db.sponsorOffers.Clear();
    w.db.teams.At(4)->players.clear();
    GameSrand(3);
    today = GameDate{2007, 8, 1};
    for (int day = 0; day < 5000 && w.db.whispers.whispers.Size() < 6; ++day) {
        today = CCalendar::NextDay(today);
        GossipDailyUpdate(w.db, today);
    }
    for (const CWhisper* whisper : w.db.whispers.whispers)
        EXPECT_EQ(whisper->companyRow, -1);
    auto* lonely = new CWhisper();
    lonely->teamRow = 4;
    lonely->state = 2;
    lonely->playerId = -1;
    lonely->companyRow = -1;
    w.db.whispers.whispers.Append(lonely);
    // Records a damaged save could hold: unknown template, club, celebrity.
    auto* broken = new CWhisper();
    broken->templateIndex = 99;
    broken->teamRow = -5;
    broken->celebrity = 42;
    broken->state = 1;
    w.db.whispers.whispers.Append(broken);
    const TextLookup text = Texts;
    std::vector<CStr> lines = BuildNewsLines(w.db, text);
    ASSERT_EQ(lines.size(), static_cast<size_t>(w.db.whispers.whispers.Size()));
    const CStr& lonelyLine = lines[lines.size() - 2];
    EXPECT_EQ(lonelyLine.Find("XY"), -1);
    EXPECT_EQ(lonelyLine.Find("COMPA"), -1);
    EXPECT_EQ(lonelyLine.Find(" of Club 4"), lonelyLine.Find("\n") + 1) << lonelyLine.GetText();
    EXPECT_EQ(lines.back().Find("\n"), static_cast<int>(lines.back().Length()) - 1);
    GossipDailyUpdate(w.db, CCalendar::NextDay(today));
}

TEST(Gossip, NewsLinesFillEveryNameAndDrawNewSums) {
    GossipWorld w;
    auto* whisper = new CWhisper();
    whisper->templateIndex = 0;
    whisper->state = 2;
    whisper->teamRow = 3;
    whisper->playerId = w.db.teams.At(3)->players[1]->id;
    whisper->celebrity = 4;
    whisper->companyRow = 2;
    whisper->year = 2007;
    whisper->month = 9;
    whisper->day = 14;
    w.db.whispers.whispers.Append(whisper);
    const TextLookup text = Texts;
    GameSrand(11);
    std::vector<CStr> first = BuildNewsLines(w.db, text);
    ASSERT_EQ(first.size(), 1u);
    const auto& names = CelebrityNames();
    CStr expected = CStr::Formatted("14.09.2007\n%s of Club 3 was seen with %s and %s; Summit Bank pays",
                                    w.db.teams.At(3)->players[1]->name.GetText(), names[4], names[14]);
    EXPECT_EQ(first[0].Find(expected), 0) << first[0].GetText();
    bool differs = false;
    for (int i = 0; i < 20 && !differs; ++i)
        differs = BuildNewsLines(w.db, text)[0].NotEquals(first[0]);
    EXPECT_TRUE(differs);
    // Showing the news moved nothing on.
    EXPECT_EQ(whisper->state, 2);
    EXPECT_EQ(w.db.whispers.whispers.Size(), 1);
    // Once resolved, the old record still tells the rumour; the outcome has its own text.
    whisper->state = 0;
    EXPECT_NE(BuildNewsLines(w.db, text)[0].Find("was seen with"), -1);
    whisper->state = kWhisperDenied;
    EXPECT_NE(BuildNewsLines(w.db, text)[0].Find("Denied by Club 3."), -1);
}
