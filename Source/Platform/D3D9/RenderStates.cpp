#include "Platform/D3D9/RenderStates.h"

#include <epoxy/gl.h>

#include <bit>

namespace {

GLenum CompareFunction(DWORD compare) {
    switch (compare) {
    case D3DCMP_NEVER:
        return GL_NEVER;
    case D3DCMP_LESS:
        return GL_LESS;
    case D3DCMP_EQUAL:
        return GL_EQUAL;
    case D3DCMP_LESSEQUAL:
        return GL_LEQUAL;
    case D3DCMP_GREATER:
        return GL_GREATER;
    case D3DCMP_NOTEQUAL:
        return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL:
        return GL_GEQUAL;
    default:
        return GL_ALWAYS;
    }
}

GLenum BlendFactor(DWORD blend) {
    switch (blend) {
    case D3DBLEND_ZERO:
        return GL_ZERO;
    case D3DBLEND_SRCCOLOR:
        return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR:
        return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA:
        return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA:
        return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA:
        return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA:
        return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR:
        return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR:
        return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT:
        return GL_SRC_ALPHA_SATURATE;
    case D3DBLEND_BLENDFACTOR:
        return GL_CONSTANT_COLOR;
    case D3DBLEND_INVBLENDFACTOR:
        return GL_ONE_MINUS_CONSTANT_COLOR;
    default:
        return GL_ONE;
    }
}

GLenum BlendEquation(DWORD operation) {
    switch (operation) {
    case D3DBLENDOP_SUBTRACT:
        return GL_FUNC_SUBTRACT;
    case D3DBLENDOP_REVSUBTRACT:
        return GL_FUNC_REVERSE_SUBTRACT;
    case D3DBLENDOP_MIN:
        return GL_MIN;
    case D3DBLENDOP_MAX:
        return GL_MAX;
    default:
        return GL_FUNC_ADD;
    }
}

GLenum StencilOperation(DWORD operation) {
    switch (operation) {
    case D3DSTENCILOP_ZERO:
        return GL_ZERO;
    case D3DSTENCILOP_REPLACE:
        return GL_REPLACE;
    case D3DSTENCILOP_INCRSAT:
        return GL_INCR;
    case D3DSTENCILOP_DECRSAT:
        return GL_DECR;
    case D3DSTENCILOP_INVERT:
        return GL_INVERT;
    case D3DSTENCILOP_INCR:
        return GL_INCR_WRAP;
    case D3DSTENCILOP_DECR:
        return GL_DECR_WRAP;
    default:
        return GL_KEEP;
    }
}

void Enable(GLenum capability, bool on) {
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

float Float(DWORD bits) {
    return std::bit_cast<float>(bits);
}

void ColourMask(GLuint target, DWORD mask) {
    glColorMaski(target, (mask & D3DCOLORWRITEENABLE_RED) != 0,
                 (mask & D3DCOLORWRITEENABLE_GREEN) != 0, (mask & D3DCOLORWRITEENABLE_BLUE) != 0,
                 (mask & D3DCOLORWRITEENABLE_ALPHA) != 0);
}

struct Default {
    D3DRENDERSTATETYPE state;
    DWORD value;
};

constexpr Default kDefaults[] = {
    {D3DRS_ZENABLE, D3DZB_FALSE},
    {D3DRS_FILLMODE, D3DFILL_SOLID},
    {D3DRS_ZWRITEENABLE, TRUE},
    {D3DRS_ALPHATESTENABLE, FALSE},
    {D3DRS_SRCBLEND, D3DBLEND_ONE},
    {D3DRS_DESTBLEND, D3DBLEND_ZERO},
    {D3DRS_CULLMODE, D3DCULL_CCW},
    {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},
    {D3DRS_ALPHAREF, 0},
    {D3DRS_ALPHAFUNC, D3DCMP_ALWAYS},
    {D3DRS_ALPHABLENDENABLE, FALSE},
    {D3DRS_STENCILENABLE, FALSE},
    {D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILPASS, D3DSTENCILOP_KEEP},
    {D3DRS_STENCILFUNC, D3DCMP_ALWAYS},
    {D3DRS_STENCILREF, 0},
    {D3DRS_STENCILMASK, 0xFFFFFFFFu},
    {D3DRS_STENCILWRITEMASK, 0xFFFFFFFFu},
    {D3DRS_TEXTUREFACTOR, 0xFFFFFFFFu},
    {D3DRS_POINTSIZE, std::bit_cast<DWORD>(1.0f)},
    {D3DRS_COLORWRITEENABLE, 0xF},
    {D3DRS_BLENDOP, D3DBLENDOP_ADD},
    {D3DRS_SCISSORTESTENABLE, FALSE},
    {D3DRS_SLOPESCALEDEPTHBIAS, 0},
    {D3DRS_COLORWRITEENABLE1, 0xF},
    {D3DRS_COLORWRITEENABLE2, 0xF},
    {D3DRS_COLORWRITEENABLE3, 0xF},
    {D3DRS_BLENDFACTOR, 0xFFFFFFFFu},
    {D3DRS_DEPTHBIAS, 0},
    {D3DRS_SEPARATEALPHABLENDENABLE, FALSE},
    {D3DRS_SRCBLENDALPHA, D3DBLEND_ONE},
    {D3DRS_DESTBLENDALPHA, D3DBLEND_ZERO},
    {D3DRS_BLENDOPALPHA, D3DBLENDOP_ADD},
};

} // namespace

void RenderStates::Reset() {
    values.fill(0);
    for (const Default& entry : kDefaults)
        values[entry.state] = entry.value;
    // The front face is fixed; the cull mode picks which side goes.
    glFrontFace(GL_CCW);
    for (const Default& entry : kDefaults)
        Apply(entry.state);
}

HRESULT RenderStates::Set(D3DRENDERSTATETYPE state, DWORD value) {
    if (state >= kStateCount) return D3DERR_INVALIDCALL;
    values[state] = value;
    Apply(state);
    return D3D_OK;
}

HRESULT RenderStates::Get(D3DRENDERSTATETYPE state, DWORD* value) const {
    if (state >= kStateCount || value == nullptr) return D3DERR_INVALIDCALL;
    *value = values[state];
    return D3D_OK;
}

void RenderStates::Apply(D3DRENDERSTATETYPE state) {
    const DWORD value = values[state];
    switch (state) {
    case D3DRS_ZENABLE:
        Enable(GL_DEPTH_TEST, value != D3DZB_FALSE);
        break;
    case D3DRS_ZWRITEENABLE:
        glDepthMask(value ? GL_TRUE : GL_FALSE);
        break;
    case D3DRS_ZFUNC:
        glDepthFunc(CompareFunction(value));
        break;
    case D3DRS_FILLMODE:
        glPolygonMode(GL_FRONT_AND_BACK, value == D3DFILL_POINT       ? GL_POINT
                                         : value == D3DFILL_WIREFRAME ? GL_LINE
                                                                      : GL_FILL);
        break;
    case D3DRS_CULLMODE:
        // Every program flips y (row 0 of every target is the top), which turns Direct3D's
        // clockwise into OpenGL's counter-clockwise: with the front face CCW, D3DCULL_CCW (cull
        // what Direct3D sees counter-clockwise) culls GL's back faces.
        Enable(GL_CULL_FACE, value != D3DCULL_NONE);
        glCullFace(value == D3DCULL_CW ? GL_FRONT : GL_BACK);
        break;
    case D3DRS_ALPHABLENDENABLE:
        Enable(GL_BLEND, value != FALSE);
        break;
    case D3DRS_SRCBLEND:
    case D3DRS_DESTBLEND:
    case D3DRS_BLENDOP:
    case D3DRS_SEPARATEALPHABLENDENABLE:
    case D3DRS_SRCBLENDALPHA:
    case D3DRS_DESTBLENDALPHA:
    case D3DRS_BLENDOPALPHA:
        ApplyBlend();
        break;
    case D3DRS_BLENDFACTOR:
        glBlendColor(static_cast<float>((value >> 16) & 0xFF) / 255.0f,
                     static_cast<float>((value >> 8) & 0xFF) / 255.0f,
                     static_cast<float>(value & 0xFF) / 255.0f,
                     static_cast<float>(value >> 24) / 255.0f);
        break;
    case D3DRS_STENCILENABLE:
        Enable(GL_STENCIL_TEST, value != FALSE);
        break;
    case D3DRS_STENCILFAIL:
    case D3DRS_STENCILZFAIL:
    case D3DRS_STENCILPASS:
    case D3DRS_STENCILFUNC:
    case D3DRS_STENCILREF:
    case D3DRS_STENCILMASK:
    case D3DRS_STENCILWRITEMASK:
        ApplyStencil();
        break;
    case D3DRS_COLORWRITEENABLE:
        ColourMask(0, value);
        break;
    case D3DRS_COLORWRITEENABLE1:
        ColourMask(1, value);
        break;
    case D3DRS_COLORWRITEENABLE2:
        ColourMask(2, value);
        break;
    case D3DRS_COLORWRITEENABLE3:
        ColourMask(3, value);
        break;
    case D3DRS_SCISSORTESTENABLE:
        Enable(GL_SCISSOR_TEST, value != FALSE);
        break;
    case D3DRS_DEPTHBIAS:
    case D3DRS_SLOPESCALEDEPTHBIAS:
        ApplyDepthBias();
        break;
    case D3DRS_POINTSIZE:
        glPointSize(Float(value) > 0.0f ? Float(value) : 1.0f);
        break;
    default:
        break; // kept for Get; the alpha test is part of the programs
    }
}

void RenderStates::ApplyBlend() const {
    const bool separate = values[D3DRS_SEPARATEALPHABLENDENABLE] != FALSE;
    const DWORD colourSource = values[D3DRS_SRCBLEND];
    const DWORD colourDest = values[D3DRS_DESTBLEND];
    const DWORD colourOperation = values[D3DRS_BLENDOP];
    glBlendFuncSeparate(BlendFactor(colourSource), BlendFactor(colourDest),
                        BlendFactor(separate ? values[D3DRS_SRCBLENDALPHA] : colourSource),
                        BlendFactor(separate ? values[D3DRS_DESTBLENDALPHA] : colourDest));
    glBlendEquationSeparate(BlendEquation(colourOperation),
                            BlendEquation(separate ? values[D3DRS_BLENDOPALPHA] : colourOperation));
}

void RenderStates::ApplyStencil() const {
    glStencilFunc(CompareFunction(values[D3DRS_STENCILFUNC]),
                  static_cast<GLint>(values[D3DRS_STENCILREF]), values[D3DRS_STENCILMASK]);
    glStencilOp(StencilOperation(values[D3DRS_STENCILFAIL]),
                StencilOperation(values[D3DRS_STENCILZFAIL]),
                StencilOperation(values[D3DRS_STENCILPASS]));
    glStencilMask(values[D3DRS_STENCILWRITEMASK]);
}

void RenderStates::ApplyDepthBias() const {
    // Direct3D's bias is in depth units; GL's is in steps of the 16-bit depth buffer.
    const float bias = Float(values[D3DRS_DEPTHBIAS]);
    const float slope = Float(values[D3DRS_SLOPESCALEDEPTHBIAS]);
    Enable(GL_POLYGON_OFFSET_FILL, bias != 0.0f || slope != 0.0f);
    glPolygonOffset(slope, bias * 65535.0f);
}
