// Tactics data shared by both match engines: the tactic list and the modifier curves of
// "ini\InitData.xml", the key rounding their callers use, and the random tactic picks.
#pragma once

#include "engine/Str.h"
#include "engine/Xml.h"

#include <vector>

struct CurvePoint {
    float x = 0.0f;
    float y = 0.0f;
};

// A table of (x, y) rows looked up by exact key. Rows keep file order and duplicates stay, so the
// first row with a key wins; there is no interpolation, which is why every key a caller can form
// needs a row of its own.
class ModifierCurve {
public:
    // The y of the first row whose x equals key exactly; 0 when none does (NaN matches nothing).
    float Lookup(float key) const;
    void AddPoint(float x, float y);
    void Clear() { m_points.clear(); }
    int GetCount() const { return static_cast<int>(m_points.size()); }
    bool IsEmpty() const { return m_points.empty(); }
    const std::vector<CurvePoint>& Points() const { return m_points; }

private:
    std::vector<CurvePoint> m_points;
};

// One TACTIC entry: a tactic id and the formation file that carries it.
struct TacticRecord {
    CStr name;
    CStr file; // game path of the formation file
    CStr type; // kept as text; the defence code compares it with the man-marking number
    int id = 0;
};

// Deletes every non-null element, then leaves the vector empty with its buffer freed.
template <class T> void DeletePointerVector(std::vector<T*>& items) {
    for (T*& item : items) {
        delete item;
        item = nullptr;
    }
    std::vector<T*>().swap(items);
}

// Table names as they stand in the file.
inline constexpr const char* kBallStealth = "BALLSTEALTH";
inline constexpr const char* kTacticTargetNum = "TACTICTARGETNUM";
inline constexpr const char* kPassingTargets = "PASSINGTARGETS";
inline constexpr const char* kMoraleModifier = "MORALMODIFIER";
inline constexpr const char* kStaminaModifier = "STAMINAMODIFIER";
inline constexpr const char* kAggressionModifier = "AGRESSIONMODIFIER";
inline constexpr const char* kTwoPointModifier = "TWOPOINTMODIFIER";
inline constexpr const char* kThreePointModifier = "THREEPOINTMODIFIER";
inline constexpr const char* kBlockingTargets = "BLOCKING_TARGETS";
inline constexpr const char* kDunkingModifier = "DUNKINGMODIFIER";

// The "FileDescriptor" root of an InitData file. A missing or broken file ends the game, as every
// shipped data file does.
XmlNode OpenInitData(const char* gamePath);
// Appends one record per child of "TACTICS" (of any tag); the i-th entry reads the i-th "TACTIC",
// so a stray child adds a blank record at the end. Returns how many were appended.
int ReadTacticList(const XmlNode& root, std::vector<TacticRecord*>& tactics);
// Appends the rows of one table of "TARGETNUMBERS" to curve; an absent table appends nothing.
int ReadCurve(const XmlNode& root, const char* table, ModifierCurve& curve);
// The file of the first record with the id; empty when there is none.
CStr FindTacticFile(const std::vector<TacticRecord*>& tactics, int id);

// Keys as the match code forms them. Lookups are exact, so these must agree with the tables.
// Morale and aggression: truncated to a multiple of ten.
float TruncatedTensKey(int rating);
// Stamina: stamina x 0.1 rounded half away from zero, times ten.
float RoundedTensKey(float stamina);
// Distances: truncated toward zero, or rounded half away from zero.
float TruncatedKey(float distance);
float RoundedKey(float distance);
// Reach bands of the steal, jump and challenge checks: 0, 0.5, 1.0, 1.5 and 2.0 from 2.0 on.
float ReachBandKey(float distance);

// A free throw: nobody defends it, so neither the club's level nor height, legs or mood count; the
// die (0-20) and 50 plus a twentieth of the shooter's free-throw rating above 45 against the line's
// own row (kFreeThrowKey) of the two-point table, in both engines. At a seventh of the rating above 50
// the flat court's weakest league class made 71-72 % of its throws and the tournaments' upper tiers
// 80-81 %: a whole face of the die lay between them, so no band held both. At a twentieth a shooter
// gains a face for every twenty points, and a shooter rated in the mid-forties stands just inside
// the face that makes three in four.
inline constexpr float kFreeThrowKey = 99.0f;
inline float FreeThrowSum(int roll, int rating) {
    constexpr int kBase = 50;
    constexpr int kRatingCentre = 45;
    constexpr float kRatingShare = 1.0f / 20.0f;
    return static_cast<float>(roll + kBase) + static_cast<float>(rating - kRatingCentre) * kRatingShare;
}

// The computer's random tactic choice: offence 0-9, then defence 10-18 (drawn in that order).
int RandomOffenceTactic();
int RandomDefenceTactic();
