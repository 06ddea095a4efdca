// CMatch3D construction, release, tactics data, placements and cameras.
#include "match3d/Match3D.h"

#include "engine/Camera.h"
#include "engine/Device.h"
#include "engine/GameObject.h"
#include "engine/Log.h"
#include "match/Formation.h"
#include "match3d/CourtRoles.h"

CMatch3D* g_pMatch3D = nullptr;

const FreeThrowSpot kFreeThrowSpotTable[kFreeThrowSpots] = {
    {{0, 0, -8}, {2, 0, 8}},
    {{5.8f, 0, -8.6f}, {5.8f, 0, 8.6f}},
    {{-6.02f, 0, -8.8f}, {-6.02f, 0, 8.8f}},
    {{2.3f, 0, -10.44f}, {2.3f, 0, 10.44f}},
    {{-2.21f, 0, -12.08f}, {-2.21f, 0, 12.08f}},
    {{0, 0, 8}, {2, 0, -8}},
    {{5.8f, 0, 8.6f}, {5.8f, 0, -8.6f}},
    {{-6.02f, 0, 8.8f}, {-6.02f, 0, -8.8f}},
    {{2.3f, 0, 10.44f}, {2.3f, 0, -10.44f}},
    {{-2.21f, 0, 12.08f}, {-2.21f, 0, -12.08f}},
};

// Baskets in the 3D frame, and where the flat court view puts them.
static constexpr float kBasketZ = 12.13f;
static constexpr float kFlatBasketX = 6.25f;
static constexpr float kFlatBasketZ = 12.25f;

