// The D3DX 9 effect framework over the device layer: effects created from effect text (the
// format of EffectParser.h), parameters addressed by handle, name or semantic, annotations,
// shared parameters through pools, techniques and passes with their render and sampler states.
//
// A D3DXHANDLE is either a handle the effect handed out or a name: every call that takes a
// handle also takes the name of the parameter, technique or annotation as a string, as D3DX
// does. A null handle is ignored by the setters (D3DERR_INVALIDCALL).
//
// Running a technique: Begin(&passes, 0) saves the device state the technique's passes touch
// (flags other than 0 are refused: the state is always saved);
// BeginPass(i) binds the pass's program, applies its render states, binds its samplers and
// uploads the parameter values; CommitChanges uploads values set after BeginPass; EndPass; End
// restores the saved state and the device's own program.
#pragma once

#include "Platform/D3D9/D3D9.h"
#include "Platform/D3DX9/D3DXMath.h"

using D3DXHANDLE = const char*;

struct D3DXMACRO {
    const char* Name;
    const char* Definition;
};

enum D3DXINCLUDE_TYPE : std::uint32_t { D3DXINC_LOCAL = 0, D3DXINC_SYSTEM = 1 };

// Answers the effect compiler's include requests.
class ID3DXInclude {
public:
    virtual ~ID3DXInclude() = default;
    // Hands over the text of the file, which stays alive until Close is called with it.
    virtual HRESULT Open(D3DXINCLUDE_TYPE includeType, const char* fileName, const void* parentData,
                         const void** data, UINT* bytes) = 0;
    virtual HRESULT Close(const void* data) = 0;
};

// A block of bytes: compiler error texts (zero-terminated) and scratch buffers.
class ID3DXBuffer : public Unknown {
public:
    virtual void* GetBufferPointer() = 0;
    virtual DWORD GetBufferSize() = 0;
};

HRESULT D3DXCreateBuffer(DWORD numBytes, ID3DXBuffer** buffer);

// Holds the values of the parameters declared `shared`: every effect created with the same pool
// sees one value per shared parameter name.
class ID3DXEffectPool : public Unknown {};

HRESULT D3DXCreateEffectPool(ID3DXEffectPool** pool);

enum D3DXPARAMETER_CLASS : std::uint32_t {
    D3DXPC_SCALAR = 0,
    D3DXPC_VECTOR = 1,
    D3DXPC_MATRIX_ROWS = 2,
    D3DXPC_OBJECT = 4,
};

enum D3DXPARAMETER_TYPE : std::uint32_t {
    D3DXPT_BOOL = 1,
    D3DXPT_INT = 2,
    D3DXPT_FLOAT = 3,
    D3DXPT_STRING = 4,
    D3DXPT_TEXTURE = 5,
    D3DXPT_TEXTURE2D = 7,
    D3DXPT_TEXTURE3D = 8,
    D3DXPT_TEXTURECUBE = 9,
    D3DXPT_SAMPLER2D = 11,
    D3DXPT_SAMPLER3D = 12,
    D3DXPT_SAMPLERCUBE = 13,
};

constexpr DWORD D3DX_PARAMETER_SHARED = 1;

struct D3DXPARAMETER_DESC {
    const char* Name;
    const char* Semantic; // null when none
    D3DXPARAMETER_CLASS Class;
    D3DXPARAMETER_TYPE Type;
    UINT Rows;
    UINT Columns;
    UINT Elements; // 0: not an array
    UINT Annotations;
    UINT StructMembers;
    DWORD Flags;
    UINT Bytes;
};

struct D3DXTECHNIQUE_DESC {
    const char* Name;
    UINT Passes;
    UINT Annotations;
};

struct D3DXPASS_DESC {
    const char* Name;
    UINT Annotations;
};

struct D3DXEFFECT_DESC {
    const char* Creator;
    UINT Parameters;
    UINT Techniques;
    UINT Functions;
};

class ID3DXEffect : public Unknown {
public:
    virtual HRESULT GetDesc(D3DXEFFECT_DESC* desc) = 0;
    virtual HRESULT GetParameterDesc(D3DXHANDLE parameter, D3DXPARAMETER_DESC* desc) = 0;
    virtual HRESULT GetTechniqueDesc(D3DXHANDLE technique, D3DXTECHNIQUE_DESC* desc) = 0;
    virtual HRESULT GetPassDesc(D3DXHANDLE pass, D3DXPASS_DESC* desc) = 0;

