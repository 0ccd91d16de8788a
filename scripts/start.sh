#!/usr/bin/env bash
# Installs what is missing, builds the game, makes a working folder with its content and
# starts the game in it.
#   scripts/start.sh [--year 2010|2026] [working-folder]     (default: ~/zomir, 2026)
# Without --year the working folder is built (with the content of 2026) only when it has no
# database yet, so stored games survive later starts. With --year it is built again with
# the content of that year; stored games are kept then too. On its first start the game
# stores the database alias DB_ZOMIR, pointing at the folder's DB, in the table engine's
# configuration (see README).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
year=""
if [ "${1:-}" = "--year" ]; then
  if [ -z "${2:-}" ]; then
    echo "usage: scripts/start.sh [--year 2010|2026] [working-folder]" >&2
    exit 2
  fi
  year="$2"
  shift 2
fi
work="${1:-$HOME/zomir}"

"$root/scripts/setup.sh"

build="${ZOMIR_BUILD:-$root/build-release}"
jobs="$(nproc 2>/dev/null || echo 2)"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DZOMIR_BUILD_TESTS=OFF -DZOMIR_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target zomir zomir-data

mkdir -p "$work"
work="$(cd "$work" && pwd)"
if [ -n "$year" ]; then
  echo "start: building the working folder $work with the content of $year"
  "$build/data/zomir-data" --year "$year" "$work"
elif [ ! -d "$work/DB" ]; then
  echo "start: building the working folder $work"
  "$build/data/zomir-data" --year 2026 "$work"
fi

config="${XDG_CONFIG_HOME:-$HOME/.config}/zomir/tablaengine.ini"
if [ -f "$config" ]; then
  stored="$(awk 'BEGIN{IGNORECASE=1} /^\[/{a=(toupper($0)=="[DB_ZOMIR]")} a && /^PATH=/{sub(/^PATH=/,""); print; exit}' "$config")"
  if [ -n "$stored" ] && [ "$stored" != "$work/DB" ]; then
    echo "start: note: the game's database alias DB_ZOMIR points at $stored"
    echo "start:       (delete $config to make the game use $work/DB)"
  fi
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "start: no display found; run this from a desktop session (or set QT_QPA_PLATFORM)" >&2
  exit 1
fi

cd "$work"
exec "$build/game/zomir"
