// A vector driven by three smooth curves named base name + "X", "Y" and "Z" (no dot between:
// "LabLight.Ambient" reads "LabLight.AmbientX" and so on).
#pragma once

#include "Framework/Curves/CurveHandle.h"
#include "Platform/D3DX9/D3DXMath.h"

#include <string>

class AnimVector {
public:
    explicit AnimVector(const std::string& baseName);

    void Load();
    // Evaluates the three curves at t into the vector.
    const D3DXVECTOR3& Evaluate(float t);

    // The last evaluated vector; zero before the first Evaluate.
    const D3DXVECTOR3& Vector() const { return vector; }

private:
    CurveHandle x;
    CurveHandle y;
    CurveHandle z;
    D3DXVECTOR3 vector;
};
