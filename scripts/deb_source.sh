# Sourced by the dependency builders: fetch_source NAME fetches Debian's source package
# NAME into $cache/src (trying the listed versions in turn, since the mirror sometimes
# lacks the newest .dsc) and prints the unpacked directory.
fetch_source() {
  local pkg=$1 dir
  dir=$(find "$cache/src" -maxdepth 1 -mindepth 1 -type d -name "${pkg}-[0-9]*" | head -n1)
  if [ -z "$dir" ]; then
    ( cd "$cache/src"
      ok=
      for v in "" $(apt-cache showsrc "$pkg" 2>/dev/null | awk '/^Version:/{print $2}'); do
        if apt-get source -qq --download-only "$pkg${v:+=$v}" >/dev/null 2>&1; then ok=1; break; fi
      done
      [ -n "$ok" ] || { echo "cannot fetch the source of $pkg" >&2; exit 1; }
      dpkg-source -x --no-check "$(ls -t ${pkg}_*.dsc | head -n1)" >/dev/null )
    dir=$(find "$cache/src" -maxdepth 1 -mindepth 1 -type d -name "${pkg}-[0-9]*" | head -n1)
  fi
  echo "$dir"
}
