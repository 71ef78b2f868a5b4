#!/usr/bin/env bash
# Ctrl+W offers the number's spellings in a list that follows the person's own words as
# they are typed; Enter takes the selected one into the upper field, and the lower field
# and the counter follow. A screen reader finds the field and the list by name and reads
# the entries one by one. The words are there again the next time. A number that no word
# fits gets the program's own message.
source "$(dirname "$0")/lib.sh"
set -u

start_in_upper_field
open_words 18004685865
expect_eq "focus" "Edit 0" "$(probe focus "$WORDS")"
read_tree "$WORDS"
grep -qE '^1 \[[a-z ]*text\] "Your words" .* keys="Alt\+Y"' <<<"$TREE" ||
  fail "no text field named 'Your words' with Alt+Y: $TREE"
list=$(grep -E '^1 \[list\] "Spellings" ' <<<"$TREE")
grep -qF "value=\"$FIRST\"" <<<"$list" && grep -qF 'keys="Alt+S"' <<<"$list" ||
  fail "no list named 'Spellings' showing $FIRST: $TREE"
items=$(grep -cE '^2 \[list item\] "1-800-[A-Z0-9-]+( \([A-Z]+ not dialled\))?" ' <<<"$TREE")
[ "$items" -gt 10 ] || fail "the list's entries are not read as list items: $TREE"
entry=$(grep -m1 -E '^2 \[list item\] ' <<<"$TREE")
grep -qF "\"$FIRST\" state=" <<<"$entry" || fail "the list's first entry is not $FIRST: $entry"
state=$(sed -n 's/.* state=\([0-9a-f]*\).*/\1/p' <<<"$entry")
(((16#${state:-0}) & 0x2)) || fail "the first entry is not marked selected (state $state)"

# The person's words come first: a spelling with HOT and then JUNK in it.
type_text 80 "hot junk"
expect_soon "field" "hot junk" 5 probe text "$WORDS" Edit 0
for _ in $(seq 50); do
  FIRST=$(probe value "$WORDS" Spellings)
  [[ ${FIRST//-/} == *HOT*JUNK* ]] && break
  sleep 0.1
done
[[ ${FIRST//-/} == *HOT*JUNK* ]] || fail "the spelling offered first is $FIRST, not one of hot junk"
expect_eq "digits of '$FIRST'" 18004685865 "$(dialled_digits "$FIRST")"
shot words_dialog
xdotool key Return
probe gone "$WORDS" 10 || fail "Enter did not close the dialog"
expect_soon "upper field" "$FIRST" 5 probe text "$MAIN" Edit 0
expect_eq "lower field" "$(keypad "$FIRST")" "$(probe text "$MAIN" Edit 1)"
expect_eq "counter" "11" "$(counter_text)"

# Ctrl+Z takes the whole spelling back in one step.
xdotool key ctrl+z
expect_soon "upper field after undo" "18004685865" 5 probe text "$MAIN" Edit 0

# The words are kept: the dialog opens with them and their list; Esc leaves the number.
xdotool key ctrl+w
probe wait "$WORDS" 10 || fail "Ctrl+W did not open '$WORDS' again"
expect_eq "words kept" "hot junk" "$(probe text "$WORDS" Edit 0)"
expect_eq "their spelling first" "$FIRST" "$(probe value "$WORDS" Spellings)"
xdotool key Escape
probe gone "$WORDS" 10 || fail "Esc did not close the dialog"
expect_eq "upper field after Esc" "18004685865" "$(probe text "$MAIN" Edit 0)"

# Only 0s and 1s: nothing to spell, and the upper field stays as it was.
xdotool key ctrl+a BackSpace
type_text 60 "1001"
expect_soon "lower field" "1001" 5 probe text "$MAIN" Edit 1
xdotool key ctrl+w
expect_message "no digit from 2 to 9" "for a number without digits 2-9"
expect_eq "upper field after the message" "1001" "$(probe text "$MAIN" Edit 0)"
echo "words_pick: passed"
