#!/usr/bin/env bash
# Installs what is missing, builds the program and the tests, and runs every test under Wine.
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$root/scripts/setup.sh"

echo "== building the test build ($test_arch) =="
configure_and_build "$build_dir" "$test_arch" ON
if [ "$product_dir" != "$build_dir" ] && [ -z "${VERADIN_SKIP_PRODUCT:-}" ]; then
  echo "== building the shipped program (i686) =="
  configure_and_build "$product_dir" i686 OFF
fi

trap stop_all EXIT
start_display
start_wine
start_simulator
mkdir -p "$build_dir/screenshots"
cd "$build_dir"
ctest --output-on-failure -j2 "$@"
