// An animated object's placement: translate, rotate (radians) and scale per axis, each channel
// driven by three smooth curves named object name + ".translate", ".rotate" or ".scale" + the
// axis letter, when the channel is flagged.
#pragma once

#include "Framework/Curves/CurveHandle.h"
#include "Platform/D3DX9/D3DXMath.h"

#include <array>
#include <optional>
#include <string>

class AnimTransform {
public:
    static constexpr unsigned translateFlag = 1;
    static constexpr unsigned rotateFlag = 2;
    static constexpr unsigned scaleFlag = 4;

    // Creates the curves of the flagged channels; unflagged channels keep translate (0, 0, 0),
    // rotate (0, 0, 0) and scale (1, 1, 1). The matrices start as identities.
    AnimTransform(std::string transformName, unsigned channelFlags);

    // Loads axis by axis: for X, then Y, then Z, the translate, rotate and scale curve.
    void Load();
    // Evaluates the flagged channels at t and rebuilds the matrices: the world matrix scales,
    // then rotates about x, y and z in that order, then translates.
    void Update(float t);

    const std::string& Name() const { return name; }
    unsigned Flags() const { return flags; }
    const D3DXVECTOR3& Translate() const { return vectors[translateChannel]; }
    const D3DXVECTOR3& Rotate() const { return vectors[rotateChannel]; }
    const D3DXVECTOR3& Scale() const { return vectors[scaleChannel]; }
    const D3DXMATRIX& World() const { return world; }
    const D3DXMATRIX& TranslationMatrix() const { return translation; }
    const D3DXMATRIX& RotationMatrix() const { return rotation; }
    const D3DXMATRIX& ScalingMatrix() const { return scaling; }

private:
    enum Channel : unsigned { translateChannel, rotateChannel, scaleChannel, channelCount };

    std::optional<CurveHandle>& Slot(unsigned channel, unsigned axis) {
        return slots[channel * 3 + axis];
    }

    unsigned flags;
    std::string name;
    // Translate X, Y, Z, rotate X, Y, Z, scale X, Y, Z; empty where the channel is not flagged.
    std::array<std::optional<CurveHandle>, 9> slots;
    std::array<D3DXVECTOR3, channelCount> vectors;
    D3DXMATRIX world;
    D3DXMATRIX translation;
    D3DXMATRIX rotation;
    D3DXMATRIX scaling;
};
