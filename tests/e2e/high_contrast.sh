#!/usr/bin/env bash
# Under a high-contrast scheme (white on black, set in a prefix of its own) every glyph,
# caption and the filling wheel stands out from the face behind it on the screen.
source "$(dirname "$0")/lib.sh"
set -u

start_in_upper_field
type_text 60 "1800FLOWERS"
probe press "$MAIN" "Mute tones"  # raised, so that every glyph key shows its up face
sleep 1
shot high_contrast
read -r cx cy _ < <(probe client "$MAIN")
read -r ox oy < <(desktop_origin)
face=$(convert "$SHOTS/high_contrast.png" -format \
  "%[pixel:p{$((ox + cx + 100)),$((oy + cy + 3))}]" info:)
case $face in
  black | "srgb(0,0,0)" | "rgb(0,0,0)") echo "ok: the window's face is black" ;;
  *) fail "the window's face is $face, not the scheme's black" ;;
esac
# WCAG 2: text by 4.5:1, glyphs and the wheel's fill by 3:1.
for glyph in "Stay on top" Font "Mute tones" "Play the number" "Keypad picture"; do
  stands_out high_contrast "$MAIN" "$glyph" 3
done
for caption in "2 ABC" Q "Caps Lock" copy exit Clear "Vanity number" "Dialled number" \
  "F8 = type the number to another window"; do
  stands_out high_contrast "$MAIN" "$caption" 4.5 text
done

shot_wheel high_contrast_wheel high_contrast
stands_out high_contrast_wheel "$MAIN" Closing 3
echo "high_contrast: passed"
