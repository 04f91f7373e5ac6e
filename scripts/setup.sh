#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine (run as root).
# Idempotent: a second run only checks what is there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

need_pkgs=(g++-mingw-w64-i686-posix mingw-w64-i686-dev libz-mingw-w64-dev
           g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
           wine wine32:i386 wine64 xvfb xauth fonts-wqy-microhei cmake googletest
           nlohmann-json3-dev imagemagick fonts-noto-cjk dpkg-dev python3 x11-utils
           libpng-dev libjpeg62-turbo-dev locales fonts-liberation
           tcl sqlite3)

missing=()
for p in "${need_pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Source lines for the libraries that have no MinGW package.
src=/etc/apt/sources.list.d/veradin-src.sources
if [ ! -f "$src" ]; then
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$src"
  apt-get update -qq
fi

# The Chinese locale, so that Wine under it takes non-ASCII file names.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  grep -qx 'zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

"$here/scripts/build_deps.sh" i686
"$here/scripts/build_deps.sh" x86_64
"$here/scripts/build_sqlite.sh" i686
"$here/scripts/build_sqlite.sh" x86_64
