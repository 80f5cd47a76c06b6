#!/usr/bin/env bash
# Fuzzes the readers of hostile data with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer.
#
#   Tests/Fuzz/run_fuzz.sh [SECONDS] [TARGET]     (default 60 s, FileSysFuzz)
#
# Targets: FileSysFuzz (basefile.dat: its directory and every entry), TimelineFuzz (one entry
# read as an event list and as an animation curve), TextureLoaderFuzz (an image file decoded,
# scaled and mip-mapped as the texture loaders do), XMeshFuzz (an X file, text or binary) and
# RawMeshFuzz (a raw mesh's ".nfo" text and ".decl" bytes, and the buffer checks). Builds a
# clang configuration in build/fuzz,
# makes seeds, and runs the target on the corpus build/fuzz/TARGET-corpus, which grows from run
# to run. A crashing input is written to build/fuzz/crash-* and makes the script fail.
set -euo pipefail

seconds=${1:-60}
target=${2:-FileSysFuzz}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/fuzz

# The fuzz targets are declared with the tests, so LUMENVALE_TESTS stays on; only the fuzz
# target and the packer are built.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLUMENVALE_FUZZ=ON -DLUMENVALE_TESTS=ON -DLUMENVALE_BENCHMARKS=OFF \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build "$build" --target "$target" datapacker -j "$(nproc)"

seeds=$build/$target-seeds
rm -rf "$seeds"
mkdir -p "$seeds"
if [ "$target" = XMeshFuzz ]; then
    # Seeds: the generated meshes, a small text mesh with every list, and a binary one.
    cmake --build "$build" --target meshgenerator -j "$(nproc)"
    "$build/Tools/MeshGenerator/meshgenerator" "$seeds"
    printf 'xof 0303txt 0032\nFrame F { Mesh M { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 2; 4;0,1,2,3;, 3;0,2,1;;\n MeshNormals { 1; 0;0;-1;; 2; 4;0,0,0,0;, 3;0,0,0;; }\n MeshTextureCoords { 4; 0;0;, 1;0;, 1;1;, 0;1;; }\n MeshMaterialList { 2; 2; 0,1;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { "a.png"; } } Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; } } } }\n' \
        >"$seeds/quad.x"
    python3 -c '
import struct, sys
w = lambda t: struct.pack("<H", t)
name = lambda s: w(1) + struct.pack("<I", len(s)) + s
ints = lambda *v: w(6) + struct.pack("<I", len(v)) + struct.pack("<%dI" % len(v), *v)
floats = lambda *v: w(7) + struct.pack("<I", len(v)) + struct.pack("<%df" % len(v), *v)
body = name(b"Mesh") + w(10) + ints(3) + floats(0,0,0, 1,0,0, 0,1,0) + ints(1, 3, 0, 1, 2) + w(11)
sys.stdout.buffer.write(b"xof 0303bin 0032" + body)' >"$seeds/triangle.x"
    corpus=$build/$target-corpus
    mkdir -p "$corpus"
    "$build/Tests/$target" -max_total_time="$seconds" -max_len=8192 \
        -artifact_prefix="$build/" -print_final_stats=1 "$corpus" "$seeds"
    exit 0