CMatch3D::CMatch3D() {
    for (int i = 0; i < kFreeThrowSpots; ++i) {
        freeThrowSpots[i] = kFreeThrowSpotTable[i];
    }
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

void CMatch3D::CreateHeadlessBall() {
    ball = AdoptSceneObject(new CMatchBall(this));
    ball->SetPosition(0.0f, 3.0f, 0.0f);
}

CMatch3D::~CMatch3D() {
    Release();
}

void CMatch3D::LoadTactics(const CStr& path) {
    courtMinX = -7.5f;
    courtMaxX = 7.5f;
    courtMinZ = -14.0f;
    courtMaxZ = 14.0f;
    XmlNode root = OpenInitData(path.GetText());
    ReadTacticList(root, tactics);
    ReadCurve(root, kBallStealth, ballStealth);
    ReadCurve(root, kTacticTargetNum, tacticTargetNum);
    ReadCurve(root, kPassingTargets, passingTargets);
    ReadCurve(root, kMoraleModifier, moraleModifier);
    ReadCurve(root, kStaminaModifier, staminaModifier);
    ReadCurve(root, kAggressionModifier, aggressionModifier);
    ReadCurve(root, kTwoPointModifier, twoPointModifier);
    ReadCurve(root, kThreePointModifier, threePointModifier);
}

CStr CMatch3D::GetTacticFile(int id) const {
    return FindTacticFile(tactics, id);
}

bool CMatch3D::IsInCourt(float x, float /*y*/, float z) const {
    return courtMinX < x && x < courtMaxX && courtMinZ < z && z < courtMaxZ;
}

void CMatch3D::PlaceTeams(int homeTacticId, int awayTacticId) {
    if (homeTeam == nullptr || awayTeam == nullptr) {
        return;
    }
    // Each of the five plays his own position; two of one position, or a guard short, share the
    // roles out by the nearest fit.
    for (CMatchTeam* team : {homeTeam, awayTeam}) {
        DealCourtRoles(*team);
    }
    // Direct opponents play the same role: the centres mark each other, the point guards too.
    for (int slot = 0; slot < kFormationSpots; ++slot) {
        CCourtPlayer* home = homeTeam->FindByPosition(kPositionCentre + slot);
        CCourtPlayer* away = awayTeam->FindByPosition(kPositionCentre + slot);
        if (home != nullptr && away != nullptr) {
            home->marking = away;
            away->marking = home;
        }
    }
    const struct {
        CMatchTeam* team;
        int tacticId;
    } sides[] = {{homeTeam, homeTacticId}, {awayTeam, awayTacticId}};
    for (const auto& side : sides) {
        CStr file = GetTacticFile(side.tacticId);
        if (file.IsEmpty()) {
            // A saved career or a screen may name a tactic we do not ship; the side keeps its spots.
            QuorelLog("[CMatch3D::PlaceTeams] No formation file for tactic %d", side.tacticId);
            continue;
        }
        Formation formation = ReadFormationFile(file);
        for (const FormationSpot& entry : formation.spots) {
            CCourtPlayer* player = side.team->FindByPosition(PositionIdFromCode(entry.name));
            if (player == nullptr) {
                continue;
            }
            player->SetHomeSpot(entry.spot.x, entry.spot.y, entry.spot.z);
            // Everybody faces the centre spot for the tip-off.
            player->SetHomeFacing(-entry.spot.x, -entry.spot.y, -entry.spot.z);
        }
    }
    const float x = view3D ? 0.0f : kFlatBasketX;
    const float z = view3D ? kBasketZ : kFlatBasketZ;
    homeTeam->basketPoint = Vec3(x, 0, z);
    homeTeam->attackedBasketPoint = Vec3(x, 0, -z);
    awayTeam->basketPoint = Vec3(x, 0, -z);
    awayTeam->attackedBasketPoint = Vec3(x, 0, z);
}

void CMatch3D::PlaceHomeTeam(int attackTacticId, int defenceTacticId) {
    if (homeTeam != nullptr) {
        PlaceSide(*homeTeam, true, attackTacticId, defenceTacticId);
    }
}

void CMatch3D::PlaceAwayTeam(int attackTacticId, int defenceTacticId) {
    if (awayTeam != nullptr) {
        PlaceSide(*awayTeam, false, attackTacticId, defenceTacticId);
    }
}

// The file of a tactic for a side, or of the default when the side has no formation of that kind yet.
static CStr ResolveFormationFile(const CMatch3D& match, int& tacticId, bool placedBefore, int fallbackId) {
    CStr file = match.GetTacticFile(tacticId);
    if (!file.IsEmpty()) {
        return file;
    }
    if (placedBefore) {
        QuorelLog("[CMatch3D::PlaceSide] No formation file for tactic %d; the side keeps its formation",
                  tacticId);
        return CStr();
    }
    QuorelLog("[CMatch3D::PlaceSide] No formation file for tactic %d; using tactic %d", tacticId, fallbackId);
    tacticId = fallbackId;
    return match.GetTacticFile(tacticId);
}

void CMatch3D::PlaceSide(CMatchTeam& team, bool home, int attackTacticId, int defenceTacticId) {
    // Attack files are written for a side attacking +z and defence files for a side defending +z;
    // the home side attacks -z. The flat court view mirrors the defence the other way.
    const float attackSign = home ? -1.0f : 1.0f;
    const float defenceSign = (home == (view3D != 0)) ? 1.0f : -1.0f;
    auto mirrored = [](const Vec3& v, float sign) { return Vec3(v.x, v.y, v.z * sign); };

    CStr attackFile = ResolveFormationFile(*this, attackTacticId, team.attackPlaced, kDefaultOffenceTactic);
    if (!attackFile.IsEmpty()) {
        team.attackTactic = attackTacticId;
        team.attackPlaced = 1;
        Formation formation = ReadFormationFile(attackFile);
        for (const FormationSpot& entry : formation.spots) {
            CCourtPlayer* player = team.FindByPosition(PositionIdFromCode(entry.name));
            if (player == nullptr) {
                continue;
            }
            player->attackSpot = mirrored(entry.spot, attackSign);
            player->attackLookAt = mirrored(entry.lookAt, attackSign);
            player->attackHome = player->attackSpot;
            player->attackHomeLookAt = player->attackLookAt;
        }
    }

    CStr defenceFile =
        ResolveFormationFile(*this, defenceTacticId, team.defencePlaced, kDefaultDefenceTactic);
    if (!defenceFile.IsEmpty()) {
        team.defenceTactic = defenceTacticId;
        team.defencePlaced = 1;
        Formation formation = ReadFormationFile(defenceFile);
        for (const FormationSpot& entry : formation.spots) {
            CCourtPlayer* player = team.FindByPosition(PositionIdFromCode(entry.name));
            if (player == nullptr) {
                continue;
            }
            player->defenceSpot = mirrored(entry.spot, defenceSign);
            player->defenceLookAt = mirrored(entry.lookAt, defenceSign);
            player->defenceHome = player->defenceSpot;
            player->defenceHomeLookAt = player->defenceLookAt;
            if (view3D) {
                player->defenceTarget = player->defenceSpot;
            }
        }
    }
}

void CMatch3D::LoadCameras(const CStr& path) {
    ReadCameraFile(path, cameras);
}

void CMatch3D::SetCamera(int index) {
    if (index < 0 || index >= static_cast<int>(cameras.size()) ||
        cameras[static_cast<size_t>(index)] == nullptr || g_pQuorelCamera == nullptr) {
        return;
    }
    const CameraRecord& camera = *cameras[static_cast<size_t>(index)];
    g_pQuorelCamera->LookAt(camera.position, camera.lookAt, camera.up);
    g_pQuorelCamera->SetRight(camera.right);
}

void CMatch3D::ReleaseTeamsAndScene() {
    delete homeTeam;
    homeTeam = nullptr;
    delete awayTeam;
    awayTeam = nullptr;
    // The roster links and the character registry point into the teams just freed.
    characters.clear();
    dribbleOut = dribbleDown = dribbleUp = 0;
    flags = MatchFlags();
    incomingPlayer = ballHandler = passReceiver = inboundReceiver = nullptr;
    arena.reset();
    DeletePointerVector(cameras);
}

void CMatch3D::Release() {
    for (TacticRecord*& record : tactics) {
        delete record;
        record = nullptr;
    }
    ReleaseTeamsAndScene();
    cube.reset();
    logos.reset();
    scoreboardTexture.reset();
    secondReferee.reset();
    thirdReferee.reset();
    firstReferee.reset();
    referees.clear();
    // The ball is the match's too, so it goes with it rather than outliving it.
    ball.reset();
    ballModel.reset();
    userStaff[0].reset();
    userStaff[1].reset();
    stadiumKey = CStr();
    std::vector<TacticRecord*>().swap(tactics);
    spareCurve.Clear();
    threePointModifier.Clear();
    twoPointModifier.Clear();
    passingTargets.Clear();
    tacticTargetNum.Clear();
    aggressionModifier.Clear();
    staminaModifier.Clear();
    moraleModifier.Clear();
    ballStealth.Clear();
    // The meshes go last: their instances belong to the characters freed above.
    refereeMesh.reset();
    playerMesh.reset();
    std::vector<CameraRecord*>().swap(cameras);
}

void CMatch3D::RenderCube(CQuorelTexture* scoreboard) {
    if (!cube || !cubeLoaded || g_pQuorelDevice == nullptr) {
        return;
    }
    CQuorelDevice& device = *g_pQuorelDevice;
    const Matrix4 kept = device.GetTransform(kTransformWorld);
    Matrix4 world;
    MatrixTranslation(world, cubePosition.x, cubePosition.y, cubePosition.z);
    device.SetTransform(kTransformWorld, world);
    for (int i = 0; i < cube->GetSubObjectCount(); ++i) {
        CQuorelSubObject* sub = cube->GetSubObject(i);
        const bool screen = sub->GetName().Find("kijelzo_", 0) == 0;
        sub->Draw(screen ? scoreboard : nullptr);
    }
    device.SetTransform(kTransformWorld, kept);
}
