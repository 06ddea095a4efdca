#include "screens/PositionCode.h"

#include "match/Formation.h"

CStr PositionCode(int32_t positionId) {
    static constexpr const char* kCodes[] = {"C", "PF", "SF", "PG", "SG", "G", "F"};
    if (positionId >= kPositionCentre && positionId <= kPositionForward)
        return kCodes[positionId - kPositionCentre];
    return "--";
}
