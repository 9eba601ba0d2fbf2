# Shared by run.sh and test.sh: configure and build one tree, and give it a Wine prefix
# with a persistent wineserver that is stopped when the calling script exits.
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
