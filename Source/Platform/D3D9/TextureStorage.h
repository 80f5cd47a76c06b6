// The GL side of a 2D or cube texture: the texture object with its levels (and six faces for a
// cube), and for lockable textures a CPU copy of every face and level that a lock hands out and
// an unlock uploads.
#pragma once

#include "Platform/D3D9/D3D9.h"
#include "Platform/D3D9/TextureFormats.h"

#include <vector>

class TextureStorage {
public:
    // `faces` is 1 (GL_TEXTURE_2D) or 6 (GL_TEXTURE_CUBE_MAP). The texture name is 0 when GL
    // refused it.
    TextureStorage(const TextureFormat& format, UINT width, UINT height, UINT levels, int faces,
                   bool lockable);
    ~TextureStorage();
    TextureStorage(const TextureStorage&) = delete;
    TextureStorage& operator=(const TextureStorage&) = delete;

    // Direct3D locks textures of the managed and system-memory pools, and dynamic ones.
    static bool Lockable(DWORD usage, D3DPOOL pool) {
        return pool != D3DPOOL_DEFAULT || (usage & D3DUSAGE_DYNAMIC) != 0;
    }

    GLuint Name() const { return texture; }
    GLenum Target() const { return target; }
    // The GL image target of a face: GL_TEXTURE_2D, or the cube face in Direct3D's face order,
    // which is GL's.
    GLenum ImageTarget(int face) const;
    UINT LevelCount() const { return levelCount; }
    UINT Width(UINT level) const;
    UINT Height(UINT level) const;
    const TextureFormat& Format() const { return format; }

    HRESULT Lock(int face, UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags);
    HRESULT Unlock(int face, UINT level);
    // Refills the levels below 0 from level 0 (automatic mipmap generation).
    void GenerateMipmaps() const;

private:
    struct Image {
        std::vector<unsigned char> texels;
        bool locked = false;
        bool readOnly = false;
    };

    Image* Find(int face, UINT level);
    int Pitch(UINT level) const;

    const TextureFormat& format;
    GLenum target;
    UINT width;
    UINT height;
    UINT levelCount;
    int faceCount;
    bool lockable;
    std::vector<Image> images; // face-major: face * levelCount + level
    GLuint texture = 0;
};
