// Camera axes and view, and the frustum that culls against them.
#include "engine/Camera.h"
#include "engine/Frustum.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {
void ExpectVec(const Vec3& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-4f);
    EXPECT_NEAR(v.y, y, 1e-4f);
    EXPECT_NEAR(v.z, z, 1e-4f);
}
} // namespace

TEST(Camera, LookAtPutsTheTargetStraightAheadAndKeepsTheEye) {
    CQuorelCamera camera;
    camera.LookAt(Vec3(3, 4, -10), Vec3(3, 4, 0), Vec3(0, 1, 0));
    Vec3 eye;
    camera.GetPosition(eye);
    ExpectVec(eye, 3, 4, -10);
    Vec3 target;
    Vec3TransformCoord(target, Vec3(3, 4, 0), camera.GetViewMatrix());
    ExpectVec(target, 0, 0, 10);
    Vec3 rightOfTarget;
    Vec3TransformCoord(rightOfTarget, Vec3(4, 4, 0), camera.GetViewMatrix());
    EXPECT_GT(rightOfTarget.x, 0.0f) << "+x stays to the right in a left-handed view";
    ExpectVec(camera.GetRight(), 1, 0, 0);
    ExpectVec(camera.GetUp(), 0, 1, 0);
}

TEST(Camera, SetRightTiltsTheViewButKeepsTheAxesSquare) {
    CQuorelCamera camera;
    camera.LookAt(Vec3(0, 0, -10), Vec3(0, 0, 0), Vec3(0, 1, 0));
    camera.SetRight(Vec3(1, 1, 0)); // a 45 degree roll
    Vec3 r = camera.GetRight(), u = camera.GetUp(), l = camera.GetDirection();
    EXPECT_NEAR(Vec3Dot(r, u), 0.0f, 1e-5f);
    EXPECT_NEAR(Vec3Dot(r, l), 0.0f, 1e-5f);
    EXPECT_NEAR(r.Length(), 1.0f, 1e-5f);
    ExpectVec(r, 0.70710678f, 0.70710678f, 0);
    Vec3 point;
    Vec3TransformCoord(point, Vec3(1, 1, 0), camera.GetViewMatrix());
    EXPECT_NEAR(point.y, 0.0f, 1e-4f) << "a point along the new right axis lies on the view's x axis";
    camera.SetRight(Vec3(0, 0, 1)); // along the view direction: ignored
    ExpectVec(camera.GetRight(), 0.70710678f, 0.70710678f, 0);
}

TEST(Camera, DegenerateLookAtKeepsAUsableView) {
    CQuorelCamera camera;
    camera.LookAt(Vec3(0, 10, 0), Vec3(0, 0, 0), Vec3(0, 1, 0)); // looking straight down, up parallel
    Vec3 r = camera.GetRight();
    EXPECT_NEAR(r.Length(), 1.0f, 1e-5f);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_FALSE(std::isnan(camera.GetViewMatrix().m[i][j]));
}

TEST(Frustum, SeesWhatIsInFrontWithinTheAngleAndRange) {
    CQuorelCamera camera;
    camera.LookAt(Vec3(0, 0, 0), Vec3(0, 0, 1), Vec3(0, 1, 0));
    CQuorelFrustum frustum;
    EXPECT_TRUE(frustum.SphereVisible(Vec3(0, 0, -50), 1)) << "an unbuilt frustum culls nothing";
    frustum.Build(camera.GetViewMatrix(), camera.GetProjectionMatrix());
    EXPECT_TRUE(frustum.SphereVisible(Vec3(0, 0, 10), 1));
    EXPECT_FALSE(frustum.SphereVisible(Vec3(0, 0, -10), 1)) << "behind the eye";
    EXPECT_FALSE(frustum.SphereVisible(Vec3(50, 0, 10), 1)) << "far off to the side";
    EXPECT_TRUE(frustum.SphereVisible(Vec3(5, 0, 10), 2)) << "touching the edge counts";
    EXPECT_FALSE(frustum.SphereVisible(Vec3(0, 0, 400), 1)) << "past the far plane";
    EXPECT_TRUE(frustum.BoxVisible(Vec3(-1, -1, 5), Vec3(1, 1, 6)));
    EXPECT_FALSE(frustum.BoxVisible(Vec3(-1, -1, -6), Vec3(1, 1, -5)));
    EXPECT_TRUE(frustum.BoxVisible(Vec3(-100, -100, -100), Vec3(100, 100, 100))) << "the eye inside a box";
}
