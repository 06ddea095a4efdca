// Checks a world data set for what the game relies on: ids equal to rows where rows are used as
// ids, links that resolve, values in range, complete squads and stadiums, and text ids that exist.
#pragma once

#include "database/MemoryDB.h"
#include "engine/Str.h"

#include <cstdint>
#include <set>
#include <vector>

// The 40 arena keys: four families, levels 01 to 10.
bool IsArenaKey(const CStr& key);

// The groups of the two tournaments, by group (league) id: team ids in each.
const std::vector<std::vector<int32_t>>& TournamentGroups(int32_t dataSet);

// Every problem found, one line each; empty when the data set is sound. dataTextIds are the ids
// the data's own texts were written under (league, country, mail and rumour texts); every text id
// in the data must be either one of them or one of the game's fixed ids.
std::vector<CStr> ValidateWorldData(const CMemoryDB& world, int32_t dataSet,
                                    const std::set<int32_t>& dataTextIds);

// Every text id the world's records name (league, country and origin names, staff specialities,
// mails, rumours, fun-shop items, promotions, training), sorted, each once; unset ids (0, -1) left out.
std::vector<int32_t> WorldTextIds(const CMemoryDB& world);
