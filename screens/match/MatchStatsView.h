// The live statistics of a running match as the in-match display shows them: one line per player
// from either engine's team, the five live player panels and the box scores.
#pragma once

#include "engine/Str.h"

#include <cstdint>
#include <functional>
#include <vector>

class CGuiElement;
class CCourtPlayer;
class CMatchTeam;
class CMatch2DPlayer;
class CMatch2DTeam;

// One player as the panels and box scores show him, whichever engine he plays in.
struct MatchStatLine {
    CStr name;
    int32_t positionId = 0;
    float stamina = 0.0f;
    int32_t morale = 0;
    // The points of the live panel (the sum of points by kind) and of the box score (made baskets
    // by kind); both engines keep them equal, but each view reads its own.
    int32_t points = 0;
    int32_t boxPoints = 0;
    int32_t personalFouls = 0;
    int32_t foulsCharged = 0;
    int32_t foulsBooked = 0;
    bool injured = false;   // hurt: he may not play on
    bool fouledOut = false; // six fouls: out of the match
};

using MatchTextLookup = std::function<CStr(int)>;

// "C", "PF", "SF", "PG", "SG", "G", "F" for the position text ids 80063-80069, "--" otherwise.
const char* PositionAbbreviation(int positionId);
MatchStatLine StatLineOf(const CCourtPlayer& player);
MatchStatLine StatLineOf(const CMatch2DPlayer& player);
// Every player of the team in roster order (the first five on court).
std::vector<MatchStatLine> StatLinesOf(const CMatchTeam& team);
std::vector<MatchStatLine> StatLinesOf(const CMatch2DTeam& team);

// Rounded to the nearest whole number, halves away from zero.
int RoundHalfAway(float value);
// What a shot clock shows after `elapsed` seconds of a possession: the whole seconds left of the
// 24, counting down to 0.
int ShotClockSecondsLeft(double elapsed);
// Stamina and morale bands: red below 10, yellow below 60, green from there (colour words).
uint32_t StatBandColour(float value);

// One live panel: the player's name, stamina, morale, points and personal fouls in five rows of
// two cells. Without a player the panel is left empty.
void FillLivePanel(CGuiElement* grid, const MatchStatLine* line, const MatchTextLookup& text);
// A side's box score: the first five players in the starters grid, the rest in the bench grid; the
// headers go on the starters grid, and on the bench grid too when asked. Nothing without both grids.
void FillBoxScore(CGuiElement* starters, CGuiElement* bench, const std::vector<MatchStatLine>& lines,
                  bool headersOnBench, const MatchTextLookup& text);

namespace matchstats {
inline constexpr uint32_t kWhite = 0xFFFFFFFFu;
inline constexpr uint32_t kCyan = 0xFFFF00FFu;
inline constexpr uint32_t kRed = 0x0000FFFFu;
inline constexpr uint32_t kYellow = 0x00FFFFFFu;
inline constexpr uint32_t kGreen = 0x00FF00FFu;
} // namespace matchstats