    // Top-level lookups pass a null parent; a semantic compares without regard to case.
    virtual D3DXHANDLE GetParameter(D3DXHANDLE parent, UINT index) = 0;
    virtual D3DXHANDLE GetParameterByName(D3DXHANDLE parent, const char* name) = 0;
    virtual D3DXHANDLE GetParameterBySemantic(D3DXHANDLE parent, const char* semantic) = 0;
    virtual D3DXHANDLE GetAnnotation(D3DXHANDLE object, UINT index) = 0;
    // Annotations of a parameter, technique or pass.
    virtual D3DXHANDLE GetAnnotationByName(D3DXHANDLE object, const char* name) = 0;
    virtual D3DXHANDLE GetTechnique(UINT index) = 0;
    virtual D3DXHANDLE GetTechniqueByName(const char* name) = 0;
    virtual D3DXHANDLE GetPass(D3DXHANDLE technique, UINT index) = 0;

    // String annotations.
    virtual HRESULT GetString(D3DXHANDLE object, const char** string) = 0;

    virtual HRESULT SetBool(D3DXHANDLE parameter, BOOL value) = 0;
    virtual HRESULT SetInt(D3DXHANDLE parameter, INT value) = 0;
    virtual HRESULT SetFloat(D3DXHANDLE parameter, float value) = 0;
    virtual HRESULT GetFloat(D3DXHANDLE parameter, float* value) = 0;
    // Writes up to `count` floats from the parameter's first component; a shorter parameter
    // takes what fits.
    virtual HRESULT SetFloatArray(D3DXHANDLE parameter, const float* values, UINT count) = 0;
    virtual HRESULT GetFloatArray(D3DXHANDLE parameter, float* values, UINT count) = 0;
    virtual HRESULT SetVector(D3DXHANDLE parameter, const D3DXVECTOR4* vector) = 0;
    virtual HRESULT GetVector(D3DXHANDLE parameter, D3DXVECTOR4* vector) = 0;
    virtual HRESULT SetMatrix(D3DXHANDLE parameter, const D3DXMATRIX* matrix) = 0;
    virtual HRESULT GetMatrix(D3DXHANDLE parameter, D3DXMATRIX* matrix) = 0;
    virtual HRESULT SetMatrixArray(D3DXHANDLE parameter, const D3DXMATRIX* matrices,
                                   UINT count) = 0;
    // The effect keeps a reference to the texture while it is set.
    virtual HRESULT SetTexture(D3DXHANDLE parameter, IDirect3DBaseTexture9* texture) = 0;
    virtual HRESULT GetTexture(D3DXHANDLE parameter, IDirect3DBaseTexture9** texture) = 0;

    virtual HRESULT SetTechnique(D3DXHANDLE technique) = 0;
    virtual D3DXHANDLE GetCurrentTechnique() = 0;

    virtual HRESULT Begin(UINT* passes, DWORD flags) = 0;
    virtual HRESULT BeginPass(UINT pass) = 0;
    virtual HRESULT CommitChanges() = 0;
    virtual HRESULT EndPass() = 0;
    virtual HRESULT End() = 0;

    virtual HRESULT GetDevice(IDirect3DDevice9** device) = 0;
    virtual HRESULT GetPool(ID3DXEffectPool** pool) = 0;
};

// Compiles effect text (a "compiled" effect of the data file is the same text). On a fault the
// result is D3DXERR_INVALIDDATA (for an include that could not be opened, the include
// handler's failing result, E_FAIL from the framework's handler) and
// `compilationErrors`, when given, receives the compiler's text "file(line): error: text"; the
// file of the effect itself is named "effect". With a pool, the shared parameters are the pool's:
// one value per name while some effect of the pool declares it, the first declaration giving
// the initial value; a declaration of another type or size is a fault. The format has no
// preprocessor beyond #include, so `defines` must be null or empty (D3DERR_INVALIDCALL). Text
// stored with a terminating zero ends there.
HRESULT D3DXCreateEffect(IDirect3DDevice9* device, const void* data, UINT dataLength,
                         const D3DXMACRO* defines, ID3DXInclude* include, DWORD flags,
                         ID3DXEffectPool* pool, ID3DXEffect** effect,
                         ID3DXBuffer** compilationErrors);
