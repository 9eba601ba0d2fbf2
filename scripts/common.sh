# Shared by the scripts: configure and build one tree, give it a Wine prefix with a persistent
# wineserver that is stopped when the calling script exits, and run its tests.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

build_tree() {
  cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}

start_wine() {
  mkdir -p "$WINEPREFIX"
  # A server already running for this prefix (a run that was interrupted) is used as it is.
  wineserver -p 2>/dev/null || true
  trap 'wineserver -k 2>/dev/null || true' EXIT
  # The first start of a new prefix creates it; later starts take a fraction of a second.
  wine cmd /c exit >/dev/null 2>&1 || true
}

# Set-up, build (arguments go to the configuration) and Wine prefix, then the sample provider
# registered with regsvr32; the caller goes on in the build's bin folder.
prepare_sample_provider() {
  "$ROOT/scripts/setup.sh"
  build_tree "$@"
  start_wine
  cd "$BUILD_DIR/bin"
  "$ROOT/scripts/wine-run.sh" regsvr32.exe /s sampleProvider.dll
}

# Every test executable of a tree built with tests, through CTest in the started prefix: prints
# the test results and "gtest: N passed, M failed" last, and returns CTest's status. A command
# given as arguments runs after the executables, before that last line; its failure fails the run.
run_tests() {
  # The driver's tests expect a prefix without ADODB.Record: the sample that run.sh left
  # registered brings its own, so its registration goes first (the end-to-end tests redo it).
  ( cd "$BUILD_DIR/bin" && "$ROOT/scripts/wine-run.sh" regsvr32.exe /s /u sampleProvider.dll ) || true
  local log="$BUILD_DIR/ctest.log" status=0
  ( cd "$BUILD_DIR" && ctest --output-on-failure -V ) >"$log" 2>&1 || status=$?
  grep -E '^\[( +OK|  FAILED|  PASSED|  SKIPPED) |^[0-9]+% tests passed|tests failed|Test +#' "$log" | grep -v '^\[       OK' || true
  count() { { grep -hoE "$1" "$log" || true; } | awk "{s+=\$$2} END {print s+0}"; }
  local passed failed
  passed=$(count '^[0-9]+: \[  PASSED  \] [0-9]+' NF)
  failed=$(count '^[0-9]+: \[  FAILED  \] [0-9]+ tests?, listed' '(NF-2)')
  if [ "$status" -ne 0 ]; then
    echo "--- failures (full log: $log) ---"
    grep -E 'Failure|FAILED|Expected|Which is|actual|error' "$log" | head -n 200
  fi
  if [ $# -gt 0 ]; then
    "$@" || status=$?
  fi
  echo "gtest: $passed passed, $failed failed"
  return "$status"
}
