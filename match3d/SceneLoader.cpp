// The 3D match's scene set-up: stadium keys, scene descriptors, rosters, models and the loader.
#include "match3d/SceneLoader.h"

#include "database/HiredStaff.h"
#include "database/Records.h"
#include "engine/GameObject.h"
#include "engine/Lights.h"
#include "engine/Log.h"
#include "engine/SkinnedMesh.h"
#include "engine/TextureManager.h"
#include "engine/World.h"
#include "engine/Xml.h"
#include "match/Formation.h"
#include "match/PlayerLooks.h"
#include "match3d/HeadlessMatch.h"
#include "match3d/Match3D.h"
#include "match3d/Referee.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* kInitDataPath = "\\ini\\InitData.xml";
constexpr const char* kBallPath = "\\objects\\kv_ball.xml";
constexpr const char* kCubePath = "\\objects\\kv_cube.xml";
constexpr const char* kLogosPath = "\\objects\\kv_logos.xml";
constexpr const char* kPlayerModel = "\\characters\\multianim.X";
constexpr const char* kRefereeModel = "\\characters\\referree_mutianim.x";
constexpr const char* kCharacterTextures = "\\characters\\textures\\";

// Wait-screen captions of the three stages.
constexpr int kCaptionRosters = 60043;
constexpr int kCaptionArena = 60044;
constexpr int kCaptionFormations = 60045;

// The computer's formations, the same at either end: away it pressed (18) from the tip-off, fouled
// half as often again poking at the dribble, and its starters sat in foul trouble, one in five of
// them under 24 minutes.
constexpr int kComputerAttack = kDefaultOffenceTactic;
constexpr int kComputerDefence = kDefaultDefenceTactic;

struct ArenaFamily {
    const char* key;    // key prefix, the two level digits follow
    const char* arena;  // descriptor prefix
    const char* camera; // camera descriptor prefix
    int firstLevel;     // the lowest level with files of its own
};
constexpr ArenaFamily kFamilies[] = {
    {"std_street_", "Stadions\\ini\\STD_street_", "Stadions\\ini\\camera_str_", 1},
    {"std_eu_", "Stadions\\ini\\STD_Fiba_", "Stadions\\ini\\camera_fiba_", 1},
    {"std_highschool_", "Stadions\\ini\\STD_HScool_", "Stadions\\ini\\camera_hscool_", 2},
    {"std_nba_", "Stadions\\ini\\STD_NBA_", "Stadions\\ini\\camera_nba_", 1},
};

struct DescriptorTexts {
    CStr type;
    CStr name;
    CStr model;
    CStr textures;
    CStr lightmaps;
};

// The descriptor's type, name and paths; a file that does not parse ends the game in OpenFile.
DescriptorTexts ReadDescriptor(const CStr& path) {
    DescriptorTexts texts;
    XmlNode root = XmlNode::OpenFile(path.GetText(), "FileDescriptor");
    XmlNode file = root.ChildNode("QuorelFile");
    texts.type = file.Attribute("type");
    texts.name = file.Attribute("name");
    const CStr modelDir = file.ChildText("ModelDirectory");
    texts.model = CStr("\\").Concat(modelDir).Concat(file.ChildText("Modell"));
    // The tag's spelling is the file format's own.
    texts.textures = CStr("\\").Concat(file.ChildText("TexureDirectory"));
    const CStr lightmaps = file.ChildText("LMTextureDir");
    if (!lightmaps.IsEmpty())
        texts.lightmaps = CStr("\\").Concat(lightmaps);
    return texts;
}

CQuorelGameObject* BuildObject(const DescriptorTexts& texts) {
    auto* object = new CQuorelGameObject();
    if (!object->Init(texts.name.GetText(), texts.model.GetText(), texts.textures.GetText(), g_pQuorelLights))
        QuorelLog("[LoadSceneObject] %s: the model %s did not load", texts.name.GetText(),
                  texts.model.GetText());
    if (g_pQuorelTextureManager)
        g_pQuorelTextureManager->LoadAll();
    return object;
}

