#!/usr/bin/env bash
# Builds the driver and the console host, then runs the host against the driver under Wine.
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$ROOT/scripts/setup.sh"
build_tree
start_wine
cd "$BUILD_DIR/bin"
"$ROOT/scripts/wine-run.sh" dbhost.exe "$@"
