#include "Platform/D3DX9/FontFace.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

struct FontFace::Library {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Library() {
        if (face != nullptr) FT_Done_Face(face);
        if (library != nullptr) FT_Done_FreeType(library);
    }
};

namespace {

constexpr int kDefaultHeight = 16;
constexpr double kFixedOne = 64.0; // 26.6 fixed point

struct FontMatch {
    std::string file;
    std::string family;
    int index = 0;
};

bool MatchFont(const D3DXFONT_DESCA& desc, FontMatch* match) {
    if (FcInit() == FcFalse) return false;
    char name[LF_FACESIZE + 1] = {};
    std::memcpy(name, desc.FaceName, LF_FACESIZE); // the description need not end in a zero
    FcPattern* pattern = FcPatternCreate();
    if (name[0] != '\0')
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name));
    const UINT weight = desc.Weight == FW_DONTCARE ? FW_NORMAL : std::min<UINT>(desc.Weight, 1000);
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(static_cast<int>(weight)));
    FcPatternAddInteger(pattern, FC_SLANT, desc.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (found == nullptr) return false;
    FcChar8* file = nullptr;
    FcChar8* family = nullptr;
    const bool ok = FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch;
    if (ok) {
        match->file = reinterpret_cast<const char*>(file);
        if (FcPatternGetString(found, FC_FAMILY, 0, &family) == FcResultMatch)
            match->family = reinterpret_cast<const char*>(family);
        FcPatternGetInteger(found, FC_INDEX, 0, &match->index);
    }
    FcPatternDestroy(found);
    return ok;
}

int Round26Dot6(FT_Pos value) {
    return static_cast<int>(std::lround(static_cast<double>(value) / kFixedOne));
}

} // namespace

std::unique_ptr<FontFace> FontFace::Open(const D3DXFONT_DESCA& desc) {
    std::unique_ptr<FontFace> face(new FontFace);
    if (!face->Load(desc)) return nullptr;
    return face;
}

FontFace::~FontFace() = default;

bool FontFace::Load(const D3DXFONT_DESCA& desc) {
    FontMatch match;
    if (!MatchFont(desc, &match)) return false;
    file = match.file;
    family = match.family;
    library = std::make_unique<Library>();
    if (FT_Init_FreeType(&library->library) != 0 ||
        FT_New_Face(library->library, file.c_str(), match.index, &library->face) != 0)
        return false;
    FT_Face face = library->face;

    // A positive height is the whole character cell, as Windows measures it; a negative one the
    // em height.
    const int height = desc.Height == 0 ? kDefaultHeight : std::abs(desc.Height);
    FT_Size_RequestRec request{};
    request.type = desc.Height > 0 ? FT_SIZE_REQUEST_TYPE_REAL_DIM : FT_SIZE_REQUEST_TYPE_NOMINAL;
    request.height = static_cast<FT_Long>(height) * 64;
    if (FT_Request_Size(face, &request) != 0) return false;
    const FT_Size_Metrics& metrics = face->size->metrics;
    ascent = Round26Dot6(metrics.ascender);
    lineHeight = desc.Height > 0 ? height : Round26Dot6(metrics.ascender - metrics.descender);

    // A width asks for that average character width: the face is stretched horizontally.
    if (desc.Width > 0) {
        double average = 0.0;
        if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
            os2 != nullptr && os2->xAvgCharWidth > 0)
            average =
                static_cast<double>(FT_MulFix(os2->xAvgCharWidth, metrics.x_scale)) / kFixedOne;
        else if (FT_Load_Char(face, 'x', FT_LOAD_DEFAULT) == 0)
            average = static_cast<double>(face->glyph->advance.x) / kFixedOne;
        if (average > 0.0) {
            FT_Matrix stretch{static_cast<FT_Fixed>(desc.Width / average * 65536.0), 0, 0, 0x10000};
            FT_Set_Transform(face, &stretch, nullptr);
        }
    }
    return true;
}

GlyphImage FontFace::Render(std::uint32_t codePoint) const {
    GlyphImage image;
    FT_Face face = library->face;
    if (FT_Load_Char(face, codePoint, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) return image;
    const FT_GlyphSlot slot = face->glyph;
    image.advance = Round26Dot6(slot->advance.x);
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.width == 0 || bitmap.rows == 0 ||
        bitmap.pitch < static_cast<int>(bitmap.width))
        return image;
    image.width = static_cast<int>(bitmap.width);
    image.height = static_cast<int>(bitmap.rows);
    image.left = slot->bitmap_left;
    image.top = slot->bitmap_top;
    image.coverage.resize(static_cast<std::size_t>(image.width) * image.height);
    for (int row = 0; row < image.height; ++row)
        std::memcpy(image.coverage.data() + static_cast<std::size_t>(row) * image.width,
                    bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch,
                    static_cast<std::size_t>(image.width));
    return image;
}
