#!/usr/bin/env bash
# The Wine tools use only the build tree's prefix: a WINEPREFIX of the caller's is ignored,
# and a folder in the prefix's place that the tools did not make is never deleted.
set -u
tools=$(cd "$(dirname "$0")/../../tools" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
check() {  # what condition...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}

mkdir -p "$scratch/mine/drive_c" "$scratch/tree/wineprefix/drive_c"
echo keep >"$scratch/mine/drive_c/program.txt"
echo keep >"$scratch/tree/wineprefix/drive_c/program.txt"

prefix=$(WINEPREFIX="$scratch/mine" VELKARI_BUILD_DIR="$scratch/tree" \
  bash -c "source '$tools/wine-env'; echo \"\$WINEPREFIX\"")
check "an inherited WINEPREFIX is not used" [ "$prefix" = "$scratch/tree/wineprefix" ]

WINEPREFIX="$scratch/mine" VELKARI_BUILD_DIR="$scratch/tree" "$tools/wine-prefix" start \
  </dev/null >"$scratch/out" 2>&1
status=$?
check "a prefix the tools did not make is refused" [ "$status" -ne 0 ]
check "and it is left as it was" [ -f "$scratch/tree/wineprefix/drive_c/program.txt" ]
check "the caller's own prefix is untouched" [ -f "$scratch/mine/drive_c/program.txt" ]
check "the refusal says why" grep -q "not made by these tools" "$scratch/out"

[ "$failures" -eq 0 ] && echo "prefix_safety: passed"
exit "$failures"