CStr TexturePath(const char* name) {
    return CStr(kCharacterTextures).Concat(name);
}

CStr NumberedTexture(const char* pattern, int number) {
    char name[64];
    std::snprintf(name, sizeof name, pattern, number);
    return TexturePath(name);
}

// A level by the club's league class and kind: each row is {other kinds, the regular league}.
float ClassLevel(const CTeam& club, const float (&factors)[3][2]) {
    constexpr int32_t kRegularLeague = 100005;
    const int leagueClass = ((club.leagueId % 3) + 3) % 3;
    return factors[leagueClass][club.leagueKind == kRegularLeague ? 1 : 0];
}

// The level a club's class and league kind reads the shot tables at. The flat court's factors rise
// 0.12 a class; in the 3D match the weaker classes also tire more and bring lower morale and
// aggression modifiers (about 3 points of a shot's sum between class 0 and class 2), so its shots
// rise a little more, about 0.135 a class, to keep every league's shooting alike (at 0.13 the two upper
// classes shot 51 % from the field against class 0's 48). With the reach-in and shooting fouls cut
// and the heavier shot die a side scored 110-115; every class reads its shots 0.035-0.05 higher now.
float ShotLevelFactor(const CTeam& club) {
    static const float kFactors[3][2] = {{1.19f, 1.29f}, {1.2975f, 1.3975f}, {1.44f, 1.54f}};
    return ClassLevel(club, kFactors);
}

// What a class's twos read above its shot level, the level of its threes. At one level for both the
// two upper classes made about half their field goals and only a third of their threes; since the
// holder waits for room (see the ball holder) the threes fell to 29-32 % in every class, so every
// class's threes read at least 0.025 below its twos. 0.01 of level moves a shot about 4 % of its
// makes. Since players tire sooner (the rest rule's later round) the three-point squads of classes 0
// and 1 made 42-43 % of their twos and the class means 46-48 %: the shifts came down 0.01 / 0.01 /
// 0.005. With the shot's die weighed seven times (five before) every two nears one in two, so the
// upper classes' shifts rose 0.002 / 0.013 to keep each class's points; class 1's least, since its
// three-point squad shoots most of its twos from its weakest hands, and the lowest class's fell
// 0.005, the threes reading higher in its place.
float TwoPointLevelShift(const CTeam& club) {
    static const float kShifts[3][2] = {{0.01f, 0.01f}, {0.037f, 0.037f}, {0.055f, 0.055f}};
    return ClassLevel(club, kShifts);
}

// The level of a defender's contests: the squads' steal skill rises about 5 a class, less than the
// flat court's factors, and at those a class-2 poke won 0.9 % against class 0's 2.2 %. The pokes win
// seldom, so a small step moves the steals far (about one a side for 0.01). Since the dribble reach
// was cut (see the match), class 1 at 1.39 stole under 7 balls a side and class 2 at 1.5 about 7.
// With a zone's markers standing further off their men fewer pokes reach, and the levels came down
// 0.015 (class 0) and 0.025 (classes 1 and 2) to keep the steals near 6-8 a side.
float ContestLevelFactor(const CTeam& club) {
    static const float kFactors[3][2] = {{1.155f, 1.255f}, {1.255f, 1.355f}, {1.37f, 1.47f}};
    return ClassLevel(club, kFactors);
}

// The overall rating a club's class stands for: 50, 55 and 60 in the regular leagues, as their levels
// rise, and 4.2 less in the other kinds, whose levels stand 0.1 lower (the flat court's reading).
float UsualRating(const CTeam& club) {
    static const float kRatings[3][2] = {{45.8f, 50.0f}, {50.8f, 55.0f}, {55.8f, 60.0f}};
    return ClassLevel(club, kRatings);
}

// The levels the two sides of a match read the tables at. The per-class levels keep every league's
// shooting alike (the tables rise with the class as the squads' skills do); read by each side at its
// own class when classes meet, they cancelled the stronger squad's edge (a class-2 club won about
// half its matches against class 0). Each side now reads the match's level - the mean of the two
// clubs' - moved only part of the way toward its own: within a league nothing changes, and across
// classes the better players win most (with the match's level alone a class-2 club won every match).
struct MatchLevels {
    float shot = 1.0f;
    float twoShift = 0.0f;
    float contest = 1.0f;
};

