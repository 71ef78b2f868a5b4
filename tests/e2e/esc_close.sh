#!/usr/bin/env bash
# Holding Esc closes the window after about a second and a quarter while the wheel fills;
# a tap, or a press released within a second, leaves it open, and Esc never reaches a field.
source "$(dirname "$0")/lib.sh"
set -u

now_ms() { echo $(($(date +%s%N) / 1000000)); }
# Each shorter press must leave the window open well past the time a hold closes it.
still_open_after() {  # what
  sleep 1.8
  expect_eq "windows open after $1" 1 "$(probe count "$MAIN")"
}

start_in_upper_field
type_text 80 "ab"
expect_soon "upper field" "ab" 5 probe text "$MAIN" Edit 0

xdotool key Escape
still_open_after "a tap on Esc"
xdotool keydown Escape sleep 0.8 keyup Escape
still_open_after "Esc held for 0.8 s"
expect_eq "upper field after the Esc presses" "ab" "$(probe text "$MAIN" Edit 0)"

# Held: another key pressed and released meanwhile does not stop the countdown.
xdotool keydown Escape
pressed=$(now_ms)
sleep 0.3
xdotool key Right
sleep 0.3
shot esc_close_filling
probe gone "$MAIN" 6
gone=$?
elapsed=$(($(now_ms) - pressed))
xdotool keyup Escape
[ "$gone" = 0 ] || fail "the window did not close while Esc was held"
echo "window closed ${elapsed} ms after Esc went down"
[ "$elapsed" -ge 1100 ] && [ "$elapsed" -le 4000 ] ||
  fail "the window closed ${elapsed} ms after Esc went down, not about 1275 ms"
# Closing the main window ends the program.
for _ in $(seq 50); do kill -0 "${STARTED[0]}" 2>/dev/null || break; sleep 0.1; done
kill -0 "${STARTED[0]}" 2>/dev/null && fail "velkari.exe still runs after its window closed"
echo "ok: velkari.exe ended"
echo "esc_close: passed"
