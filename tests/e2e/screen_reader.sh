#!/usr/bin/env bash
# What a screen reader in another process meets: every key, field and line named in the
# program's own words, with its role and state, walked through the window's accessible
# objects as probe.exe reads them.
source "$(dirname "$0")/lib.sh"
set -u

start "$WIN_DIR/velkari.exe"
probe wait "$MAIN" 20 || fail "Velkari did not show its window"
TREE=$(probe tree "$MAIN")

# One line of the tree, for the element of that name: role|state bits|description|keys|value.
# The state bits are the ones this table is about: checked, unavailable, read-only.
element() {  # name
  local line
  while IFS= read -r line; do
    [[ $line =~ ^[0-9]+\ \[([^]]*)\]\ \"([^\"]*)\"\ state=([0-9a-f]+)\ value=\"([^\"]*)\"\ description=\"([^\"]*)\"\ action=\"[^\"]*\"\ keys=\"([^\"]*)\" ]] || continue
    [ "${BASH_REMATCH[2]}" = "$1" ] || continue
    local bits=$((16#${BASH_REMATCH[3]})) words=
    ((bits & 0x10)) && words+=checked,
    ((bits & 0x01)) && words+=unavailable,
    ((bits & 0x40)) && words+=read-only,
    echo "${BASH_REMATCH[1]}|${words%,}|${BASH_REMATCH[5]}|${BASH_REMATCH[6]}|${BASH_REMATCH[4]}"
    return
  done <<<"$TREE"
  echo "missing"
}

# name | role | state | description | keys | value, as the window stands after its start:
# the activation has pressed mute, so the play key is unavailable.
EXPECTED=$(cat <<'TABLE'
1|push button||||
2 ABC|push button||||
0|push button||||
Q|push button||7||
M|push button||6||
Stay on top|check button||||
Font|push button||||
Mute tones|check button|checked|||
Play the number|push button|unavailable|||
Keypad picture|push button||||
Clear upper field|push button||||
Clear lower field|push button||||
Clear|push button||||
Backspace|push button||||
Caps Lock|check button||||
copy|push button||||
exit|push button||||
Vanity number|text||||
Dialled number|text|read-only|||
Letters and digits|static text|read-only|||
F8 = type the number to another window|static text|read-only|||
Closing|progress bar||||0%
TABLE
)
while IFS='|' read -r name rest; do
  expect_eq "the element '$name'" "$rest" "$(element "$name")"
done <<<"$EXPECTED"

# Nothing that can be pressed goes without a name.
expect_eq "unnamed buttons" "" "$(grep -E '^1 \[(push|check) button\] ""' <<<"$TREE")"
expect_eq "elements below the window" 54 "$(grep -c '^1 ' <<<"$TREE")"

echo "screen_reader: passed"
