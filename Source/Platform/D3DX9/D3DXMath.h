// The D3DX vector and matrix helpers, with D3DX's names and formulas. Matrices are row-major in
// the row-vector convention: a point p is transformed as p x M, and A x B applies A first.
// Like D3DX, every helper writes its result to out (which may alias an input) and returns out.
#pragma once

struct D3DXVECTOR3 {
    D3DXVECTOR3() = default;
    D3DXVECTOR3(float vx, float vy, float vz) : x(vx), y(vy), z(vz) {}
    bool operator==(const D3DXVECTOR3&) const = default;

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct D3DXMATRIX {
    float& operator()(unsigned row, unsigned column) { return m[row][column]; }
    float operator()(unsigned row, unsigned column) const { return m[row][column]; }
    bool operator==(const D3DXMATRIX&) const = default;

    float m[4][4] = {};
};

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
// The translation sits in the fourth row.
D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z);
D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float sx, float sy, float sz);
// Rotations by angle radians about an axis, counter-clockwise looking from the positive axis
// towards the origin in a right-handed frame.
D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* out, float angle);
// out = m1 x m2: m1 applies first.
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* m1, const D3DXMATRIX* m2);
// The point (x, y, z, 1) x m, divided by its w.
D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
