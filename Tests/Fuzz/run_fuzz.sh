#!/usr/bin/env bash
# Fuzzes the readers of hostile data with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer.
#
#   Tests/Fuzz/run_fuzz.sh [SECONDS] [TARGET]     (default 60 s, FileSysFuzz)
#
# Targets: FileSysFuzz (basefile.dat: its directory and every entry), TimelineFuzz (one entry
# read as an event list and as an animation curve) and RawMeshFuzz (a raw mesh's ".nfo" text and
# ".decl" bytes, and the buffer checks). Builds a clang configuration in build/fuzz,
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