fi
if [ "$target" = TimelineFuzz ]; then
    # Seeds: the show's event lists, and a curve of three keys (time, value, tangents).
    cp "$root"/Assets/Data/event/* "$seeds/"
    printf '0.0 IntroScene\r\n\n# comment\n12.5\nWaterScene\n' >"$seeds/tricky"
    python3 -c 'import struct,sys; sys.stdout.buffer.write(struct.pack("<12f", 0,0,0,1, 1,1,1,1, 2,0,-1,0))' \
        >"$seeds/curve"
    corpus=$build/$target-corpus
    mkdir -p "$corpus"
    "$build/Tests/$target" -max_total_time="$seconds" -max_len=4096 -close_fd_mask=3 \
        -artifact_prefix="$build/" -print_final_stats=1 "$corpus" "$seeds"
    exit 0
fi

if [ "$target" = RawMeshFuzz ]; then
    # Seeds: counts, a zero byte, then a declaration of position, normal and texture coordinates
    # (which also serves as vertex and index bytes).
    python3 -c 'import struct,sys; sys.stdout.buffer.write(b"Verts:1a\nBytesPrVert:20\nFaces:c\n\0" + struct.pack("<HHBBBB", 0,0,2,0,0,0) + struct.pack("<HHBBBB", 0,12,2,0,3,0) + struct.pack("<HHBBBB", 0,24,1,0,5,0))' \
        >"$seeds/mesh"
    python3 -c 'import struct,sys; sys.stdout.buffer.write(b"Verts:3\r\nBytesPrVert:0xc\r\nFaces:1\0" + struct.pack("<HHBBBB", 0,0,2,0,0,0) + b"\0\0\0\0")' \
        >"$seeds/triangle"
    corpus=$build/$target-corpus
    mkdir -p "$corpus"
    "$build/Tests/$target" -max_total_time="$seconds" -max_len=4096 -close_fd_mask=3 \
        -artifact_prefix="$build/" -print_final_stats=1 "$corpus" "$seeds"
    exit 0
fi

if [ "$target" = TextureLoaderFuzz ]; then
    # Seeds: small PNG, BMP, TGA and JPEG files of each channel count, written by stb_image_write,
    # and uncompressed DDS files: 2D with mips, a cube map, luminance, and floats.
    cat >"$build/seedwriter.c" <<'SEEDWRITER'
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
#include <stdio.h>
int main(int argc, char** argv) {
    unsigned char pixels[5 * 3 * 4];
    for (int i = 0; i < (int)sizeof pixels; ++i) pixels[i] = (unsigned char)(i * 37 + 11);
    char name[4096];
    for (int comp = 1; comp <= 4; ++comp) {
        snprintf(name, sizeof name, "%s/c%d.png", argv[1], comp);
        stbi_write_png(name, 5, 3, comp, pixels, 5 * comp);
        snprintf(name, sizeof name, "%s/c%d.bmp", argv[1], comp);
        stbi_write_bmp(name, 5, 3, comp, pixels);
        snprintf(name, sizeof name, "%s/c%d.tga", argv[1], comp);
        stbi_write_tga(name, 5, 3, comp, pixels);
        snprintf(name, sizeof name, "%s/c%d.jpg", argv[1], comp);
        stbi_write_jpg(name, 5, 3, comp, pixels, 90);
    }
    return argc < 2;
}
SEEDWRITER
    clang -I/usr/include/stb -o "$build/seedwriter" "$build/seedwriter.c" -lm
    "$build/seedwriter" "$seeds"
    python3 - "$seeds" <<'DDS'
import struct, sys
def dds(name, width, height, levels, caps2, pixel_format, data):
    flags = 0x1007 | (0x20000 if levels > 1 else 0)
    header = struct.pack("<4s7I44x", b"DDS ", 124, flags, height, width, 0, 0, levels)
    header += struct.pack("<8I", 32, *pixel_format) + struct.pack("<5I", 0x1000, caps2, 0, 0, 0)
    open(f"{sys.argv[1]}/{name}.dds", "wb").write(header + data)
argb = (0x41, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000)
dds("argb_mips", 4, 2, 3, 0, argb, bytes(range(4 * 8 + 4 * 2 + 4)))
dds("cube", 2, 2, 1, 0xFE00, argb, bytes(range(6 * 16)))
dds("luminance", 3, 3, 1, 0, (0x20000, 0, 8, 0xFF, 0, 0, 0), bytes(range(9)))
dds("rgb24", 2, 1, 1, 0, (0x40, 0, 24, 0xFF0000, 0xFF00, 0xFF, 0), bytes(range(6)))
dds("float4", 1, 1, 1, 0, (0x4, 116, 0, 0, 0, 0, 0), struct.pack("<4f", 1, 0.5, -2, 8))
dds("half4", 2, 1, 1, 0, (0x4, 113, 0, 0, 0, 0, 0), bytes([0, 0x3C] * 8))
DDS
    corpus=$build/$target-corpus
    mkdir -p "$corpus"
    "$build/Tests/$target" -max_total_time="$seconds" -max_len=4096 \
        -artifact_prefix="$build/" -print_final_stats=1 "$corpus" "$seeds"
    exit 0
fi

# Seeds: data files as the build writes them, from a few small asset trees.
trees=$build/FileSysFuzz-trees
rm -rf "$trees"
mkdir -p "$trees/one/Data" "$trees/several/Data/event" "$trees/several/Shaders" \
    "$trees/empty"
printf '0.0 IntroScene\n' >"$trees/one/Data/tetris.txt"
printf '0.0 IntroScene\n12.5 WaterScene\n287.0 LogosScene\n' >"$trees/several/Data/event/Scenes"
printf 'float4 Colour : COLOUR;\n' >"$trees/several/Shaders/common.fxh"
head -c 300 /dev/urandom >"$trees/several/Data/noise.bin"
: >"$trees/several/Data/empty.txt"
for tree in one several empty; do
    "$build/Tools/DataPacker/datapacker" --output "$seeds/$tree.dat" --root "$trees/$tree"
done

corpus=$build/FileSysFuzz-corpus
mkdir -p "$corpus"
# -close_fd_mask=1 silences the messages FileSys prints for every damaged input.
"$build/Tests/FileSysFuzz" -max_total_time="$seconds" -max_len=4096 -close_fd_mask=1 \
    -artifact_prefix="$build/" -print_final_stats=1 "$corpus" "$seeds"
