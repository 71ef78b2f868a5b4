#!/usr/bin/env bash
# The font key offers the installed families; the chosen face is drawn in both fields and
# is what the next opening of the list starts from. Cancel and Esc change nothing.
source "$(dirname "$0")/lib.sh"
set -u

FONTS="Select Font"
start_in_upper_field
type_text 80 "WWWiii-1234"
expect_soon "lower field" "999444-1234" 5 probe text "$MAIN" Edit 1

# The pixels of the lower field as the screen shows them: it has the upper field's face
# but, not having the focus, no blinking caret.
field_picture() {  # file
  local ox oy x y
  read -r ox oy < <(desktop_origin)
  read -r x y < <(probe at "$MAIN" Edit 1)
  import -window root -crop "221x18+$((ox + x - 110))+$((oy + y - 9))" +repage "$1" 2>/dev/null
}
pixels_differ() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
open_fonts() {
  click_flat_button font
  probe wait "$FONTS" 10 || fail "the font key did not open '$FONTS'"
}
offered_face() { probe text "$FONTS" Edit 0; }

work=$(mktemp -d)
trap 'rm -rf "$work"; cleanup' EXIT
field_picture "$work/before.png"

open_fonts
start_face=$(offered_face)
[ -n "$start_face" ] || fail "the list does not offer the fields' face"
echo "ok: the list starts at the fields' face '$start_face'"
xdotool key Escape
probe gone "$FONTS" 10 || fail "Esc did not close the list"
open_fonts
expect_eq "face offered after Esc" "$start_face" "$(offered_face)"
read -r x y < <(probe child "$FONTS" Cancel) || fail "no Cancel button"
click_at "$x" "$y"
probe gone "$FONTS" 10 || fail "Cancel did not close the list"
field_picture "$work/cancelled.png"
expect_eq "pixels of the lower field changed by Esc and Cancel" 0 \
  "$(pixels_differ "$work/before.png" "$work/cancelled.png")"

# A face typed into the list and confirmed with Enter.
open_fonts
type_text 40 "Liberation Mono"
xdotool key Return
probe gone "$FONTS" 10 || fail "Enter did not close the list"
field_picture "$work/chosen.png"
changed=$(pixels_differ "$work/before.png" "$work/chosen.png")
[ "${changed:-0}" -gt 50 ] ||
  fail "the lower field looks the same in the new face ($changed pixels differ)"
echo "ok: $changed pixels of the lower field changed with the face"
shot font_choice
open_fonts
expect_eq "face offered after choosing" "Liberation Mono" "$(offered_face)"

# OK with the offered face changes nothing visible.
read -r x y < <(probe child "$FONTS" OK) || fail "no OK button"
click_at "$x" "$y"
probe gone "$FONTS" 10 || fail "OK did not close the list"
field_picture "$work/again.png"
expect_eq "pixels changed by OK on the same face" 0 \
  "$(pixels_differ "$work/chosen.png" "$work/again.png")"
echo "font_choice: passed"
