# Shared by the scripts: paths, the Wine/X set-up, and the choice of the architecture the
# tests run, made by choose_arch once setup.sh has installed Wine.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe="

# One build folder per architecture, so that a build made for one never meets the other's
# compiler or libraries. The shipped program is always build-i686/app/veradin.exe.
arch_dir() { echo "$root/build-$1"; }
product_dir=$(arch_dir i686)

# The shipped program is 32-bit. Tests run the 32-bit build where this kernel executes
# 32-bit Wine, and the same code built for x86_64 under wine64 where it cannot.
choose_arch() {
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    test_arch=i686; wine_bin=/usr/lib/wine/wine
    arch_reason="32-bit Wine runs on this machine, so the tests run the shipped 32-bit build"
  else
    test_arch=x86_64; wine_bin=/usr/lib/wine/wine64
    arch_reason="this kernel cannot run 32-bit Wine, so the tests run the same code built for x86_64 under wine64; the i686 build is compiled and linked, not run"
  fi
  build_dir=$(arch_dir "$test_arch")
  export WINEPREFIX="$build_dir/wine"
}

configure_and_build() {  # dir arch tests(ON/OFF) [targets...]
  local dir=$1 arch=$2 tests=$3
  shift 3
  cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw.cmake" \
        -DVERADIN_ARCH="$arch" -DVERADIN_TESTS="$tests" >/dev/null
  cmake --build "$dir" -j"$(nproc)" ${1:+--target "$@"}
}

xvfb_pid=
start_display() {  # a private X server when none is given
  if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    local n
    for n in $(seq 91 140); do
      [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      xvfb_pid=$!
      export DISPLAY=":$n"
      for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
      return 0
    done
    echo "no free X display number" >&2; return 1
  fi
}

prefix_settings=4  # raise when the settings below change, so existing prefixes get them
start_wine() {  # a warm wineserver and a booted prefix, stdio detached so no pipe stays open
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1
  LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 "$wine_bin" wineboot </dev/null >/dev/null 2>&1 || true
  if [ "$(cat "$WINEPREFIX/.veradin-settings" 2>/dev/null)" != "$prefix_settings" ]; then
    # A crash must end the test, not open a debugger window.
    "$wine_bin" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
    # Without a window manager, Wine waits 2 s for each managed window to withdraw.
    "$wine_bin" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
    "$wine_bin" regedit /S "$root/scripts/fonts.reg" </dev/null >/dev/null 2>&1 || true
    echo "$prefix_settings" > "$WINEPREFIX/.veradin-settings"
  fi
}

sim_pid=
start_simulator() {  # the register-service simulator on a free port: VERADIN_SIM=127.0.0.1:PORT
  local out="$build_dir/simulator.out"
  mkdir -p "$build_dir"
  python3 "$root/tools/register_sim/server.py" --port 0 --fixed-code abcd "$@" >"$out" 2>&1 &
  sim_pid=$!
  for _ in $(seq 100); do
    if grep -q '^listening on ' "$out" 2>/dev/null; then
      export VERADIN_SIM=$(sed -n 's/^listening on //p' "$out" | head -n1)
      return 0
    fi
    sleep 0.1
  done
  echo "the simulator did not start:" >&2; cat "$out" >&2; return 1
}

stop_all() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
