#!/usr/bin/env bash
# Builds the driver, the sample provider and the read benchmark, registers the sample provider
# in the build's Wine prefix and runs the benchmark (200,000 rows x 8 and x 1 columns unless
# arguments say otherwise, e.g. --rows 50000 --columns 4 --rounds 3).
set -euo pipefail
source "$(dirname "$0")/common.sh"
prepare_sample_provider
"$ROOT/scripts/wine-run.sh" read_benchmark.exe "$@"
