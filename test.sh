#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer, and
# runs every test headless through CTest.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/Scripts/install-packages.sh"
build="$root/build/sanitize"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DLUMENVALE_SANITIZE=ON \
    -DLUMENVALE_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" >"$build/build.log" 2>&1 ||
    { cat "$build/build.log"; exit 1; }
cd "$build"
ctest --output-on-failure -j "$(nproc)"
