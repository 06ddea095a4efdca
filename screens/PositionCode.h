// A position's short code as the squad, statistics and transfer lists show it.
#pragma once

#include "engine/Str.h"

#include <cstdint>

// "C", "PF", "SF", "PG", "SG", "G", "F" for the position ids 80063-80069, "--" otherwise.
CStr PositionCode(int32_t positionId);
