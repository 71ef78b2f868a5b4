#!/usr/bin/env bash
# Typing a vanity number and using the on-screen keys: each letter goes in through its key
# (lower case unless Caps or Shift says otherwise), the lower field shows the digits and the
# counter the number of letters and digits; a right click deletes, the clear keys empty.
source "$(dirname "$0")/lib.sh"
set -u

start "$WIN_DIR/velkari.exe"
probe wait "$MAIN" 20 || fail "Velkari did not show its window"

upper() { probe text "$MAIN" Edit 0; }
lower() { probe text "$MAIN" Edit 1; }
fields() { echo "$(upper)|$(lower)|$(counter_text)"; }

read -r x y < <(probe at "$MAIN" Edit 0)
click_at "$x" "$y"
# Shifted letters come in as capitals, the others in lower case; '-' goes in as typed.
type_text 80 "1-800-dial-NOW"
expect_soon "fields and counter after typing" "1-800-dial-NOW|1-800-3425-669|11" 5 fields
shot type_and_keys_typed

# Keys clicked with the mouse insert at the caret, which stays in the upper field.
click_key '2 ABC'
click_key Q
click_key 0
expect_soon "fields after clicking 2, Q and 0" "1-800-dial-NOW2q0|1-800-3425-669270|14" 5 fields

# A right click on a letter or number key deletes one character and inserts nothing.
click_key '5 JKL' 3
expect_soon "fields after a right click on 5" "1-800-dial-NOW2q|1-800-3425-66927|13" 5 fields
click_key Z 3
expect_soon "fields after a right click on Z" "1-800-dial-NOW2|1-800-3425-6692|12" 5 fields
click_key Backspace
expect_soon "fields after the backspace key" "1-800-dial-NOW|1-800-3425-669|11" 5 fields

# CL latches: clicked letters go in as capitals until it is clicked up again.
click_key 'Caps Lock'
click_key H
click_key I
shot type_and_keys_caps
click_key 'Caps Lock'
click_key S
expect_soon "fields after CL, H, I, CL, S" "1-800-dial-NOWHIs|1-800-3425-669447|14" 5 fields

# Each clear key empties both fields and the counter.
read -r x y _ < <(control_at 232 0)  # the upper field's x
click_at "$x" "$y"
expect_soon "fields after the upper x" "||" 5 fields
type_text 80 "4u"
expect_soon "fields typed again" "4u|48|2" 5 fields
read -r x y _ < <(control_at 232 24)  # the lower field's x
click_at "$x" "$y"
expect_soon "fields after the lower x" "||" 5 fields
type_text 80 "7a"
expect_soon "fields typed once more" "7a|72|2" 5 fields
click_key Clear
expect_soon "fields after Clear" "||" 5 fields

# The upper field holds 30 characters at most, typed or clicked.
type_text 70 "0123456789abcdefghijklmnopqrstuvwxyz"
expect_soon "fields typed past the limit" \
  "0123456789abcdefghijklmnopqrst|012345678922233344455566677778|30" 10 fields
click_key '9 WXYZ'
expect_eq "upper field after a click at the limit" "0123456789abcdefghijklmnopqrst" "$(upper)"
shot type_and_keys

# Typed faster than a key's press lasts, keys wait their turn: none is lost, none reordered.
click_key Clear
type_text 25 "qwertyuiopasdfghjklz"
expect_soon "letters after fast typing" "qwertyuiopasdfghjklz" 10 upper
echo "type_and_keys: passed"
