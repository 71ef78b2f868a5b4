#!/usr/bin/env bash
# The README, which goes into the release zip, carries the word lists' copyright notice as
# the installed packages give it, so a newer package cannot leave a stale notice behind.
set -euo pipefail
readme=$1
for copyright in /usr/share/doc/scowl/copyright; do
  if ! sed -n '/^## Word list notice$/,$p' "$readme" | sed '1,/^```$/d; /^```$/,$d' |
    cmp -s - "$copyright"; then
    echo "README.md does not end with the notice of $copyright" >&2
    exit 1
  fi
done
echo "word_list_notice: the README carries the word lists' notice"
