#!/usr/bin/env bash
# F8 types the number into another program, as a user would use it: Velkari and Notepad
# side by side, the number typed into Velkari, the caret put into Notepad, F8 pressed.
source "$(dirname "$0")/lib.sh"
set -u

start "$WIN_DIR/velkari.exe"
probe wait "Velkari 2.9" 20 || fail "Velkari did not show its window"
start notepad.exe
probe wait "Untitled - Notepad" 20 || fail "Notepad did not show its window"
# Side by side: Notepad in the top-left corner, clear of Velkari in the middle.
probe move "Untitled - Notepad" 0 0 420 250
sleep 0.5

read -r x y < <(probe at "Velkari 2.9" Edit 0)
click_at "$x" "$y"
type_text 80 "1-800-DIAL-NOW"
sleep 0.5
expect_eq "Velkari's lower field" "1-800-3425-669" "$(probe text "Velkari 2.9" Edit 1)"

read -r x y < <(probe at "Untitled - Notepad" Edit 0)
click_at "$x" "$y"
xdotool key F8
sleep 1
expect_eq "Notepad's text after F8" "1-800-3425-669" "$(probe text "Untitled - Notepad" Edit 0)"
shot f8_notepad

# Holding F8 types the number once, not once per keyboard repeat.
xdotool keydown F8 sleep 1.2 keyup F8
sleep 1
expect_eq "Notepad's text after F8 held" "1-800-3425-6691-800-3425-669" \
  "$(probe text "Untitled - Notepad" Edit 0)"

# Two presses 300 ms apart type it twice.
xdotool key ctrl+a BackSpace key F8 sleep 0.3 key F8
sleep 1
expect_eq "Notepad's text after two presses of F8" "1-800-3425-6691-800-3425-669" \
  "$(probe text "Untitled - Notepad" Edit 0)"

# A second copy cannot have F8: it hides its F8 line, and F8 still types the first's number.
start "$WIN_DIR/velkari.exe"
for _ in $(seq 50); do
  [ "$(probe count "Velkari 2.9")" = 2 ] && break
  sleep 0.2
done
expect_eq "windows titled Velkari 2.9" 2 "$(probe count "Velkari 2.9")"
sleep 0.5
expect_eq "F8 line of the first and second copy" "1 0 " \
  "$(probe visible "Velkari 2.9" "F8 = type the number to another window")"
shot f8_second_copy
read -r x y < <(probe at "Untitled - Notepad" Edit 0)
click_at "$x" "$y"
xdotool key ctrl+a BackSpace F8
sleep 1
expect_eq "Notepad's text after F8 with two copies" "1-800-3425-669" \
  "$(probe text "Untitled - Notepad" Edit 0)"
echo "f8_notepad: passed"
