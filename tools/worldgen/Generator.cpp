// The world generator: leagues, clubs with squads and stadiums, staff, catalogues and the two
// tournament sets, all from a fixed seed.
#include "tools/worldgen/Generator.h"

#include "database/Careers.h"
#include "database/Validate.h"
#include "engine/GameRand.h"

#include <fstream>
#include <sstream>

namespace {

const unsigned int kSeed = 20070801;
const int32_t kHomeCountry = 800100;
const int32_t kPlayersPerTeam = 12;

bool ReadLines(const std::string& path, std::vector<CStr>& lines) {
    std::ifstream in(path);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        CStr text(line);
        text.Trim(" \t\r\n");
        if (!text.IsEmpty() && text.CharAt(0) != '#')
            lines.push_back(text);
    }
    return true;
}

bool ReadTable(const std::string& path, size_t columns, std::vector<std::vector<CStr>>& rows) {
    std::vector<CStr> lines;
    if (!ReadLines(path, lines))
        return false;
    for (const CStr& line : lines) {
        std::vector<CStr> parts = line.Split('|');
        if (parts.size() != columns)
            return false;
        for (CStr& part : parts)
            part.Trim(" \t");
        rows.push_back(parts);
    }
    return true;
}

// The language file holds one word per text: blanks become '_'.
CStr AsLanguageWord(const CStr& text) {
    CStr word = text;
    word.ReplaceChar(' ', '_');
    word.ReplaceChar('\t', '_');
    return word;
}

} // namespace

bool WorldSources::Load(const std::string& folder, CStr& error) {
    struct List {
        const char* file;
        std::vector<CStr>* lines;
        size_t minimum;
    } lists[] = {{"names/first_names.txt", &firstNames, 40},
                 {"names/last_names.txt", &lastNames, 40},
                 {"names/companies.txt", &companies, 12}};
    for (const List& list : lists) {
        if (!ReadLines(folder + "/" + list.file, *list.lines) || list.lines->size() < list.minimum) {
            error = CStr::Formatted("%s/%s is missing or has fewer than %zu names", folder.c_str(), list.file,
                                    list.minimum);
            return false;
        }
    }
    struct Table {
        const char* file;
        std::vector<std::vector<CStr>>* rows;
        size_t columns;
        size_t count;
    } tables[] = {{"names/league_clubs.txt", &leagueClubs, 3, 24},
                  {"names/euro_clubs.txt", &euroClubs, 3, 16},
                  {"names/nations.txt", &nations, 2, 24},
                  {"texts/mails.txt", &mails, 3, 61},
                  {"texts/whispers.txt", &whispers, 4, 16}};
    for (const Table& table : tables) {
        if (!ReadTable(folder + "/" + table.file, table.columns, *table.rows) ||
            table.rows->size() != table.count) {
            error = CStr::Formatted("%s/%s must have %zu rows of %zu columns", folder.c_str(), table.file,
                                    table.count, table.columns);
            return false;
        }
    }
    for (size_t row = 0; row < mails.size(); ++row)
        if (mails[row][0].ToInt() != static_cast<int>(row)) {
            error = CStr::Formatted("texts/mails.txt: row %zu is numbered %s", row, mails[row][0].GetText());
            return false;
        }
    for (size_t row = 0; row < whispers.size(); ++row)
        if (whispers[row][0].ToInt() != static_cast<int>(row)) {
            error = CStr::Formatted("texts/whispers.txt: row %zu is numbered %s", row,
                                    whispers[row][0].GetText());
            return false;
        }
    return true;
}

CWorldGenerator::CWorldGenerator(const WorldSources& sources) : m_sources(sources) {
    m_texts[800000] = "Third Division";
    m_texts[800001] = "Second Division";
    m_texts[800002] = "Premier Division";
    for (int group = 0; group < 4; ++group) {
        m_texts[800010 + group] = CStr::Formatted("EuroCup Group %c", 'A' + group);
        m_texts[800020 + group] = CStr::Formatted("WorldCup Group %c", 'A' + group);
    }
    m_texts[kHomeCountry] = "Northland";
    // Country texts are numbered in the order the lists first name them.
    for (const std::vector<CStr>& club : sources.euroClubs)
        CountryText(club[2]);
    for (const std::vector<CStr>& nation : sources.nations)
        CountryText(nation[0]);
    for (size_t row = 0; row < sources.mails.size(); ++row) {
        m_texts[801000 + 2 * static_cast<int32_t>(row)] = sources.mails[row][1];
        m_texts[801001 + 2 * static_cast<int32_t>(row)] = sources.mails[row][2];
    }
    for (size_t row = 0; row < sources.whispers.size(); ++row)
        for (int k = 0; k < 3; ++k)
            m_texts[802000 + 3 * static_cast<int32_t>(row) + k] =
                sources.whispers[row][static_cast<size_t>(k) + 1];
    m_texts[70201] = "Light";
    m_texts[70202] = "Normal";
    m_texts[70203] = "Hard";
    m_texts[100063] = "League career";
    m_texts[100065] = "WorldCup";
}

