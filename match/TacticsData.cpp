// Reading the tactic list and the modifier curves, and the key rounding shared by both engines.
#include "match/TacticsData.h"

#include "engine/GameRand.h"

#include <cmath>

float ModifierCurve::Lookup(float key) const {
    for (const CurvePoint& point : m_points) {
        if (point.x == key) {
            return point.y;
        }
    }
    return 0.0f;
}

void ModifierCurve::AddPoint(float x, float y) {
    m_points.push_back({x, y});
}

XmlNode OpenInitData(const char* gamePath) {
    return XmlNode::OpenFile(gamePath, "FileDescriptor");
}

int ReadTacticList(const XmlNode& root, std::vector<TacticRecord*>& tactics) {
    XmlNode list = root.ChildNode("TACTICS");
    const int count = list.CountChildren();
    for (int i = 0; i < count; ++i) {
        XmlNode entry = list.ChildNode("TACTIC", i);
        auto* record = new TacticRecord;
        record->name = entry.Attribute("name");
        record->type = entry.Attribute("type");
        record->id = entry.Attribute("id").ToInt();
        record->file = entry.Attribute("file");
        tactics.push_back(record);
    }
    return count;
}

int ReadCurve(const XmlNode& root, const char* table, ModifierCurve& curve) {
    XmlNode rows = root.ChildNode("TARGETNUMBERS").ChildNode(table);
    const int count = rows.CountChildren();
    for (int i = 0; i < count; ++i) {
        std::vector<CStr> parts = rows.ChildNode("DATA", i).Text().Split(',');
        const float x = parts.empty() ? 0.0f : static_cast<float>(parts[0].ToDouble());
        const float y = parts.size() < 2 ? 0.0f : static_cast<float>(parts[1].ToDouble());
        curve.AddPoint(x, y);
    }
    return count;
}

CStr FindTacticFile(const std::vector<TacticRecord*>& tactics, int id) {
    for (const TacticRecord* record : tactics) {
        if (record != nullptr && record->id == id) {
            return record->file;
        }
    }
    return CStr();
}

float TruncatedTensKey(int rating) {
    return static_cast<float>(rating / 10 * 10);
}

float RoundedTensKey(float stamina) {
    return std::round(stamina * 0.1f) * 10.0f;
}

float TruncatedKey(float distance) {
    return std::trunc(distance);
}

float RoundedKey(float distance) {
    return std::round(distance);
}

float ReachBandKey(float distance) {
    if (distance < 0.5f) {
        return 0.0f;
    }
    if (distance < 1.0f) {
        return 0.5f;
    }
    if (distance < 1.5f) {
        return 1.0f;
    }
    if (distance < 2.0f) {
        return 1.5f;
    }
    return 2.0f;
}

int RandomOffenceTactic() {
    return GameRand() % 10;
}

int RandomDefenceTactic() {
    return 10 + GameRand() % 9;
}
