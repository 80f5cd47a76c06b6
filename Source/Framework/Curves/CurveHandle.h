// What every user of a curve holds: the curve itself and the value it gave last. Loading reads
// the entry "Data\anim\" + the curve's name from the data file.
#pragma once

#include "Framework/Curves/AnimCurve.h"

#include <string>

// Smooth curves are read with Evaluate, step curves (the ".visibility" channels) with Sample.
// Each kind reports only its first missing curve.
enum class CurveKind { Smooth, Step };

class CurveHandle {
public:
    // An empty curve of that name; nothing is read yet.
    CurveHandle(std::string curveName, CurveKind curveKind);

    // Replaces the keys with the entry's. A missing entry gets keys that read 0 throughout,
    // with one message box per kind and process. Reads through FileSys, which must exist.
    void Load();
    float Evaluate(float t) { return value = curve.Evaluate(t); }
    float Sample(float t) { return value = curve.Sample(t); }

    // The last result of Evaluate or Sample; 0 before the first.
    float Value() const { return value; }
    CurveKind Kind() const { return kind; }
    AnimCurve& Curve() { return curve; }
    const AnimCurve& Curve() const { return curve; }

private:
    AnimCurve curve;
    CurveKind kind;
    float value = 0.0f;
};