int32_t CWorldGenerator::CountryText(const CStr& country) {
    auto found = m_countryIds.find(country.Std());
    if (found != m_countryIds.end())
        return found->second;
    int32_t id = kHomeCountry + 1 + static_cast<int32_t>(m_countryIds.size());
    m_countryIds[country.Std()] = id;
    m_texts[id] = country;
    return id;
}

std::string CWorldGenerator::LanguageFileText() const {
    std::string text;
    for (const auto& [id, words] : m_texts)
        text += CStr::Formatted("%d %s\n", id, AsLanguageWord(words).GetText()).Std();
    return text;
}

int CWorldGenerator::Roll(int low, int high) {
    return low + GameRand() % (high - low + 1);
}

CStr CWorldGenerator::PersonName() {
    const size_t firsts = m_sources.firstNames.size();
    const size_t lasts = m_sources.lastNames.size();
    const size_t first = static_cast<size_t>(GameRand()) % firsts;
    const size_t last = static_cast<size_t>(GameRand()) % lasts;
    // Everybody of a data set has a name of his own: a name taken already gives way to the next
    // free one, walking the surnames and then the first names, so the set stays deterministic.
    for (size_t step = 0; step < firsts * lasts; ++step) {
        const size_t f = (first + (last + step) / lasts) % firsts;
        const size_t l = (last + step) % lasts;
        CStr name = m_sources.firstNames[f].Concat(" ").Concat(m_sources.lastNames[l]);
        if (m_usedNames.insert(name).second)
            return name;
    }
    return m_sources.firstNames[first].Concat(" ").Concat(m_sources.lastNames[last]);
}

CPlayer* CWorldGenerator::MakePlayer(int32_t id, int32_t teamId, int32_t position, int tier, int32_t origin,
                                     int slot) {
    CPlayer* player = new CPlayer();
    player->id = id;
    player->name = PersonName();
    player->birthDay = Roll(1, 28);
    player->birthMonth = Roll(1, 12);
    player->birthYear = Roll(1975, 1988);
    player->teamId = teamId;
    player->originTextId = origin;
    player->words[kWordPosition] = position;
    player->words[kWordPlayedPosition] = position;
    // Big men are tall and heavy, guards short and light.
    int size = position == 80063                        ? 4
               : position == 80064                      ? 3
               : position == 80065 || position == 80069 ? 2
               : position == 80067                      ? 1
                                                        : 0;
    player->words[kWordHeight] = 185 + size * 5 + Roll(0, 10);
    player->words[kWordWeight] = 80 + size * 6 + Roll(0, 11);
    player->words[kWordShirtNumber] = 4 + slot;
    // Five points of skill between classes: a higher league's clubs are better, not another sport.
    int low = 40 + tier * 5;
    for (int s = 1; s <= kSkillCount; ++s) {
        int value = s == 1 ? Roll(70, 100) : Roll(low, low + 20);
        player->SkillValue(s) = value;
        player->SkillSecond(s) = value;
        player->SkillProgress(s) = 0;
    }
    player->words[kWordWageFactor] = 12;
    player->words[kWordMatchState] = teamId >= 0 && slot < 5 ? kOnCourt : kOnBench;
    const int wageLow[] = {3000, 8000, 16000};
    const int wageHigh[] = {8000, 16000, 30000};
    player->words[kWordWage] = Roll(wageLow[tier] / 100, wageHigh[tier] / 100) * 100;
    player->words[kWordSatisfaction] = 60;
    player->contractMonths = 24;
    player->contractYear = 2007;
    player->contractMonth = 8;
    player->contractDay = 1;
    CPlayer::ComputeOverall(player, true);
    player->skin = Roll(0, 1);
    player->bodyTexture = 1;
    player->headTexture = 1;
    player->shoeTexture = 1;
    return player;
}

