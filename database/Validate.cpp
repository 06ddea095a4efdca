// The data set validator used by the world generator at build time and by the tests.
#include "database/Validate.h"

#include "database/Careers.h"

#include <cstdarg>
#include <map>

namespace {

class CProblems {
public:
    void Add(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        char buffer[CStr::kFormatBufferSize];
        va_list args;
        va_start(args, format);
        std::vsnprintf(buffer, sizeof buffer, format, args);
        va_end(args);
        m_lines.emplace_back(buffer);
    }
    std::vector<CStr> Take() { return std::move(m_lines); }

private:
    std::vector<CStr> m_lines;
};

bool InRange(int32_t value, int32_t low, int32_t high) {
    return value >= low && value <= high;
}

template <class T> void CheckIdsAreRows(const CTable<T>& table, const char* what, CProblems& problems) {
    for (int row = 0; row < table.Size(); ++row)
        if (table.At(row)->id != row)
            problems.Add("%s row %d has id %d", what, row, table.At(row)->id);
}

} // namespace

bool IsArenaKey(const CStr& key) {
    static const char* const kFamilies[] = {"std_street_", "std_eu_", "std_highschool_", "std_nba_"};
    for (const char* family : kFamilies) {
        for (int level = 1; level <= 10; ++level)
            if (key == CStr::Formatted("%s%.2d", family, level))
                return true;
    }
    return false;
}

const std::vector<std::vector<int32_t>>& TournamentGroups(int32_t dataSet) {
    static const std::vector<std::vector<int32_t>> kEuroCup = {
        {0, 5, 11, 13}, {2, 4, 10, 14}, {1, 8, 9, 15}, {3, 6, 7, 12}};
    static const std::vector<std::vector<int32_t>> kWorldCup = {
        {0, 7, 12, 14, 16, 23}, {1, 6, 8, 9, 18, 19}, {2, 4, 5, 10, 15, 21}, {3, 11, 13, 17, 20, 22}};
    static const std::vector<std::vector<int32_t>> kNone;
    if (dataSet == kDataSetEuroCup)
        return kEuroCup;
    if (dataSet == kDataSetWorldCup)
        return kWorldCup;
    return kNone;
}

