#!/usr/bin/env bash
# Cross-builds the Windows edition (Release) of the game, the utility and the content tool
# with the Windows Qt, and makes its two downloads in build-windows/dist:
#   zomir-<version>-windows-x64.zip   the portable folder "Zomir"
#   zomir-<version>-setup.exe         the installer (NSIS)
#
#   scripts/windows.sh [--tests]      --tests also builds the test programs run under wine
#
# The Windows Qt is the first of: $ZOMIR_QT_WINDOWS (its folder, or its .tar.xz archive);
# the one scripts/windows-qt.sh built (build-windows-qt/qt-6.4.2-mingw64); the archive
# ../shared/toolchains/qt-6.4.2-mingw64.tar.xz beside the repository. Archives are unpacked
# into build-windows-qt/. Build folder: $ZOMIR_WINDOWS_BUILD (default build-windows).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# shellcheck source=scripts/windows-lib.sh
. "$root/scripts/windows-lib.sh"

with_tests=0
for arg in "$@"; do
  case "$arg" in
    --tests) with_tests=1 ;;
    *) echo "usage: scripts/windows.sh [--tests]" >&2; exit 2 ;;
  esac
done

"$root/scripts/setup.sh" --windows
qt="$(windows_qt)" || exit 1
build="$(windows_build_dir)"
jobs="$(nproc 2>/dev/null || echo 2)"

# The pictures and icons are drawn while building by the picture tool of the host (that of
# $ZOMIR_HOST_PICTURES, else one built in build-windows-host): under wine the Windows tool
# would draw no letters.
host_pictures="${ZOMIR_HOST_PICTURES:-}"
if [ -z "$host_pictures" ]; then
  host="$root/build-windows-host"
  cmake -S "$root" -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DZOMIR_BUILD_TESTS=OFF -DZOMIR_BUILD_BENCH=OFF >/dev/null
  cmake --build "$host" -j "$jobs" --target zomir-pictures
  host_pictures="$host/data/pictures/zomir-pictures"
fi

targets=(zomir karbantartas zomir-data)
[ "$with_tests" = 1 ] && targets+=($(windows_test_targets) bench_startup_bare bench_startup_floor)
"$qt/bin/qt-cmake" -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DZOMIR_BUILD_TESTS=ON -DZOMIR_BUILD_BENCH=OFF -DZOMIR_HOST_PICTURES="$host_pictures" \
  -DZOMIR_WERROR="${ZOMIR_WERROR:-OFF}" >/dev/null
cmake --build "$build" -j "$jobs" --target "${targets[@]}"

windows_stage "$qt" "$build"
windows_zip "$build"
windows_installer "$build"
