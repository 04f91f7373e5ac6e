#!/usr/bin/env bash
# The scripted session of scripts/run.sh: drives the running program and saves screenshots.
# Usage: demo_session.sh BUILD_DIR SCREENSHOT_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"
build_dir=$1 shots=$2
"$root/scripts/wine_run.sh" "$build_dir/tools/demo_driver.exe" "$(echo "Z:$shots" | tr / '\\')"
