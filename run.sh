#!/usr/bin/env bash
# Installs what is missing, builds, and plays the show. Arguments go to the program
# (for example ./run.sh --nosetup).
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/Scripts/install-packages.sh"
build="$root/build/release"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DLUMENVALE_TESTS=OFF \
    -DLUMENVALE_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target lumenvale -j "$(nproc)" >"$build/build.log" 2>&1 ||
    { cat "$build/build.log"; exit 1; }
cd "$build"
exec ./lumenvale "$@"
