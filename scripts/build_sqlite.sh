#!/usr/bin/env bash
# Builds SQLite (static, MinGW) from Debian's sqlite3 source package for the journal.
# The package carries the split sources, not the amalgamation: the amalgamation is made
# with the host's compiler and tclsh, then compiled with the cross compiler.
# The prefix is keyed by the package version and the compile options, and has a symlink
# of its own (sqlite-<arch>), apart from the picture libraries' deps-<arch>.
# Usage: build_sqlite.sh [i686|x86_64]
set -euo pipefail
arch=${1:-i686}
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${VERADIN_CACHE:-$HOME/.cache/veradin}
mkdir -p "$cache/src"
. "$here/scripts/deb_source.sh"

# Threads: workers of the program write while the window thread reads. No extension
# loading: nothing may pull code into the process from a file.
options=(-DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION -DSQLITE_DEFAULT_FOREIGN_KEYS=1
         -DSQLITE_DEFAULT_WAL_SYNCHRONOUS=1 -DSQLITE_DQS=0 -DSQLITE_OMIT_DEPRECATED
         -DSQLITE_OS_WIN=1 -DSQLITE_WIN32_MALLOC)

src=$(fetch_source sqlite3)
version=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
opthash=$(printf '%s\n' "${options[@]}" | sha256sum | cut -c1-8)
prefix="$cache/sqlite-$arch-$version-$opthash"
if [ -f "$prefix/.done" ]; then
  ln -sfn "$prefix" "$cache/sqlite-$arch"
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "build_sqlite: building sqlite $version for $arch"
( cd "$work" && "$src/configure" --disable-tcl >/dev/null && make -j2 sqlite3.c >/dev/null )
mkdir -p "$prefix/include" "$prefix/lib"
"$arch-w64-mingw32-gcc-posix" -O2 "${options[@]}" -c "$work/sqlite3.c" -o "$work/sqlite3.o"
"$arch-w64-mingw32-ar" rcs "$prefix/lib/libsqlite3.a" "$work/sqlite3.o"
cp "$work/sqlite3.h" "$prefix/include/"
printf '%s\n' "${options[@]}" > "$prefix/options.txt"
touch "$prefix/.done"
ln -sfn "$prefix" "$cache/sqlite-$arch"
echo "build_sqlite: installed into $prefix"