// At 0.9 a class-2 club beat class 0 in about two matches of three, at 0.8 in nine of ten. Since the
// shot's die weighs four times a shot level's edge counts a quarter as much: at 0.85 class 2 won 40 %
// of 30 matches, at 0.4 97 %. The contests keep the plain die and their share (at 0.4 a class-2 side
// stole 25 balls a match from class 0). Since the rest and foul rules, class 2 beat class 0 in 72 % of
// watched matches at 0.6 (the die at eight times), in 83-88 % at 0.4 and 78-80 % at 0.5 (at seven).
constexpr float kOwnShotLevelShare = 0.5f;
constexpr float kOwnLevelShare = 0.85f;

MatchLevels LevelsOfSide(const CTeam& club, const CTeam& home, const CTeam& away) {
    const float shot = 0.5f * (ShotLevelFactor(home) + ShotLevelFactor(away));
    const float twoShift = 0.5f * (TwoPointLevelShift(home) + TwoPointLevelShift(away));
    const float contest = 0.5f * (ContestLevelFactor(home) + ContestLevelFactor(away));
    return {shot + kOwnShotLevelShare * (ShotLevelFactor(club) - shot),
            twoShift + kOwnShotLevelShare * (TwoPointLevelShift(club) - twoShift),
            contest + kOwnLevelShare * (ContestLevelFactor(club) - contest)};
}

// One court player from his squad record: id, name, body, stamina, the trained attributes (the
// value of each), the match state and his looks.
void FillCourtPlayer(CCourtPlayer& p, const CPlayer& record, const CTeam& club, bool home,
                     const MatchLevels& levels) {
    p.playerId = record.id;
    p.SetName(record.name.GetText());
    p.height = record.words[kWordHeight];
    p.weight = record.words[kWordWeight];
    p.positionId = record.words[kWordPosition];
    // A starter plays the place the line-up gives him; anyone else his own position.
    const int32_t played = record.words[kWordPlayedPosition];
    const bool starts = record.words[kWordMatchState] == kMatchStateOnCourt;
    p.playsAt = starts && played >= kPositionCentre && played <= kPositionShootingGuard
                    ? played
                    : record.words[kWordPosition];
    p.courtPositionId = p.playsAt;
    p.shirtNumber = record.words[kWordShirtNumber];
    p.stamina = static_cast<float>(record.SkillValue(1));
    p.staminaMax = p.stamina;
    for (int k = 0; k < kCourtPlayerAttributes; ++k)
        p.attributes[k] = record.SkillValue(k + 2);
    p.overall = static_cast<float>(CPlayer::ComputeOverall(const_cast<CPlayer*>(&record), false));
    p.levelFactor = levels.shot;
    p.twoPointLevelShift = levels.twoShift;
    p.contestLevelFactor = levels.contest;
    p.matchState = record.words[kWordMatchState];
    p.skinTone = record.skin;
    p.bodyTexture = record.bodyTexture;
    // The head of his look, the one his portrait shows: the same player always has the same face.
    const uint32_t look = PlayerLookHash(record.id, record.name.GetText());
    const bool darkTone = record.skin == 0;
    p.headTexture = LookHeadNumber(LookSkinShade(look), LookHair(look, darkTone), darkTone);
    p.shoeTexture = record.shoeTexture;
    p.homeKitTexture = club.homeKit;
    p.awayKitTexture = club.awayKit;
    p.side = home ? 0 : 1;
    p.attacking = 0;
    p.hasBall = 0;
    p.passing = 0;
    p.awaitingPass = 0;
    p.shotTaken = 0;
}

// Starters (on court) first, then the others, each group in its order.
void StartersFirst(CMatchTeam& team) {
    std::vector<CCourtPlayer*> starters;
    std::vector<CCourtPlayer*> others;
    for (CCourtPlayer* p : team.players)
        (p->matchState == kMatchStateOnCourt ? starters : others).push_back(p);
    team.players = starters;
    team.players.insert(team.players.end(), others.begin(), others.end());
}

} // namespace

