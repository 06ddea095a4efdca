// The training screen's two coach cards (head coach and assistant), as the staff screen keeps them
// in step with hires and releases. The training screen implements this beside CGameScreen; the
// staff screen finds it through its screen role.
#pragma once

#include "engine/Str.h"

#include <cstdint>

struct CoachCard {
    CStr name;
    int32_t skill = 0;
    CStr origin; // the language text of the member's origin
    int32_t wage = 0;
    CStr picture;
    CStr speciality; // the language text of his speciality
    int32_t specialityPercent = 0;
};

class ICoachCards {
public:
    virtual ~ICoachCards() = default;
    // category 80055 (head coach) or 80056 (assistant); an empty card for a released member.
    virtual void SetCoachCard(int32_t category, const CoachCard& card) = 0;
    // Redraws the cards from what they hold.
    virtual void FillStaffCards() = 0;
};
