#!/usr/bin/env bash
# Builds the driver, the sample provider and the report console in Release with debug information
# into build-release/ and writes the release to dist/:
#   zedb_com-<version>-win64.zip        the stripped modules, README-windows.txt and SHA256SUMS
#   zedb_com-<version>-win64-debug.zip  <module>.debug for each module, named by its debuglink
set -euo pipefail
# A tree of its own, whatever BUILD_DIR the caller names for the test tree.
BUILD_DIR="$(cd "$(dirname "$0")/.." && pwd)/build-release"
source "$(dirname "$0")/common.sh"
"$ROOT/scripts/setup.sh"
# Built with debug information, which is split off below so that a crash dump can be read later.
build_tree -DCMAKE_C_FLAGS=-g -DCMAKE_CXX_FLAGS=-g
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")
modules=(zedb_com.dll sampleProvider.dll dbhost.exe)

release="$BUILD_DIR/package/release" debug="$BUILD_DIR/package/debug" dist="$ROOT/dist"
rm -rf "$BUILD_DIR/package"
mkdir -p "$debug" "$dist"
cmake --install "$BUILD_DIR" --prefix "$release" >/dev/null
cd "$release"
for module in "${modules[@]}"; do
  x86_64-w64-mingw32-objcopy --only-keep-debug "$module" "$module.debug"
  x86_64-w64-mingw32-strip --strip-all "$module"
  x86_64-w64-mingw32-objcopy --add-gnu-debuglink="$module.debug" "$module"
  mv "$module.debug" "$debug/"
done
files=("${modules[@]}" README-windows.txt)
sha256sum "${files[@]}" >SHA256SUMS

# CMake writes the zip itself, so packaging needs no archiver beside the build's own tools.
archive="$dist/zedb_com-$version-win64.zip" debug_archive="$dist/zedb_com-$version-win64-debug.zip"
cmake -E tar cf "$archive" --format=zip -- "${files[@]}" SHA256SUMS
( cd "$debug" && cmake -E tar cf "$debug_archive" --format=zip -- "${modules[@]/%/.debug}" )
ls -l "$archive" "$debug_archive"
