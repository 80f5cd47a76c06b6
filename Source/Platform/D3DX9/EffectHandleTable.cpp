#include "Platform/D3DX9/EffectHandleTable.h"

D3DXHANDLE EffectHandleTable::Add(const std::string& name, EffectObject object) {
    records.push_back(std::make_unique<Record>(Record{name, std::move(object)}));
    Record* record = records.back().get();
    const D3DXHANDLE handle = record->name.c_str();
    byHandle.emplace(handle, record);
    return handle;
}

const EffectObject* EffectHandleTable::Find(D3DXHANDLE handle) const {
    const auto found = byHandle.find(handle);
    return found == byHandle.end() ? nullptr : &found->second->object;
}
