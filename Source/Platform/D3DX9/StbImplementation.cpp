// The implementations of the stb headers the engine uses, compiled here with our compiler and
// sanitizer flags rather than taken from a prebuilt library. Only the file formats Direct3D's
// loaders know are decoded.
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_TGA
#define STBI_ONLY_BMP
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