std::vector<CStr> ValidateWorldData(const CMemoryDB& world, int32_t dataSet,
                                    const std::set<int32_t>& dataTextIds) {
    CProblems problems;
    auto checkText = [&](int32_t id, int32_t low, int32_t high, const char* what, int row) {
        bool fixed = InRange(id, low, high);
        bool data = id >= 800000 && id <= 899999 && dataTextIds.count(id) > 0;
        if (!fixed && !data)
            problems.Add("%s row %d names text id %d, which no text carries", what, row, id);
    };

    // Leagues
    CheckIdsAreRows(world.leagues, "league", problems);
    if (world.leagues.IsEmpty())
        problems.Add("no leagues");
    for (int row = 0; row < world.leagues.Size(); ++row) {
        const CLeague* league = world.leagues.At(row);
        checkText(league->nameTextId, -1, -2, "league", row);
        int32_t wantType = dataSet == kDataSetLeague ? 100005 : 100004;
        if (league->type != wantType)
            problems.Add("league row %d has type %d, not %d", row, league->type, wantType);
        for (int32_t link : {league->promotionLeague, league->relegationLeague})
            if (link != -1 && !world.leagues.At(link))
                problems.Add("league row %d links to league row %d, which does not exist", row, link);
        if (league->teams.size() < 2)
            problems.Add("league row %d has fewer than two teams", row);
    }

    // Teams and squads
    CheckIdsAreRows(world.teams, "team", problems);
    for (int row = 0; row < world.teams.Size(); ++row) {
        const CTeam* team = world.teams.At(row);
        if (!world.FindLeague(team->leagueId))
            problems.Add("team %d names league %d, which does not exist", team->id, team->leagueId);
        checkText(team->countryTextId, -1, -2, "team", row);
        if (team->name.IsEmpty())
            problems.Add("team %d has no name", team->id);
        if (!IsArenaKey(team->stadiumKey))
            problems.Add("team %d has the unknown arena key '%s'", team->id, team->stadiumKey.GetText());
        if (team->players.size() < 10)
            problems.Add("team %d has %zu players, fewer than ten", team->id, team->players.size());
        std::map<int32_t, int> onCourt;
        int bench = 0;
        for (const CPlayer* player : team->players) {
            if (player->words[kWordMatchState] == kOnCourt)
                ++onCourt[player->words[kWordPosition]];
            else
                ++bench;
        }
        for (int32_t position = 80063; position <= 80067; ++position)
            if (onCourt[position] != 1)
                problems.Add("team %d has %d starters at position %d, not one", team->id, onCourt[position],
                             position);
        if (onCourt.size() != 5 || bench == 0)
            problems.Add("team %d needs exactly five starters and a bench", team->id);
        if (!team->stadium)
            problems.Add("team %d has no stadium", team->id);
        const CTeamOpinion* opinion = world.opinions.At(row);
        if (!opinion || opinion->teamId != team->id)
            problems.Add("team %d has no opinion row at row %d", team->id, row);
    }
    const std::vector<std::vector<int32_t>>& groups = TournamentGroups(dataSet);
    for (size_t group = 0; group < groups.size(); ++group) {
        const CLeague* league = world.FindLeague(static_cast<int32_t>(group));
        std::set<int32_t> want(groups[group].begin(), groups[group].end());
        std::set<int32_t> have;
        if (league)
            for (const CTeam* team : league->teams)
                have.insert(team->id);
        if (want != have)
            problems.Add("group %zu does not hold the teams of the tournament table", group);
    }

    // Players
    std::set<int32_t> playerIds;
    for (int row = 0; row < world.players.Size(); ++row) {
        const CPlayer* player = world.players.At(row);
        if (!playerIds.insert(player->id).second)
            problems.Add("player id %d appears twice", player->id);
        if (player->teamId != -1 && !world.FindTeam(player->teamId))
            problems.Add("player %d names team %d, which does not exist", player->id, player->teamId);
        if (!InRange(player->words[kWordPosition], 80063, 80069))
            problems.Add("player %d has the position %d", player->id, player->words[kWordPosition]);
        for (int s = 1; s <= kSkillCount; ++s)
            if (!InRange(player->SkillValue(s), 0, 100))
                problems.Add("player %d has skill %d at %d", player->id, s, player->SkillValue(s));
        if (player->SkillValue(3) <= 0)
            problems.Add("player %d has no speed", player->id);
        int32_t state = player->words[kWordMatchState];
        if (state != kOnCourt && state != kOnBench)
            problems.Add("player %d has the match state %d", player->id, state);
        if (player->teamId == -1 && state == kOnCourt)
            problems.Add("free agent %d is marked on court", player->id);
        checkText(player->originTextId, -1, -2, "player", row);
    }

    // Staff
    CheckIdsAreRows(world.staff, "staff", problems);
    for (int row = 0; row < world.staff.Size(); ++row) {
        const CStaffRecord* member = world.staff.At(row);
        if (!InRange(member->category, 80055, 80062))
            problems.Add("staff %d has the category %d", member->id, member->category);
        if (member->clubId != -1 && !world.FindTeam(member->clubId))
            problems.Add("staff %d names club %d, which does not exist", member->id, member->clubId);
        checkText(member->specialityTextId, 70101, 70115, "staff", row);
        checkText(member->originTextId, -1, -2, "staff", row);
    }

    // Stadiums and their parts
    for (const CStadiumRecord* stadium : world.stadiums) {
        if (!world.FindTeam(stadium->teamId))
            problems.Add("stadium %d names team %d, which does not exist", stadium->id, stadium->teamId);
        if (stadium->wings.size() != kWingCount) {
            problems.Add("stadium %d has %zu parts, not %d", stadium->id, stadium->wings.size(), kWingCount);
            continue;
        }
        std::set<int32_t> parts;
        bool coreBuilt = false;
        for (const CStadiumWingRecord* wing : stadium->wings) {
            parts.insert(wing->partId);
            bool seatPart = InRange(wing->partId, kFirstSeatPart, kLastSeatPart);
            if (wing->seats != 0 && !seatPart)
                problems.Add("stadium %d part %d has seats", stadium->id, wing->partId);
            if (!InRange(wing->level, 0, 4))
                problems.Add("stadium %d part %d has level %d", stadium->id, wing->partId, wing->level);
            if (wing->stageDays <= 0)
                problems.Add("stadium %d part %d takes no days to build", stadium->id, wing->partId);
            if (wing->partId == kCorePart && wing->level >= 1)
                coreBuilt = true;
        }
        if (parts.size() != kWingCount || !parts.count(kCorePart) || !parts.count(kFirstPart) ||
            !parts.count(kFirstPart + 16))
            problems.Add("stadium %d does not have the eighteen distinct parts", stadium->id);
        if (!coreBuilt)
            problems.Add("stadium %d has no built core", stadium->id);
    }
    for (const CStadiumWingRecord* wing : world.wings) {
        bool found = false;
        for (const CStadiumRecord* stadium : world.stadiums)
            found = found || stadium->id == wing->stadiumId;
        if (!found)
            problems.Add("a stadium part names stadium %d, which does not exist", wing->stadiumId);
    }

    // Catalogues
    CheckIdsAreRows(world.emailTemplates, "mail template", problems);
    if (world.emailTemplates.Size() < 61)
        problems.Add("only %d mail templates, the game uses rows up to 60", world.emailTemplates.Size());
    for (int row = 0; row < world.emailTemplates.Size(); ++row) {
        checkText(world.emailTemplates.At(row)->subjectTextId, -1, -2, "mail template", row);
        checkText(world.emailTemplates.At(row)->bodyTextId, -1, -2, "mail template", row);
    }
    if (world.whispers.templates.Size() != 16)
        problems.Add("%d rumour templates, not 16", world.whispers.templates.Size());
    for (int row = 0; row < world.whispers.templates.Size(); ++row) {
        const CWhisperTemplate* entry = world.whispers.templates.At(row);
        if (entry->Word(0) != row)
            problems.Add("rumour template row %d has id %d", row, entry->Word(0));
        for (int position : {1, 6, 11})
            checkText(entry->Word(position), -1, -2, "rumour template", row);
    }
    CheckIdsAreRows(world.funShopItems, "fun-shop item", problems);
    if (world.funShopItems.Size() != 16)
        problems.Add("%d fun-shop items, not 16", world.funShopItems.Size());
    for (int row = 0; row < world.funShopItems.Size(); ++row) {
        const CFunShopItem* item = world.funShopItems.At(row);
        if (item->deliveryDays < 1)
            problems.Add("fun-shop item %d is never delivered", item->id);
        checkText(item->nameTextId, 200164, 200179, "fun-shop item", row);
    }
    CheckIdsAreRows(world.promotions, "promotion", problems);
    if (world.promotions.Size() != 6)
        problems.Add("%d promotions, not 6", world.promotions.Size());
    for (int row = 0; row < world.promotions.Size(); ++row)
        checkText(world.promotions.At(row)->nameTextId, 302500, 302505, "promotion", row);
    if (world.sponsorOffers.IsEmpty())
        problems.Add("no sponsor offers");
    std::set<int32_t> kinds;
    for (int row = 0; row + 1 < world.sponsorOffers.Size(); ++row)
        kinds.insert(world.sponsorOffers.At(row)->kind);
    if (!kinds.count(2) || !kinds.count(3))
        problems.Add("sponsor kinds 2 and 3 must appear before the last offer");
    for (const CSponsorRecord* offer : world.sponsorOffers)
        if (!InRange(offer->kind, 1, 3) || offer->name.IsEmpty())
            problems.Add("sponsor offer '%s' has kind %d", offer->name.GetText(), offer->kind);
    std::set<int32_t> trained;
    for (int row = 0; row < world.trainingTypes.Size(); ++row) {
        trained.insert(world.trainingTypes.At(row)->textId);
        checkText(world.trainingTypes.At(row)->textId, 70101, 70115, "training type", row);
    }
    for (int32_t id = 70101; id <= 70115; ++id)
        if (!trained.count(id))
            problems.Add("no training type trains %d", id);
    bool restDay = false;
    for (int row = 0; row < world.trainingModifiers.Size(); ++row) {
        restDay = restDay || world.trainingModifiers.At(row)->textId == 70200;
        checkText(world.trainingModifiers.At(row)->textId, 70200, 70203, "training intensity", row);
    }
    if (!restDay)
        problems.Add("no training intensity 70200");
    return problems.Take();
}

std::vector<int32_t> WorldTextIds(const CMemoryDB& world) {
    std::set<int32_t> ids;
    auto add = [&](int32_t id) {
        if (id > 0)
            ids.insert(id);
    };
    for (const CLeague* league : world.leagues)
        add(league->nameTextId);
    for (const CTeam* team : world.teams)
        add(team->countryTextId);
    for (const CPlayer* player : world.players)
        add(player->originTextId);
    for (const CStaffRecord* member : world.staff) {
        add(member->specialityTextId);
        add(member->originTextId);
    }
    for (const CEmailTemplate* mail : world.emailTemplates) {
        add(mail->subjectTextId);
        add(mail->bodyTextId);
    }
    for (const CWhisperTemplate* entry : world.whispers.templates)
        for (int position : {1, 6, 11})
            add(entry->Word(position));
    for (const CFunShopItem* item : world.funShopItems)
        add(item->nameTextId);
    for (const CPromotion* promotion : world.promotions)
        add(promotion->nameTextId);
    for (const CTrainingType* type : world.trainingTypes)
        add(type->textId);
    for (const CTrainingModifier* modifier : world.trainingModifiers)
        add(modifier->textId);
    return std::vector<int32_t>(ids.begin(), ids.end());
}
