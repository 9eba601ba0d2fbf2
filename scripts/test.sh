#!/usr/bin/env bash
# Builds the driver and its tests, then runs every test executable under Wine.
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/check-layers.sh"
bash "$ROOT/scripts/check-call-sites.sh"
build_tree -DZEDB_BUILD_TESTS=ON
start_wine
run_tests
