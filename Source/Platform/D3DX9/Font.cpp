#include "Platform/D3DX9/Font.h"

#include "Platform/D3D9/D3D9TestSeam.h"
#include "Platform/D3D9/Device.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string_view>

namespace {

constexpr UINT kVerticesPerGlyph = 6;

constexpr D3DVERTEXELEMENT9 kLayout[] = {
    {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {0, 12, D3DDECLTYPE_D3DCOLOR, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
    {0, 16, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
    D3DDECL_END(),
};

// The states a text draw sets, with the values it sets; the previous ones are put back after.
struct StateValue {
    D3DRENDERSTATETYPE state;
    DWORD value;
};
constexpr StateValue kTextStates[] = {
    {D3DRS_ALPHABLENDENABLE, TRUE},
    {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
    {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA},
    {D3DRS_BLENDOP, D3DBLENDOP_ADD},
    {D3DRS_SEPARATEALPHABLENDENABLE, FALSE},
    {D3DRS_ALPHATESTENABLE, FALSE},
    {D3DRS_ZENABLE, D3DZB_FALSE},
    {D3DRS_ZWRITEENABLE, FALSE},
    {D3DRS_STENCILENABLE, FALSE},
    {D3DRS_CULLMODE, D3DCULL_NONE},
    {D3DRS_FILLMODE, D3DFILL_SOLID},
    {D3DRS_SCISSORTESTENABLE, FALSE},
    {D3DRS_COLORWRITEENABLE, D3DCOLORWRITEENABLE_RED | D3DCOLORWRITEENABLE_GREEN |
                                 D3DCOLORWRITEENABLE_BLUE | D3DCOLORWRITEENABLE_ALPHA},
};
struct SamplerValue {
    D3DSAMPLERSTATETYPE state;
    DWORD value;
};
// Glyphs are drawn texel for pixel.
constexpr SamplerValue kTextSamplerStates[] = {
    {D3DSAMP_MINFILTER, D3DTEXF_POINT},    {D3DSAMP_MAGFILTER, D3DTEXF_POINT},
    {D3DSAMP_MIPFILTER, D3DTEXF_NONE},     {D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP},
    {D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP},
};

// Sets the text states on construction and puts back what was there on destruction: render
// and sampler states, texture stage 0 and the program.
class TextStates {
public:
    TextStates(IDirect3DDevice9* target, IDirect3DBaseTexture9* atlas)
        : device(target), program(static_cast<Device*>(device)->CurrentProgram()) {
        for (std::size_t i = 0; i < std::size(kTextStates); ++i) {
            device->GetRenderState(kTextStates[i].state, &renderStates[i]);
            device->SetRenderState(kTextStates[i].state, kTextStates[i].value);
        }
        for (std::size_t i = 0; i < std::size(kTextSamplerStates); ++i) {
            device->GetSamplerState(0, kTextSamplerStates[i].state, &samplerStates[i]);
            device->SetSamplerState(0, kTextSamplerStates[i].state, kTextSamplerStates[i].value);
        }
        device->GetTexture(0, &texture);
        device->SetTexture(0, atlas);
        static_cast<Device*>(device)->UseProgram(0);
    }
    ~TextStates() {
        static_cast<Device*>(device)->UseProgram(program);
        device->SetTexture(0, texture);
        if (texture != nullptr) texture->Release();
        for (std::size_t i = 0; i < std::size(kTextSamplerStates); ++i)
            device->SetSamplerState(0, kTextSamplerStates[i].state, samplerStates[i]);
        for (std::size_t i = 0; i < std::size(kTextStates); ++i)
            device->SetRenderState(kTextStates[i].state, renderStates[i]);
    }
    TextStates(const TextStates&) = delete;
    TextStates& operator=(const TextStates&) = delete;

private:
    IDirect3DDevice9* device;
    GLuint program;
    IDirect3DBaseTexture9* texture = nullptr;
    DWORD renderStates[std::size(kTextStates)] = {};
    DWORD samplerStates[std::size(kTextSamplerStates)] = {};
};

} // namespace

Font* Font::Create(IDirect3DDevice9* device, const D3DXFONT_DESCA& desc) {
    std::unique_ptr<FontFace> face = FontFace::Open(desc);
    if (!face) return nullptr;
    auto* font = new Font(device, desc, std::move(face));
    if (FAILED(device->CreateVertexDeclaration(kLayout, &font->declaration))) {
        font->Release();
        return nullptr;
    }
    return font;
}

Font::Font(IDirect3DDevice9* target, const D3DXFONT_DESCA& description,
           std::unique_ptr<FontFace> fontFace)
    : device(target), desc(description), face(std::move(fontFace)), atlas(*face),
      layout([this](std::uint32_t codePoint) { return atlas.Find(codePoint).advance; },
             face->LineHeight()) {}

Font::~Font() {
    if (vertices != nullptr) vertices->Release();
    if (declaration != nullptr) declaration->Release();
}

HRESULT Font::GetDevice(IDirect3DDevice9** out) {
    if (out == nullptr) return D3DERR_INVALIDCALL;
    device->AddRef();
    *out = device;
    return D3D_OK;
}

HRESULT Font::GetDescA(D3DXFONT_DESCA* out) {
    if (out == nullptr) return D3DERR_INVALIDCALL;
    *out = desc;
    return D3D_OK;
}

std::vector<Font::GlyphQuad> Font::PlaceGlyphs(const TextBlock& block, const RECT& box,
                                               DWORD format) {
    std::vector<GlyphQuad> quads;
    quads.reserve(block.characters.size());
    for (const PlacedCharacter& character : block.characters) {
        const AtlasGlyph& glyph = atlas.Find(character.codePoint);
        if (glyph.width == 0) continue;
        GlyphQuad quad{character.x + glyph.left,
                       character.lineTop + face->Ascent() - glyph.top,
                       0,
                       0,
                       glyph.x,
                       glyph.y};
        quad.right = quad.left + glyph.width;
        quad.bottom = quad.top + glyph.height;
        if (!(format & DT_NOCLIP)) {
            const int cutLeft = std::max(0, static_cast<int>(box.left) - quad.left);
            const int cutTop = std::max(0, static_cast<int>(box.top) - quad.top);
            quad.left += cutLeft;
            quad.texelLeft += cutLeft;
            quad.top += cutTop;
            quad.texelTop += cutTop;
            quad.right = std::min(quad.right, static_cast<int>(box.right));
            quad.bottom = std::min(quad.bottom, static_cast<int>(box.bottom));
            if (quad.left >= quad.right || quad.top >= quad.bottom) continue;
        }
        quads.push_back(quad);
    }
    return quads;
}

bool Font::Upload(const std::vector<GlyphQuad>& quads, D3DCOLOR colour) {
    const auto count = static_cast<UINT>(quads.size());
    if (count > vertexCapacity) {
        if (vertices != nullptr) vertices->Release();
        vertices = nullptr;
        vertexCapacity = std::max<UINT>(64, std::bit_ceil(count));
        if (FAILED(device->CreateVertexBuffer(vertexCapacity * kVerticesPerGlyph * sizeof(Vertex),
                                              D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, 0,
                                              D3DPOOL_DEFAULT, &vertices, nullptr))) {
            vertexCapacity = 0;
            return false;
        }
    }
    D3DVIEWPORT9 viewport{};
    device->GetViewport(&viewport);
    // Render-target pixels to clip coordinates of the viewport (y up), and texels to the atlas.
    const float sx = 2.0f / static_cast<float>(viewport.Width);
    const float sy = 2.0f / static_cast<float>(viewport.Height);
    const float su = 1.0f / static_cast<float>(atlas.Width());
    const float sv = 1.0f / static_cast<float>(atlas.Height());
    auto corner = [&](int x, int y, int u, int v) {
        return Vertex{static_cast<float>(x - static_cast<int>(viewport.X)) * sx - 1.0f,
                      1.0f - static_cast<float>(y - static_cast<int>(viewport.Y)) * sy,
                      0.0f,
                      colour,
                      static_cast<float>(u) * su,
                      static_cast<float>(v) * sv};
    };
    void* data = nullptr;
    if (FAILED(
            vertices->Lock(0, count * kVerticesPerGlyph * sizeof(Vertex), &data, D3DLOCK_DISCARD)))
        return false;
    auto* out = static_cast<Vertex*>(data);
    for (const GlyphQuad& quad : quads) {
        const int texelRight = quad.texelLeft + quad.right - quad.left;
        const int texelBottom = quad.texelTop + quad.bottom - quad.top;
        const Vertex topLeft = corner(quad.left, quad.top, quad.texelLeft, quad.texelTop);
        const Vertex topRight = corner(quad.right, quad.top, texelRight, quad.texelTop);
        const Vertex bottomRight = corner(quad.right, quad.bottom, texelRight, texelBottom);
        const Vertex bottomLeft = corner(quad.left, quad.bottom, quad.texelLeft, texelBottom);
        for (const Vertex& vertex :
             {topLeft, topRight, bottomRight, topLeft, bottomRight, bottomLeft})
            *out++ = vertex;
    }
    vertices->Unlock();
    return true;
}

void Font::DrawQuads(UINT count, IDirect3DTexture9* atlasTexture) {
    const TextStates states(device, atlasTexture);
    device->SetVertexDeclaration(declaration);
    device->SetStreamSource(0, vertices, 0, sizeof(Vertex));
    device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2 * count);
}

INT Font::DrawText(ID3DXSprite* sprite, const char* text, INT count, RECT* rect, DWORD format,
                   D3DCOLOR color) {
    if (sprite != nullptr || text == nullptr || rect == nullptr) return 0;
    const std::string_view characters(text, count < 0 ? std::strlen(text)
                                                      : static_cast<std::size_t>(count));
    const TextBlock block = layout.Lay(characters, *rect, format);
    const std::vector<GlyphQuad> quads = PlaceGlyphs(block, *rect, format);
    if (quads.empty()) return block.height;
    IDirect3DTexture9* atlasTexture = atlas.Texture(device);
    if (atlasTexture == nullptr || !Upload(quads, color)) return 0;
    DrawQuads(static_cast<UINT>(quads.size()), atlasTexture);
    return block.height;
}

HRESULT D3DXCreateFontIndirectA(IDirect3DDevice9* device, const D3DXFONT_DESCA* desc,
                                ID3DXFont** font) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("D3DXCreateFontIndirectA"))
        return injected;
    if (device == nullptr || desc == nullptr || font == nullptr) return D3DERR_INVALIDCALL;
    Font* created = Font::Create(device, *desc);
    if (created == nullptr) return E_FAIL;
    *font = created;
    return D3D_OK;
}

HRESULT D3DXCreateFont(IDirect3DDevice9* device, INT height, UINT width, UINT weight,
                       UINT mipLevels, BOOL italic, DWORD charSet, DWORD outputPrecision,
                       DWORD quality, DWORD pitchAndFamily, const char* faceName,
                       ID3DXFont** font) {
    D3DXFONT_DESCA desc{height,
                        width,
                        weight,
                        mipLevels,
                        italic,
                        static_cast<BYTE>(charSet),
                        static_cast<BYTE>(outputPrecision),
                        static_cast<BYTE>(quality),
                        static_cast<BYTE>(pitchAndFamily),
                        {}};
    if (faceName != nullptr) std::strncpy(desc.FaceName, faceName, LF_FACESIZE - 1);
    return D3DXCreateFontIndirectA(device, &desc, font);
}
