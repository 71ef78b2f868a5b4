#!/usr/bin/env bash
# multimon-ng must hear each sound file that the tone tests wrote as exactly the digits its
# name ends with (gapless_18003569377.wav: 18003569377). Usage: check_saved_tones.sh BUILD_DIR
set -u
shopt -s nullglob
files=("$1"/tones_out/*.wav)
[ ${#files[@]} -gt 0 ] || { echo "FAIL: no sound files in $1/tones_out"; exit 1; }
status=0
# The tone tests empty the folder before they write: each of their files must be new.
for want in gapless_18003569377 gapless_18002255000 saved_18003569377; do
  [ -f "$1/tones_out/$want.wav" ] || { echo "FAIL: $want.wav was not written"; status=1; }
done
for file in "${files[@]}"; do
  want=$(basename "$file" .wav) && want=${want##*_}
  heard=$(multimon-ng -t wav -c -a DTMF -q -m "$file" 2>/dev/null | sed -n 's/^DTMF: //p' |
    tr -d '\n')
  echo "$(basename "$file"): multimon-ng hears '$heard', want $want"
  [ "$heard" = "$want" ] || status=1
done
exit $status
