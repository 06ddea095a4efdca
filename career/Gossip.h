// Gossip news: rumours ("whispers") about the league's clubs that start now and then, stay pending
// for one to three days and then resolve one of two ways, each step moving the club's opinion
// values and its players' morale. The records live in the world database's whisper list.
#pragma once

#include "career/TextLookup.h"
#include "database/GameDate.h"
#include "engine/Str.h"

#include <array>
#include <vector>

class CMemoryDB;
struct CWhisperTemplate;

constexpr int kCelebrities = 10;
// A longer list is cleared at the next day step.
constexpr int kWhisperListLimit = 50;
constexpr int kWhisperTemplates = 16;
// Resolved records carry their outcome as the state.
constexpr int kWhisperDenied = -2;
constexpr int kWhisperConfirmed = -1;
// The player value gossip moves: his morale.
constexpr int kWordGossipValue = 8;

// Ten names for "XYACTOR", then ten for "XYMANACTOR".
const std::array<const char*, 2 * kCelebrities>& CelebrityNames();

// The day step: may clear a list grown past the limit, starts new whispers about up to five drawn
// clubs (1 in 100 each), then counts every whisper started on an earlier day down and resolves
// those whose time is up. A whisper is thus pending for exactly its one to three days, however
// often the news is shown in between.
void GossipDailyUpdate(CMemoryDB& world, const GameDate& today);

// One column of the template applied to the club of that row: the opinion values move (the old
// ones kept as the previous values) and every player's morale moves, both kept within 0-100. The
// state picks the column: the rumour for 1 or more, else its outcome. A club without an opinion
// row only changes its players.
void ApplyWhisperOutcome(CMemoryDB& world, int teamRow, const CWhisperTemplate& entry, int state);

// The text id a record shows: its outcome's text once it is the outcome, else the rumour's; 0
// for a state that has none.
int WhisperTextId(const CWhisperTemplate& entry, int state);

// The news, one entry per whisper in list order: its date as "month-day-year", a line break and
// its text with the club, player, company and celebrity filled in. "CASH" is drawn anew for every
// line. Only reads the list: showing the news never moves a whisper on.
std::vector<CStr> BuildNewsLines(const CMemoryDB& world, const TextLookup& text);
