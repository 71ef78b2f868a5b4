#!/usr/bin/env bash
# velkari-cli.exe under Wine as a script on Windows runs it: numbers through a pipe in and a
# file out, UTF-8 both ways with a Persian letter, the exit status; and the tones and the
# picture the same bytes as the window saved for the same number in the UI tests.
# Expects VELKARI_BUILD_DIR (the Windows build tree, its prefix started). No stream of a run
# is the caller's pipe: Wine's helper processes would inherit it and hold it open.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tools/wine-env"
build=$VELKARI_BUILD_DIR
cli=$build/velkari-cli.exe
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

printf '1-800-FLOWERS\r\nپ 1-800-MATTRESS\n\xff\nHELP\n' |
  wine "$cli" >"$work/out.txt" 2>"$work/err.txt"
status=$?
[ $status = 1 ] || fail "a rejected line must give exit 1, not $status"
printf '1-800-3569377\t+18003569377\t11\nپ 1-800-62887377\t+18006288737\t12\n4357\t4357\t4\n' >"$work/want.txt"
cmp -s "$work/out.txt" "$work/want.txt" || { fail "the file out:"; od -c "$work/out.txt" | head; }
grep -q "line 3: not valid UTF-8" "$work/err.txt" || fail "standard error: $(cat "$work/err.txt")"

wine "$cli" words 1-800-MATTRESS --top 1 >"$work/words.txt" 2>&1
[ "$(cat "$work/words.txt")" = "1-800-MATTRESS (S not dialled)" ] || fail "words: $(cat "$work/words.txt")"

wine "$cli" --frob >/dev/null 2>"$work/err.txt"
[ $? = 2 ] || fail "a wrong command line must give exit 2"

# The window saved 1-800-FLOWERS's tones and 1-800-DIAL-NOW's picture (tones_test.cpp,
# picture_save_test.cpp).
# A Windows path through Wine's drive Z:, the root of the file system.
wine "$cli" tones 1-800-FLOWERS -o "Z:${work//\//\\}\\tones.wav" >"$work/err.txt" 2>&1 ||
  fail "tones failed: $(cat "$work/err.txt")"
cmp "$work/tones.wav" "$build/tones_out/saved_18003569377.wav" || fail "tones differ from the window's"
heard=$(multimon-ng -t wav -c -a DTMF -q "$work/tones.wav" 2>/dev/null | sed -n 's/^DTMF: //p' |
  tr -d '\n')
[ "$heard" = 18003569377 ] || fail "multimon-ng hears '$heard'"
wine "$cli" picture 1-800-DIAL-NOW -o - >"$work/picture.bmp" 2>"$work/err.txt" ||
  fail "picture failed"
cmp "$work/picture.bmp" "$build/picture_out/dial_now.bmp" || fail "picture differs from the window's"

[ $failures = 0 ] && echo "velkari-cli.exe: every run as expected"
exit $((failures > 0))
