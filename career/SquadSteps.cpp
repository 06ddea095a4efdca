// The squad's and the staff's daily steps.
#include "career/SquadSteps.h"

#include "career/Calendar.h"
#include "career/Indicators.h"
#include "career/Mail.h"
#include "database/HiredStaff.h"
#include "database/MemoryDB.h"
#include "engine/GameRand.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kPartPhysioRoom = 300063;
constexpr int32_t kMailTypeInjury = 80057;

CTeam* Club(const CareerDay& day) {
    return day.career ? day.career->teams.At(0) : nullptr;
}

CStr Text(const CareerDay& day, int id) {
    return LookUpText(day.text, id);
}

// A whole number in [0, n): the game generator scaled to n and truncated.
int RollBelow(double n) {
    return static_cast<int>(GameRand() / static_cast<double>(kGameRandMax) * n);
}

const CStadiumWingRecord* FindPart(const CTeam& club, int32_t partId) {
    if (!club.stadium)
        return nullptr;
    for (const CStadiumWingRecord* wing : club.stadium->wings)
        if (wing->partId == partId)
            return wing;
    return nullptr;
}

// A part still waiting to be built or improved.
bool PartIsPoor(const CStadiumWingRecord* wing) {
    return wing && wing->status == 0 && wing->level < 4;
}

const CStaffRecord* StaffOf(const CTeam& club, int32_t category) {
    for (const CStaffRecord* member : club.staff)
        if (member->category == category)
            return member;
    return nullptr;
}

int32_t StaffCategoryOf(int32_t subject) {
    switch (subject) {
    case 302012:
        return kStaffHeadCoach;
    case 302013:
        return kStaffAssistantCoach;
    case 302014:
        return kStaffTeamDoctor;
    case 302015:
        return kStaffFitnessCoach;
    default:
        return 0;
    }
}

// A mail from the club's member of the category: his category's text and his name.
void MailFromStaff(const CareerDay& day, const CTeam& club, int row, int32_t category,
                   std::initializer_list<CStr> values = {}) {
    const CStaffRecord* member = StaffOf(club, category);
    CreateEmail(day.world, day.career, row, day.today.year, day.today.month, day.today.day,
                Text(day, category), member ? member->name : CStr(), category, values);
}

void Penalise(CTeam& club, int32_t playerKey) {
    for (CPlayer* player : club.players)
        if (player->id == playerKey) {
            player->words[kWordSatisfaction] = std::max(0, player->words[kWordSatisfaction] - 10);
            player->words[kWordAfterSatisfaction] = 0;
        }
}

} // namespace

int HealingSpeed(const CareerDay& day) {
    const CTeam* club = Club(day);
    if (!club)
        return 1;
    int speed = 1;
    if (const CStadiumWingRecord* room = FindPart(*club, kPartPhysioRoom))
        speed = room->level + 1;
    if (std::unique_ptr<CStaffRecord> physio = FindHiredStaff(club, kStaffPhysiotherapist))
        speed += std::max(1, static_cast<int>(physio->skill * 0.05));
    return speed;
}

void UpdateInjuries(const CareerDay& day) {
    CTeam* club = Club(day);
    if (!club)
        return;
    const int speed = HealingSpeed(day);
    const std::unique_ptr<CStaffRecord> physio = FindHiredStaff(club, kStaffPhysiotherapist);
    for (CPlayer* player : day.career->players) {
        if (player->words[kWordInjured] != 1)
            continue;
        int32_t& daysLeft = player->words[kWordDaysOut];
        if (daysLeft > 0)
            daysLeft -= speed;
        if (daysLeft >= 1)
            continue;
        daysLeft = 0;
        player->words[kWordInjured] = 0;
        if (physio)
            CreateEmail(day.world, day.career, kMailRowRecovery, day.today.year, day.today.month,
                        day.today.day, Text(day, kMailTypeInjury), physio->name, kMailTypeInjury,
                        {player->name});
    }
}

bool LamentCauseHolds(const CTeam& club, int32_t subject, int32_t& object) {
    object = -1;
    switch (subject) {
    case 302006:
    case 302007:
    case 302008:
    case 302009: {
        static constexpr int32_t kParts[] = {300050, 300051, 300062, 300063};
        const int32_t part = kParts[subject - 302006];
        object = part;
        return PartIsPoor(FindPart(club, part));
    }
    case kLamentAnyway:
        return true;
    case kLamentSeating:
        object = club.attendance;
        for (int32_t part = 300052; part <= 300056; ++part)
            if (PartIsPoor(FindPart(club, part)))
                return true;
        return false;
    default:
        if (const CStaffRecord* member = StaffOf(club, StaffCategoryOf(subject))) {
            object = member->id;
            return true;
        }
        return false;
    }
}

