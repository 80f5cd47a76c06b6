#include "Platform/D3DX9/EffectPool.h"

std::shared_ptr<ParameterSlot> EffectPool::Share(const EffectParameter& declaration) {
    std::weak_ptr<ParameterSlot>& entry = slots[declaration.name];
    if (std::shared_ptr<ParameterSlot> slot = entry.lock()) {
        if (!slot->Fits(declaration))
            throw EffectError(declaration.location,
                              "shared parameter '" + declaration.name +
                                  "' differs in type or size from its declaration in the pool");
        return slot;
    }
    auto slot = std::make_shared<ParameterSlot>(declaration);
    entry = slot;
    return slot;
}

HRESULT D3DXCreateEffectPool(ID3DXEffectPool** pool) {
    if (pool == nullptr) return D3DERR_INVALIDCALL;
    *pool = new EffectPool();
    return D3D_OK;
}