ArenaFiles ArenaFilesForKey(const CStr& key) {
    ArenaFiles files;
    for (const ArenaFamily& family : kFamilies) {
        const CStr prefix(family.key);
        const int length = static_cast<int>(prefix.Length());
        if (static_cast<int>(key.Length()) != length + 2 || key.Left(length).NotEquals(prefix))
            continue;
        const char tens = key.CharAt(length);
        const char ones = key.CharAt(length + 1);
        if (tens < '0' || tens > '9' || ones < '0' || ones > '9')
            continue;
        int level = (tens - '0') * 10 + (ones - '0');
        if (level < 1 || level > 10)
            continue;
        if (level < family.firstLevel)
            level = family.firstLevel;
        files.arena = CStr::Formatted("%s%.2d.xml", family.arena, level);
        files.camera = CStr::Formatted("%s%.2d.xml", family.camera, level);
        return files;
    }
    return files;
}

ArenaFiles ChooseArenaFiles(const CStr& key) {
    ArenaFiles files = ArenaFilesForKey(key);
    if (files.arena.IsEmpty()) {
        QuorelLog("[LoadMatchScene] unknown stadium key \"%s\": the match is played in %s", key.GetText(),
                  kDefaultStadiumKey);
        files = ArenaFilesForKey(kDefaultStadiumKey);
    }
    return files;
}

bool ArenaGeometryForKey(const CStr& key, ArenaGeometry& g) {
    bool matched = false;
    if (key.Find("highschool", 0) >= 0) {
        g = ArenaGeometry{0, 0, -7.5f, 7.5f, -14.0f, 14.0f, -0.85f, 0.85f, 2.75f, 3.75f, 12.3f, -12.3f};
        matched = true;
    }
    if (key.Find("nba", 0) >= 0) {
        g = ArenaGeometry{1,      0,     -7.6025f, 7.6025f, -14.2905f, 14.2905f,
                          -0.85f, 0.85f, 2.75f,    3.75f,   12.35f,    -12.35f};
        matched = true;
    }
    if (key.Find("street", 0) >= 0) {
        g = ArenaGeometry{2, 1, -7.0f, 7.0f, -13.0f, 13.0f, -0.85f, 0.85f, 2.9f, 3.9f, 12.3f, -12.3f};
        matched = true;
    }
    if (key.Find("eu", 0) >= 0) {
        g = ArenaGeometry{3, 0, -7.5f, 7.5f, -14.0f, 14.0f, -0.85f, 0.85f, 2.75f, 3.75f, 12.87f, -12.87f};
        matched = true;
    }
    return matched;
}

CQuorelGameObject* LoadSceneObject(const CStr& path) {
    const DescriptorTexts texts = ReadDescriptor(path);
    if (texts.type.NotEquals("Object"))
        return nullptr;
    return BuildObject(texts);
}

// ---- CMatch3D: the set-up's own steps ----

void CMatch3D::ResetMatchState(bool full) {
    flags.quarter = 0;
    homeTeamFouls = 0;
    awayTeamFouls = 0;
    quarterFouls[0] = quarterFouls[1] = 0;
    shootingFoul = 0;
    foulInboundSide = -1;
    tipBall = 0;
    jumpPoint = Vec3();
    stateCounters[0] = stateCounters[1] = 0;
    freeThrowsTaken = 0;
    formationSwitchTicks = 0;
    factor = 0.6f;
    motionSwitch = 1;
    if (full)
        CreateTeams();
}

void CMatch3D::CreateTeams() {
    // The links into the old rosters go with them.
    flags = MatchFlags();
    incomingPlayer = ballHandler = passReceiver = inboundReceiver = nullptr;
    // The registries point into the rosters about to go.
    characters.clear();
    delete homeTeam;
    delete awayTeam;
    homeTeam = new CMatchTeam;
    awayTeam = new CMatchTeam;
    const CCourtPlayer slotTemplate;
    for (int i = 0; i < kRosterSize; ++i) {
        homeTeam->AddPlayer(slotTemplate);
        awayTeam->AddPlayer(slotTemplate);
        awayTeam->GetPlayer(i)->side = 1;
    }
    homeTeam->AttachMatch(this);
    awayTeam->AttachMatch(this);
}

