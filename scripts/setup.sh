#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and is missing, then
# checks that every command the scripts call is there.
set -euo pipefail

# wine64 holds the 64-bit loader only; the wine and wineserver commands come with wine.
# libwine-dev brings the IDL files that widl compiles the sample provider's type library from;
# CLI11 and nlohmann/json are the console's header-only libraries; gcovr reads the coverage data;
# distro-info-data's Debian release history is a real CSV file for the end-to-end tests.
packages=(cmake make g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 googletest libwine-dev libcli11-dev
          nlohmann-json3-dev gcovr distro-info-data)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Each command the scripts call, with the package that brings it.
commands=(cmake:cmake make:make x86_64-w64-mingw32-gcc-posix:gcc-mingw-w64-x86-64-posix
          x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix
          x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64 x86_64-w64-mingw32-objcopy:binutils-mingw-w64-x86-64
          x86_64-w64-mingw32-strip:binutils-mingw-w64-x86-64 x86_64-w64-mingw32-objdump:binutils-mingw-w64-x86-64
          x86_64-w64-mingw32-widl:mingw-w64-tools
          wine:wine wineserver:wine x86_64-w64-mingw32-gcov-posix:gcc-mingw-w64-x86-64-posix gcovr:gcovr)
for entry in "${commands[@]}"; do
  command="${entry%%:*}"
  if ! command -v "$command" >/dev/null 2>&1; then
    echo "setup: the command '$command' is missing after installing; it comes with the package '${entry#*:}'" >&2
    exit 1
  fi
done
# Files the build and the tests read, with the package that brings each.
files=(/usr/src/googletest/CMakeLists.txt:googletest /usr/include/wine/wine/windows/oaidl.idl:libwine-dev
       /usr/include/CLI/CLI.hpp:libcli11-dev /usr/include/nlohmann/json.hpp:nlohmann-json3-dev
       /usr/share/distro-info/debian.csv:distro-info-data)
for entry in "${files[@]}"; do
  file="${entry%%:*}"
  if [ ! -f "$file" ]; then
    echo "setup: $file is missing after installing; it comes with the package '${entry#*:}'" >&2
    exit 1
  fi
done
