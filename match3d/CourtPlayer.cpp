// CCourtPlayer placement helpers.
#include "match3d/CourtPlayer.h"

void CCourtPlayer::SetHomeSpot(float x, float y, float z) {
    homeSpot = Vec3(x, y, z);
    position = homeSpot;
}

void CCourtPlayer::SetHomeFacing(float x, float y, float z) {
    facing = Vec3(x, y, z);
    lookDirection = facing;
}
