#!/usr/bin/env bash
# Builds and runs the benchmarks (figures only; nothing passes or fails here).
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$root/scripts/setup.sh"
choose_arch
echo "== benchmarks of the $test_arch build in $build_dir: $arch_reason =="
configure_and_build "$build_dir" "$test_arch" ON web_bench query_bench skin_bench controls_bench history_bench >/dev/null
trap stop_all EXIT
start_display
start_wine
start_simulator
"$root/scripts/wine_run.sh" "$build_dir/bench/web_bench.exe"
"$root/scripts/wine_run.sh" "$build_dir/bench/query_bench.exe"
"$root/scripts/wine_run.sh" "$build_dir/bench/skin_bench.exe" | grep -av ":fixme"
"$root/scripts/wine_run.sh" "$build_dir/bench/controls_bench.exe" | grep -av ":fixme"
"$root/scripts/wine_run.sh" "$build_dir/bench/history_bench.exe"
