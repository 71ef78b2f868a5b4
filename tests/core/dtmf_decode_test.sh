#!/usr/bin/env bash
# Lets an outside DTMF decoder (multimon-ng, which reads wave files through sox) listen to the
# tone image of every key, exactly as the program builds it, and checks that it hears that key
# and nothing else.
# Usage: dtmf_decode_test.sh <path to write_tones>
set -u

write_tones=${1:?usage: $0 <path to write_tones>}
for tool in multimon-ng sox; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is not installed (make deps installs it)" >&2
        exit 1
    fi
done

dir=$(mktemp -d "${TMPDIR:-/tmp}/velkari-tones.XXXXXX") || exit 1
trap 'rm -rf "$dir"' EXIT

if ! "$write_tones" "$dir"; then
    echo "FAIL: $write_tones could not write the tone images" >&2
    exit 1
fi

failures=0
for key in 0 1 2 3 4 5 6 7 8 9 '*' '#' A B C D; do
    case $key in
    '*') name=star ;;
    '#') name=hash ;;
    *) name=$key ;;
    esac
    file="$dir/$name.wav"
    if [ ! -s "$file" ]; then
        echo "FAIL: $name.wav was not written" >&2
        failures=$((failures + 1))
        continue
    fi
    # -m keeps sox's clipping remarks about its own resampling out of the way.
    heard=$(multimon-ng -t wav -c -a DTMF -q -m "$file" 2>"$dir/stderr")
    status=$?
    if [ $status -ne 0 ] || [ "$heard" != "DTMF: $key" ]; then
        echo "FAIL: $name.wav should decode as exactly 'DTMF: $key' but multimon-ng" \
            "(exit $status) printed:" >&2
        printf '  %s\n' "${heard:-<nothing>}" >&2
        sed 's/^/  stderr: /' "$dir/stderr" >&2
        failures=$((failures + 1))
    fi
done

if [ $failures -ne 0 ]; then
    echo "FAIL: $failures of 16 tone images did not decode as their key" >&2
    exit 1
fi
echo "all 16 tone images decode as their keys"
