#!/usr/bin/env bash
# The scripted session of scripts/run.sh: drives the running program and saves screenshots.
set -euo pipefail
source "$(dirname "$0")/common.sh"
shots=$1
"$root/scripts/wine_run.sh" "$build_dir/tools/demo_driver.exe" "$(echo "Z:$shots" | tr / '\\')"
