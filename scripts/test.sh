#!/usr/bin/env bash
# Builds the driver and its tests, then runs every test executable under Wine.
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/check-layers.sh"
bash "$ROOT/scripts/check-call-sites.sh"
build_tree -DZEDB_BUILD_TESTS=ON
start_wine
# The driver's tests expect a prefix without ADODB.Record: the sample that run.sh left
# registered brings its own, so its registration goes first (the end-to-end tests redo it).
( cd "$BUILD_DIR/bin" && "$ROOT/scripts/wine-run.sh" regsvr32.exe /s /u sampleProvider.dll ) || true
log="$BUILD_DIR/ctest.log"
status=0
( cd "$BUILD_DIR" && ctest --output-on-failure -V ) >"$log" 2>&1 || status=$?
grep -E '^\[( +OK|  FAILED|  PASSED|  SKIPPED) |^[0-9]+% tests passed|tests failed|Test +#' "$log" | grep -v '^\[       OK' || true
count() { { grep -hoE "$1" "$log" || true; } | awk "{s+=\$$2} END {print s+0}"; }
passed=$(count '^[0-9]+: \[  PASSED  \] [0-9]+' NF)
failed=$(count '^[0-9]+: \[  FAILED  \] [0-9]+ tests?, listed' '(NF-2)')
if [ "$status" -ne 0 ]; then
  echo "--- failures (full log: $log) ---"
  grep -E 'Failure|FAILED|Expected|Which is|actual|error' "$log" | head -n 200
fi
echo "gtest: $passed passed, $failed failed"
exit "$status"
