#!/usr/bin/env bash
# The copy key hands the field the user works in to another program through the clipboard:
# the typed letters from the upper field, the digits from the lower one, pasted in Notepad;
# the status line says what was copied and clears 2.5 s after the copy that started it.
source "$(dirname "$0")/lib.sh"
set -u

NOTEPAD="Untitled - Notepad"
start "$WIN_DIR/velkari.exe"
probe wait "$MAIN" 20 || fail "Velkari did not show its window"
start notepad.exe
probe wait "$NOTEPAD" 20 || fail "Notepad did not show its window"
probe move "$NOTEPAD" 0 0 420 250
sleep 0.5

now_ms() { echo $(($(date +%s%N) / 1000000)); }
notepad_text() { probe text "$NOTEPAD" Edit 0; }
paste_in_notepad() {  # replaces Notepad's text by the clipboard's
  local x y
  read -r x y < <(probe at "$NOTEPAD" Edit 0)
  click_at "$x" "$y"
  xdotool key ctrl+a ctrl+v
}
click_field() {  # 0 upper, 1 lower
  local x y
  read -r x y < <(probe at "$MAIN" Edit "$1")
  click_at "$x" "$y"
}
# Waits for the status line to clear; prints the milliseconds since the given moment.
status_cleared_after() {  # since_ms
  local end=$(($(now_ms) + 8000))
  while [ -n "$(status_text)" ] && [ "$(now_ms)" -lt "$end" ]; do sleep 0.05; done
  [ -z "$(status_text)" ] || fail "the status line did not clear: '$(status_text)'"
  echo $(($(now_ms) - $1))
}

click_field 0
type_text 80 "1-800-dial-NOW"
expect_soon "lower field" "1-800-3425-669" 5 probe text "$MAIN" Edit 1

# With the caret in the upper field, copy takes the letters as typed.
click_key copy
copied_at=$CLICKED_MS
expect_eq "status line after copying the upper field" \
  '"1-800-dial-NOW" copied to clipboard.' "$(status_text)"
shot copy_paste_status
elapsed=$(status_cleared_after "$copied_at")
echo "status line cleared ${elapsed} ms after the copy"
[ "$elapsed" -ge 2300 ] && [ "$elapsed" -le 4000 ] ||
  fail "status line cleared after ${elapsed} ms, not about 2500 ms"
paste_in_notepad
expect_soon "Notepad after pasting the upper field" "1-800-dial-NOW" 5 notepad_text

# After a click into the lower field, copy takes the digits.
click_field 1
click_key copy
expect_eq "status line after copying the lower field" \
  '"1-800-3425-669" copied to clipboard.' "$(status_text)"
paste_in_notepad
expect_soon "Notepad after pasting the lower field" "1-800-3425-669" 5 notepad_text
shot copy_paste

# A second copy while the status line still shows the first replaces its text but not its
# countdown: the line clears 2.5 s after the first copy, not after the second. The places
# are looked up first, so that nothing slow comes between the copies and the reading; a
# reading that still comes too late to tell (a busy machine) is tried again.
read -r copy_x copy_y < <(probe child "$MAIN" copy)
read -r upper_x upper_y < <(probe at "$MAIN" Edit 0)
for attempt in 1 2 3; do
  click_field 1
  status_cleared_after "$(now_ms)" >/dev/null
  click_at "$copy_x" "$copy_y"
  first_at=$CLICKED_MS
  click_at "$upper_x" "$upper_y"
  while [ $(($(now_ms) - first_at)) -lt 1000 ]; do sleep 0.05; done
  click_at "$copy_x" "$copy_y"
  status=$(status_text)
  [ $(($(now_ms) - first_at)) -lt 2300 ] && break
  echo "the second copy was read too late to tell (attempt $attempt)"
done
expect_eq "status line after the second copy" '"1-800-dial-NOW" copied to clipboard.' "$status"
elapsed=$(status_cleared_after "$first_at")
echo "status line cleared ${elapsed} ms after the first of two copies"
[ "$elapsed" -ge 2300 ] && [ "$elapsed" -le 3300 ] ||
  fail "status line cleared ${elapsed} ms after the first copy, not about 2500 ms"

# Copying an empty field changes neither the clipboard nor the status line.
click_key Clear
click_key copy
expect_eq "status line after copying an empty field" "" "$(status_text)"
paste_in_notepad
expect_soon "Notepad after copying an empty field" "1-800-dial-NOW" 5 notepad_text
echo "copy_paste: passed"
