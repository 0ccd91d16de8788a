#!/usr/bin/env bash
# Builds the Windows Qt that scripts/windows.sh uses, from Debian 12's own source packages,
# for anyone who has neither the project's archive nor a Windows Qt: qtbase 6.4.2 (the
# version of Debian's host tools, which the cross build borrows moc, uic and rcc from)
# cross-compiled with Debian's MinGW-w64 (posix threads), with the modules the programs and
# tests use (Core, Gui, Widgets, Sql, PrintSupport, Test), the platforms windows and
# offscreen, the Vista style, the gif/ico/jpeg readers, SQLite built in, and the PostgreSQL
# driver over libpq 15 (Debian's source; no OpenSSL, so SCRAM passwords but no SSL).
#
#   scripts/windows-qt.sh [work-folder]      (default build-windows-qt/work)
#
# Installs into build-windows-qt/qt-6.4.2-mingw64, where scripts/windows.sh looks first; the
# folder can be moved (then name it in ZOMIR_QT_WINDOWS). Takes 20 to 60 minutes on 2
# cores. Runs apt-get (as root, or through sudo) for the compilers and the source packages.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mkdir -p "${1:-$root/build-windows-qt/work}" && cd "${1:-$root/build-windows-qt/work}" && pwd)"
prefix="$root/build-windows-qt/qt-6.4.2-mingw64"
jobs="$(nproc 2>/dev/null || echo 2)"
SUDO=(); [ "$(id -u)" -eq 0 ] || SUDO=(sudo)
export DEBIAN_FRONTEND=noninteractive

"$root/scripts/setup.sh" --windows
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev \
  perl tcl bzip2 xz-utils >/dev/null

# Debian's source packages through apt itself, with source indexes of our own (the
# machine's apt configuration is left as it is).
cd "$work"
mkdir -p apt/lists/partial
if [ ! -f apt/src.sources ]; then
  uri="$(awk '/^URIs:/{print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)"
  [ -n "$uri" ] || uri="http://deb.debian.org/debian"
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$uri" > apt/src.sources
fi
apt_src=(-o Dir::Etc::sourcelist=- -o "Dir::Etc::sourceparts=$work/apt" -o "Dir::State::Lists=$work/apt/lists")
[ -f apt/updated ] || { apt-get "${apt_src[@]}" update -qq && touch apt/updated; }
fetch() { ls $2 >/dev/null 2>&1 || apt-get "${apt_src[@]}" source --download-only "$1" >/dev/null; }

fetch qt6-base=6.4.2+dfsg-10 'qt6-base_6.4.2+dfsg.orig.tar.xz'
if [ ! -d qtbase ]; then
  mkdir qtbase.tmp && tar -xJf qt6-base_6.4.2+dfsg.orig.tar.xz -C qtbase.tmp --strip-components=1
  mv qtbase.tmp qtbase
fi
# Debian's qtbase leaves the bundled SQLite out: its amalgamation comes from Debian's sqlite3.
if [ ! -f qtbase/src/3rdparty/sqlite/sqlite3.c ]; then
  fetch sqlite3 'sqlite3_*.orig.tar.xz'
  rm -rf sqlite && mkdir sqlite && tar -xJf sqlite3_*.orig.tar.xz -C sqlite --strip-components=1
  (cd sqlite && ./configure --disable-tcl >/dev/null && make sqlite3.c >/dev/null)
  mkdir -p qtbase/src/3rdparty/sqlite && cp sqlite/sqlite3.c sqlite/sqlite3.h qtbase/src/3rdparty/sqlite/
fi

# The MinGW toolchain; it ends up inside the Qt folder, so that qt-cmake finds it wherever
# the folder goes.
cat > toolchain.cmake <<'TOOLCHAIN'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN

# libpq first: Qt's PostgreSQL driver is configured with it.
if [ ! -f pgprefix/bin/libpq.dll ]; then
  fetch postgresql-15 'postgresql-15_*.orig.tar.bz2'
  rm -rf pg && mkdir pg && tar -xjf postgresql-15_*.orig.tar.bz2 -C pg --strip-components=1
  (cd pg && ./configure --host=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix --without-readline \
       --without-zlib --without-icu --without-openssl --prefix="$work/pgprefix" >/dev/null &&
   make -C src/include >/dev/null && make -C src/common -j "$jobs" >/dev/null &&
   make -C src/port -j "$jobs" >/dev/null && make -C src/interfaces/libpq -j "$jobs" >/dev/null &&
   make -C src/interfaces/libpq install >/dev/null && make -C src/include install >/dev/null)
fi

cmake -S qtbase -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON \
  -DFEATURE_dbus=OFF -DFEATURE_network=ON -DFEATURE_concurrent=OFF -DFEATURE_xml=ON -DFEATURE_testlib=ON \
  -DFEATURE_printsupport=ON -DFEATURE_tabletevent=OFF -DFEATURE_icu=OFF -DFEATURE_opengl=ON \
  -DFEATURE_sql=ON -DFEATURE_sql_sqlite=ON -DFEATURE_system_sqlite=OFF -DFEATURE_sql_psql=ON \
  -DFEATURE_sql_odbc=OFF -DFEATURE_sql_mysql=OFF \
  -DPostgreSQL_INCLUDE_DIR="$work/pgprefix/include" -DPostgreSQL_LIBRARY="$work/pgprefix/lib/libpq.a" \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_jpeg=ON -DFEATURE_png=ON \
  -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
  -DFEATURE_freetype=ON -DFEATURE_harfbuzz=ON -DFEATURE_directwrite=ON
cmake --build build -j "$jobs"
rm -rf "$prefix"
cmake --install build >/dev/null
cp pgprefix/bin/libpq.dll "$prefix/bin/"
[ -f "$prefix/plugins/sqldrivers/qsqlpsql.dll" ] || { echo "windows-qt: Qt's PostgreSQL driver was not built" >&2; exit 1; }

# Relocatable: the toolchain beside Qt's own files, named relative to them.
qtcmake="$prefix/lib/cmake/Qt6"
cp toolchain.cmake "$qtcmake/mingw64-toolchain.cmake"
sed -i "s|\"$work/toolchain.cmake\"|\"\${CMAKE_CURRENT_LIST_DIR}/mingw64-toolchain.cmake\"|" "$qtcmake/qt.toolchain.cmake"
grep -q 'CMAKE_CURRENT_LIST_DIR}/mingw64-toolchain.cmake' "$qtcmake/qt.toolchain.cmake" ||
  { echo "windows-qt: qt.toolchain.cmake does not name $work/toolchain.cmake as expected" >&2; exit 1; }

# A damaged DLL loads under wine only to crash at the start: every one must read.
bad=0
while IFS= read -r -d '' f; do
  x86_64-w64-mingw32-objdump -h "$f" >/dev/null 2>&1 || { echo "windows-qt: unreadable $f" >&2; bad=1; }
done < <(find "$prefix" -type f -name '*.dll' -print0)
[ "$bad" = 0 ] || exit 1
echo "windows-qt: installed into $prefix (scripts/windows.sh finds it there)"
