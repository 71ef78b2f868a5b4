#!/usr/bin/env bash
# velkari-cli on a list of 1,000,000 vanity numbers (about 13 MB, a mix of forms): natively
# beside tr doing only the bare letter map on the same file, best of three each, in one
# run; its peak memory for 10,000 and 1,000,000 lines; and under Wine, with the output to a
# file, its lines a second.
# Usage: bench_cli.sh VELKARI-CLI [VELKARI-CLI.EXE]   (for the .exe, the prefix is started)
set -eu
cli=$1
exe=${2:-}
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT

# The same list every run: toll-free words with and without letters past the end, local
# numbers in brackets, international ones, bare words, plain digits.
awk 'BEGIN {
  srand(7); L = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
  for (i = 0; i < 1000000; i++) {
    w = ""; n = 4 + int(rand() * 6); for (k = 0; k < n; k++) w = w substr(L, 1 + int(rand() * 26), 1)
    f = int(rand() * 6)
    if (f == 0) print "1-800-" w
    else if (f == 1) printf "(%d) %d-%s\n", 200 + int(rand() * 800), 200 + int(rand() * 800), substr(w, 1, 4)
    else if (f == 2) printf "+44 20 %d %d\n", 1000 + int(rand() * 9000), 1000 + int(rand() * 9000)
    else if (f == 3) print "1-888-GO-" w
    else if (f == 4) print w
    else printf "%d\n", 1000000 + int(rand() * 9000000)
  } }' >"$work/numbers.txt"
head -10000 "$work/numbers.txt" >"$work/numbers10k.txt"
echo "velkari-cli: $(wc -l <"$work/numbers.txt") numbers, $(stat -c %s "$work/numbers.txt") bytes"

# Best of three wall-clock times in ms of a shell function, timed by bash itself, so no
# process but the program's own is counted.
best_of_three() {
  local TIMEFORMAT=%3R times=""
  for _ in 1 2 3; do times="$times $({ time "$1"; } 2>&1)"; done
  tr ' ' '\n' <<<"$times" | awk 'NF { ms = $1 * 1000; if (best == "" || ms < best) best = ms } END { print best }'
}
run_tr() { tr 'A-Za-z' '2223334445556667777888999922233344455566677778889999' <"$work/numbers.txt" >"$work/tr.txt"; }
run_cli() { "$cli" <"$work/numbers.txt" >"$work/cli.txt"; }
# Wine's helper processes must not inherit a pipe of ours (the timing's), so no stream is one.
run_wine() { wine "$exe" <"$work/numbers.txt" >"$work/wine.txt" 2>"$work/wine.err"; }
tr_ms=$(best_of_three run_tr)
cli_ms=$(best_of_three run_cli)
[ "$(wc -l <"$work/cli.txt")" = 1000000 ] || { echo "velkari-cli wrote $(wc -l <"$work/cli.txt") lines"; exit 1; }
awk -v c="$cli_ms" -v t="$tr_ms" 'BEGIN {
  printf "convert 1,000,000 lines natively: velkari-cli %d ms, tr %d ms, ratio %.1fx (goal at most 10x)\n",
    c, t, c / t }'

for list in numbers10k numbers; do
  peak=$(/usr/bin/time -f %M "$cli" <"$work/$list.txt" 2>&1 >/dev/null)
  echo "peak memory for $(wc -l <"$work/$list.txt") lines: $peak KiB"
done

if [ -n "$exe" ]; then
  source "$(dirname "$0")/../../tools/wine-env"
  wine_ms=$(best_of_three run_wine)
  cmp -s <(tr -d '\r' <"$work/wine.txt") "$work/cli.txt" || { echo "velkari-cli.exe wrote another list"; exit 1; }
  awk -v w="$wine_ms" 'BEGIN {
    printf "convert 1,000,000 lines under Wine to a file: %d ms, %d lines a second (goal 200,000)\n",
      w, 1e9 / w }'
fi
