#!/usr/bin/env bash
# Fails when a source folder of the driver includes a header of a folder above it:
# com/ over ado/ over src/ and common/ over platform/.
set -euo pipefail
cd "$(dirname "$0")/.."
declare -A allowed=(
  [com]="com ado src common platform"
  [ado]="ado src common platform"
  [src]="src platform"
  [common]="common platform"
  [platform]="platform"
)
status=0
for folder in "${!allowed[@]}"; do
  while IFS= read -r line; do
    included="${line#*#include \"}"
    layer="${included%%/*}"
    [[ " ${allowed[$folder]} " == *" $layer "* ]] && continue
    [[ " com ado src common platform " == *" $layer "* ]] || continue
    echo "layering: $line"
    status=1
  done < <(grep -rn '#include "' "$folder" --include='*.h' --include='*.cpp' || true)
done
[ "$status" -eq 0 ] && echo "layering: every folder includes only itself and the folders below it"
exit "$status"
