#!/usr/bin/env bash
# Every COM, ADO and OLE Automation call of the driver's sources must be listed in
# tests/callSites.txt with the test that makes it fail; a call site added without a list entry,
# an entry whose call is gone, and an entry naming a test that does not exist all fail here.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
LIST=tests/callSites.txt

# Receivers that are the driver's own objects, not COM interfaces; and the smart pointer and
# value wrappers, whose own calls are the ownership rules rather than call sites.
OWN_RECEIVERS='^(manager|providerLists|known|innermost|child|childRowsetOfCurrentRecord|startValue|endValue|collection_|object_|old|object|typeInfo_)$'
WRAPPERS='^common/(comPtr|bstr|variant)\.h$'
API='CoCreateInstance|CLSIDFromProgID|CLSIDFromString|OleRun|GetErrorInfo|SystemTimeToVariantTime|Var[A-Z][A-Za-z0-9]*From[A-Za-z0-9]+|VarDecInt'

sites() {
  grep -rnoE '([A-Za-z_]+|\))(\.Get\(\))?->[A-Za-z_]+\(|\.As\(|\b('"$API"')\(' com ado src common platform |
    while IFS=: read -r file _ match; do
      [[ "$file" =~ $WRAPPERS ]] && continue
      case "$match" in
        .As\() echo "$file QueryInterface" ;;
        *-\>*)
          receiver="${match%%->*}"; receiver="${receiver%.Get()}"
          [[ "$receiver" =~ $OWN_RECEIVERS ]] && continue
          method="${match#*->}"; echo "$file ${method%(}" ;;
        *) echo "$file ${match%(}" ;;
      esac
    done | sort
}

listed() {
  grep -vE '^\s*(#|$)' "$LIST" | awk '{ n = split($2, part, "::"); print $1, part[n] }' | sort
}

status=0
if ! difference=$(diff <(sites) <(listed)); then
  echo "check-call-sites: the driver's call sites and $LIST differ (< unlisted call, > listed call that is gone):"
  echo "$difference" | grep -E '^[<>]'
  status=1
fi

# Each entry names a test (Suite.Name) that exists and whose file names the call, or "-" and
# the reason no test can make the call fail.
while read -r file call test reason; do
  if [ "$test" = "-" ]; then
    [ -n "$reason" ] || { echo "check-call-sites: $file $call gives no test and no reason"; status=1; }
    continue
  fi
  suite="${test%%.*}"; name="${test#*.}"
  source=$(grep -rlE "TEST(_F|_P)?\($suite, $name\)" tests || true)
  method="${call##*::}"
  if [ -z "$source" ]; then
    echo "check-call-sites: $file $call names $test, which is no test"; status=1
  elif ! grep -q "$method" "$source"; then
    echo "check-call-sites: $test ($source) does not name $call"; status=1
  fi
done < <(grep -vE '^\s*(#|$)' "$LIST")
exit "$status"
