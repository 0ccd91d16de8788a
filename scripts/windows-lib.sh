# Shared by scripts/windows.sh and scripts/test.sh: finding the Windows Qt, the test
# programs built for Windows, and making the programs' folder, the zip and the installer.
# Sourced; expects $root (the repository).

windows_build_dir() { echo "${ZOMIR_WINDOWS_BUILD:-$root/build-windows}"; }

# The test programs of the Windows edition: the plain logic, the engine, the reports, the
# whole game, the utility, the calculators and the student's folder of the installed game.
windows_test_targets() {
  echo tst_budget tst_interest tst_rtf tst_textsearch tst_monthchart tst_balance tst_professions tst_payroll \
       tst_szamologep tst_ber tst_engine tst_reports tst_playthrough tst_maintenance tst_studentfolder tst_upgrade \
       tst_accessibility tst_tableset tst_backups tst_contenttools tst_history
}

# Unpacks a Qt archive into build-windows-qt/ once (again when the archive changes) and
# prints the Qt folder in it.
windows_unpack_qt() {
  local archive="$1" into="$root/build-windows-qt/archive"
  local stamp="$into/.from"
  local id
  id="$(readlink -f "$archive") $(stat -c '%s %Y' "$archive")"
  if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$id" ]; then
    echo "windows: unpacking $archive" >&2
    rm -rf "$into"
    mkdir -p "$into"
    tar -xJf "$archive" -C "$into"
    echo "$id" > "$stamp"
  fi
  local qtcmake
  qtcmake="$(find "$into" -maxdepth 3 -path '*/bin/qt-cmake' | head -n 1)"
  [ -n "$qtcmake" ] || { echo "windows: no bin/qt-cmake in $archive" >&2; return 1; }
  dirname "$(dirname "$qtcmake")"
}

# Prints the Windows Qt's folder; fails with a message saying how to get one.
windows_qt() {
  local given="${ZOMIR_QT_WINDOWS:-}"
  if [ -n "$given" ]; then
    if [ -d "$given" ] && [ -x "$given/bin/qt-cmake" ]; then
      (cd "$given" && pwd); return 0
    elif [ -f "$given" ]; then
      windows_unpack_qt "$given"; return
    fi
    echo "windows: ZOMIR_QT_WINDOWS=$given is neither a Windows Qt folder (with bin/qt-cmake) nor its archive" >&2
    return 1
  fi
  if [ -x "$root/build-windows-qt/qt-6.4.2-mingw64/bin/qt-cmake" ]; then
    echo "$root/build-windows-qt/qt-6.4.2-mingw64"; return 0
  fi
  local shared="$root/../shared/toolchains/qt-6.4.2-mingw64.tar.xz"
  if [ -f "$shared" ]; then
    windows_unpack_qt "$(cd "$(dirname "$shared")" && pwd)/$(basename "$shared")"; return
  fi
  cat >&2 <<MSG
windows: no Windows Qt found. Build one from Debian's source with
    scripts/windows-qt.sh            (about 20 minutes on 2 cores; into build-windows-qt/)
or name one: ZOMIR_QT_WINDOWS=<folder or qt-6.4.2-mingw64.tar.xz>.
MSG
  return 1
}

# Every DLL a PE file imports, as objdump names them.
pe_imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p'; }

# Makes build-windows/dist/Zomir: the three programs, what data/windows/beside-programs.txt
# names, every DLL these import (recursively) that is not Windows' own, qt.conf, the
# teacher's notes; everything stripped.
windows_stage() {
  local qt="$1" build="$2"
  local stage="$build/dist/Zomir"
  rm -rf "$stage"
  mkdir -p "$stage"
  cp "$build/game/zomir.exe" "$build/maintenance/karbantartas.exe" "$build/data/zomir-data.exe" "$stage/"
  local kind file dest
  while read -r kind file dest; do
    case "$kind" in ''|'#'*) continue ;; esac
    case "$kind" in
      qt) file="$qt/$file" ;;
      sys) ;;
      *) echo "windows: unknown source '$kind' in beside-programs.txt" >&2; return 1 ;;
    esac
    [ -f "$file" ] || { echo "windows: missing $file (see data/windows/beside-programs.txt)" >&2; return 1; }
    mkdir -p "$stage/$dest"
    cp "$file" "$stage/$dest/"
  done < "$root/data/windows/beside-programs.txt"

  local cxx
  cxx="$(command -v x86_64-w64-mingw32-g++-posix)"
  local dirs=("$qt/bin" "$(dirname "$("$cxx" -print-file-name=libstdc++-6.dll)")"
              "$(dirname "$("$cxx" -print-file-name=libwinpthread-1.dll)")")
  local queue=() system=() f dll found
  while IFS= read -r f; do queue+=("$f"); done < <(find "$stage" -type f \( -name '*.exe' -o -name '*.dll' \))
  while [ ${#queue[@]} -gt 0 ]; do
    f="${queue[0]}"; queue=("${queue[@]:1}")
    while IFS= read -r dll; do
      [ -n "$(find "$stage" -maxdepth 1 -iname "$dll" -print -quit)" ] && continue
      found=""
      for d in "${dirs[@]}"; do
        found="$(find "$d" -maxdepth 1 -iname "$dll" -print -quit)"
        [ -n "$found" ] && break
      done
      if [ -n "$found" ]; then
        cp "$found" "$stage/"
        queue+=("$stage/$(basename "$found")")
      else
        system+=("$dll")
      fi
    done < <(pe_imports "$f")
  done
  echo "windows: Windows' own DLLs used: $(printf '%s\n' "${system[@]}" | tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ')"

  printf '[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n' > "$stage/qt.conf"
  sed 's/$/\r/' "$root/data/windows/OLVASSEL.txt" > "$stage/OLVASSEL.txt"
  find "$stage" -type f \( -name '*.exe' -o -name '*.dll' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
  echo "windows: programs' folder $stage ($(du -sh "$stage" | cut -f1))"
}

windows_version() { tr -d '[:space:]' < "$1/zomir-version.txt"; }

windows_zip() {
  local build="$1" version
  version="$(windows_version "$build")"
  local zip="$build/dist/zomir-$version-windows-x64.zip"
  rm -f "$zip"
  (cd "$build/dist" && zip -qr -9 -X "$zip" Zomir)
  echo "windows: $zip ($(du -h "$zip" | cut -f1))"
}

windows_installer() {
  local build="$1" version
  version="$(windows_version "$build")"
  local stage="$build/dist/Zomir" out="$build/dist/zomir-$version-setup.exe"
  local files="$build/dist/uninstall-files.nsh"
  # The uninstaller removes exactly the files installed, then the folders left empty.
  {
    (cd "$stage" && find . -type f | sort) | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
    (cd "$stage" && find . -mindepth 1 -type d | sort -r) | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|'
  } > "$files"
  rm -f "$out"
  makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DICONS="$build/windows" \
    -DFILES="$files" -DOUTFILE="$out" "$root/data/windows/zomir.nsi"
  echo "windows: $out ($(du -h "$out" | cut -f1))"
}
