#include "BevelledCube.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using Vector = std::array<float, 3>;

// The grid coordinates of a side from -edge/2 to edge/2: the bevel's 45 degrees in equal
// angle steps at either end, one flat step between.
std::vector<float> GridCoordinates(const BevelledCubeShape& shape) {
    const float half = 0.5f * shape.edge;
    const float inner = half - shape.bevelRadius;
    std::vector<float> upper;
    for (int step = 0; step <= shape.segmentsPerSide; ++step) {
        const double angle = 0.25 * std::numbers::pi * step / shape.segmentsPerSide;
        upper.push_back(step == shape.segmentsPerSide
                            ? half
                            : inner + shape.bevelRadius * static_cast<float>(std::tan(angle)));
    }
    std::vector<float> coordinates;
    for (auto it = upper.rbegin(); it != upper.rend(); ++it)
        coordinates.push_back(-*it);
    coordinates.insert(coordinates.end(), upper.begin(), upper.end());
    return coordinates;
}

// The point of the rounded surface for a point of the cube's surface, and its normal.
void RoundOff(const Vector& onCube, float inner, float radius, Vector& position, Vector& normal) {
    Vector core{}, offset{};
    for (int axis = 0; axis < 3; ++axis) {
        core[axis] = std::clamp(onCube[axis], -inner, inner);
        offset[axis] = onCube[axis] - core[axis];
    }
    const float length =
        std::sqrt(offset[0] * offset[0] + offset[1] * offset[1] + offset[2] * offset[2]);
    for (int axis = 0; axis < 3; ++axis) {
        normal[axis] = offset[axis] / length;
        position[axis] = core[axis] + radius * normal[axis];
    }
}

Vector Cross(const Vector& a, const Vector& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Vector Minus(const Vector& a, const Vector& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

} // namespace

GeneratedMesh BuildBevelledCube(const BevelledCubeShape& shape) {
    GeneratedMesh mesh;
    mesh.materials.push_back(GeneratedMaterial{}); // white
    const std::vector<float> grid = GridCoordinates(shape);
    const auto size = static_cast<std::uint32_t>(grid.size());
    const float half = 0.5f * shape.edge;
    const float inner = half - shape.bevelRadius;

    for (int axis = 0; axis < 3; ++axis) {
        for (const float sign : {1.0f, -1.0f}) {
            const int uAxis = (axis + 1) % 3, vAxis = (axis + 2) % 3;
            Vector outward{};
            outward[axis] = sign;
            const std::uint32_t first = static_cast<std::uint32_t>(mesh.positions.size());
            std::vector<Vector> onCube;
            for (std::uint32_t v = 0; v < size; ++v)
                for (std::uint32_t u = 0; u < size; ++u) {
                    Vector point{};
                    point[axis] = sign * half;
                    point[uAxis] = grid[u];
                    point[vAxis] = grid[v];
                    Vector position{}, normal{};
                    RoundOff(point, inner, shape.bevelRadius, position, normal);
                    mesh.AddVertex(position, normal,
                                   {(grid[u] + half) / shape.edge, (half - grid[v]) / shape.edge});
                    onCube.push_back(point);
                }
            // Clockwise seen from outside: the corners' cross product points outwards.
            const Vector across =
                Cross(Minus(onCube[1], onCube[0]), Minus(onCube[size], onCube[0]));
            const bool flip =
                across[0] * outward[0] + across[1] * outward[1] + across[2] * outward[2] < 0.0f;
            for (std::uint32_t v = 0; v + 1 < size; ++v)
                for (std::uint32_t u = 0; u + 1 < size; ++u) {
                    const std::uint32_t corner = first + v * size + u;
                    std::vector<std::uint32_t> quad{corner, corner + 1, corner + size + 1,
                                                    corner + size};
                    if (flip) std::reverse(quad.begin(), quad.end());
                    mesh.AddFace(std::move(quad), 0);
                }
        }
    }
    return mesh;
}
