#!/usr/bin/env bash
# Builds the driver, the sample provider, the tests' doubles and the soak run, registers the
# sample provider in the build's Wine prefix, runs the soak (10,000 cycles against each provider
# and two threads of 1,000 reports unless arguments say otherwise, e.g. --cycles 2000
# --thread-reports 200), unregisters the sample again and exits with the soak's status.
set -euo pipefail
source "$(dirname "$0")/common.sh"
prepare_sample_provider -DZEDB_BUILD_TESTS=ON
status=0
"$ROOT/scripts/wine-run.sh" soak.exe "$@" || status=$?
# The driver's tests expect a prefix without the sample's ADODB.Record.
"$ROOT/scripts/wine-run.sh" regsvr32.exe /s /u sampleProvider.dll
exit "$status"
