// The squad's and the staff's daily life: injuries healing, players' laments and their judging,
// the scout's tips, the fun-shop delivery notices and the warning about low team opinions.
#pragma once

#include "career/MoneySteps.h"
#include "database/Records.h"

#include <cstdint>

// Mail rows of these steps.
constexpr int kMailRowFunShopDelivery = 28;
constexpr int kMailRowLowOpinion = 29;
constexpr int kMailRowRecovery = 32;
constexpr int kMailRowScoutTip = 33;

// Lament subjects (language text ids; subject - 302000 is the complaint's mail row).
constexpr int32_t kFirstLamentSubject = 302006;
constexpr int32_t kLamentAnyway = 302010;
constexpr int32_t kLamentSeating = 302011;
constexpr int32_t kLastLamentSubject = 302015;
constexpr int kLamentDelayDays = 10;

// Injured players of the career heal by the day's healing speed (the physio room's level and the
// physiotherapist's skill); a player who is fit again is reported by the physiotherapist.
void UpdateInjuries(const CareerDay& day);
// The healing speed of the club today.
int HealingSpeed(const CareerDay& day);

// Now and then a player complains about a shortcoming of the club; ten days later the complaint
// is judged and the player's satisfaction drops when the shortcoming is still there.
void RunLaments(const CareerDay& day);
// Whether the subject's cause holds for the club now, and what the lament would store.
bool LamentCauseHolds(const CTeam& club, int32_t subject, int32_t& object);
// Judges one open lament that falls due today.
void JudgeLament(const CareerDay& day, CLament& lament);

// The scout's occasional tip: the best world player his skill can judge. The countdown, kept with
// the career, makes the tip likelier every day until it comes round again.
void SendScoutReport(const CareerDay& day);
// The physiotherapist announces the fun-shop orders that arrive tomorrow.
void SendFunShopDeliveryNotices(const CareerDay& day);
// The business manager warns about the club's opinion row, and every row of the career's own table, with a
// value below 11.
void CheckTeamOpinions(const CareerDay& day);
