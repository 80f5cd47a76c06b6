// A cube with rounded (bevelled) edges and corners: a cube shrunk by the bevel radius, grown
// again by a sphere of that radius. The flat parts have the faces' normals, the bevels the
// sphere's, so the shading is smooth across every bevel. Each of the six sides is a grid of
// its own with texture coordinates 0 to 1 across the side; sides meet at equal positions.
#pragma once

#include "GeneratedMesh.h"

struct BevelledCubeShape {
    float edge = 1.0f; // outer edge length, centred on the origin
    float bevelRadius = 0.1f;
    int segmentsPerSide = 4; // grid steps of each side's half of a bevel (45 degrees)
};

GeneratedMesh BuildBevelledCube(const BevelledCubeShape& shape);
