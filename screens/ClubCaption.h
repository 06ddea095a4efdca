// The caption line of a club screen: "Title / League / Club / 01.09.2007 / 2007-2008 Season".
#pragma once

#include "engine/Str.h"

#include <initializer_list>

class CScreenContext;

// Joins the parts with " / ", leaving out the empty ones so that a missing league or club never
// shows as "Title /  / ...".
CStr JoinCaption(std::initializer_list<CStr> parts);

// "2007-2008 Season"; a tournament's season is its one year: "2008 Season".
CStr CaptionSeason(int startYear, int endYear, const CStr& seasonWord);

// The user's league name (empty without one) and the running fixture list's season (the default
// one before any), as the club screens show them.
CStr ClubCaptionLeague(const CScreenContext& ctx);
CStr ClubCaptionSeason(const CScreenContext& ctx);

CStr ClubCaptionLine(const CScreenContext& ctx, int titleText, const CStr& club, const CStr& date);
