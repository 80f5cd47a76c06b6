// An occlusion query: the number of samples that passed the depth test between its begin and
// end, over GL_SAMPLES_PASSED.
#pragma once

#include "Platform/D3D9/D3D9.h"

#include <epoxy/gl.h>

class Query final : public IDirect3DQuery9 {
public:
    explicit Query(IDirect3DDevice9* device);
    ~Query() override;

    D3DQUERYTYPE GetType() override { return D3DQUERYTYPE_OCCLUSION; }
    DWORD GetDataSize() override { return sizeof(DWORD); }
    HRESULT Issue(DWORD issueFlags) override;
    HRESULT GetData(void* data, DWORD size, DWORD getDataFlags) override;

private:
    enum class State { Fresh, Building, Issued };

    IDirect3DDevice9* device; // not counted
    GLuint query = 0;
    State state = State::Fresh;
};
