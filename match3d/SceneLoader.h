// The 3D match's scene set-up: the arena and camera files of a stadium key, the arena's court
// geometry, the scene descriptors, and the loader that builds a fresh match with its rosters,
// models, formations, cameras, referees and ball on a worker thread. Files are read and decoded
// here; the GPU copies are made by the main thread when the scene is first drawn.
#pragma once

#include "engine/Math3D.h"
#include "engine/Str.h"

#include <atomic>
#include <cstdint>
#include <memory>

class CMatch3D;
class CQuorelGameObject;
struct CTeam;

// The arena and camera descriptors of a stadium key, as game paths under the working directory
// ("Stadions\ini\STD_Fiba_03.xml"); both empty for a key of no family.
struct ArenaFiles {
    CStr arena;
    CStr camera;
};
ArenaFiles ArenaFilesForKey(const CStr& key);
// The key's files, or those of the default arena when the key names none: a club's key is career
// data the stadium screens change, so an unknown one must not end the game.
inline constexpr const char* kDefaultStadiumKey = "std_eu_01";
ArenaFiles ChooseArenaFiles(const CStr& key);

// The court an arena family plays on: the display's arena kind and outdoor flag, the court bounds
// and the backboards (the +z board's plane first).
struct ArenaGeometry {
    int hudKind = 0;
    int outdoor = 0;
    float minX = -7.5f, maxX = 7.5f, minZ = -14.0f, maxZ = 14.0f;
    float boardMinX = -0.85f, boardMaxX = 0.85f;
    float boardBottom = 2.75f, boardTop = 3.75f;
    float plusZPlane = 12.3f, minusZPlane = -12.3f;
};
// By substring of the key, tested highschool, nba, street, eu, the later match winning; false (and
// the geometry untouched) when none matches.
bool ArenaGeometryForKey(const CStr& key, ArenaGeometry& geometry);

// A scene descriptor of type "Object" as a loaded game object; null for any other type.
CQuorelGameObject* LoadSceneObject(const CStr& path);

// What the set-up reads from and tells the running game. Called on the loader's thread.
class IMatchSceneHost {
public:
    virtual ~IMatchSceneHost() = default;
    // The wait screen's caption, by language text id.
    virtual void SetWaitCaption(int textId) = 0;
    // The wait screen's progress bar: done of steps.
    virtual void SetProgress(int done, int steps) = 0;
    // The arena's kind and outdoor flag for the display, and the streetball picture.
    virtual void SetArena(int hudKind, int outdoor) = 0;
    virtual void ShowStreetballImage() = 0;
    // Where the follow camera starts looking.
    virtual void SetTrackingPoint(const Vec3& point) = 0;
};

struct MatchSceneSetup {
    CTeam* home = nullptr;
    CTeam* away = nullptr;
    bool userAtHome = true;
    int32_t userClubId = -1;
    int userAttack = 0;
    int userDefence = 10;
    bool cupMode = false;
    // Rosters only, no model files: the headless runs and tests.
    bool modelSkip = false;
    // Copy of the game's 3D view option.
    bool view3D = true;
    // Copy of the game's "EnableVideoCube" option: the characters built run faster with it on
    // (players 8.0, referees 10.5, against 5.3 and 7.8).
    bool videoCube = true;
};

// Builds a new match for the setup: tactics, teams, rosters and models, formations, arena,
// cameras, cube, referees, ball and logos, telling the host the captions and the arena. The wait
// flag is raised for the whole build; the main thread shows the wait screen meanwhile.
std::unique_ptr<CMatch3D> LoadMatchScene(const MatchSceneSetup& setup, IMatchSceneHost& host,
                                         std::atomic<uint8_t>& waitFlag);

class CHeadlessMotion;
// One frame of a loaded match: minds, rules, then the characters and the ball move. Characters with
// their models move by the court motion; without models the stand-in clips move them.
void StepMatch3D(CMatch3D& match, CHeadlessMotion& motion, float dt);

// The loader thread's body: runs the set-up unless a set-up is already under way (the wait flag is
// raised), bracketing it with the worker-running flag. The new match, or null when none was built.
std::unique_ptr<CMatch3D> MatchSceneLoaderThread(const MatchSceneSetup& setup, IMatchSceneHost& host,
                                                 std::atomic<uint8_t>& waitFlag,
                                                 std::atomic<uint8_t>& workerRunning);