void CWorldGenerator::AddClub(CMemoryDB& db, const ClubSpec& spec) {
    CTeam* team = new CTeam();
    team->id = db.teams.Size();
    team->leagueId = spec.leagueId;
    team->name = spec.name;
    team->leagueKind = spec.leagueKind;
    team->countryTextId = spec.countryTextId;
    team->shortName = spec.shortName;
    team->logo = spec.crestFolder.Concat(CStr::Formatted("logo%.2d.png", team->id + 1));
    const int32_t cash[] = {500000, 1000000, 2000000};
    const int32_t fans[] = {5000, 15000, 40000};
    team->cash = cash[spec.tier];
    team->fanBase = fans[spec.tier];
    team->stadiumKey = spec.arenaKey;
    team->homeKit = team->id + 1;
    team->awayKit = team->id + 25;
    team->standing1 = 10 * (spec.tier + 1);
    db.teams.Append(team);

    // Starters first (one at each of the five positions), then the bench.
    const int32_t positions[kPlayersPerTeam] = {80063, 80064, 80065, 80066, 80067, 80063,
                                                80064, 80065, 80066, 80067, 80068, 80069};
    for (int slot = 0; slot < kPlayersPerTeam; ++slot)
        db.players.Append(
            MakePlayer(m_nextPlayerId++, team->id, positions[slot], spec.tier, spec.countryTextId, slot));

    CStadiumRecord* stadium = new CStadiumRecord();
    stadium->id = team->id;
    stadium->teamId = team->id;
    stadium->level = spec.arenaLevel;
    stadium->name = spec.stadiumName;
    const int32_t upkeep[] = {5000, 10000, 20000};
    stadium->upkeep = upkeep[spec.tier];
    db.stadiums.Append(stadium);
    const int32_t seats[] = {1000, 750, 1750, 1250, 250};
    const int32_t prices[] = {200, 70, 35, 20, 300};
    for (int part = 0; part < kWingCount; ++part) {
        CStadiumWingRecord* wing = new CStadiumWingRecord();
        wing->partId = part == 0 ? kCorePart : kFirstPart + part - 1;
        wing->stadiumId = stadium->id;
        wing->stageCost = Roll(20, 100) * 1000;
        wing->stageDays = Roll(5, 15);
        bool seatPart = wing->partId >= kFirstSeatPart && wing->partId <= kLastSeatPart;
        wing->level = wing->partId == kCorePart || seatPart ? 1 : 0;
        wing->monthlyCost = wing->level > 0 ? Roll(5, 20) * 100 : 0;
        if (seatPart) {
            wing->seats = seats[wing->partId - kFirstSeatPart];
            wing->price = prices[wing->partId - kFirstSeatPart];
        }
        db.wings.Append(wing);
    }

    CTeamOpinion* opinion = new CTeamOpinion();
    opinion->teamId = team->id;
    for (int k = 0; k < 3; ++k) {
        opinion->current[k] = 50;
        opinion->previous[k] = 50;
    }
    db.opinions.Append(opinion);
}

void CWorldGenerator::AddStaff(CMemoryDB& db, int32_t origin) {
    for (int32_t id = 0; id < 32; ++id) {
        CStaffRecord* member = new CStaffRecord();
        member->id = id;
        member->name = PersonName();
        member->category = 80055 + id / 4;
        member->specialityTextId = 70101 + Roll(0, 14);
        member->specialityPercent = Roll(10, 30);
        member->wage = Roll(20, 120) * 100;
        member->skill = Roll(40, 95);
        member->originTextId = origin;
        db.staff.Append(member);
    }
}

