#!/usr/bin/env bash
# Ctrl+W offers the number's spellings in the list query dialog; one picked with the
# keyboard replaces the upper field, and the lower field and the counter follow. A number
# that no word fits gets the program's own message.
source "$(dirname "$0")/lib.sh"
set -u

start_in_upper_field
open_words 18004685865 1-800-GOT-JUNK
xdotool key Down
expect_soon "spelling after Down" "1-800-HOT-JUNK" 5 probe text "$WORDS" Edit 0
shot words_dialog
xdotool key Return
probe gone "$WORDS" 10 || fail "Enter did not close the list"
expect_soon "upper field" "1-800-HOT-JUNK" 5 probe text "$MAIN" Edit 0
expect_eq "lower field" "1-800-468-5865" "$(probe text "$MAIN" Edit 1)"
expect_eq "counter" "11" "$(counter_text)"

# Ctrl+Z takes the whole spelling back in one step.
xdotool key ctrl+z
expect_soon "upper field after undo" "18004685865" 5 probe text "$MAIN" Edit 0

# Only 0s and 1s: nothing to spell, and the upper field stays as it was.
xdotool key ctrl+a BackSpace
type_text 60 "1001"
expect_soon "lower field" "1001" 5 probe text "$MAIN" Edit 1
xdotool key ctrl+w
expect_message "no digit from 2 to 9" "for a number without digits 2-9"
expect_eq "upper field after the message" "1001" "$(probe text "$MAIN" Edit 0)"
echo "words_pick: passed"
