// The club's indicators and the psychologist's mood mail.
#include "career/Indicators.h"

#include "career/Mail.h"
#include "database/HiredStaff.h"
#include "database/MemoryDB.h"

#include <algorithm>

bool ReadClubIndicators(const CMemoryDB& world, int32_t clubId, IndicatorValues& values) {
    const CTeamOpinion* row = clubId >= 0 ? world.opinions.FindByTeam(clubId) : nullptr;
    if (!row)
        return false;
    for (int k = 0; k < kIndicatorCount; ++k) {
        values.value[k] = row->current[k];
        values.reference[k] = row->previous[k];
    }
    return true;
}

void RebaseIndicators(CMemoryDB& world) {
    for (CTeamOpinion* row : world.opinions)
        if (row)
            for (int k = 0; k < kIndicatorCount; ++k)
                row->previous[k] = row->current[k];
}

void MoveClubIndicator(CMemoryDB& world, int32_t clubId, int indicator, int delta) {
    CTeamOpinion* row = clubId >= 0 ? world.opinions.FindByTeam(clubId) : nullptr;
    if (!row || indicator < 0 || indicator >= kIndicatorCount || delta == 0)
        return;
    row->current[indicator] =
        static_cast<int32_t>(std::clamp<int64_t>(int64_t{row->current[indicator]} + delta, 0, 100));
}

ResultMoves IndicatorMovesForResult(int ownScore, int otherScore, bool atHome) {
    ResultMoves moves;
    if (ownScore == otherScore)
        return moves;
    const int sign = ownScore > otherScore ? 1 : -1;
    constexpr int kHeavyMargin = 20;
    const int margin = ownScore > otherScore ? ownScore - otherScore : otherScore - ownScore;
    moves.delta[kFansIndicator] = sign * (atHome ? 3 : 1);
    moves.delta[kMoodIndicator] = sign * (margin >= kHeavyMargin ? 3 : 2);
    moves.delta[kPressIndicator] = sign;
    return moves;
}

void MoveIndicatorsForResult(CMemoryDB& world, int32_t clubId, int ownScore, int otherScore, bool atHome) {
    const ResultMoves moves = IndicatorMovesForResult(ownScore, otherScore, atHome);
    for (int k = 0; k < kIndicatorCount; ++k)
        MoveClubIndicator(world, clubId, k, moves.delta[k]);
}

int MoodMailRow(int32_t value, int32_t reference) {
    if (value == reference)
        return -1;
    return value < reference ? kMailRowMoodFell : kMailRowMoodRose;
}

CStr LastStaffName(const CTeam& club, int32_t category) {
    CStr name;
    for (const CStaffRecord* member : club.staff)
        if (member && member->category == category)
            name = member->name;
    return name;
}

void SendMoodMail(const CareerDay& day) {
    const CTeam* club = day.career ? day.career->teams.At(0) : nullptr;
    if (!club || !day.world)
        return;
    const CStr psychologist = LastStaffName(*club, kStaffPsychologist);
    IndicatorValues values;
    if (psychologist.IsEmpty() || !ReadClubIndicators(*day.world, club->id, values))
        return;
    const int row = MoodMailRow(values.value[kMoodIndicator], values.reference[kMoodIndicator]);
    if (row < 0)
        return;
    const CStr none;
    CreateEmail(day.world, day.career, row, day.today.year, day.today.month, day.today.day,
                LookUpText(day.text, kStaffPsychologist), psychologist, kStaffPsychologist,
                {none, none, none, none, none, none, none, none});
}
