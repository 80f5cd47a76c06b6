#!/usr/bin/env bash
# Installs what is missing, builds, and plays the show. Arguments go to the program (for example
# ./run.sh --nosetup). Without a display the show is rendered offscreen to lumenvale.mp4
# (640x360 at 30 frames a second, with the soundtrack); arguments override those settings, for
# example ./run.sh --size 1280x720 --fps 60 --from 82 --to 114.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/Scripts/install-packages.sh"
build="$root/build/release"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DLUMENVALE_TESTS=OFF \
    -DLUMENVALE_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target lumenvale -j "$(nproc)" >"$build/build.log" 2>&1 ||
    { cat "$build/build.log"; exit 1; }
cd "$build"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    "$root/Scripts/install-packages.sh" "$root/Scripts/video-packages.txt"
    echo "No display: rendering the show to $root/lumenvale.mp4"
    export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
    exec ./lumenvale --nosetup --size 640x360 --fps 30 --video "$root/lumenvale.mp4" "$@"
fi
exec ./lumenvale "$@"
