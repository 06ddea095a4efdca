// The user's coaching staff and players comment on his court players, each kind once a match.
#include "database/Records.h"
#include "engine/GameRand.h"
#include "match2d/Match2D.h"
#include "match2d/Match2DPlayer.h"

namespace {

int RollPercent() {
    return static_cast<int>(static_cast<float>(GameRand()) / static_cast<float>(kGameRandMax) * 100.0f);
}

} // namespace

void CMatch2DPlayer::StaffRemarks() {
    if (!userTeam || match == nullptr || !match->hooks.remarkLine) {
        return;
    }
    // Nearly every tick nothing is due: fresh legs, few fouls and no shooting slump to speak of.
    if (energy >= 25.0f && attackFouls <= 3 && defenceFouls <= 3 &&
        (remarkShooting ||
         Counter(kStatFieldGoalsTaken) + Counter(kStatThreesTaken) + Counter(kStatFreeThrowsTaken) <= 10)) {
        return;
    }
    // Only a man on court is spoken of, and only while there is play left.
    if (MatchState() != kOnCourtState || match->IsOver()) {
        return;
    }
    // The lines are put together only when a remark is made: this runs for every court player at
    // every tick, and a remark comes a few times a match. Each waits for the coach's next look
    // (CMatch2D::HoldRemark): he may take the player off for the very thing it speaks of.
    auto header = [this](int textId, const CStaffRecord* staff) {
        if (staff == nullptr) {
            return CStr();
        }
        return match->Text(textId) + " " + staff->name + ":";
    };
    auto remark = [&](const CStr& head, const CStr& message, int colour) {
        match->HoldRemark(*this, head, message, colour);
    };
    auto first = [&] { return header(80055, staffA); };
    auto second = [&] { return header(80056, staffB); };
    auto own = [&] { return match->Text(80041) + " " + name + ":"; };

    if (energy < 20.0f && !remarkFatigueOrFouls) {
        remarkFatigueOrFouls = 1;
        remark(first(), match->Text(600001) + name + match->Text(600003), 0);
    }
    if ((attackFouls > 3 || defenceFouls > 3) && !remarkFatigueOrFouls) {
        remarkFatigueOrFouls = 1;
        remark(first(), match->Text(600001) + name + match->Text(600004), 0);
    }
    const int attempts =
        Counter(kStatFieldGoalsTaken) + Counter(kStatThreesTaken) + Counter(kStatFreeThrowsTaken);
    const int made = Counter(kStatFieldGoalsMade) + Counter(kStatThreesMade) + Counter(kStatFreeThrowsMade);
    if (attempts > 10 && static_cast<float>(made) / static_cast<float>(attempts) * 100.0f < 20.0f &&
        !remarkShooting) {
        remarkShooting = 1;
        remark(second(), match->Text(600001) + name + match->Text(600006), 0);
    }
    if (energy < 15.0f && !remarkExhausted) {
        remarkExhausted = 1;
        remark(first(), match->Text(600002) + name + match->Text(600003), 1);
    }
    if ((attackFouls > 4 || defenceFouls > 4) && !remarkFatigueOrFouls) {
        remarkFatigueOrFouls = 1;
        remark(first(), match->Text(600001) + name + match->Text(600005), 0);
    }
    if (energy < 25.0f && !remarkMood && RollPercent() < 60) {
        remarkMood = 1;
        const int r2 = RollPercent();
        const int mood = r2 >= 91   ? 600012
                         : r2 >= 81 ? 600011
                         : r2 >= 71 ? 600010
                         : r2 >= 61 ? 600009
                                    : 600008;
        remark(own(), match->Text(600007) + match->Text(mood), 0);
    }
}
