#!/usr/bin/env bash
# The mutation sample: applies each fault of tests/mutants.txt to the driver's sources in turn,
# rebuilds incrementally, runs the test executables, restores the file, and prints whether the
# fault was caught and by which tests; "mutants: N caught, M missed"
# comes last. An entry of the list names its file, the one fragment to replace ("from", unique
# in the file; {NL} stands for a line break) and what replaces it ("to"). The result is
# compared with the one recorded in tests/mutants-caught.txt: a fault caught there and missed
# now is named. With --record the result is written there instead.
#
#     bash scripts/mutants.sh                     # every fault
#     bash scripts/mutants.sh com-flags ado-eof   # only these
#     bash scripts/mutants.sh --record            # every fault, and keep the result
#
# It edits the sources of the checkout it runs in: run it where nothing else is being edited.
set -euo pipefail
source "$(dirname "$0")/common.sh"
LIST="$ROOT/tests/mutants.txt"
RECORDED="$ROOT/tests/mutants-caught.txt"

record=false
only=()
for argument in "$@"; do
  case "$argument" in
    --record) record=true ;;
    -*) echo "mutants: unknown option $argument" >&2; exit 2 ;;
    *) only+=("$argument") ;;
  esac
done

"$ROOT/scripts/setup.sh"
build_tree -DZEDB_BUILD_TESTS=ON >/dev/null
start_wine
( cd "$BUILD_DIR/bin" && "$ROOT/scripts/wine-run.sh" regsvr32.exe /s /u sampleProvider.dll ) || true

# Replaces the one occurrence of "from" in the file by "to" ({NL} stands for a line break);
# fails when it occurs otherwise.
apply() {
  FROM="$2" TO="$3" perl -0777 -i -pe '
    BEGIN { ($from, $to) = map { s/\{NL\}/\n/gr } ($ENV{FROM}, $ENV{TO}); }
    my $count = () = /\Q$from\E/g;
    die "found $count times\n" unless $count == 1;
    s/\Q$from\E/$to/;' "$ROOT/$1"
}

# Every failing test, or nothing when all pass: the whole suite runs, so that the result shows
# which tests catch each fault.
failing_tests() {
  local log="$BUILD_DIR/mutant.log"
  if ( cd "$BUILD_DIR" && ctest --timeout 120 --output-on-failure ) >"$log" 2>&1; then
    return 0
  fi
  local failed
  failed=$(grep -oE '^\[  FAILED  \] [A-Za-z0-9_]+\.[A-Za-z0-9_]+' "$log" | awk '{print $NF}' | sort -u | paste -sd ' ' -)
  [ -n "$failed" ] || failed=$(grep -oE '[a-z_]+_tests \.+\**(Failed|Timeout|Exception)' "$log" | awk '{print $1 "(" $NF ")"}' | tr -d '*.' | paste -sd ' ' -)
  echo "${failed:-a test executable}"
}

results="$BUILD_DIR/mutants-result.txt"
: >"$results"
caught=0 missed=0 broken=0
while IFS= read -r -d '' entry; do
  id=$(sed -n 's/^id: //p' <<<"$entry"); file=$(sed -n 's/^file: //p' <<<"$entry")
  fault=$(sed -n 's/^fault: //p' <<<"$entry")
  from=$(sed -n 's/^from: //p' <<<"$entry"); to=$(sed -n 's/^to: \{0,1\}//p' <<<"$entry")
  [ -n "$id" ] || continue
  if [ ${#only[@]} -gt 0 ] && [[ ! " ${only[*]} " == *" $id "* ]]; then continue; fi
  cp "$ROOT/$file" "$BUILD_DIR/mutant.original"
  restore() { cp "$BUILD_DIR/mutant.original" "$ROOT/$file"; touch "$ROOT/$file"; }
  if ! why=$(apply "$file" "$from" "$to" 2>&1); then
    echo "broken  $id: 'from' $why in $file"; broken=$((broken + 1)); continue
  fi
  if ! cmake --build "$BUILD_DIR" --parallel "$(nproc)" >"$BUILD_DIR/mutant-build.log" 2>&1; then
    restore; echo "broken  $id: does not compile"; broken=$((broken + 1)); continue
  fi
  verdict=$(failing_tests)
  restore
  if [ -n "$verdict" ]; then
    echo "caught  $id by $verdict"; echo "$id caught $verdict" >>"$results"; caught=$((caught + 1))
  else
    echo "MISSED  $id: $fault ($file)"; echo "$id missed" >>"$results"; missed=$((missed + 1))
  fi
done < <(awk 'BEGIN { RS = ""; ORS = "\0" } !/^#/ { print }' "$LIST")

# The sources as they were: one more build so that the tree is left built from them.
cmake --build "$BUILD_DIR" --parallel "$(nproc)" >/dev/null

if $record; then
  cp "$results" "$RECORDED"
elif [ -f "$RECORDED" ]; then
  lost=$(awk 'NR == FNR { was[$1] = $2; next } was[$1] == "caught" && $2 == "missed" { print $1 }' "$RECORDED" "$results")
  [ -z "$lost" ] || { echo "caught in $(basename "$RECORDED"), missed now:"; echo "$lost" | sed 's/^/  /'; }
fi
[ "$broken" -eq 0 ] || echo "mutants: $broken could not be applied or built (fix their entries)"
echo "mutants: $caught caught, $missed missed"
[ "$broken" -eq 0 ] && [ -z "${lost:-}" ]