void CWorldGenerator::AddCatalogues(CMemoryDB& db) {
    for (int32_t row = 0; row < static_cast<int32_t>(m_sources.mails.size()); ++row) {
        CEmailTemplate* entry = new CEmailTemplate();
        entry->id = row;
        entry->subjectTextId = 801000 + 2 * row;
        entry->bodyTextId = 801001 + 2 * row;
        db.emailTemplates.Append(entry);
    }
    for (int32_t row = 0; row < 16; ++row) {
        CWhisperTemplate* entry = new CWhisperTemplate();
        entry->Word(0) = row;
        for (int outcome = 0; outcome < 3; ++outcome) {
            int base = 1 + outcome * 5;
            entry->Word(base) = 802000 + 3 * row + outcome;
            // The rumour itself nudges things one way; its two outcomes swing them harder.
            int sign = outcome == 1 ? -1 : 1;
            entry->Word(base + 1) = sign * Roll(1, 5);
            for (int k = 2; k <= 4; ++k)
                entry->Word(base + k) = sign * Roll(1, 5);
        }
        db.whispers.templates.Append(entry);
    }
    const int32_t costs[] = {5000, 10000, 15000, 20000, 30000, 40000};
    for (int32_t row = 0; row < 6; ++row) {
        CPromotion* promotion = new CPromotion();
        promotion->id = row;
        promotion->nameTextId = 302500 + row;
        promotion->cost = costs[row];
        promotion->attendanceBoost = 5 + row * 3;
        promotion->opinionDelta1 = 1 + row % 5;
        promotion->opinionDelta2 = 1 + (row + 2) % 5;
        db.promotions.Append(promotion);
    }
    for (int32_t row = 0; row < 15; ++row) {
        CTrainingType* type = new CTrainingType();
        type->id = row;
        type->textId = 70101 + row;
        type->firstDelta = -Roll(2, 10);
        type->secondDelta = -Roll(1, 5);
        db.trainingTypes.Append(type);
    }
    for (int32_t row = 0; row < 4; ++row) {
        CTrainingModifier* modifier = new CTrainingModifier();
        modifier->id = row;
        modifier->textId = 70200 + row;
        modifier->value = row;
        db.trainingModifiers.Append(modifier);
    }
    // Each item's price per 100 units follows what it is (a jersey dearer than a cap, a key ring the
    // cheapest); the roll only varies it by up to a tenth, so the order holds in every world.
    static constexpr int32_t kFunShopBasePrice[16] = {120, 100, 200, 190, 90, 30, 60,  20,
                                                      50,  30,  180, 150, 40, 50, 160, 40};
    for (int32_t row = 0; row < 16; ++row) {
        CFunShopItem* item = new CFunShopItem();
        item->id = row;
        item->nameTextId = 200164 + row;
        item->buyPrice = kFunShopBasePrice[row] * (90 + Roll(2, 20)) / 100;
        item->deliveryDays = Roll(2, 7);
        item->salePrice = item->buyPrice * 3 / 2;
        db.funShopItems.Append(item);
    }
    // Offer kinds rotate 2, 3, 1 so the last row (which the offer draw almost never reaches) is
    // of kind 1 and kinds 2 and 3 are spread through the table.
    for (int32_t row = 0; row < 12; ++row) {
        CSponsorRecord* offer = new CSponsorRecord();
        offer->kind = 1 + (row + 1) % 3;
        offer->requirement = row * 40 / 11;
        offer->year = 2007;
        offer->month = 8;
        offer->months = 6 + Roll(0, 3) * 6;
        offer->amount = Roll(4, 40) * 5000;
        offer->name = m_sources.companies[static_cast<size_t>(row)];
        db.sponsorOffers.Append(offer);
    }
    // How far each league lets a club build every stadium part: two stages in the bottom league,
    // three in the middle one, all four at the top. Names are the stadium screen's element names.
    const int32_t stageLimits[3] = {2, 3, 4};
    for (int32_t leagueClass = 0; leagueClass < 3; ++leagueClass) {
        for (int part = 0; part < kWingCount; ++part) {
            CStadiumUpgradeRecord* limit = new CStadiumUpgradeRecord();
            for (int stage = 0; stage < 4; ++stage)
                limit->elements[stage] = CStr::Formatted("ID_STADIUM_STAGE%d_%.2d", stage + 1, part);
            limit->elements[4] = CStr::Formatted("ID_STADIUM_ORDER_%.2d", part);
            limit->elements[5] = CStr::Formatted("ID_STADIUM_INFO_%.2d", part);
            limit->elements[6] = CStr::Formatted("ID_STADIUM_GRID_%.2d", part);
            limit->leagueKind = 100005;
            limit->leagueClass = leagueClass;
            limit->stageLimit = stageLimits[leagueClass];
            db.stadiumUpgrades.Append(limit);
        }
    }
}

