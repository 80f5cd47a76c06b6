// The handles an effect hands out. A handle points at the name of the object it stands for,
// held by the table, so it reads as that name and is never mistaken for another object's
// handle; a pointer the table did not hand out is taken as a name.
#pragma once

#include "Platform/D3DX9/D3DXEffect.h"
#include "Platform/D3DX9/EffectDescription.h"

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct EffectObject {
    enum class Kind { Parameter, Technique, Pass, Annotation };
    Kind kind = Kind::Parameter;
    std::size_t index = 0; // of the parameter or technique
    std::size_t pass = 0;  // passes: the index in the technique
    const EffectAnnotation* annotation = nullptr;
    std::vector<D3DXHANDLE> annotations; // handles of the object's own annotations
};

class EffectHandleTable {
public:
    D3DXHANDLE Add(const std::string& name, EffectObject object);
    // The object of a handle this table handed out; null for any other pointer.
    const EffectObject* Find(D3DXHANDLE handle) const;

private:
    struct Record {
        std::string name;
        EffectObject object;
    };

    std::vector<std::unique_ptr<Record>> records;
    std::unordered_map<D3DXHANDLE, Record*> byHandle;
};
