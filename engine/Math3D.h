// Vec3 and 4x4 matrices with the row-vector conventions the game code was written for
// (v' = v x M, left-handed view and projection, World = Scale x Rotation x Translation).
#pragma once

#include <cmath>

struct Vec3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;

    Vec3() = default;
    Vec3(float ax, float ay, float az) : x(ax), y(ay), z(az) {}

    // Inline: the match engines call these for every player at every tick.
    float Length() const { return std::sqrt(x * x + y * y + z * z); }
    float LengthSq() const { return x * x + y * y + z * z; }
    // Divides by the length; a zero vector stays zero.
    void Normalize() {
        const float length = Length();
        if (length > 0.0f) {
            x /= length;
            y /= length;
            z /= length;
        }
    }

    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator*(float s) const { return {x * s, y * s, z * s}; }
    Vec3& operator+=(const Vec3& o) {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    Vec3& operator-=(const Vec3& o) {
        x -= o.x;
        y -= o.y;
        z -= o.z;
        return *this;
    }
    bool operator==(const Vec3& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const Vec3& o) const { return !(*this == o); }
};

void Vec3Add(Vec3& out, const Vec3& a, const Vec3& b);
void Vec3Subtract(Vec3& out, const Vec3& a, const Vec3& b);
void Vec3Scale(Vec3& out, const Vec3& v, float s);
bool Vec3Equal(const Vec3& a, const Vec3& b);
bool Vec3NotEqual(const Vec3& a, const Vec3& b);
float Vec3Dot(const Vec3& a, const Vec3& b);
Vec3 Vec3Cross(const Vec3& a, const Vec3& b);
void Vec3Normalize(Vec3& out, const Vec3& v);
inline float Vec3Distance(const Vec3& a, const Vec3& b) {
    return (a - b).Length();
}

// Row-major 4x4 matrix; m[row][col], translation in row 3.
struct Matrix4 {
    float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

    static Matrix4 Identity() { return Matrix4(); }
    static Matrix4 Zero();
    bool operator==(const Matrix4& o) const;
};

void MatrixIdentity(Matrix4& out);
// Rotation about +y by angle radians, as the left-handed convention turns it (x toward -z for a quarter
// turn).
void MatrixRotationX(Matrix4& out, float angle);
void MatrixRotationY(Matrix4& out, float angle);
void MatrixRotationZ(Matrix4& out, float angle);
void MatrixTranslation(Matrix4& out, float x, float y, float z);
void MatrixScaling(Matrix4& out, float x, float y, float z);
// out = a x b: a is applied first.
void MatrixMultiply(Matrix4& out, const Matrix4& a, const Matrix4& b);
void MatrixTranspose(Matrix4& out, const Matrix4& m);
// false (and out untouched) when m is singular.
bool MatrixInverse(Matrix4& out, const Matrix4& m);
void MatrixLookAtLH(Matrix4& out, const Vec3& eye, const Vec3& at, const Vec3& up);
void MatrixPerspectiveFovLH(Matrix4& out, float fovY, float aspect, float zNear, float zFar);
void MatrixOrthoOffCenterLH(Matrix4& out, float left, float right, float bottom, float top, float zNear,
                            float zFar);

// v x M with the w divide.
void Vec3TransformCoord(Vec3& out, const Vec3& v, const Matrix4& m);
// v x M without translation.
void Vec3TransformNormal(Vec3& out, const Vec3& v, const Matrix4& m);

// Does the ray from origin along direction touch the sphere? A ray starting inside counts as a hit;
// a sphere wholly behind the origin does not.
bool SphereBoundProbe(const Vec3& center, float radius, const Vec3& rayOrigin, const Vec3& rayDirection);

constexpr float kDegToRad = 0.017453292f;
