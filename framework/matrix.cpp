// Matrix arithmetic: products, rotations and Gauss-Jordan inversion.
#include "framework/matrix.h"

#include <cmath>
#include <istream>
#include <ostream>

namespace ondra {

Matrix::Matrix() { SetIdentity(); }

void Matrix::SetIdentity() {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) m_[r][c] = r == c ? 1.0f : 0.0f;
}

void Matrix::SetZero() {
    for (auto& row : m_)
        for (float& e : row) e = 0.0f;
}

Matrix Matrix::operator*(const Matrix& b) const {
    Matrix p;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += m_[r][k] * b.m_[k][c];
            p.m_[r][c] = sum;
        }
    return p;
}

void Matrix::Multiply(const Matrix& b) { *this = b * *this; }

Vec3 Matrix::TransformPoint(const Vec3& p) const {
    return {m_[0][0] * p.x + m_[0][1] * p.y + m_[0][2] * p.z + m_[0][3],
            m_[1][0] * p.x + m_[1][1] * p.y + m_[1][2] * p.z + m_[1][3],
            m_[2][0] * p.x + m_[2][1] * p.y + m_[2][2] * p.z + m_[2][3]};
}

// Gauss-Jordan elimination with partial pivoting on [M | I]. Rows are not
// swapped; order[] remembers which row became the pivot of each column.
Matrix Matrix::Inverse() const {
    float a[4][8];
    bool available[4] = {true, true, true, true};
    int order[4];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = m_[r][c];
            a[r][c + 4] = r == c ? 1.0f : 0.0f;
        }

    for (int c = 0; c < 4; ++c) {
        int pivot = -1;
        float best = 0.0f;
        for (int r = 0; r < 4; ++r) {
            if (available[r] && std::fabs(a[r][c]) > best) {
                best = std::fabs(a[r][c]);
                pivot = r;
            }
        }
        if (pivot < 0) throw "Cannot invert";

        available[pivot] = false;
        order[c] = pivot;
        const float divisor = a[pivot][c];
        for (int k = c + 1; k < 8; ++k) a[pivot][k] /= divisor;
        for (int r = 0; r < 4; ++r) {
            if (r == pivot) continue;
            const float f = a[r][c];
            for (int k = c + 1; k < 8; ++k) a[r][k] -= f * a[pivot][k];
        }
    }

    Matrix inverse;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) inverse.m_[r][c] = a[order[r]][c + 4];
    return inverse;
}

void Matrix::Invert() { *this = Inverse(); }

Matrix Matrix::Transpose() const {
    Matrix t;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) t.m_[r][c] = m_[c][r];
    return t;
}

void Matrix::SetTranslation(const Vec3& v) {
    SetIdentity();
    SetColumn(3, v);
}

void Matrix::Translate(const Vec3& v) {
    Matrix t;
    t.SetTranslation(v);
    Multiply(t);
}

void Matrix::SetScale(const Vec3& v) {
    SetIdentity();
    m_[0][0] = v.x;
    m_[1][1] = v.y;
    m_[2][2] = v.z;
}

void Matrix::SetColumn(int column, const Vec3& v) {
    m_[0][column] = v.x;
    m_[1][column] = v.y;
    m_[2][column] = v.z;
}

void Matrix::SetBasis(const Vec3& a, const Vec3& b, const Vec3& c) {
    SetIdentity();
    SetColumn(0, a);
    SetColumn(1, b);
    SetColumn(2, c);
}

void Matrix::SetRotationX(float radians) {
    const float c = std::cos(radians), s = std::sin(radians);
    SetIdentity();
    m_[1][1] = c;
    m_[1][2] = -s;
    m_[2][1] = s;
    m_[2][2] = c;
}

void Matrix::SetRotationY(float radians) {
    const float c = std::cos(radians), s = std::sin(radians);
    SetIdentity();
    m_[0][0] = c;
    m_[0][2] = s;
    m_[2][0] = -s;
    m_[2][2] = c;
}

void Matrix::SetRotationZ(float radians) {
    const float c = std::cos(radians), s = std::sin(radians);
    SetIdentity();
    m_[0][0] = c;
    m_[0][1] = -s;
    m_[1][0] = s;
    m_[1][1] = c;
}

void Matrix::RotateZ(float radians) {
    Matrix r;
    r.SetRotationZ(radians);
    Multiply(r);
}

// Builds an orthonormal basis whose z axis is the rotation axis, rotates
// about z in that frame and returns to world axes: B * Rz * B^T.
void Matrix::SetRotation(const Vec3& axis, float radians) {
    const float length = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
    const Vec3 w{axis.x / length, axis.y / length, axis.z / length};
    const bool alongX = std::fabs(w.y) < 1e-9f && std::fabs(w.z) < 1e-9f;
    if (alongX) {
        SetRotationX(w.x < 0 ? -radians : radians);
        return;
    }
    // u = normalize(x-axis x w) is perpendicular to w; v = w x u completes it.
    Vec3 u{0.0f, -w.z, w.y};
    const float ul = std::sqrt(u.y * u.y + u.z * u.z);
    u = {0.0f, u.y / ul, u.z / ul};
    const Vec3 v{w.y * u.z - w.z * u.y, w.z * u.x - w.x * u.z, w.x * u.y - w.y * u.x};
    Matrix basis;
    basis.SetBasis(u, v, w);
    Matrix result = basis.Transpose();
    result.RotateZ(radians);
    result.Multiply(basis);
    *this = result;
}

void Matrix::ToColumnMajor(float out[16]) const {
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) out[c * 4 + r] = m_[r][c];
}

bool Matrix::Equals(const Matrix& b) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (m_[r][c] != b.m_[r][c]) return false;
    return true;
}

bool Matrix::NearlyEquals(const Matrix& b, float tolerance) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(m_[r][c] - b.m_[r][c]) > tolerance) return false;
    return true;
}

std::ostream& operator<<(std::ostream& out, const Matrix& m) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) out << m[r][c] << (c == 3 ? "\n" : " ");
    return out;
}

std::istream& operator>>(std::istream& in, Matrix& m) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) in >> m[r][c];
    return in;
}

}  // namespace ondra