void CMatch3D::LoadPlayerModels(CTeam* home, CTeam* away, bool userAtHome) {
    if (home == nullptr || away == nullptr || homeTeam == nullptr || awayTeam == nullptr)
        return;
    const int steps = modelSkip ? 8 : 17;
    int done = 0;
    auto stage = [&] {
        ++done;
        if (loadProgress)
            loadProgress(done < steps ? done : steps, steps);
    };
    if (loadProgress)
        loadProgress(0, steps);
    stadiumKey = home->stadiumKey;
    homeTeam->isUserTeam = home->id == userClubId ? 1 : 0;
    awayTeam->isUserTeam = homeTeam->isUserTeam ? 0 : 1;
    // The user's coaches advise his players during the match.
    const CTeam* userClub = userAtHome ? home : away;
    userStaff[0] = AdoptSceneObject(FindHiredStaff(userClub, 80055).release());
    userStaff[1] = AdoptSceneObject(FindHiredStaff(userClub, 80056).release());
    const size_t n = std::max(home->players.size(), away->players.size());
    const MatchLevels levels[2] = {LevelsOfSide(*home, *home, *away), LevelsOfSide(*away, *home, *away)};
    homeTeam->usualRating = UsualRating(*home);
    awayTeam->usualRating = UsualRating(*away);
    for (size_t i = 0; i < n; ++i) {
        for (int side = 0; side < 2; ++side) {
            const CTeam* club = side == 0 ? home : away;
            CMatchTeam* team = side == 0 ? homeTeam : awayTeam;
            CCourtPlayer* p = team->GetPlayer(static_cast<int>(i));
            if (i >= club->players.size() || p == nullptr)
                continue;
            FillCourtPlayer(*p, *club->players[i], *club, side == 0, levels[side]);
            const bool userSide = (side == 0) == userAtHome;
            p->isUserPlayer = userSide ? 1 : 0;
            p->staffFirst = userSide ? userStaff[0].get() : nullptr;
            p->staffSecond = userSide ? userStaff[1].get() : nullptr;
        }
    }
    stage();
    StartersFirst(*homeTeam);
    StartersFirst(*awayTeam);
    homeTeam->loaded = awayTeam->loaded = 1;
    stage();
    if (!modelSkip) {
        CSkinHierarchyAllocator allocator;
        allocator.SetFolder("\\characters\\");
        allocator.SetOwner(playerMesh.get());
        if (!playerMesh)
            playerMesh = AdoptSceneObject(new CSkinnedMesh());
        allocator.SetOwner(playerMesh.get());
        playerMesh->Setup(kPlayerModel, &allocator, 0);
        stage();
        for (CMatchTeam* team : {homeTeam, awayTeam}) {
            const bool home = team == homeTeam;
            for (int i = 0; i < kRosterSize && i < team->GetCount(); ++i) {
                CCourtPlayer& p = *team->GetPlayer(i);
                p.side = home ? 0 : 1;
                const char* skin = p.skinTone == 0 ? "black" : "white";
                const CStr paths[4] = {
                    NumberedTexture(CStr::Formatted("head_%s_%%.2d.dds", skin).GetText(), p.headTexture),
                    NumberedTexture(CStr::Formatted("body_%s_%%.2d.dds", skin).GetText(), p.bodyTexture),
                    NumberedTexture("mez_%.2d.dds", p.homeKitTexture),
                    NumberedTexture("shoe_%.2d.dds", p.shoeTexture)};
                p.LoadAnimations(playerMesh.get(), &characters, 0, 0.0, Vec3(), Vec3(), 0);
                p.LoadTextureSet(4, paths);
                p.UseOwnTextures(true);
                // The starters take the court; the bench is neither moved nor drawn.
                if (p.HasInstance())
                    p.shown = i < CMatchTeam::kOnCourt ? 1 : 0;
                if (i % 2 == 1)
                    stage();
            }
        }
    }
    while (done < steps - 2)
        stage();
    // Direct opponents: the starters mark each other.
    for (int i = 0; i < CMatchTeam::kOnCourt; ++i) {
        CCourtPlayer* h = homeTeam->GetPlayer(i);
        CCourtPlayer* a = awayTeam->GetPlayer(i);
        if (h && a) {
            h->marking = a;
            a->marking = h;
        }
    }
    stage();
    stage();
}

