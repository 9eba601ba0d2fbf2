#!/usr/bin/env bash
# Builds the driver and its tests with gcov counters into build-coverage/ (or BUILD_DIR), runs
# every test executable under Wine and reports the line coverage of the driver's own sources
# (com/, ado/, src/, common/, platform/): a table per file, then the total. The uncovered lines
# of each file go to coverage.txt in the build folder. Fails when a test fails.
set -euo pipefail
export BUILD_DIR="${BUILD_DIR:-$(cd "$(dirname "$0")/.." && pwd)/build-coverage}"
source "$(dirname "$0")/common.sh"
"$ROOT/scripts/setup.sh"
build_tree -DZEDB_BUILD_TESTS=ON -DZEDB_COVERAGE=ON
# libgcov adds each process's counters to the .gcda files it finds: an earlier run's must go.
find "$BUILD_DIR" -name '*.gcda' -delete
start_wine
status=0
run_tests || status=$?

report="$BUILD_DIR/coverage.txt" summary="$BUILD_DIR/coverage.csv"
# Relative filters are anchored at the working directory, the source root. The gcov of the
# compiler's own variant reads its data.
cd "$ROOT"
gcovr --root "$ROOT" --object-directory "$BUILD_DIR" --gcov-executable x86_64-w64-mingw32-gcov-posix \
      --filter com/ --filter ado/ --filter src/ --filter common/ --filter platform/ \
      --txt "$report" --csv "$summary"
awk -F, 'NR == 1 { printf "%-40s %6s %6s %7s\n", "File", "Lines", "Exec", "Cover"; next }
         { printf "%-40s %6d %6d %6.1f%%\n", $1, $2, $3, 100 * $3 / $2; total += $2; covered += $3 }
         END { printf "uncovered lines per file: %s\n", report
               printf "lines: %.1f%% (%d of %d)\n", 100 * covered / total, covered, total }' report="$report" "$summary"
exit "$status"
