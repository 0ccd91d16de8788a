#!/usr/bin/env bash
# Sets up, configures, builds with the sanitizers and runs the whole test suite offscreen;
# then cross-builds the Windows edition (Release) and runs its tests under wine
# (scripts/windows.sh --tests, scripts/windows-test.sh). Without a Windows Qt the script
# stops at once and says how to get one, unless ZOMIR_LINUX_ONLY=1.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# shellcheck source=scripts/windows-lib.sh
. "$root/scripts/windows-lib.sh"

windows=1
if [ "${ZOMIR_LINUX_ONLY:-}" = 1 ]; then
  windows=0
  echo "test: ZOMIR_LINUX_ONLY=1: only the Linux build is tested, not the Windows edition"
elif ! windows_qt >/dev/null; then
  echo "test: the Windows edition cannot be tested (set ZOMIR_LINUX_ONLY=1 to test the Linux build alone)" >&2
  exit 1
fi

if [ "$windows" = 1 ]; then
  "$root/scripts/setup.sh" --windows
else
  "$root/scripts/setup.sh"
fi

build="${ZOMIR_TEST_BUILD:-$root/build-test}"
jobs="$(nproc 2>/dev/null || echo 2)"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZOMIR_SANITIZE=ON -DZOMIR_WERROR=ON
cmake --build "$build" -j "$jobs"

linux=0
(
  export QT_QPA_PLATFORM=offscreen
  export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}"
  export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
  cd "$build"
  ctest --output-on-failure -j "$jobs" --timeout 600
) || linux=$?

if [ "$windows" = 1 ]; then
  start="$(date +%s)"
  # The Linux build's picture tool draws the Windows build's pictures and icons too.
  ZOMIR_WERROR=ON ZOMIR_HOST_PICTURES="$build/data/pictures/zomir-pictures" "$root/scripts/windows.sh" --tests
  ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}" \
    "$root/scripts/windows-test.sh" "$build/tests/pgserver_run"
  echo "test: the Windows edition built and tested in $(( $(date +%s) - start )) s"
fi
[ "$linux" = 0 ] || { echo "test: the Linux suite failed" >&2; exit "$linux"; }
