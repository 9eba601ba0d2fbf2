#!/usr/bin/env bash
# Builds the driver and its tests, runs every test executable under Wine, then tests the release
# archive on its own in a fresh prefix.
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/check-layers.sh"
bash "$ROOT/scripts/check-call-sites.sh"
build_tree -DZEDB_BUILD_TESTS=ON
start_wine
run_tests bash "$ROOT/scripts/test-package.sh"