void JudgeLament(const CareerDay& day, CLament& lament) {
    CTeam* club = Club(day);
    if (!club)
        return;
    const int32_t subject = lament.subject;
    bool remains = false;
    if (subject >= 302006 && subject <= 302009) {
        remains = FindPart(*club, lament.object) && FindPart(*club, lament.object)->status == 0;
    } else if (subject == kLamentSeating) {
        bool poor = false;
        for (int32_t part = 300052; part <= 300056; ++part)
            poor = poor || PartIsPoor(FindPart(*club, part));
        remains = poor && club->attendance <= lament.object;
    } else if (StaffCategoryOf(subject) != 0) {
        for (const CStaffRecord* member : club->staff)
            remains = remains || member->id == lament.object;
    } else {
        return; // nothing to judge
    }
    // The dressing room hears how the complaint was answered.
    if (remains)
        Penalise(*club, lament.playerId);
    if (day.world)
        MoveClubIndicator(*day.world, club->id, kMoodIndicator, remains ? -2 : 1);
    // A shortcoming still there keeps the complaint open, but its day has passed: it is not judged
    // again. Seating complaints are settled either way.
    if (!remains || subject == kLamentSeating)
        lament.status = 1;
}

namespace {

// At most one complaint a day, and only about a shortcoming the club really has.
void MakeLament(const CareerDay& day, CTeam& club) {
    if (RollBelow(100) != 50)
        return;
    const int index = std::min(RollBelow(15), 14);
    if (index >= static_cast<int>(club.players.size()))
        return;
    const CPlayer* player = club.players[static_cast<size_t>(index)];
    const int offset = RollBelow(10);
    if (offset >= 10)
        return;
    const int32_t subject = kFirstLamentSubject + offset;
    int32_t object = -1;
    if (!LamentCauseHolds(club, subject, object))
        return;
    const GameDate& today = day.today;
    CreateEmail(day.world, day.career, subject - 302000, today.year, today.month, today.day,
                Text(day, 300118), CStr(), kMailTypeClub, {player->name});
    const bool settled = subject == kLamentAnyway;
    // A complaint unsettles the dressing room until it is answered.
    if (day.world)
        MoveClubIndicator(*day.world, club.id, kMoodIndicator, -1);
    day.career->laments.AddLament(player->id, today.year, today.month, today.day, subject, settled ? 1 : -1,
                                  settled ? -1 : object);
}

} // namespace

void RunLaments(const CareerDay& day) {
    CTeam* club = Club(day);
    if (!club)
        return;
    MakeLament(day, *club);
    for (CLament* lament : day.career->laments) {
        if (lament->status != -1)
            continue;
        GameDate due{lament->year, lament->month, lament->day};
        for (int i = 0; i < kLamentDelayDays; ++i)
            due = CCalendar::NextDay(due);
        if (due == day.today)
            JudgeLament(day, *lament);
    }
}

void SendScoutReport(const CareerDay& day) {
    CTeam* club = Club(day);
    if (!club)
        return;
    int32_t& countdown = day.career->careerSteps.Get().scoutCountdown;
    if (countdown < 2 || countdown > 100)
        countdown = 100;
    const int roll = RollBelow(countdown);
    --countdown;
    const CStaffRecord* scout = StaffOf(*club, kStaffScout);
    if (roll == 1 && scout && day.world) {
        const CPlayer* best = nullptr;
        int bestRating = 0;
        for (const CPlayer* candidate : day.world->players) {
            const int rating = static_cast<int>(candidate->overall);
            if (rating <= scout->skill && (!best || rating > bestRating)) {
                best = candidate;
                bestRating = rating;
            }
        }
        if (best)
            MailFromStaff(day, *club, kMailRowScoutTip, kStaffScout, {best->name});
    }
    if (countdown == 1)
        countdown = 100;
}

void SendFunShopDeliveryNotices(const CareerDay& day) {
    CTeam* club = Club(day);
    if (!club || !StaffOf(*club, kStaffPhysiotherapist))
        return;
    for (const CStorageItem* order : day.career->storage) {
        if (order->kind != "y" || order->days != 1)
            continue;
        const CFunShopItem* item = nullptr;
        if (day.world)
            for (const CFunShopItem* candidate : day.world->funShopItems)
                if (candidate->id == order->itemIndex)
                    item = candidate;
        MailFromStaff(day, *club, kMailRowFunShopDelivery, kStaffPhysiotherapist,
                      {item ? Text(day, item->nameTextId) : CStr()});
    }
}

namespace {

bool LowOpinion(const CTeamOpinion& row) {
    return row.current[0] < 11 || row.current[1] < 11 || row.current[2] < 11;
}

} // namespace

void CheckTeamOpinions(const CareerDay& day) {
    CTeam* club = Club(day);
    if (!club)
        return;
    // The club's row lives in the world with every other club's; the results (as they are
    // recorded), the gossip, the sponsors, the laments and the promotions move it there.
    CTeamOpinion* own = day.world ? day.world->opinions.FindByTeam(club->id) : nullptr;
    if (!StaffOf(*club, kStaffBusinessManager))
        return;
    if (own && LowOpinion(*own))
        MailFromStaff(day, *club, kMailRowLowOpinion, kStaffBusinessManager);
    for (const CTeamOpinion* row : day.career->opinions)
        if (row != own && LowOpinion(*row))
            MailFromStaff(day, *club, kMailRowLowOpinion, kStaffBusinessManager);
}
