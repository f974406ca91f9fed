#!/usr/bin/env bash
# Builds the engine import's libraries (SQLite, LZ4, expat) as static MinGW libraries for the
# Windows build, from Debian's own source packages at the exact versions the Linux build links.
#   scripts/build-windows-libraries.sh [i686|x86_64]...   (default: both)
# Sources go to build/windows-libs/src, each architecture's prefix to build/windows-libs/ARCH
# (include/ and lib/). A prefix that is complete is left as it is.
set -euo pipefail
shopt -s inherit_errexit

# Debian 12 (bookworm) versions; change them together with the Linux packages. expat is the
# version of bookworm's own suite: the archive no longer serves every source of its security
# updates.
sqlite_version=3.40.1-2+deb12u2
lz4_version=1.9.4-1
expat_version=2.5.0-1+deb12u2

# Small before fast, as the Windows programs are built (MinSizeRel); one thread, no extensions
# loaded from files.
cflags="-Os"
sqlite_flags="-DSQLITE_THREADSAFE=0 -DSQLITE_OMIT_LOAD_EXTENSION -DSQLITE_DEFAULT_MEMSTATUS=0 -DSQLITE_OMIT_DEPRECATED -DSQLITE_OMIT_SHARED_CACHE"
stamp="$sqlite_version $lz4_version $expat_version $cflags $sqlite_flags"

root=$(cd "$(dirname "$0")/.." && pwd)
top=$root/build/windows-libs
src=$top/src
archs=("$@")
[ ${#archs[@]} -gt 0 ] || archs=(i686 x86_64)
jobs=$(nproc)

complete() {
  local prefix=$1
  [ -f "$prefix/lib/libsqlite3.a" ] && [ -f "$prefix/lib/liblz4.a" ] &&
    [ -f "$prefix/lib/libexpat.a" ] && [ -f "$prefix/.versions" ] &&
    [ "$(cat "$prefix/.versions")" = "$stamp" ]
}

todo=()
for arch in "${archs[@]}"; do complete "$top/$arch" || todo+=("$arch"); done
[ ${#todo[@]} -gt 0 ] || exit 0

# The source packages: apt-get source needs a deb-src entry for bookworm.
list=/etc/apt/sources.list.d/velto-deb-src.sources
if [ ! -f "$list" ]; then
  echo "windows-libs: adding $list"
  cat >"$list" <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  # An index of another suite caught mid-sync does not matter here; apt-get source below says
  # clearly if the source index itself is missing.
  apt-get update -qq || echo "windows-libs: apt-get update reported errors; going on" >&2
fi

mkdir -p "$src"
# unpack PACKAGE VERSION: the source tree, patched as Debian builds it, in $src/PACKAGE-VERSION.
unpack() {
  local package=$1 version=$2
  local tree=$src/$package-$version
  if [ ! -d "$tree" ]; then
    (cd "$src" && apt-get source --download-only -qq "$package=$version" >/dev/null)
    local dsc
    dsc=$(ls "$src/${package}_${version#*:}.dsc")
    dpkg-source --no-check -x "$dsc" "$tree" >/dev/null
  fi
  echo "$tree"
}

sqlite_tree=$(unpack sqlite3 "$sqlite_version")
lz4_tree=$(unpack lz4 "$lz4_version")
expat_tree=$(unpack expat "$expat_version")

# SQLite's source builds its one-file amalgamation with tclsh (package tcl), once for all.
if [ ! -f "$sqlite_tree/amalgamation/sqlite3.c" ]; then
  echo "windows-libs: making the SQLite amalgamation"
  mkdir -p "$sqlite_tree/amalgamation"
  (cd "$sqlite_tree/amalgamation" && ../configure --disable-tcl >/dev/null &&
     make -j "$jobs" sqlite3.c sqlite3.h >/dev/null)
fi
# expat keeps its CMake build in expat/ in some trees, at the top in others.
expat_cmake=$expat_tree
[ -f "$expat_cmake/CMakeLists.txt" ] || expat_cmake=$expat_tree/expat

for arch in "${todo[@]}"; do
  echo "windows-libs: building SQLite, LZ4 and expat for $arch"
  prefix=$top/$arch
  work=$top/work-$arch
  rm -rf "$prefix" "$work"
  mkdir -p "$prefix/include" "$prefix/lib" "$work"
  cc=$arch-w64-mingw32-gcc-posix
  ar=$arch-w64-mingw32-ar

  # shellcheck disable=SC2086
  "$cc" $cflags $sqlite_flags -c "$sqlite_tree/amalgamation/sqlite3.c" -o "$work/sqlite3.o"
  "$ar" rcs "$prefix/lib/libsqlite3.a" "$work/sqlite3.o"
  cp "$sqlite_tree/amalgamation/sqlite3.h" "$prefix/include/"

  "$cc" $cflags -c "$lz4_tree/lib/lz4.c" -o "$work/lz4.o"
  "$ar" rcs "$prefix/lib/liblz4.a" "$work/lz4.o"
  cp "$lz4_tree/lib/lz4.h" "$prefix/include/"

  cmake -S "$expat_cmake" -B "$work/expat" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF \
    -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF -DEXPAT_BUILD_PKGCONFIG=OFF \
    >/dev/null
  # Debian's patches test "XML_DTD == 1", as its autotools build defines it; the CMake build
  # defines it empty.
  sed -i 's/^#define XML_DTD$/#define XML_DTD 1/' "$work/expat/expat_config.h"
  cmake --build "$work/expat" -j "$jobs" >"$work/expat.log" || { cat "$work/expat.log"; exit 1; }
  cmake --install "$work/expat" >/dev/null
  # expat names its static library libexpatMD.a or libexpat.a by build settings.
  [ -f "$prefix/lib/libexpat.a" ] || cp "$(ls "$prefix"/lib/libexpat*.a | head -1)" "$prefix/lib/libexpat.a"

  echo "$stamp" >"$prefix/.versions"
  rm -rf "$work"
done
