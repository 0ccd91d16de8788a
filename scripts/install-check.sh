#!/usr/bin/env bash
# Installs a build into a staging folder and checks the result as a desktop would use it:
# the menu entries and the AppStream description validate, the icons are there, and the
# installed launcher builds a student's working folder and brings up the opening screen on a
# virtual display; a second start reuses the folder and its stored games.
#   scripts/install-check.sh <build-folder>
set -euo pipefail
build="$(cd "${1:?usage: install-check.sh <build-folder>}" && pwd)"
tmp="$(mktemp -d)"
display_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "install-check: $*" >&2; exit 1; }

stage="$tmp/stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
usr="$stage/usr"

for f in bin/zomir libexec/zomir/zomir libexec/zomir/zomir-data \
         share/applications/hu.zomir.Zomir.desktop share/metainfo/hu.zomir.Zomir.metainfo.xml; do
  [ -e "$usr/$f" ] || fail "missing after install: /usr/$f"
done
if [ -e "$build/maintenance/karbantartas" ]; then
  for f in bin/karbantartas share/applications/hu.zomir.Karbantartas.desktop; do
    [ -e "$usr/$f" ] || fail "missing after install: /usr/$f"
  done
fi
for size in 16 22 24 32 48 64 128 256; do
  for program in zomir karbantartas; do
    icon="$usr/share/icons/hicolor/${size}x${size}/apps/$program.png"
    [ -s "$icon" ] || fail "missing icon: ${icon#$stage}"
  done
done
desktop-file-validate "$usr"/share/applications/*.desktop || fail "a menu entry does not validate"
appstreamcli validate --no-net "$usr/share/metainfo/hu.zomir.Zomir.metainfo.xml" >/dev/null \
  || fail "the AppStream description does not validate"
echo "install-check: files, menu entries, icons and metainfo are in place"

# A virtual display of our own, and a student's home with nothing in it yet. Xvfb picks a
# free display number and writes it once it accepts connections.
# shellcheck source=scripts/virtual-display.sh
. "$(dirname "$0")/virtual-display.sh"
start_virtual_display "$tmp"
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "cannot reach the virtual display $DISPLAY"
unset QT_QPA_PLATFORM
export HOME="$tmp/home" XDG_DATA_HOME="$tmp/home/.local/share" XDG_CONFIG_HOME="$tmp/home/.config"
mkdir -p "$HOME"

# Starts the installed game through its launcher and waits for the opening screen
# ("Z O M I R"), confirming any message box on the way. Prints how many boxes it confirmed.
# A game that could not reach the display is the machine's fault, not the game's: it is
# reported with the display's state and started once more (twice at most).
start_game() {
  local tries=0
  while :; do
    "$usr/bin/zomir" >"$tmp/game.log" 2>&1 &
    game_pid=$!
    sleep 0.2
    if kill -0 "$game_pid" 2>/dev/null || ! grep -q 'could not connect to display' "$tmp/game.log"; then
      break
    fi
    wait "$game_pid" 2>/dev/null || true
    tries=$((tries + 1))
    {
      echo "install-check: the game could not reach $DISPLAY (Xvfb $(kill -0 "$display_pid" 2>/dev/null && echo running || echo gone)):"
      cat "$tmp/game.log" "$tmp/xvfb.log"
    } >&2
    [ "$tries" -lt 3 ] || fail "the game could not reach the virtual display $DISPLAY"
    sleep 1
  done
  local boxes=0
  for _ in $(seq 600); do
    kill -0 "$game_pid" 2>/dev/null || { cat "$tmp/game.log" >&2; fail "the game ended before its opening screen"; }
    if xdotool search --onlyvisible --name '^Z O M I R' >/dev/null 2>&1; then
      echo "$boxes"
      return 0
    fi
    local box
    box="$(xdotool search --onlyvisible --name '.' 2>/dev/null | head -n 1 || true)"
    if [ -n "$box" ]; then
      xdotool windowfocus --sync "$box" key --clearmodifiers Return 2>/dev/null || true
      boxes=$((boxes + 1))
      sleep 0.5
    fi
    sleep 0.1
  done
  fail "no opening screen within 60 s"
}
stop_game() {
  kill "$game_pid" 2>/dev/null || true
  wait "$game_pid" 2>/dev/null || true
  game_pid=""
}

work="$XDG_DATA_HOME/zomir"
first_boxes="$(start_game)"
stop_game
[ -d "$work/DB" ] || fail "the launcher made no working folder in $work"
[ -f "$XDG_CONFIG_HOME/zomir/tablaengine.ini" ] || fail "the game stored no database alias"
[ "$first_boxes" -ge 1 ] || fail "the first start said nothing (expected \"Az adatbázis inicializálása kész!\")"
echo "install-check: first start built $work and showed the opening screen"

# Later starts keep the folder: the players' table is the same file, untouched.
players="$(ls "$work/DB" | grep -i '^jatekosok\.db$')"
before="$(stat -c '%i %Y %s' "$work/DB/$players")"
touch "$work/marker"
second_boxes="$(start_game)"
stop_game
[ -e "$work/marker" ] || fail "the second start rebuilt the working folder"
[ "$before" = "$(stat -c '%i %Y %s' "$work/DB/$players")" ] || fail "the second start replaced the players' table"
[ "$second_boxes" -eq 0 ] || fail "the second start showed a message box"
echo "install-check: a second start reused the folder and its stored games"