void CMatch3D::LoadReferee() {
    firstReferee = AdoptSceneObject(new CReferee());
    secondReferee = AdoptSceneObject(new CReferee());
    thirdReferee = AdoptSceneObject(new CReferee());
    CReferee* all[3] = {firstReferee.get(), secondReferee.get(), thirdReferee.get()};
    referees.clear();
    if (!modelSkip) {
        if (!refereeMesh)
            refereeMesh = AdoptSceneObject(new CSkinnedMesh());
        CSkinHierarchyAllocator allocator;
        allocator.SetFolder("\\characters");
        allocator.SetOwner(refereeMesh.get());
        refereeMesh->Setup(kRefereeModel, &allocator, 0);
        const CStr paths[3] = {TexturePath("KV_ref_skinface.dds"), TexturePath("KV_ref_cloth.dds"),
                               TexturePath("shoe_black_01.dds")};
        for (CReferee* referee : all) {
            referee->LoadAnimations(refereeMesh.get(), &referees, 0, 0.0, Vec3(), Vec3());
            referee->LoadTextures(3, paths);
            referee->UseOwnTextures(true);
        }
    }
    PlaceReferees();
}

void CMatch3D::LoadSceneWorld(const CStr& path) {
    if (g_pQuorelLights)
        g_pQuorelLights->Clear();
    if (arena)
        arena->Clear();
    else
        arena = AdoptSceneObject(new CQuorelWorld());
    const DescriptorTexts texts = ReadDescriptor(path);
    if (texts.type.NotEquals("World"))
        return;
    if (!texts.lightmaps.IsEmpty() && g_pQuorelTextureManager)
        g_pQuorelTextureManager->SetLightmapDir(texts.lightmaps.GetText());
    arena->AddObject(BuildObject(texts));
}

void CMatch3D::CreateBall(const CStr& path) {
    ball = AdoptSceneObject(new CMatchBall(this));
    ballModel = AdoptSceneObject(LoadSceneObject(path));
    ball->SetModel(ballModel.get(), 0.0f, 3.0f, 0.0f);
    ball->SetPosition(0.0f, 3.0f, 0.0f);
}

void CMatch3D::LoadCube(const CStr& path) {
    cube = AdoptSceneObject(LoadSceneObject(path));
}

void CMatch3D::LoadLogos(const CStr& path) {
    logos = AdoptSceneObject(LoadSceneObject(path));
}

// ---- The loader ----

