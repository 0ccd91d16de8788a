#!/usr/bin/env bash
# The Windows downloads as a student and a lab's administrator meet them, under wine on the
# display $DISPLAY (with a window manager) in the wine prefix $WINEPREFIX:
#  - the zip unzipped into a folder whose name has accents and a space: zomir.exe, beside
#    only what the zip holds, builds the student's folder in %LOCALAPPDATA%\Zomir, stores
#    the alias and shows the opening screen; a second start shows it again, reusing the
#    folder with a stored game kept;
#  - the installer installs silently (/S) for the current user with its Start-menu entries;
#    the uninstaller removes the programs and leaves the student's folder.
# Screenshots go to $ZOMIR_SCREENSHOTS (default <build>/screenshots).
#   scripts/windows-smoke.sh <windows-build-folder>
set -euo pipefail
build="$(cd "${1:?usage: windows-smoke.sh <windows-build-folder>}" && pwd)"
: "${WINEPREFIX:?}" "${DISPLAY:?}"
version="$(tr -d '[:space:]' < "$build/zomir-version.txt")"
zip="$build/dist/zomir-$version-windows-x64.zip"
setup="$build/dist/zomir-$version-setup.exe"
shots="${ZOMIR_SCREENSHOTS:-$build/screenshots}"
mkdir -p "$shots"
tmp="$(mktemp -d)"
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "windows-smoke: $*" >&2; exit 1; }

wine="$(command -v /usr/lib/wine/wine64 || command -v wine64 || command -v wine)"
# Only what the programs' folder holds: no build folder on the DLL path, no Qt plugin path.
unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINELOADER="$wine"
run_wine() { "$wine" "$@"; }
# The wine prefix's user folders, as Windows names them and as the host sees them.
user="$(id -un)"
local_app="$WINEPREFIX/drive_c/users/$user/AppData/Local"
student="$local_app/Zomir"
# Windows folder names ignore case: the engine's zomir\tablaengine.ini lies in the same folder.
config="$student/tablaengine.ini"
rm -rf "$student"

# Starts a Windows program and waits for a window whose title matches $2, confirming any
# message box of the programs on the way (their title is "Zomir").
# Sets boxes (how many it confirmed) and secs (the seconds it took).
boxes=0
secs=0
start_program() {
  local exe="$1" title="$2" start
  start="$(date +%s.%N)"
  (cd "$tmp" && exec "$wine" "$exe") >"$tmp/program.log" 2>&1 &
  game_pid=$!
  boxes=0
  for _ in $(seq 1200); do
    kill -0 "$game_pid" 2>/dev/null || { cat "$tmp/program.log" >&2; fail "$exe ended before its window \"$title\""; }
    if xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; then
      secs="$(echo "$(date +%s.%N) - $start" | bc)"
      return 0
    fi
    local box
    box="$(xdotool search --onlyvisible --name '^Zomir$' 2>/dev/null | head -n 1 || true)"
    if [ -n "$box" ]; then
      import -window root "$shots/windows-box-$boxes.png" 2>/dev/null || true
      xdotool windowactivate --sync "$box" key --clearmodifiers Return 2>/dev/null || true
      boxes=$((boxes + 1))
      sleep 0.5
    fi
    sleep 0.1
  done
  import -window root "$shots/windows-timeout.png" 2>/dev/null || true
  fail "no window \"$title\" of $exe within 120 s (screen: $shots/windows-timeout.png)"
}
stop_program() {
  kill "$game_pid" 2>/dev/null || true
  wait "$game_pid" 2>/dev/null || true
  game_pid=""
  "$(dirname "$wine")/wineserver" -w 2>/dev/null || wineserver -w 2>/dev/null || true
}

# The portable edition.
unzipped="$tmp/Asztal/Zomir játék"
mkdir -p "$unzipped"
unzip -q "$zip" -d "$unzipped"
programs="$unzipped/Zomir"
[ -f "$programs/zomir.exe" ] || fail "no Zomir/zomir.exe in the zip"
# Started from Explorer, a console program opens a console window beside its own (and
# closing it ends the program): both programs must be of the GUI subsystem.
for exe in zomir.exe karbantartas.exe; do
  headers="$(x86_64-w64-mingw32-objdump -p "$programs/$exe")"
  grep -q '^Subsystem.*(Windows GUI)' <<<"$headers" \
    || fail "$exe is a console program: started from Explorer it opens a console window"
