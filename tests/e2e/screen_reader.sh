#!/usr/bin/env bash
# What a screen reader in another process meets: every key, field and line named in the
# program's own words, with its role and state, walked through the window's accessible
# objects as probe.exe reads them; keys pressed through their default action as a click
# presses them, tones and all; and the changes told to a listener as they happen.
source "$(dirname "$0")/lib.sh"
set -u
[ -n "${VELKARI_PULSE_SINK:-}" ] || fail "needs the sound output of tools/with-pulse"

start_in_upper_field
read_tree "$MAIN"

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
1|push button|||1|
2 ABC|push button|||2|
0|push button|||0|
Q|push button||7|Q|
M|push button||6|M|
Stay on top|check button|||Ctrl+T|
Font|push button|||Ctrl+F|
Mute tones|check button|checked||Ctrl+U|
Play the number|push button|unavailable||Ctrl+P|
Keypad picture|push button|||Ctrl+K|
Clear upper field|push button|||Ctrl+E|
Clear lower field|push button|||Ctrl+Shift+E|
Clear|push button|||Ctrl+L|
Backspace|push button|||Backspace|
Caps Lock|check button|||Ctrl+Shift+L|
copy|push button|||Ctrl+Shift+C|
exit|push button|||Ctrl+Q|
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

# The listener hears of every change from here on, in another process, until the window
# closes (what it heard comes out then).
EVENTS="$SOUNDS/screen_reader_events.txt"
probe events "$MAIN" 60 >"$EVENTS" &
LISTENER=$!
sleep 3

upper() { probe text "$MAIN" Edit 0; }
state_of() { read_tree "$MAIN"; element "$1" | cut -d'|' -f2; }
probe press "$MAIN" "Mute tones" || fail "mute has no default action"
expect_soon "mute raised by its default action" "" 5 state_of "Mute tones"
expect_eq "play key once mute is up" "" "$(state_of "Play the number")"

# Pressed one after another without waiting: each goes in and sounds once, in order.
record_start screen_reader_keys
for key in "2 ABC" Q 0; do probe press "$MAIN" "$key" || fail "no default action of '$key'"; done
expect_soon "upper field after the presses" "2q0" 10 upper
record_stop
expect_eq "digits heard from the presses" 270 "$(heard_digits screen_reader_keys)"

# The focused upper field is what copy takes.
probe press "$MAIN" copy || fail "copy has no default action"
expect_soon "status line after copy" '"2q0" copied to clipboard.' 5 status_text

# Every key without a character of its own has a Ctrl shortcut, which presses the key.
xdotool key ctrl+u
expect_soon "mute down by its shortcut" checked 5 state_of "Mute tones"
xdotool key ctrl+u
expect_soon "mute raised by its shortcut" "" 5 state_of "Mute tones"
record_start screen_reader_play
xdotool key ctrl+p
sleep 3  # three tones and their pauses
record_stop
expect_eq "digits played by the play key's shortcut" 270 "$(heard_digits screen_reader_play)"
xdotool key ctrl+t
expect_soon "stay on top by its shortcut" checked 5 state_of "Stay on top"
xdotool key ctrl+t
expect_soon "status line cleared" "" 5 status_text
xdotool key ctrl+shift+c
expect_soon "status line after copy's shortcut" '"2q0" copied to clipboard.' 5 status_text
xdotool key ctrl+l
expect_soon "upper field after clear's shortcut" "" 5 upper
probe press "$MAIN" "Mute tones"
expect_soon "mute down again" checked 5 state_of "Mute tones"
sleep 1
probe close "$MAIN"
wait "$LISTENER" || fail "the event listener did not run"
echo "events heard:"
cat "$EVENTS"
expect_eq "first line of the listener" listening "$(head -1 "$EVENTS")"
heard() {  # what line
  grep -qxF "$2" "$EVENTS" || fail "no event: $1 ('$2')"
  echo "ok: event $1"
}
heard "mute raised" 'state "Mute tones" value="" state=00000000'
heard "play enabled" 'state "Play the number" value="" state=00000000'
heard "counter counts" 'value "Letters and digits" value="3" state=00000040'
heard "lower field changed" 'value "Dialled number" value="270" state=00100040'
heard "copy announced" 'name ""2q0" copied to clipboard." value="" state=00000040'
heard "copy read out as a live region" 'live ""2q0" copied to clipboard." value="" state=00000040'
heard "mute down" 'state "Mute tones" value="" state=00000010'

echo "screen_reader: passed"
