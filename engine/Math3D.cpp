// Vector and matrix maths in row-vector, left-handed form.
#include "engine/Math3D.h"

#include <cmath>
#include <cstring>

void Vec3Add(Vec3& out, const Vec3& a, const Vec3& b) {
    out = a + b;
}
void Vec3Subtract(Vec3& out, const Vec3& a, const Vec3& b) {
    out = a - b;
}
void Vec3Scale(Vec3& out, const Vec3& v, float s) {
    out = v * s;
}
bool Vec3Equal(const Vec3& a, const Vec3& b) {
    return a == b;
}
bool Vec3NotEqual(const Vec3& a, const Vec3& b) {
    return a != b;
}
float Vec3Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Vec3Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
void Vec3Normalize(Vec3& out, const Vec3& v) {
    out = v;
    out.Normalize();
}

Matrix4 Matrix4::Zero() {
    Matrix4 z;
    std::memset(z.m, 0, sizeof z.m);
    return z;
}

bool Matrix4::operator==(const Matrix4& o) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (m[r][c] != o.m[r][c])
                return false;
    return true;
}

void MatrixIdentity(Matrix4& out) {
    out = Matrix4();
}

void MatrixRotationX(Matrix4& out, float angle) {
    float c = std::cos(angle), s = std::sin(angle);
    out = Matrix4();
    out.m[1][1] = c;
    out.m[1][2] = s;
    out.m[2][1] = -s;
    out.m[2][2] = c;
}

void MatrixRotationY(Matrix4& out, float angle) {
    float c = std::cos(angle), s = std::sin(angle);
    out = Matrix4();
    out.m[0][0] = c;
    out.m[0][2] = -s;
    out.m[2][0] = s;
    out.m[2][2] = c;
}

void MatrixRotationZ(Matrix4& out, float angle) {
    float c = std::cos(angle), s = std::sin(angle);
    out = Matrix4();
    out.m[0][0] = c;
    out.m[0][1] = s;
    out.m[1][0] = -s;
    out.m[1][1] = c;
}

void MatrixTranslation(Matrix4& out, float x, float y, float z) {
    out = Matrix4();
    out.m[3][0] = x;
    out.m[3][1] = y;
    out.m[3][2] = z;
}

void MatrixScaling(Matrix4& out, float x, float y, float z) {
    out = Matrix4();
    out.m[0][0] = x;
    out.m[1][1] = y;
    out.m[2][2] = z;
}

void MatrixMultiply(Matrix4& out, const Matrix4& a, const Matrix4& b) {
    Matrix4 r = Matrix4::Zero();
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a.m[i][k] * b.m[k][j];
            r.m[i][j] = sum;
        }
    out = r;
}

void MatrixTranspose(Matrix4& out, const Matrix4& m) {
    Matrix4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = m.m[j][i];
    out = r;
}

bool MatrixInverse(Matrix4& out, const Matrix4& src) {
    // Gauss-Jordan with partial pivoting, in double for stability.
    double a[4][8];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            a[i][j] = src.m[i][j];
            a[i][j + 4] = (i == j) ? 1.0 : 0.0;
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
                pivot = r;
        if (std::fabs(a[pivot][col]) < 1e-12)
            return false;
        if (pivot != col)
            for (int j = 0; j < 8; ++j)
                std::swap(a[col][j], a[pivot][j]);
        double inv = 1.0 / a[col][col];
        for (int j = 0; j < 8; ++j)
            a[col][j] *= inv;
        for (int r = 0; r < 4; ++r) {
            if (r == col)
                continue;
            double f = a[r][col];
            for (int j = 0; j < 8; ++j)
                a[r][j] -= f * a[col][j];
        }
    }
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            out.m[i][j] = static_cast<float>(a[i][j + 4]);
    return true;
}

void MatrixLookAtLH(Matrix4& out, const Vec3& eye, const Vec3& at, const Vec3& up) {
    Vec3 zAxis = at - eye;
    zAxis.Normalize();
    Vec3 xAxis = Vec3Cross(up, zAxis);
    xAxis.Normalize();
    Vec3 yAxis = Vec3Cross(zAxis, xAxis);
    out = Matrix4();
    out.m[0][0] = xAxis.x;
    out.m[0][1] = yAxis.x;
    out.m[0][2] = zAxis.x;
    out.m[1][0] = xAxis.y;
    out.m[1][1] = yAxis.y;
    out.m[1][2] = zAxis.y;
    out.m[2][0] = xAxis.z;
    out.m[2][1] = yAxis.z;
    out.m[2][2] = zAxis.z;
    out.m[3][0] = -Vec3Dot(xAxis, eye);
    out.m[3][1] = -Vec3Dot(yAxis, eye);
    out.m[3][2] = -Vec3Dot(zAxis, eye);
}

void MatrixPerspectiveFovLH(Matrix4& out, float fovY, float aspect, float zNear, float zFar) {
    float yScale = 1.0f / std::tan(fovY / 2.0f);
    float xScale = yScale / aspect;
    out = Matrix4::Zero();
    out.m[0][0] = xScale;
    out.m[1][1] = yScale;
    out.m[2][2] = zFar / (zFar - zNear);
    out.m[2][3] = 1.0f;
    out.m[3][2] = -zNear * zFar / (zFar - zNear);
}

void MatrixOrthoOffCenterLH(Matrix4& out, float left, float right, float bottom, float top, float zNear,
                            float zFar) {
    out = Matrix4();
    out.m[0][0] = 2.0f / (right - left);
    out.m[1][1] = 2.0f / (top - bottom);
    out.m[2][2] = 1.0f / (zFar - zNear);
    out.m[3][0] = (left + right) / (left - right);
    out.m[3][1] = (top + bottom) / (bottom - top);
    out.m[3][2] = zNear / (zNear - zFar);
}

void Vec3TransformCoord(Vec3& out, const Vec3& v, const Matrix4& m) {
    float x = v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0];
    float y = v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1];
    float z = v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + m.m[3][2];
    float w = v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + m.m[3][3];
    if (w != 0.0f && w != 1.0f) {
        x /= w;
        y /= w;
        z /= w;
    }
    out = {x, y, z};
}

void Vec3TransformNormal(Vec3& out, const Vec3& v, const Matrix4& m) {
    out = {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
           v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
           v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

bool SphereBoundProbe(const Vec3& center, float radius, const Vec3& rayOrigin, const Vec3& rayDirection) {
    Vec3 toOrigin = rayOrigin - center;
    float a = rayDirection.LengthSq();
    float b = Vec3Dot(toOrigin, rayDirection);
    float c = toOrigin.LengthSq() - radius * radius;
    float discriminant = b * b - a * c;
    // The far intersection must lie ahead of the origin.
    return discriminant > 0.0f && std::sqrt(discriminant) > b;
}
