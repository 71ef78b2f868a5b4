#!/usr/bin/env bash
# With the tones on, every key typed or clicked lands once and in order, however fast it
# comes, and what the loudspeaker sounds is the number itself, digit for digit: typed at
# several speeds, played by the play key, and clicked with the mouse during a tone.
source "$(dirname "$0")/lib.sh"
set -u
[ -n "${VELKARI_PULSE_SINK:-}" ] || fail "needs the sound output of tools/with-pulse"

start "$WIN_DIR/velkari.exe"
probe wait "$MAIN" 20 || fail "Velkari did not show its window"
upper() { probe text "$MAIN" Edit 0; }

read -r x y < <(probe at "$MAIN" Edit 0)
click_at "$x" "$y"
click_flat_button mute
expect_soon "play key enabled after raising mute" 1 5 flat_button_enabled play

NUMBER=18005551234
# Each key takes its press (20 ms), its tone and its pause (about 200 ms under Wine), so
# every speed but the slowest types ahead of the window, which must catch up in order.
for delay in 250 150 100 60; do
  click_key Clear
  expect_soon "upper field cleared" "" 5 upper
  record_start "tones_$delay"
  xdotool type --delay "$delay" "$NUMBER"
  expect_soon "upper field typed at $delay ms a key" "$NUMBER" 10 upper
  record_stop
  expect_eq "digits heard typed at $delay ms a key" "$NUMBER" "$(heard_digits "tones_$delay")"
done

# The play key sounds the lower field's number, each key once; a key typed while it plays
# goes in after the last one, behind the number.
record_start tones_play
click_flat_button play
xdotool type 7
expect_soon "upper field after playing with a key typed meanwhile" "${NUMBER}7" 10 upper
record_stop
expect_eq "digits heard from the play key, then the key" "${NUMBER}7" "$(heard_digits tones_play)"

# Keys clicked with the mouse while a key's tone sounds go in after it, in their order.
click_key Clear
expect_soon "upper field cleared" "" 5 upper
points=()
for caption in '2 ABC' '3 DEF' '4 GHI' '5 JKL'; do
  read -r cx cy < <(probe child "$MAIN" "$caption") || fail "no key named '$caption'"
  points+=("$cx" "$cy")
done
read -r ox oy < <(desktop_origin)
record_start tones_clicks
xdotool key 9 mousemove $((ox + points[0])) $((oy + points[1])) click 1 \
  mousemove $((ox + points[2])) $((oy + points[3])) click 1 \
  mousemove $((ox + points[4])) $((oy + points[5])) click 1 \
  mousemove $((ox + points[6])) $((oy + points[7])) click 1
expect_soon "keys clicked during a tone" 92345 10 upper
record_stop
expect_eq "digits heard from the clicks" 92345 "$(heard_digits tones_clicks)"
shot tones_heard
echo "tones_heard: passed"
