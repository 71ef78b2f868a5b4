#!/usr/bin/env bash
# The README, which goes into the release zip, carries the notices of the word lists and of
# the language model as the packages give them, so newer data cannot leave a stale notice
# behind.
set -euo pipefail
readme=$1
root=$(dirname "$readme")
check() {  # the README's heading, the copyright file its block must equal
  if ! sed -n "/^## $1\$/,\$p" "$readme" | sed '1,/^```$/d; /^```$/,$d' | cmp -s - "$2"; then
    echo "README.md does not carry the notice of $2 under \"$1\"" >&2
    exit 1
  fi
}
check "Word list notice" /usr/share/doc/scowl/copyright
check "Language model notice" "$root/resources/words/pocketsphinx-en-us.copyright"
echo "word_list_notice: the README carries the word lists' and the language model's notices"
