#include "Framework/Curves/AnimTransform.h"

#include <utility>

namespace {

constexpr const char* channelNames[] = {".translate", ".rotate", ".scale"};
constexpr const char axisLetters[] = {'X', 'Y', 'Z'};

} // namespace

AnimTransform::AnimTransform(std::string transformName, unsigned channelFlags)
    : flags(channelFlags), name(std::move(transformName)), vectors{D3DXVECTOR3(0.0f, 0.0f, 0.0f),
                                                                   D3DXVECTOR3(0.0f, 0.0f, 0.0f),
                                                                   D3DXVECTOR3(1.0f, 1.0f, 1.0f)} {
    for (unsigned channel = 0; channel < channelCount; ++channel) {
        if ((flags & (1u << channel)) == 0) continue;
        for (unsigned axis = 0; axis < 3; ++axis)
            Slot(channel, axis)
                .emplace(name + channelNames[channel] + axisLetters[axis], CurveKind::Smooth);
    }
    D3DXMatrixIdentity(&world);
    D3DXMatrixIdentity(&translation);
    D3DXMatrixIdentity(&rotation);
    D3DXMatrixIdentity(&scaling);
}

void AnimTransform::Load() {
    for (unsigned axis = 0; axis < 3; ++axis)
        for (unsigned channel = 0; channel < channelCount; ++channel)
            if (std::optional<CurveHandle>& handle = Slot(channel, axis)) handle->Load();
}

void AnimTransform::Update(float t) {
    for (unsigned channel = 0; channel < channelCount; ++channel) {
        if ((flags & (1u << channel)) == 0) continue;
        D3DXVECTOR3& vector = vectors[channel];
        vector.x = Slot(channel, 0)->Evaluate(t);
        vector.y = Slot(channel, 1)->Evaluate(t);
        vector.z = Slot(channel, 2)->Evaluate(t);
    }

    const D3DXVECTOR3& angles = Rotate();
    D3DXMATRIX aboutX;
    D3DXMATRIX aboutY;
    D3DXMATRIX aboutZ;
    D3DXMatrixRotationX(&aboutX, angles.x);
    D3DXMatrixRotationY(&aboutY, angles.y);
    D3DXMatrixRotationZ(&aboutZ, angles.z);
    D3DXMatrixMultiply(&rotation, &aboutX, &aboutY);
    D3DXMatrixMultiply(&rotation, &rotation, &aboutZ);

    const D3DXVECTOR3& offset = Translate();
    D3DXMatrixTranslation(&translation, offset.x, offset.y, offset.z);
    const D3DXVECTOR3& factors = Scale();
    D3DXMatrixScaling(&scaling, factors.x, factors.y, factors.z);

    D3DXMatrixMultiply(&world, &scaling, &rotation);
    D3DXMatrixMultiply(&world, &world, &translation);
}
