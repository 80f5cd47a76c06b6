// The D3DX matrix and vector helpers: where each one moves a point in the row-vector convention,
// the order of a product, hand-computed projection and view matrices, inverses (singular too),
// the vector helpers, and results written over an input.
#include "Platform/D3DX9/D3DXMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <numbers>
#include <vector>

namespace {

constexpr float quarterTurn = std::numbers::pi_v<float> / 2.0f;

struct PointCase {
    const char* what;
    std::function<void(D3DXMATRIX*)> build;
    D3DXVECTOR3 point;
    D3DXVECTOR3 expected;
};

TEST(D3DXMath, EachHelperMovesPointsAsD3DXDoes) {
    const std::vector<PointCase> cases = {
        {"identity", [](D3DXMATRIX* m) { D3DXMatrixIdentity(m); }, {1, 2, 3}, {1, 2, 3}},
        {"translation",
         [](D3DXMATRIX* m) { D3DXMatrixTranslation(m, 10, -20, 30); },
         {1, 2, 3},
         {11, -18, 33}},
        {"scaling", [](D3DXMATRIX* m) { D3DXMatrixScaling(m, 2, 3, -1); }, {1, 2, 3}, {2, 6, -3}},
        {"about x, y goes to z",
         [](D3DXMATRIX* m) { D3DXMatrixRotationX(m, quarterTurn); },
         {0, 1, 0},
         {0, 0, 1}},
        {"about y, z goes to x",
         [](D3DXMATRIX* m) { D3DXMatrixRotationY(m, quarterTurn); },
         {0, 0, 1},
         {1, 0, 0}},
        {"about z, x goes to y",
         [](D3DXMATRIX* m) { D3DXMatrixRotationZ(m, quarterTurn); },
         {1, 0, 0},
         {0, 1, 0}},
        {"the left factor applies first",
         [](D3DXMATRIX* m) {
             D3DXMATRIX move;
             D3DXMATRIX grow;
             D3DXMatrixTranslation(&move, 1, 0, 0);
             D3DXMatrixScaling(&grow, 3, 3, 3);
             D3DXMatrixMultiply(m, &move, &grow);
         },
         {1, 1, 1},
         {6, 3, 3}},
    };
    for (const PointCase& c : cases) {
        D3DXMATRIX matrix;
        c.build(&matrix);
        D3DXVECTOR3 moved;
        D3DXVec3TransformCoord(&moved, &c.point, &matrix);
        EXPECT_NEAR(moved.x, c.expected.x, 1e-6f) << c.what;
        EXPECT_NEAR(moved.y, c.expected.y, 1e-6f) << c.what;
        EXPECT_NEAR(moved.z, c.expected.z, 1e-6f) << c.what;
    }
}

TEST(D3DXMath, TranslationSitsInTheFourthRowAndSinesAboveTheDiagonalForX) {
    D3DXMATRIX matrix;
    D3DXMatrixTranslation(&matrix, 4, 5, 6);
    EXPECT_EQ(matrix(3, 0), 4.0f);
    EXPECT_EQ(matrix(3, 1), 5.0f);
    EXPECT_EQ(matrix(3, 2), 6.0f);
    D3DXMatrixRotationX(&matrix, 0.5f);
    EXPECT_EQ(matrix(1, 2), std::sin(0.5f));
    EXPECT_EQ(matrix(2, 1), -std::sin(0.5f));
}

TEST(D3DXMath, AProductMayBeWrittenOverEitherFactor) {
    D3DXMATRIX turn;
    D3DXMATRIX move;
    D3DXMatrixRotationZ(&turn, 0.3f);
    D3DXMatrixTranslation(&move, 1, 2, 3);
    D3DXMATRIX expected;
    D3DXMatrixMultiply(&expected, &turn, &move);

    D3DXMATRIX left = turn;
    D3DXMatrixMultiply(&left, &left, &move);
    EXPECT_EQ(left, expected);
    D3DXMATRIX right = move;
    D3DXMatrixMultiply(&right, &turn, &right);
    EXPECT_EQ(right, expected);
}

void ExpectMatrixNear(const D3DXMATRIX& actual, const D3DXMATRIX& expected, const char* what) {
    for (unsigned row = 0; row < 4; ++row)
        for (unsigned column = 0; column < 4; ++column)
            EXPECT_NEAR(actual(row, column), expected(row, column), 1e-5f)
                << what << " at (" << row << ", " << column << ")";
}

D3DXMATRIX Rows(std::initializer_list<float> values) {
    D3DXMATRIX matrix;
    unsigned i = 0;
    for (const float value : values) {
        matrix.m[i / 4][i % 4] = value;
        ++i;
    }
    return matrix;
}

struct MatrixCase {
    const char* what;
    std::function<void(D3DXMATRIX*)> build;
    D3DXMATRIX expected;
};

TEST(D3DXMath, ProjectionViewTransposeAndInverseMatchHandComputedMatrices) {
    const std::vector<MatrixCase> cases = {
        // cot(pi / 4) = 1 vertically, halved for aspect 2; depth far / (near - far) = -1.5 and
        // near * far / (near - far) = -1.5.
        {"perspective, fov pi/2, aspect 2, near 1, far 3",
         [](D3DXMATRIX* m) { D3DXMatrixPerspectiveFovRH(m, quarterTurn, 2.0f, 1.0f, 3.0f); },
         Rows({0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1.5f, -1, 0, 0, -1.5f, 0})},
        {"looking down -z from (0, 0, 5) is a translation by -5",
         [](D3DXMATRIX* m) {
             const D3DXVECTOR3 eye(0, 0, 5);
             const D3DXVECTOR3 at(0, 0, 0);
             const D3DXVECTOR3 up(0, 1, 0);
             D3DXMatrixLookAtRH(m, &eye, &at, &up);
         },
         Rows({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -5, 1})},
        // z axis = (1, 0, 0), x axis = up x z = (0, 0, -1), y axis = z x x = (0, 1, 0).
        {"looking down -x from (5, 0, 0)",
         [](D3DXMATRIX* m) {
             const D3DXVECTOR3 eye(5, 0, 0);
             const D3DXVECTOR3 at(-3, 0, 0);
             const D3DXVECTOR3 up(0, 2, 0);
             D3DXMatrixLookAtRH(m, &eye, &at, &up);
         },
         Rows({0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, -5, 1})},
        {"transpose swaps rows and columns",
         [](D3DXMATRIX* m) {
             const D3DXMATRIX source = Rows({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
             D3DXMatrixTranspose(m, &source);
         },
         Rows({0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15})},
        {"transpose written over its input",
         [](D3DXMATRIX* m) {
             *m = Rows({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
             D3DXMatrixTranspose(m, m);
         },
         Rows({0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15})},
        // (S x T)^-1 = T^-1 x S^-1: undo the move, then the scale.
        {"inverse of a scale then a move, written over its input",
         [](D3DXMATRIX* m) {
             D3DXMATRIX scale;
             D3DXMATRIX move;
             D3DXMatrixScaling(&scale, 2, 4, 8);
             D3DXMatrixTranslation(&move, 1, 2, 3);
             D3DXMatrixMultiply(m, &scale, &move);
             D3DXMatrixInverse(m, nullptr, m);
         },
         Rows({0.5f, 0, 0, 0, 0, 0.25f, 0, 0, 0, 0, 0.125f, 0, -0.5f, -0.5f, -0.375f, 1})},
    };
    for (const MatrixCase& c : cases) {
        D3DXMATRIX matrix;
        c.build(&matrix);
        ExpectMatrixNear(matrix, c.expected, c.what);
    }
}

TEST(D3DXMath, ThePerspectiveMapsTheNearPlaneToDepthZeroAndTheFarPlaneToOne) {
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveFovRH(&projection, 0.7853982f, 16.0f / 9.0f, 0.1f, 100.0f);
    const D3DXVECTOR3 nearPoint(0, 0, -0.1f);
    const D3DXVECTOR3 farPoint(0, 0, -100.0f);
    D3DXVECTOR3 projected;
    EXPECT_NEAR(D3DXVec3TransformCoord(&projected, &nearPoint, &projection)->z, 0.0f, 1e-5f);
    EXPECT_NEAR(D3DXVec3TransformCoord(&projected, &farPoint, &projection)->z, 1.0f, 1e-5f);
    // w carries the distance in front of the camera.
    D3DXVECTOR4 clip;
    D3DXVec3Transform(&clip, &farPoint, &projection);
    EXPECT_NEAR(clip.w, 100.0f, 1e-4f);
}

TEST(D3DXMath, AnInverseUndoesAGeneralMatrixAndReportsItsDeterminant) {
    // Block lower-triangular: det = det((2, 1), (1, 3)) x det((1, 2), (6, 1)) = 5 x -11.
    const D3DXMATRIX m = Rows({2, 1, 0, 0, 1, 3, 0, 0, 0, 0, 1, 2, 4, 5, 6, 1});
    D3DXMATRIX inverse;
    float determinant = 0.0f;
    ASSERT_EQ(D3DXMatrixInverse(&inverse, &determinant, &m), &inverse);
    EXPECT_NEAR(determinant, -55.0f, 1e-4f);
    D3DXMATRIX product;
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    ExpectMatrixNear(*D3DXMatrixMultiply(&product, &m, &inverse), identity, "m x m^-1");
    ExpectMatrixNear(*D3DXMatrixMultiply(&product, &inverse, &m), identity, "m^-1 x m");
}

TEST(D3DXMath, ASingularMatrixHasNoInverseAndLeavesTheOutputAlone) {
    D3DXMATRIX flat;
    D3DXMatrixScaling(&flat, 1, 0, 1);
    D3DXMATRIX out;
    D3DXMatrixTranslation(&out, 7, 8, 9);
    const D3DXMATRIX before = out;
    float determinant = 1.0f;
    EXPECT_EQ(D3DXMatrixInverse(&out, &determinant, &flat), nullptr);
    EXPECT_EQ(determinant, 0.0f);
    EXPECT_EQ(out, before);
}

struct VectorCase {
    const char* what;
    std::function<D3DXVECTOR3()> compute;
    D3DXVECTOR3 expected;
};

TEST(D3DXMath, VectorHelpers) {
    const std::vector<VectorCase> cases = {
        {"x cross y is z (right-handed)",
         [] {
             const D3DXVECTOR3 x(1, 0, 0);
             const D3DXVECTOR3 y(0, 1, 0);
             D3DXVECTOR3 out;
             return *D3DXVec3Cross(&out, &x, &y);
         },
         {0, 0, 1}},
        {"cross written over its first input",
         [] {
             D3DXVECTOR3 a(1, 2, 3);
             const D3DXVECTOR3 b(4, 5, 6);
             return *D3DXVec3Cross(&a, &a, &b);
         },
         {-3, 6, -3}},
        {"normalize",
         [] {
             const D3DXVECTOR3 v(0, 3, -4);
             D3DXVECTOR3 out;
             return *D3DXVec3Normalize(&out, &v);
         },
         {0, 0.6f, -0.8f}},
        {"a zero vector normalizes to zero",
         [] {
             const D3DXVECTOR3 zero;
             D3DXVECTOR3 out(1, 1, 1);
             return *D3DXVec3Normalize(&out, &zero);
         },
         {0, 0, 0}},
        {"a normal turns but does not move",
         [] {
             D3DXMATRIX turn;
             D3DXMATRIX move;
             D3DXMATRIX both;
             D3DXMatrixRotationZ(&turn, quarterTurn);
             D3DXMatrixTranslation(&move, 10, 20, 30);
             D3DXMatrixMultiply(&both, &turn, &move);
             const D3DXVECTOR3 x(1, 0, 0);
             D3DXVECTOR3 out;
             return *D3DXVec3TransformNormal(&out, &x, &both);
         },
         {0, 1, 0}},
        {"a point turns, then moves",
         [] {
             D3DXMATRIX turn;
             D3DXMATRIX move;
             D3DXMATRIX both;
             D3DXMatrixRotationZ(&turn, quarterTurn);
             D3DXMatrixTranslation(&move, 10, 20, 30);
             D3DXMatrixMultiply(&both, &turn, &move);
             const D3DXVECTOR3 x(1, 0, 0);
             D3DXVECTOR4 out;
             D3DXVec3Transform(&out, &x, &both);
             EXPECT_EQ(out.w, 1.0f);
             return D3DXVECTOR3(out.x, out.y, out.z);
         },
         {10, 21, 30}},
    };
    for (const VectorCase& c : cases) {
        const D3DXVECTOR3 v = c.compute();
        EXPECT_NEAR(v.x, c.expected.x, 1e-6f) << c.what;
        EXPECT_NEAR(v.y, c.expected.y, 1e-6f) << c.what;
        EXPECT_NEAR(v.z, c.expected.z, 1e-6f) << c.what;
    }
    const D3DXVECTOR3 a(1, 2, 3);
    const D3DXVECTOR3 b(4, -5, 6);
    EXPECT_EQ(D3DXVec3Dot(&a, &b), 12.0f);
    const D3DXVECTOR3 pythagorean(3, 4, 12);
    EXPECT_EQ(D3DXVec3Length(&pythagorean), 13.0f);
}

} // namespace
