#!/usr/bin/env bash
# Installs what is missing, builds the program and the tests, and runs every test under Wine.
# VERADIN_SKIP_I686=1 leaves out the i686 compile where the tests run x86_64 (a quicker
# round while developing; CI never sets it).
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$root/scripts/setup.sh"
choose_arch
echo "== testing the $test_arch build in $build_dir: $arch_reason =="

configure_and_build "$build_dir" "$test_arch" ON
if [ "$test_arch" != i686 ] && [ -z "${VERADIN_SKIP_I686:-}" ]; then
  # Errors that only 32 bits show (calling conventions, pointer sizes) still fail the run.
  echo "== compiling and linking the i686 build with its tests in $product_dir (not run here) =="
  configure_and_build "$product_dir" i686 ON
fi

trap stop_all EXIT
start_display
start_wine
start_simulator
mkdir -p "$build_dir/screenshots"
cd "$build_dir"
ctest --output-on-failure -j2 "$@"
