// The D3DX vector and matrix helpers, with D3DX's names and formulas. Matrices are row-major in
// the row-vector convention: a point p is transformed as p x M, and A x B applies A first.
// Like D3DX, every helper writes its result to out (which may alias an input) and returns out.
#pragma once

struct D3DXVECTOR2 {
    D3DXVECTOR2() = default;
    D3DXVECTOR2(float vx, float vy) : x(vx), y(vy) {}
    bool operator==(const D3DXVECTOR2&) const = default;

    float x = 0.0f;
    float y = 0.0f;
};

struct D3DXVECTOR3 {
    D3DXVECTOR3() = default;
    D3DXVECTOR3(float vx, float vy, float vz) : x(vx), y(vy), z(vz) {}
    bool operator==(const D3DXVECTOR3&) const = default;
    D3DXVECTOR3 operator+(const D3DXVECTOR3& v) const { return {x + v.x, y + v.y, z + v.z}; }
    D3DXVECTOR3 operator-(const D3DXVECTOR3& v) const { return {x - v.x, y - v.y, z - v.z}; }
    D3DXVECTOR3 operator*(float s) const { return {x * s, y * s, z * s}; }

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct D3DXVECTOR4 {
    D3DXVECTOR4() = default;
    D3DXVECTOR4(float vx, float vy, float vz, float vw) : x(vx), y(vy), z(vz), w(vw) {}
    bool operator==(const D3DXVECTOR4&) const = default;

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;
};

struct D3DXMATRIX {
    float& operator()(unsigned row, unsigned column) { return m[row][column]; }
    float operator()(unsigned row, unsigned column) const { return m[row][column]; }
    bool operator==(const D3DXMATRIX&) const = default;

    float m[4][4] = {};
};

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
// Not a D3DX name: the identity by value, for initialising members.
inline D3DXMATRIX IdentityMatrix() {
    D3DXMATRIX identity;
    return *D3DXMatrixIdentity(&identity);
}
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
D3DXMATRIX* D3DXMatrixTranspose(D3DXMATRIX* out, const D3DXMATRIX* m);
// The inverse by cofactors; determinant (may be null) receives m's determinant. A singular m
// leaves out untouched and returns null, as D3DX does.
D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m);
// Right-handed perspective: the camera looks along -z and depth maps [near, far] to [0, 1].
// aspect is width / height; fovY is the vertical field of view in radians.
D3DXMATRIX* D3DXMatrixPerspectiveFovRH(D3DXMATRIX* out, float fovY, float aspect, float zNear,
                                       float zFar);
// Right-handed view from eye towards at: the view's +z axis points from at back to eye.
D3DXMATRIX* D3DXMatrixLookAtRH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up);

float D3DXVec3Dot(const D3DXVECTOR3* v1, const D3DXVECTOR3* v2);
D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* v1, const D3DXVECTOR3* v2);
float D3DXVec3Length(const D3DXVECTOR3* v);
// A zero vector normalizes to the zero vector.
D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v);
// The point (x, y, z, 1) x m, with its w.
D3DXVECTOR4* D3DXVec3Transform(D3DXVECTOR4* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
// The point (x, y, z, 1) x m, divided by its w.
D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
// The direction (x, y, z, 0) x m: the translation plays no part.
D3DXVECTOR3* D3DXVec3TransformNormal(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
