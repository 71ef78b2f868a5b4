#!/usr/bin/env bash
# Lets multimon-ng listen to the number sounds that the tone tests wrote: each file must be
# heard as exactly the digits its name ends with (gapless_18003569377.wav: 18003569377).
#   check_saved_tones.sh BUILD_DIR
set -u
out=$1/tones_out
failures=0
shopt -s nullglob
files=("$out"/*.wav)
[ ${#files[@]} -gt 0 ] || { echo "FAIL: no sound files in $out"; exit 1; }
for file in "${files[@]}"; do
    name=$(basename "$file" .wav)
    want=${name##*_}
    # -m keeps sox's remarks about its own resampling out of the way.
    heard=$(multimon-ng -t wav -c -a DTMF -q -m "$file" 2>/dev/null | sed -n 's/^DTMF: //p' |
        tr -d '\n')
    if [ "$heard" = "$want" ]; then
        echo "ok: $name.wav is heard as $heard"
    else
        echo "FAIL: $name.wav should be heard as $want, multimon-ng hears '$heard'"
        failures=$((failures + 1))
    fi
done
[ $failures -eq 0 ] || exit 1