std::unique_ptr<CMatch3D> LoadMatchScene(const MatchSceneSetup& setup, IMatchSceneHost& host,
                                         std::atomic<uint8_t>& waitFlag) {
    if (!setup.modelSkip && g_pQuorelTextureManager)
        g_pQuorelTextureManager->ReleaseAll();
    waitFlag.store(1);
    auto match = std::make_unique<CMatch3D>();
    match->modelSkip = setup.modelSkip ? 1 : 0;
    match->view3D = setup.view3D ? 1 : 0;
    match->userClubId = setup.userClubId;
    match->loadProgress = [&host](int done, int steps) { host.SetProgress(done, steps); };
    match->LoadTactics(kInitDataPath);
    match->ResetMatchState(true);
    host.SetWaitCaption(kCaptionRosters);
    match->videoCube = setup.videoCube ? 1 : 0;
    CAnimatedCharacter::SetVideoCubeOption(setup.videoCube);
    CRefereeBase::SetVideoCubeOption(setup.videoCube);
    match->LoadPlayerModels(setup.home, setup.away, setup.userAtHome);
    host.SetWaitCaption(kCaptionFormations);
    match->PlaceTeams(kHomeStartFormation, kAwayStartFormation);
    if (setup.userAtHome) {
        match->PlaceHomeTeam(setup.userAttack, setup.userDefence);
        match->PlaceAwayTeam(kComputerAttack, kComputerDefence);
    } else {
        match->PlaceHomeTeam(kComputerAttack, kComputerDefence);
        match->PlaceAwayTeam(setup.userAttack, setup.userDefence);
    }
    host.SetWaitCaption(kCaptionArena);
    const CStr key = match->stadiumKey;
    const ArenaFiles files = ChooseArenaFiles(key);
    ArenaGeometry geometry;
    // An unknown key plays on the default arena's court as well as in its hall.
    if (ArenaGeometryForKey(key, geometry) || ArenaGeometryForKey(kDefaultStadiumKey, geometry)) {
        host.SetArena(geometry.hudKind, geometry.outdoor);
        match->courtMinX = geometry.minX;
        match->courtMaxX = geometry.maxX;
        match->courtMinZ = geometry.minZ;
        match->courtMaxZ = geometry.maxZ;
        match->plusZBoard = BackboardBox{geometry.boardMinX, geometry.boardMaxX, geometry.boardTop,
                                         geometry.boardBottom, geometry.plusZPlane};
        match->minusZBoard = BackboardBox{geometry.boardMinX, geometry.boardMaxX, geometry.boardTop,
                                          geometry.boardBottom, geometry.minusZPlane};
    }
    if (!setup.modelSkip) {
        DeletePointerVector(match->cameras);
        match->LoadCameras(CStr("\\").Concat(files.camera));
        if (key.Find("nba", 0) >= 0) {
            match->LoadCube(kCubePath);
            match->cubeLoaded = 1;
        } else {
            match->cubeLoaded = 0;
        }
        // The first camera is applied by the main thread when it takes the match over: the
        // engine camera is the frame's.
    }
    match->LoadReferee();
    if (!setup.modelSkip) {
        match->LoadSceneWorld(CStr("\\").Concat(files.arena));
        match->CreateBall(kBallPath);
    } else {
        match->CreateHeadlessBall();
    }
    host.SetTrackingPoint(match->ball->GetPosition());
    if (key.Find("street", 0) >= 0)
        host.ShowStreetballImage();
    if (setup.cupMode && !setup.modelSkip)
        match->LoadLogos(kLogosPath);
    match->loadProgress = nullptr;
    waitFlag.store(0);
    return match;
}

std::unique_ptr<CMatch3D> MatchSceneLoaderThread(const MatchSceneSetup& setup, IMatchSceneHost& host,
                                                 std::atomic<uint8_t>& waitFlag,
                                                 std::atomic<uint8_t>& workerRunning) {
    workerRunning.store(1);
    std::unique_ptr<CMatch3D> match;
    // A set-up already under way owns the flag: a second loader builds nothing.
    uint8_t idle = 0;
    if (waitFlag.compare_exchange_strong(idle, 1))
        match = LoadMatchScene(setup, host, waitFlag);
    workerRunning.store(0);
    return match;
}

void StepMatch3D(CMatch3D& match, CHeadlessMotion& motion, float dt) {
    if (match.paused || dt <= 0.0f)
        return;
    if (match.characters.empty()) {
        match.ThinkTeams(dt);
        match.Tick(dt);
        motion.Step(match, dt);
        return;
    }
    // Whoever is on the court is moved and drawn; a substitute comes on with his place.
    for (CMatchTeam* team : {match.homeTeam, match.awayTeam})
        for (int i = 0; team && i < team->GetCount(); ++i) {
            CCourtPlayer& p = *team->GetPlayer(i);
            if (p.HasInstance())
                p.shown = i < team->OnCourtCount() ? 1 : 0;
        }
    match.UpdateActors(dt);
    match.Tick(dt);
    match.UpdateCharacters(dt);
}