done

start_program "$programs/zomir.exe" '^Z O M I R'
first_boxes=$boxes first_secs=$secs
sleep 1
import -window root "$shots/windows-first-start.png"
stop_program
[ -d "$student/DB" ] || fail "the first start made no student's folder in $student"
[ -f "$config" ] || fail "the first start stored no alias in $config"
grep -qi '^PATH=C:.*/AppData/Local/Zomir/DB' "$config" || fail "the alias does not point at the student's folder: $(cat "$config")"
[ "$first_boxes" -ge 1 ] || fail "the first start said nothing (expected \"Az adatbázis inicializálása kész!\")"
echo "windows-smoke: the unzipped zomir.exe built $student and showed the opening screen in ${first_secs} s"

# A stored game, then a second start: the folder is reused and the game kept.
players="$(ls "$student/DB" | grep -i '^jatekosok\.db$')"
table="$(sqlite3 "$student/DB/$players" "SELECT name FROM sqlite_master WHERE type='table' LIMIT 1")"
name_field="$(sqlite3 "$student/DB/$players" "PRAGMA table_info(\"$table\")" | cut -d'|' -f2 | grep -i '^nev$' | head -n 1)"
[ -n "$name_field" ] || fail "no name field in the players' table"
sqlite3 "$student/DB/$players" "INSERT INTO \"$table\" (\"$name_field\") VALUES ('Kovács Ödön')"
before="$(stat -c '%i %s' "$student/DB/$players")"
touch "$student/marker"
start_program "$programs/zomir.exe" '^Z O M I R'
second_boxes=$boxes second_secs=$secs
sleep 1
import -window root "$shots/windows-second-start.png"
stop_program
[ -e "$student/marker" ] || fail "the second start rebuilt the student's folder"
[ "$second_boxes" -eq 0 ] || fail "the second start showed a message box"
[ "$before" = "$(stat -c '%i %s' "$student/DB/$players")" ] || fail "the second start replaced the players' table"
[ "$(sqlite3 "$student/DB/$players" "SELECT count(*) FROM \"$table\" WHERE \"$name_field\" = 'Kovács Ödön'")" = 1 ] \
  || fail "the stored game is gone"
echo "windows-smoke: a second start showed the opening screen in ${second_secs} s, the stored game kept"

# The utility finds the same alias.
start_program "$programs/karbantartas.exe" 'Dedarudorazo'
util_secs=$secs
sleep 2   # the window is mapped before its first page is painted
import -window root "$shots/windows-karbantartas.png"
stop_program
echo "windows-smoke: karbantartas.exe opened the student's database in ${util_secs} s"

# The installer, silently for the current user, and its uninstaller.
run_wine "$setup" /S
installed="$local_app/Programs/Zomir"
menu="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
for f in zomir.exe karbantartas.exe zomir-data.exe platforms/qwindows.dll sqldrivers/qsqlpsql.dll libpq.dll \
         translations/qtbase_hu.qm eltavolitas.exe; do
  [ -f "$installed/$f" ] || fail "not installed: $installed/$f"
done
[ -f "$menu/Zomir.lnk" ] || fail "no Start-menu entry Zomir"
[ -f "$menu/Zomir karbantartó.lnk" ] || fail "no Start-menu entry Zomir karbantartó"
start_program "$installed/zomir.exe" '^Z O M I R'
installed_secs=$secs
stop_program
echo "windows-smoke: the installer installed into $installed with both Start-menu entries; the game starts (${installed_secs} s)"
run_wine "$installed/eltavolitas.exe" /S _?="$(echo "C:/users/$user/AppData/Local/Programs/Zomir" | tr / '\\')"
[ ! -e "$installed/zomir.exe" ] || fail "the uninstaller left zomir.exe"
[ ! -e "$menu/Zomir.lnk" ] || fail "the uninstaller left the Start-menu entry"
[ -d "$student/DB" ] && [ -e "$student/marker" ] || fail "the uninstaller touched the student's folder"
[ "$(sqlite3 "$student/DB/$players" "SELECT count(*) FROM \"$table\" WHERE \"$name_field\" = 'Kovács Ödön'")" = 1 ] \
  || fail "the stored game is gone after the uninstall"
echo "windows-smoke: the uninstaller removed the programs and left the student's folder"
