// The D3DX matrix helpers: where each one moves a point in the row-vector convention, the order
// of a product, and results written over an input.
#include "Platform/D3DX9/D3DXMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
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

} // namespace
