#!/usr/bin/env bash
# velkari-cli as a script runs it: one row a run, its input, what it must write to standard
# output (printf escapes) and its exit status; then input larger than the reading buffer.
# Usage: runs.sh VELKARI-CLI
set -u
cli=${1:?usage: $0 VELKARI-CLI}
failures=0
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT

# name, exit status, standard output, standard input ("" for none), arguments...
run() {
  local name=$1 status=$2 want=$3 input=$4 got rc
  shift 4
  got=$(printf "$input" | "$cli" "$@" 2>"$work/err"; echo "rc=$?")
  rc=${got##*rc=} && got=${got%rc=*}
  want=$(printf "$want"; echo x) && want=${want%x}
  if [ "$got" != "$want" ] || [ "$rc" != "$status" ]; then
    echo "FAIL: $name: exit $rc (want $status), output:"; printf '%s' "$got" | cat -A
    echo "want:"; printf '%s' "$want" | cat -A; echo "stderr:"; cat "$work/err"
    failures=$((failures + 1))
  fi
}
stderr_has() { grep -q -- "$2" "$work/err" || { echo "FAIL: $1: stderr lacks '$2'"; failures=$((failures + 1)); }; }

run "convert from arguments" 0 '1-800-3569377\t+18003569377\t11\n555-1212\t5551212\t7\n' "" \
  convert 1-800-FLOWERS 555-1212
run "convert is the default command; a 7 digit number is no plan number" 0 \
  '1-800-3569377\t+18003569377\t11\n' "" 1-800-FLOWERS
run "letters past the end are shown, not dialled" 0 '1-800-62887377\t+18006288737\t12\n' "" \
  1-800-MATTRESS
run "a leading + is kept off a plan number" 0 '+44 20 7946 0958\t+442079460958\t12\n' "" \
  "+44 20 7946 0958"
run "standard input in order, CRLF and BOM taken off, empty lines kept" 0 \
  '1-800-3569377\t+18003569377\t11\n\t\t0\n4357\t4357\t4\n' '\xef\xbb\xbf1-800-FLOWERS\r\n\nHELP\n'
run "a bad UTF-8 line among good ones: the others still written, exit 1" 1 \
  '2\t2\t1\n3\t3\t1\n' 'A\n\xc3\x28\nD\n'
stderr_has "bad UTF-8" "line 2: not valid UTF-8"
run "an overlong form and a surrogate are not UTF-8" 1 '' '\xc0\xaf\n\xed\xa0\x80\n'
run "over 30 characters is rejected, 30 are not" 1 '222222222222222222222222222222\t222222222222222222222222222222\t30\n' \
  'AAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\nAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\n'
stderr_has "too long" "line 2: longer than the 30"
run "Persian letters pass through as the lower field passes them" 0 \
  'تلفن 555\t555\t3\n' "" "تلفن 555"
run "JSON with named fields and escapes" 0 \
  '{"line":1,"text":"a\\"b","shown":"2\\"2","dialled":"22","count":2}\n' "" --json 'a"b'
run "words, best first, letters not dialled named" 0 \
  '1-800-MATTRESS (S not dialled)\n' "" words 1-800-MATTRESS --top 1
run "words with the person's own words first" 0 'KARS-4-KIDS\n' "" \
  words 5277-4-5437 --with "Kars4Kids" --top 1
[ "$("$cli" words 5277-4-5437 --top 1)" != KARS-4-KIDS ] ||
  { echo "FAIL: KARS-4-KIDS first without the person's words"; failures=$((failures + 1)); }
run "words as JSON" 0 \
  '{"rank":1,"spelling":"1-800-MATTRESS","undialled":"S","listed":"1-800-MATTRESS (S not dialled)"}\n' \
  "" words 1-800-MATTRESS --top 1 --json
run "words of a number without 2-9" 1 '' "" words 1-800-0000
for wrong in "words" "words 1 2" "tones 123" "picture 2 -o" "--top 0 words 2" "--frob" \
  "convert -o x 2" "tones --json 2 -o x"; do
  # shellcheck disable=SC2086
  run "wrong command line: $wrong" 2 '' "" $wrong
done
grep -q "^Usage: velkari-cli" <("$cli" --help) || { echo "FAIL: no usage"; failures=$((failures + 1)); }

# Larger than the reading buffer: every line once and in order; a long line is skipped whole.
seq 1 200000 | sed 's/$/-HELP/' >"$work/many"
{ head -c 100000 /dev/zero | tr '\0' 'A'; echo; echo 2; } >>"$work/many"
"$cli" <"$work/many" >"$work/out" 2>"$work/err"
[ $? = 1 ] || { echo "FAIL: a long line must give exit 1"; failures=$((failures + 1)); }
stderr_has "long line" "line 200001: longer"
[ "$(wc -l <"$work/out")" = 200001 ] || { echo "FAIL: $(wc -l <"$work/out") lines out"; failures=$((failures + 1)); }
[ "$(sed -n '123456p' "$work/out")" = "$(printf '123456-4357\t1234564357\t10')" ] ||
  { echo "FAIL: line 123456 is $(sed -n '123456p' "$work/out")"; failures=$((failures + 1)); }
[ "$(tail -1 "$work/out")" = "$(printf '2\t2\t1')" ] || { echo "FAIL: the last line"; failures=$((failures + 1)); }

# Files: whole, or not at all and the old one kept.
"$cli" tones 1-800-FLOWERS -o "$work/t.wav" && "$cli" tones 1-800-FLOWERS -o - >"$work/t2.wav"
cmp -s "$work/t.wav" "$work/t2.wav" || { echo "FAIL: -o - differs from the file"; failures=$((failures + 1)); }
[ "$(multimon-ng -t wav -c -a DTMF -q "$work/t.wav" 2>/dev/null | sed -n 's/^DTMF: //p' | tr -d '\n')" = 18003569377 ] ||
  { echo "FAIL: multimon-ng does not hear 18003569377"; failures=$((failures + 1)); }
run "a file in a missing folder" 1 '' "" picture 1-800-DIAL-NOW -o "$work/none/p.bmp"
stderr_has "missing folder" "Cannot create file"
[ -z "$(ls "$work" | grep tmp)" ] || { echo "FAIL: a temporary file was left"; failures=$((failures + 1)); }

[ $failures = 0 ] && echo "velkari-cli: every run as expected"
exit $((failures > 0))
