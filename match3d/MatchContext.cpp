// The match context's helpers on the random source and the rosters.
#include "match3d/MatchContext.h"

#include "engine/GameRand.h"
#include "match3d/MatchTeam.h"

#include <cmath>

int IMatchContext::Roll20() {
    return static_cast<int>(static_cast<double>(Rand()) / kGameRandMax * 20.0);
}

double IMatchContext::Percent() {
    return static_cast<double>(Rand()) / kGameRandMax * 100.0;
}

float IMatchContext::Offset(float a) {
    return static_cast<float>(Rand()) * (2.0f * a) / static_cast<float>(kGameRandMax) - a;
}

CCourtPlayer* IMatchContext::BallHolder() {
    for (int side = 0; side < 2; ++side) {
        if (CMatchTeam* team = Team(side)) {
            if (CCourtPlayer* holder = team->GetBallHolder()) {
                return holder;
            }
        }
    }
    return nullptr;
}

CCourtPlayer* IMatchContext::NearestPlayer(int side, const Vec3& point, const CCourtPlayer* skip) {
    CMatchTeam* team = Team(side);
    if (team == nullptr) {
        return nullptr;
    }
    CCourtPlayer* nearest = nullptr;
    float best = 0.0f;
    for (int i = 0; i < team->OnCourtCount(); ++i) {
        CCourtPlayer* player = team->GetPlayer(i);
        if (player == nullptr || player == skip) {
            continue;
        }
        const float distance = Vec3Distance(player->position, point);
        if (nearest == nullptr || distance < best) {
            nearest = player;
            best = distance;
        }
    }
    return nearest;
}

bool BeyondThreePointArc(const Vec3& spot, float endLinePointZ) {
    // A hair of tolerance so the line itself counts, whatever the float rounding of the spot.
    return std::hypot(spot.x, spot.z - endLinePointZ) >= kThreePointDistance - 1e-4f;
}
