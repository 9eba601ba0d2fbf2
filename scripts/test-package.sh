#!/usr/bin/env bash
# Builds the release with scripts/package.sh, unpacks it into a fresh folder with a fresh Wine
# prefix, registers the sample provider from there and runs one report with the unpacked console,
# then checks the checksums, each module's version resource, stripping and debuglink, and that
# the debug archive holds each module's debug information. Prints "package test: passed" or each
# failed check; the exit code says which.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
bash "$ROOT/scripts/package.sh"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$ROOT/build-release/CMakeCache.txt")
modules=(zedb_com.dll sampleProvider.dll dbhost.exe)

# Outside the build tree, so that nothing of it can stand in for what the archive lacks.
work=$(mktemp -d)
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$WINEPREFIX" "$work/release" "$work/debug"
( cd "$work/release" && cmake -E tar xf "$ROOT/dist/zedb_com-$version-win64.zip" )
( cd "$work/debug" && cmake -E tar xf "$ROOT/dist/zedb_com-$version-win64-debug.zip" )

failures=0
fail() { echo "package test: $*"; failures=$((failures + 1)); }

cd "$work/release"
sha256sum --quiet -c SHA256SUMS || fail "SHA256SUMS does not match the unpacked files"
[ "$(ls | grep -vx SHA256SUMS)" = "$(awk '{print $2}' SHA256SUMS | sort)" ] ||
  fail "SHA256SUMS does not list exactly the archive's files"
for module in "${modules[@]}"; do
  x86_64-w64-mingw32-windres -i "$module" -O rc | grep -q "VALUE \"FileVersion\", \"$version.0\"" ||
    fail "$module carries no FileVersion $version.0"
  sections=$(x86_64-w64-mingw32-objdump -h "$module" || true)
  grep -q ' \.gnu_debuglink ' <<<"$sections" || fail "$module has no debuglink"
  ! grep -q ' \.debug_' <<<"$sections" || fail "$module still holds debug information"
  x86_64-w64-mingw32-objdump -h "$work/debug/$module.debug" | grep -q ' \.debug_info ' ||
    fail "the debug archive holds no debug information for $module"
done

# Output goes to files: Wine's helper processes would hold a pipe open.
wineserver -p
wine cmd /c exit >/dev/null 2>&1 || true
wine regsvr32.exe /s sampleProvider.dll >"$work/regsvr32.log" 2>&1 || fail "regsvr32 sampleProvider.dll failed"
status=0
wine dbhost.exe query Orders --param region=North --param since=2026-02-01 >"$work/report.txt" 2>"$work/report.err" ||
  status=$?
[ "$status" -eq 0 ] || fail "dbhost exited with $status: $(cat "$work/report.err")"
diff "$ROOT/tests/endToEnd/expected/orders-north.txt" "$work/report.txt" || fail "dbhost's report differs from orders-north.txt"

[ "$failures" -eq 0 ] || exit 1
echo "package test: passed"
