#!/usr/bin/env bash
# Builds the Debian package of both programs from a release build:
#   scripts/package.sh            -> build-release/zomir_<version>_<arch>.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
build="${ZOMIR_BUILD:-$root/build-release}"
jobs="$(nproc 2>/dev/null || echo 2)"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DZOMIR_BUILD_TESTS=OFF -DZOMIR_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs"
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/zomir_*.deb
