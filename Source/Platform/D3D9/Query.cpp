#include "Platform/D3D9/Query.h"

#include "Platform/D3D9/Device.h"

Query::Query(IDirect3DDevice9* owner) : device(owner) {
    glGenQueries(1, &query);
}

Query::~Query() {
    static_cast<Device*>(device)->MakeContextCurrent();
    if (state == State::Building) glEndQuery(GL_SAMPLES_PASSED);
    glDeleteQueries(1, &query);
}

HRESULT Query::Issue(DWORD issueFlags) {
    if (issueFlags == D3DISSUE_BEGIN) {
        // Direct3D restarts a query that is begun again.
        if (state == State::Building) glEndQuery(GL_SAMPLES_PASSED);
        glBeginQuery(GL_SAMPLES_PASSED, query);
        state = State::Building;
        return D3D_OK;
    }
    if (issueFlags == D3DISSUE_END) {
        if (state != State::Building) return D3DERR_INVALIDCALL;
        glEndQuery(GL_SAMPLES_PASSED);
        state = State::Issued;
        return D3D_OK;
    }
    return D3DERR_INVALIDCALL;
}

HRESULT Query::GetData(void* data, DWORD size, DWORD getDataFlags) {
    if (state != State::Issued || (data != nullptr && size < sizeof(DWORD)))
        return D3DERR_INVALIDCALL;
    if (getDataFlags & D3DGETDATA_FLUSH) glFlush();
    GLuint available = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT_AVAILABLE, &available);
    if (!available) return S_FALSE;
    GLuint samples = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &samples);
    if (data != nullptr) *static_cast<DWORD*>(data) = samples;
    return S_OK;
}
