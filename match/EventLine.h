// The one pattern of a match event line: "team: player text" when a player acts, "team: text" when
// the club does, so the lines of a match read alike whoever they are about.
#pragma once

#include "engine/Str.h"

inline CStr MatchEventLine(const CStr& team, const CStr& player, const CStr& text) {
    CStr line = team.Concat(": ");
    if (!player.IsEmpty())
        line = line.Concat(player).Concat(" ");
    return line.Concat(text);
}
