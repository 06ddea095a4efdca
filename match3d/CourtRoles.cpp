// Dealing the five formation roles among the players on court by their positions.
#include "match3d/CourtRoles.h"

#include "match/Formation.h"
#include "match3d/MatchTeam.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace {

constexpr int32_t kRoles[kFormationSpots] = {kPositionCentre, kPositionPowerForward, kPositionSmallForward,
                                             kPositionPointGuard, kPositionShootingGuard};

// The spots a role brings with it.
struct RoleSpots {
    Vec3 homeSpot;
    Vec3 attackSpot, attackLookAt, attackHome, attackHomeLookAt;
    Vec3 defenceSpot, defenceLookAt, defenceHome, defenceHomeLookAt;
};

RoleSpots SpotsOf(const CCourtPlayer& p) {
    return {p.homeSpot,    p.attackSpot,    p.attackLookAt, p.attackHome,       p.attackHomeLookAt,
            p.defenceSpot, p.defenceLookAt, p.defenceHome,  p.defenceHomeLookAt};
}

void TakeSpots(CCourtPlayer& p, const RoleSpots& s) {
    p.homeSpot = s.homeSpot;
    p.attackSpot = s.attackSpot;
    p.attackLookAt = s.attackLookAt;
    p.attackHome = s.attackHome;
    p.attackHomeLookAt = s.attackHomeLookAt;
    p.defenceSpot = s.defenceSpot;
    p.defenceLookAt = s.defenceLookAt;
    p.defenceHome = s.defenceHome;
    p.defenceHomeLookAt = s.defenceHomeLookAt;
    p.attackTarget = s.attackHome;
    p.defenceTarget = s.defenceHome;
}

} // namespace

int RoleMisfit(int32_t position, int32_t role) {
    const int a = PositionPlace(position);
    const int b = PositionPlace(role);
    return a < 0 || b < 0 ? 0 : std::abs(a - b);
}

void DealCourtRoles(CMatchTeam& team) {
    const int n = team.OnCourtCount();
    CCourtPlayer* five[kFormationSpots] = {};
    for (int i = 0; i < n; ++i)
        five[i] = team.GetPlayer(i);
    // Five players have 120 ways to fill five roles: every one is tried. A misfit counts squared, so
    // three players moving over a step beat a guard at centre. A changed role costs a little, so among
    // equal fits everybody keeps his place and nobody crosses the court for nothing.
    int order[kFormationSpots];
    std::iota(order, order + kFormationSpots, 0);
    int best[kFormationSpots];
    std::copy(order, order + kFormationSpots, best);
    int bestCost = -1;
    do {
        int cost = 0;
        for (int i = 0; i < n; ++i) {
            if (five[i] == nullptr)
                continue;
            const int32_t role = kRoles[order[i]];
            const int misfit = RoleMisfit(five[i]->playsAt, role);
            cost += 10 * misfit * misfit + (five[i]->courtPositionId != role ? 1 : 0);
        }
        if (bestCost < 0 || cost < bestCost) {
            bestCost = cost;
            std::copy(order, order + kFormationSpots, best);
        }
    } while (std::next_permutation(order, order + kFormationSpots));

    // Each role's spots as its present holder has them; a role nobody holds yet has none to hand on.
    RoleSpots spots[kFormationSpots];
    bool held[kFormationSpots] = {};
    for (int r = 0; r < kFormationSpots; ++r)
        for (int i = 0; i < n && !held[r]; ++i)
            if (five[i] != nullptr && five[i]->courtPositionId == kRoles[r]) {
                spots[r] = SpotsOf(*five[i]);
                held[r] = true;
            }
    for (int i = 0; i < n; ++i) {
        CCourtPlayer* p = five[i];
        const int32_t role = kRoles[best[i]];
        if (p == nullptr || p->courtPositionId == role)
            continue;
        p->courtPositionId = role;
        if (held[best[i]])
            TakeSpots(*p, spots[best[i]]);
    }
}
