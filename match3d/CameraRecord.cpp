// Camera descriptor reading.
#include "match3d/CameraRecord.h"

#include "engine/Xml.h"

static float ReadFloat(const XmlNode& node, const char* name) {
    return static_cast<float>(node.Attribute(name).ToDouble());
}

int ReadCameraFile(const CStr& gamePath, std::vector<CameraRecord*>& cameras) {
    XmlNode file = XmlNode::OpenFile(gamePath.GetText(), "FileDescriptor").ChildNode("QuorelFile");
    if (file.Attribute("type").NotEquals("Camera")) {
        return 0;
    }
    const int count = file.ChildCount("camera");
    for (int i = 0; i < count; ++i) {
        XmlNode entry = file.ChildNode("camera", i);
        auto* camera = new CameraRecord;
        camera->position = Vec3(ReadFloat(entry, "posx"), ReadFloat(entry, "posy"), ReadFloat(entry, "posz"));
        const float lookY = ReadFloat(entry, "looky");
        camera->lookAt = Vec3(ReadFloat(entry, "lookx"), lookY, lookY);
        camera->up = Vec3(ReadFloat(entry, "upx"), ReadFloat(entry, "upy"), ReadFloat(entry, "upz"));
        camera->right =
            Vec3(ReadFloat(entry, "rightx"), ReadFloat(entry, "righty"), ReadFloat(entry, "rightz"));
        cameras.push_back(camera);
    }
    return count;
}
