// Formation file reading and the position codes.
#include "match/Formation.h"

#include "engine/Xml.h"

int PositionIdFromCode(const CStr& code) {
    static constexpr struct {
        const char* code;
        int id;
    } kCodes[] = {{"C", kPositionCentre},      {"PF", kPositionPowerForward},  {"SF", kPositionSmallForward},
                  {"PG", kPositionPointGuard}, {"SG", kPositionShootingGuard}, {"G", kPositionGuard},
                  {"F", kPositionForward}};
    for (const auto& entry : kCodes) {
        if (code.Equals(entry.code)) {
            return entry.id;
        }
    }
    return 0;
}

int PositionPlace(int position) {
    switch (position) {
    case kPositionPointGuard:
        return 0;
    case kPositionGuard:
        return 1;
    case kPositionShootingGuard:
        return 2;
    case kPositionSmallForward:
        return 4;
    case kPositionForward:
        return 5;
    case kPositionPowerForward:
        return 6;
    case kPositionCentre:
        return 8;
    default:
        return -1;
    }
}

int PositionDistance(int a, int b) {
    int placeA = PositionPlace(a);
    int placeB = PositionPlace(b);
    if (placeA < 0 || placeB < 0)
        return kFarPosition;
    return placeA > placeB ? placeA - placeB : placeB - placeA;
}

int PickLikeForLike(int leavingPosition, const BenchCandidate* candidates, int count) {
    int best = -1;
    int bestDistance = 0;
    float bestFreshness = 0.0f;
    for (int i = 0; i < count; ++i) {
        const BenchCandidate& c = candidates[i];
        int distance = PositionDistance(leavingPosition, c.position);
        if (best < 0 || distance < bestDistance ||
            (distance == bestDistance && c.freshness > bestFreshness)) {
            best = c.id;
            bestDistance = distance;
            bestFreshness = c.freshness;
        }
    }
    return best;
}

static Vec3 ReadPoint(const XmlNode& node) {
    return Vec3(static_cast<float>(node.Attribute("x").ToDouble()),
                static_cast<float>(node.Attribute("y").ToDouble()),
                static_cast<float>(node.Attribute("z").ToDouble()));
}

Formation ReadFormationFile(const CStr& gamePath) {
    Formation formation;
    XmlNode tactics = XmlNode::OpenFile(gamePath.GetText(), "FileDescriptor").ChildNode("KVTACTICS");
    for (int i = 0; i < kFormationSpots; ++i) {
        XmlNode pos = tactics.ChildNode("PLAYER_POS", i);
        formation.spots[i].name = pos.Attribute("name");
        formation.spots[i].spot = ReadPoint(pos);
        formation.spots[i].lookAt = ReadPoint(tactics.ChildNode("PLAYER_LOOKAT", i));
    }
    return formation;
}
