// Matrix: a 4 x 4 single-precision matrix acting on column vectors
// (p' = M * p), stored as four rows of four floats, translation in column 3.
#pragma once

#include <iosfwd>

#include "framework/vec3.h"

namespace ondra {

class Matrix {
public:
    Matrix();  // identity

    void SetIdentity();
    void SetZero();

    float* operator[](int row) { return m_[row]; }
    const float* operator[](int row) const { return m_[row]; }
    const float* Data() const { return &m_[0][0]; }

    // this = b * this: b is applied after this matrix.
    void Multiply(const Matrix& b);
    Matrix operator*(const Matrix& b) const;
    Vec3 TransformPoint(const Vec3& p) const;

    // Throws "Cannot invert" (a const char*) when the matrix is singular,
    // leaving it unchanged.
    void Invert();
    Matrix Inverse() const;
    Matrix Transpose() const;

    void SetTranslation(const Vec3& v);
    void Translate(const Vec3& v);  // this = translation(v) * this
    void SetScale(const Vec3& v);
    void SetColumn(int column, const Vec3& v);
    void SetBasis(const Vec3& a, const Vec3& b, const Vec3& c);
    void SetRotationX(float radians);
    void SetRotationY(float radians);
    void SetRotationZ(float radians);
    void RotateZ(float radians);  // this = rotationZ * this
    // Rotation by `radians` about `axis` (any length but zero).
    void SetRotation(const Vec3& axis, float radians);

    // The 16 elements in column-major order, as glMultMatrixf takes them.
    void ToColumnMajor(float out[16]) const;

    bool Equals(const Matrix& b) const;
    bool NearlyEquals(const Matrix& b, float tolerance) const;

private:
    float m_[4][4];
};

std::ostream& operator<<(std::ostream& out, const Matrix& m);
std::istream& operator>>(std::istream& in, Matrix& m);

}  // namespace ondra
