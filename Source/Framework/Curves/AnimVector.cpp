#include "Framework/Curves/AnimVector.h"

AnimVector::AnimVector(const std::string& baseName)
    : x(baseName + "X", CurveKind::Smooth), y(baseName + "Y", CurveKind::Smooth),
      z(baseName + "Z", CurveKind::Smooth) {}

void AnimVector::Load() {
    x.Load();
    y.Load();
    z.Load();
}

const D3DXVECTOR3& AnimVector::Evaluate(float t) {
    vector.x = x.Evaluate(t);
    vector.y = y.Evaluate(t);
    vector.z = z.Evaluate(t);
    return vector;
}
