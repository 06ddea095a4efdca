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
