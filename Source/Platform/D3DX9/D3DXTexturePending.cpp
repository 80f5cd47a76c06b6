// Texture loading not written yet: each answers E_NOTIMPL until its implementation lands.
#include "Platform/D3DX9/D3DXTexture.h"

HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice9*, const void*, UINT, UINT, UINT, UINT,
                                            DWORD, D3DFORMAT, D3DPOOL, DWORD, DWORD, D3DCOLOR,
                                            D3DXIMAGE_INFO*, PALETTEENTRY*, IDirect3DTexture9**) {
    return E_NOTIMPL;
}
HRESULT D3DXCreateTextureFromFileInMemory(IDirect3DDevice9*, const void*, UINT,
                                          IDirect3DTexture9**) {
    return E_NOTIMPL;
}
HRESULT D3DXCreateCubeTextureFromFileInMemory(IDirect3DDevice9*, const void*, UINT,
                                              IDirect3DCubeTexture9**) {
    return E_NOTIMPL;
}
