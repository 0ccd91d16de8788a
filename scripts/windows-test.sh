#!/usr/bin/env bash
# Runs the Windows edition's tests under wine, after scripts/windows.sh --tests built them:
# the test programs built for Windows (through CTest, on the tests' PostgreSQL server which
# the host's pgserver_run starts), then the smoke test of the zip and the installer
# (scripts/windows-smoke.sh). Everything runs in a wine prefix in a temporary folder, on a
# virtual display of its own with a window manager.
#   scripts/windows-test.sh <pgserver_run of a Linux build>
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# shellcheck source=scripts/windows-lib.sh
. "$root/scripts/windows-lib.sh"
pgserver_run="${1:?usage: windows-test.sh <pgserver_run of a Linux build>}"
build="$(windows_build_dir)"

tmp="$(mktemp -d)"
display_pid=""
wm_pid=""
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "windows-test: $*" >&2; exit 1; }

# Wine needs an X display even for Qt's offscreen platform.
# shellcheck source=scripts/virtual-display.sh
. "$(dirname "$0")/virtual-display.sh"
start_virtual_display "$tmp"
openbox >/dev/null 2>&1 &
wm_pid=$!

export WINEPREFIX="$tmp/wine"
export WINEDEBUG=-all
start="$(date +%s)"
"$build/wine-run.sh" wineboot --init >/dev/null 2>&1 || true
# A program that crashes ends at once instead of waiting in wine's crash dialog.
"$build/wine-run.sh" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
wineserver -w 2>/dev/null || true
echo "windows-test: wine prefix made in $(( $(date +%s) - start )) s"

tests="$(windows_test_targets | tr ' ' '\n' | sed '/^$/d' | paste -sd '|')"
start="$(date +%s)"
# One test at a time: under wine, windows of two programs on the same display take the
# activation from each other.
"$pgserver_run" ctest --test-dir "$build" --output-on-failure -j 1 --timeout 900 \
  -R "^(build_work_folder|build_work_folder_2026|${tests}|tst_playthrough_server)\$"
echo "windows-test: the Windows test programs passed in $(( $(date +%s) - start )) s"

start="$(date +%s)"
"$root/scripts/windows-smoke.sh" "$build"
echo "windows-test: the smoke test of the downloads passed in $(( $(date +%s) - start )) s"
