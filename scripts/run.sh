#!/usr/bin/env bash
# Builds the driver, the sample provider and the report console, registers the sample provider
# in the build's Wine prefix with regsvr32, and runs a sample report: the North region's orders
# since 1 February 2026, as a table. Arguments, when given, replace the report's:
#     bash scripts/run.sh query OrderLines --param orderId=1003 --format json
set -euo pipefail
source "$(dirname "$0")/common.sh"
prepare_sample_provider
if [ $# -eq 0 ]; then
  set -- query Orders --param region=North --param since=2026-02-01
fi
echo "dbhost $*"
"$ROOT/scripts/wine-run.sh" dbhost.exe "$@"
