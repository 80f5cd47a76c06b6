#!/usr/bin/env bash
# Fuzzes FileSys's reading of basefile.dat with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer.
#
#   Tests/Fuzz/run_fuzz.sh [SECONDS]     (default 60)
#
# Builds a clang configuration in build/fuzz, packs seed data files with datapacker, and runs
# FileSysFuzz on the corpus in build/fuzz/FileSysFuzz-corpus, which grows from run to run.
# A crashing input is written to build/fuzz/crash-* and makes the script fail.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/fuzz

# The fuzz targets are declared with the tests, so LUMENVALE_TESTS stays on; only the fuzz
# target and the packer are built.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLUMENVALE_FUZZ=ON -DLUMENVALE_TESTS=ON -DLUMENVALE_BENCHMARKS=OFF \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build "$build" --target FileSysFuzz datapacker -j "$(nproc)"

# Seeds: data files as the build writes them, from a few small asset trees.
seeds=$build/FileSysFuzz-seeds
trees=$build/FileSysFuzz-trees
rm -rf "$seeds" "$trees"
mkdir -p "$seeds" "$trees/one/Data" "$trees/several/Data/event" "$trees/several/Shaders" \
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