void CWorldGenerator::Generate(int32_t dataSet, CMemoryDB& db) {
    db.Clear();
    GameSrand(kSeed + static_cast<unsigned int>(dataSet));
    m_nextPlayerId = 0;
    m_usedNames.clear();
    if (dataSet == kDataSetLeague) {
        const char* families[] = {"std_highschool_", "std_eu_", "std_nba_"};
        for (int32_t id = 0; id < 3; ++id) {
            CLeague* league = new CLeague();
            league->id = id;
            league->nameTextId = 800000 + id;
            league->type = 100005;
            league->classNumber = id;
            league->promotionLeague = id < 2 ? id + 1 : -1;
            league->relegationLeague = id > 0 ? id - 1 : -1;
            db.leagues.Append(league);
        }
        for (int32_t id = 0; id < 24; ++id) {
            const std::vector<CStr>& club = m_sources.leagueClubs[static_cast<size_t>(id)];
            ClubSpec spec;
            spec.name = club[0].Concat(" ").Concat(club[1]);
            spec.shortName = club[2];
            spec.stadiumName = club[0].Concat(" Arena");
            spec.countryTextId = kHomeCountry;
            spec.leagueId = id / 8;
            spec.leagueKind = 100005;
            spec.tier = id / 8;
            // The bottom league plays in school halls (levels 02-09), the others in levels 01-08.
            spec.arenaLevel = spec.tier == 0 ? 2 + id % 8 : 1 + id % 8;
            spec.arenaKey = CStr::Formatted("%s%.2d", families[spec.tier], spec.arenaLevel);
            AddClub(db, spec);
        }
        for (int32_t i = 0; i < 24; ++i) {
            const int32_t positions[] = {80063, 80064, 80065, 80066, 80067, 80068, 80069};
            db.players.Append(
                MakePlayer(m_nextPlayerId++, -1, positions[i % 7], i % 2, kHomeCountry, 5 + i % 7));
        }
    } else {
        bool euro = dataSet == kDataSetEuroCup;
        const std::vector<std::vector<int32_t>>& groups = TournamentGroups(dataSet);
        for (int32_t id = 0; id < 4; ++id) {
            CLeague* league = new CLeague();
            league->id = id;
            league->nameTextId = (euro ? 800010 : 800020) + id;
            league->type = 100004;
            league->classNumber = 0;
            db.leagues.Append(league);
        }
        int32_t teamCount = euro ? 16 : 24;
        for (int32_t id = 0; id < teamCount; ++id) {
            ClubSpec spec;
            for (size_t group = 0; group < groups.size(); ++group)
                for (int32_t member : groups[group])
                    if (member == id)
                        spec.leagueId = static_cast<int32_t>(group);
            if (euro) {
                const std::vector<CStr>& club = m_sources.euroClubs[static_cast<size_t>(id)];
                spec.name = club[0];
                spec.shortName = club[1];
                spec.countryTextId = CountryText(club[2]);
                spec.stadiumName = club[0].Concat(" Hall");
            } else {
                const std::vector<CStr>& nation = m_sources.nations[static_cast<size_t>(id)];
                spec.name = nation[0];
                spec.shortName = nation[1];
                spec.countryTextId = CountryText(nation[0]);
                spec.stadiumName = nation[0].Concat(" National Arena");
            }
            spec.leagueKind = 100004;
            spec.crestFolder =
                euro ? "images\\WinObjects\\Logos\\EuroCup\\" : "images\\WinObjects\\Logos\\WorldCup\\";
            spec.tier = 1 + id % 2;
            spec.arenaLevel = 1 + id % 10;
            spec.arenaKey = CStr::Formatted("%s%.2d", euro ? "std_eu_" : "std_nba_", spec.arenaLevel);
            AddClub(db, spec);
        }
    }
    // Every player's portrait, drawn by assetgen at the path his record names.
    const char* portraits = dataSet == kDataSetLeague    ? "League"
                            : dataSet == kDataSetEuroCup ? "EuroCup"
                                                         : "WorldCup";
    for (CPlayer* player : db.players)
        player->picture =
            CStr::Formatted("images\\WinObjects\\PLAYERPIC\\%s\\p%.4d.png", portraits, player->id);
    AddStaff(db, kHomeCountry);
    AddCatalogues(db);
    db.Link();
    db.UpdateStadiumCapacities();
}
