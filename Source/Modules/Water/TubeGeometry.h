// The tunnel's tube, rebuilt on the CPU every frame from the tunnel time u: 129 rings of 257
// vertices (the last vertex of a ring repeats the first, where the texture wraps) whose radii
// ripple by a constant displacement table, and a shade per vertex that follows the radius.
// Texture coordinates, normals and indices do not move and are made once.
#pragma once

#include "Platform/D3D9/D3D9Types.h"
#include "Platform/D3DX9/D3DXMath.h"

#include <cstdint>
#include <vector>

class TubeGeometry {
public:
    static constexpr int kRings = 129;
    static constexpr int kRingVertices = 257;
    static constexpr int kVertexCount = kRings * kRingVertices;
    static constexpr int kTriangleCount = (kRings - 1) * (kRingVertices - 1) * 2;

    TubeGeometry();

    // Positions and shades at tunnel time u.
    void Rebuild(float u);

    // The ring's depth along the axis, before the drift.
    static float RingDepth(int ring);
    // The ripple amplitude of a ring, fading by 3 % a second.
    static float RingAmplitude(int ring, float u);

    const std::vector<D3DXVECTOR3>& Positions() const { return positions; }
    const std::vector<D3DCOLOR>& Shades() const { return shades; }
    const std::vector<D3DXVECTOR2>& TexCoords() const { return texCoords; }
    const std::vector<D3DXVECTOR3>& Normals() const { return normals; }
    const std::vector<std::uint16_t>& Indices() const { return indices; }
    float Displacement(int ring, int vertex) const {
        return displacement[static_cast<std::size_t>(ring * kRingVertices + vertex)];
    }
    // The radius that Rebuild gave the vertex.
    float Radius(int ring, int vertex) const;

private:
    std::vector<float> cosines;
    std::vector<float> sines;
    std::vector<float> displacement;
    std::vector<D3DXVECTOR3> positions;
    std::vector<D3DCOLOR> shades;
    std::vector<D3DXVECTOR2> texCoords;
    std::vector<D3DXVECTOR3> normals;
    std::vector<std::uint16_t> indices;
    std::vector<float> centreX; // of the last rebuild, per ring
    std::vector<float> centreY;
};
