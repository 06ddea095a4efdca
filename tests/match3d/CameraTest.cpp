// Camera descriptor reading and choosing a camera.
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

TEST_F(CameraFiles, SetCameraAppliesARecordAndIgnoresIndexesOutOfRange) {
    Write("cam.xml", CameraXml("Camera", 3));
    CMatch3D match;
    match.SetCamera(0); // no records: nothing happens
    EXPECT_EQ(match.activeCameraIndex, -1);
    match.LoadCameras("\\cam.xml");
    match.SetCamera(1);
    EXPECT_EQ(match.activeCameraIndex, 1);
    EXPECT_EQ(match.activeCamera.position, Vec3(1, 8, -20));
    EXPECT_EQ(match.activeCamera.lookAt, Vec3(0.5f, 1.5f, 1.5f));
    match.SetCamera(3);
    match.SetCamera(-1);
    EXPECT_EQ(match.activeCameraIndex, 1);
    EXPECT_EQ(match.activeCamera.position, Vec3(1, 8, -20));
}
