// The entries of a raw mesh, checked before any of them reaches the device: the ".nfo" text with
// the vertex count, bytes per vertex and triangle count in hexadecimal, the ".decl" array of
// 8-byte vertex elements without an end marker, and the ".vb" and ".ib" bytes, whose sizes and
// indices must agree with the counts. Every fault throws FrameworkEx naming the entry.
#pragma once

#include "Platform/D3D9/D3D9Types.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct RawMeshInfo {
    std::uint32_t vertexCount = 0;
    std::uint32_t vertexStride = 0;
    std::uint32_t triangleCount = 0;
};

namespace RawMeshFormat {

// "Verts:%x\nBytesPrVert:%x\nFaces:%x\n" as the C runtime's formatted scan reads it (a line
// break matches any run of white space, a number may follow white space and "0x"), but within
// the entry's bytes, without signs, and with numbers that fit 32 bits.
RawMeshInfo ParseInfo(std::span<const std::uint8_t> text, const std::string& entry);

// The elements of the entry followed by the end marker, which takes the place of the element
// at the entry's size rounded down to 8 bytes (a stray tail is ignored). Each element must be in
// stream 0, use the default method, have a known type and lie inside a vertex of `vertexStride`
// bytes; there are 1 to MAXD3DDECLLENGTH - 1 of them.
std::vector<D3DVERTEXELEMENT9> ParseDeclaration(std::span<const std::uint8_t> bytes,
                                                std::uint32_t vertexStride,
                                                const std::string& entry);

// The vertex bytes must be vertexCount x vertexStride long.
void CheckVertices(const RawMeshInfo& info, std::size_t vertexBytes, const std::string& entry);
// The index bytes must hold three 32-bit indices per triangle, each below the vertex count.
void CheckIndices(const RawMeshInfo& info, std::span<const std::uint8_t> indexBytes,
                  const std::string& entry);

// The bytes an element of a Direct3D declaration type takes; 0 for an unknown type.
std::uint32_t TypeSize(BYTE type);

} // namespace RawMeshFormat
