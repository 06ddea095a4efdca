// Vector and matrix maths: row-vector order, left-handed rotation and the sphere probe.
#include "engine/Math3D.h"

#include <cmath>
#include <gtest/gtest.h>

static void ExpectNear(const Vec3& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

TEST(Vec3Ops, ArithmeticEqualityAndNormalize) {
    Vec3 out;
    Vec3Add(out, {1, 2, 3}, {4, 5, 6});
    ExpectNear(out, 5, 7, 9);
    Vec3Subtract(out, {1, 2, 3}, {4, 5, 6});
    ExpectNear(out, -3, -3, -3);
    Vec3Scale(out, {1, -2, 3}, 2.0f);
    ExpectNear(out, 2, -4, 6);
    EXPECT_TRUE(Vec3Equal({1, 2, 3}, {1, 2, 3}));
    EXPECT_TRUE(Vec3NotEqual({1, 2, 3}, {1, 2, 3.0001f}));
    EXPECT_FLOAT_EQ(Vec3(3, 4, 0).Length(), 5.0f);
    Vec3 zero;
    zero.Normalize();
    EXPECT_TRUE(Vec3Equal(zero, Vec3(0, 0, 0)));
    Vec3 v(0, 3, 4);
    v.Normalize();
    ExpectNear(v, 0, 0.6f, 0.8f);
}

TEST(MatrixOps, RotationYTurnsXTowardMinusZ) {
    Matrix4 r;
    MatrixRotationY(r, 90.0f * kDegToRad);
    Vec3 out;
    Vec3TransformCoord(out, {1, 0, 0}, r);
    ExpectNear(out, 0, 0, -1);
    Vec3TransformCoord(out, {0, 0, 1}, r);
    ExpectNear(out, 1, 0, 0);
}

TEST(MatrixOps, WorldIsRotationThenTranslation) {
    Matrix4 r, t, world;
    MatrixRotationY(r, 90.0f * kDegToRad);
    MatrixTranslation(t, 10, 0, 5);
    MatrixMultiply(world, r, t);
    Vec3 out;
    Vec3TransformCoord(out, {1, 0, 0}, world);
    ExpectNear(out, 10, 0, 4);
    // The other order moves first and rotates about the origin afterwards.
    MatrixMultiply(world, t, r);
    Vec3TransformCoord(out, {1, 0, 0}, world);
    ExpectNear(out, 5, 0, -11);
    Vec3TransformNormal(out, {1, 0, 0}, world);
    ExpectNear(out, 0, 0, -1);
}

TEST(MatrixOps, InverseUndoesAndProjectionDividesByW) {
    Matrix4 r, t, world, inverse, product;
    MatrixRotationY(r, 0.7f);
    MatrixTranslation(t, 1, 2, 3);
    MatrixMultiply(world, r, t);
    ASSERT_TRUE(MatrixInverse(inverse, world));
    MatrixMultiply(product, world, inverse);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_NEAR(product.m[i][j], i == j ? 1.0f : 0.0f, 1e-5f);
    EXPECT_FALSE(MatrixInverse(inverse, Matrix4::Zero()));

    Matrix4 projection;
    MatrixPerspectiveFovLH(projection, 45.0f * kDegToRad, 4.0f / 3.0f, 0.1f, 300.0f);
    Vec3 nearPoint, farPoint;
    Vec3TransformCoord(nearPoint, {0, 0, 0.1f}, projection);
    Vec3TransformCoord(farPoint, {0, 0, 300.0f}, projection);
    EXPECT_NEAR(nearPoint.z, 0.0f, 1e-5f);
    EXPECT_NEAR(farPoint.z, 1.0f, 1e-5f);

    Matrix4 view;
    MatrixLookAtLH(view, {0, 0, -10}, {0, 0, 0}, {0, 1, 0});
    Vec3 seen;
    Vec3TransformCoord(seen, {1, 2, 0}, view);
    ExpectNear(seen, 1, 2, 10);
}

TEST(SphereProbe, HitMissInsideAndBehind) {
    Vec3 center(0, 0, 10);
    EXPECT_TRUE(SphereBoundProbe(center, 1.0f, {0, 0, 0}, {0, 0, 1}));
    EXPECT_FALSE(SphereBoundProbe(center, 1.0f, {0, 0, 0}, {0, 1, 0}));
    EXPECT_FALSE(SphereBoundProbe(center, 1.0f, {2, 0, 0}, {0, 0, 1}));
    EXPECT_TRUE(SphereBoundProbe(center, 1.0f, {0, 0, 10.5f}, {0, 1, 0}));
    EXPECT_FALSE(SphereBoundProbe(center, 1.0f, {0, 0, 0}, {0, 0, -1}));
}
