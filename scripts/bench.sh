#!/usr/bin/env bash
# Builds the driver, the sample provider and the read benchmark, registers the sample provider
# in the build's Wine prefix and runs the benchmark (200,000 rows x 8 and x 1 columns unless
# arguments say otherwise, e.g. --rows 50000 --columns 4 --rounds 3).
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$ROOT/scripts/setup.sh"
build_tree
start_wine
cd "$BUILD_DIR/bin"
"$ROOT/scripts/wine-run.sh" regsvr32.exe /s sampleProvider.dll
"$ROOT/scripts/wine-run.sh" read_benchmark.exe "$@"
