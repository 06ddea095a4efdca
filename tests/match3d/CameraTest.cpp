// Camera descriptor reading and choosing a camera.
#include "engine/Camera.h"
#include "engine/TempDir.h"
#include "match3d/Match3D.h"

using CameraFiles = TempDirTest;

static std::string CameraXml(const char* type, int count) {
    std::string xml = std::string("<FileDescriptor><QuorelFile type=\"") + type + "\">";
    for (int i = 0; i < count; ++i) {
        xml += "<camera posx=\"" + std::to_string(i) +
               "\" posy=\"8\" posz=\"-20\" lookx=\"0.5\" looky=\"1.5\" lookz=\"12\" upx=\"0\" upy=\"1\" "
               "upz=\"0\" rightx=\"1\" righty=\"0\" rightz=\"0\"/>";
    }
    return xml + "<light/></QuorelFile></FileDescriptor>";
}

TEST_F(CameraFiles, LoadsRecordsWithTheLookAtZTakenFromLookY) {
    Write("Stadions/ini/camera_test.xml", CameraXml("Camera", 3));
    CMatch3D match;
    match.LoadCameras("\\Stadions\\ini\\camera_test.xml");
    ASSERT_EQ(match.cameras.size(), 3u);
    EXPECT_EQ(match.cameras[2]->position, Vec3(2, 8, -20));
    EXPECT_EQ(match.cameras[0]->lookAt, Vec3(0.5f, 1.5f, 1.5f));
    EXPECT_EQ(match.cameras[0]->right, Vec3(1, 0, 0));
    match.LoadCameras("\\Stadions\\ini\\camera_test.xml");
    EXPECT_EQ(match.cameras.size(), 6u); // appended
}

TEST_F(CameraFiles, OtherDescriptorTypesAddNothing) {
    Write("a.xml", CameraXml("camera", 2)); // the type compares exactly
    Write("b.xml", CameraXml("World", 2));
    Write("c.xml", "<FileDescriptor><camera posx=\"1\"/></FileDescriptor>");
    CMatch3D match;
    match.LoadCameras("\\a.xml");
    match.LoadCameras("\\b.xml");
    match.LoadCameras("\\c.xml");
    EXPECT_TRUE(match.cameras.empty());
}

TEST_F(CameraFiles, SetCameraPointsTheEngineCameraAndIgnoresIndexesOutOfRange) {
    Write("cam.xml", CameraXml("Camera", 3));
    CMatch3D match;
    match.SetCamera(0); // no engine camera and no records: nothing to do
    CQuorelCamera camera;
    g_pQuorelCamera = &camera;
    match.SetCamera(0);
    EXPECT_EQ(camera.GetPosition(), Vec3(0, 0, -10));
    match.LoadCameras("\\cam.xml");
    match.SetCamera(1);
    EXPECT_EQ(camera.GetPosition(), Vec3(1, 8, -20));
    EXPECT_EQ(camera.GetTarget(), Vec3(0.5f, 1.5f, 1.5f));
    EXPECT_GT(camera.GetRight().x, 0.99f); // the record's right axis, squared to the view
    match.SetCamera(3);
    match.SetCamera(-1);
    EXPECT_EQ(camera.GetPosition(), Vec3(1, 8, -20));

    // A rolled camera: its right axis is applied after the look-at, not rebuilt from up.
    Write("rolled.xml", "<FileDescriptor><QuorelFile type=\"Camera\"><camera posz=\"-10\" upy=\"1\" "
                        "rightx=\"0.6\" righty=\"0.8\"/></QuorelFile></FileDescriptor>");
    match.LoadCameras("\\rolled.xml");
    match.SetCamera(3);
    EXPECT_NEAR(Vec3Distance(camera.GetRight(), Vec3(0.6f, 0.8f, 0)), 0.0f, 1e-5f);
    g_pQuorelCamera = nullptr;
}
