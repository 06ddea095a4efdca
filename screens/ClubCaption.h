// The caption line of a club screen: "Title / League / Club / 01.09.2007 / 2007-2008 Season".
#pragma once

#include "engine/Str.h"

class CScreenContext;

// The league is the user's; the season is the running fixture list's (the default one before any).
CStr ClubCaptionLine(const CScreenContext& ctx, int titleText, const CStr& club, const CStr& date);
