#!/usr/bin/env bash
# The play key sounds the number character by character, walking the selection along the
# upper field, and leaves the caret behind the last character. It works only while the
# mute key is up; the program starts muted.
source "$(dirname "$0")/lib.sh"
set -u

start "$WIN_DIR/velkari.exe"
probe wait "$MAIN" 20 || fail "Velkari did not show its window"
caret() { probe sel "$MAIN" Edit 0; }

read -r x y < <(probe at "$MAIN" Edit 0)
click_at "$x" "$y"
type_text 80 "1-800-dial-NOW"
expect_soon "upper field" "1-800-dial-NOW" 5 probe text "$MAIN" Edit 0
xdotool key Home
expect_soon "caret after Home" "0 0" 5 caret

# Muted at start: the play key is disabled and a click on it does nothing.
expect_soon "play key enabled at start" 0 5 flat_button_enabled play
click_flat_button play
expect_eq "caret after clicking the disabled play key" "0 0" "$(caret)"

click_flat_button mute
expect_soon "play key enabled after raising mute" 1 5 flat_button_enabled play
click_flat_button play
expect_soon "caret after playing" "14 14" 10 caret
shot play
# The window answers again once the number has played.
expect_eq "lower field after playing" "1-800-3425-669" "$(probe text "$MAIN" Edit 1)"

# Played again from a caret in the middle, it still ends behind the last character.
xdotool key Home Right Right Right
expect_soon "caret moved into the number" "3 3" 5 caret
click_flat_button play
expect_soon "caret after playing again" "14 14" 10 caret

click_flat_button mute
expect_soon "play key enabled after muting again" 0 5 flat_button_enabled play
echo "play: passed"
