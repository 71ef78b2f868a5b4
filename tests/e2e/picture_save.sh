#!/usr/bin/env bash
# The note key shows the number as a strip of keypad keys in a preview window captioned with
# the trimmed text; "Save as..." writes the strip as a bitmap that ImageMagick reads back.
source "$(dirname "$0")/lib.sh"
set -u

TEXT="1-800-Dial-NOW"  # fourteen keys: the hyphens are empty keys
OUT="$WIN_DIR/e2e-pictures"
rm -rf "$OUT"
mkdir -p "$OUT"
# Wine shows the Linux root as drive Z:.
OUT_WIN="Z:$(tr / '\\' <<<"$OUT")"

start_in_upper_field
# Blanks at either end are trimmed away: no empty keys, and not in the caption.
type_text 80 "  $TEXT "
expect_soon "upper field" "  $TEXT " 5 probe text "$MAIN" Edit 0

click_flat_button note
probe wait "$TEXT" 10 || fail "no preview window captioned '$TEXT'"
expect_eq "picture in the preview (width height)" "672 48" \
  "$(probe list "$TEXT" | awk '$4 == 672 && $5 == 48 { print $4, $5 }' | head -1)"
shot picture_preview

read -r x y < <(probe child "$TEXT" "Save as...") || fail "no Save as... button"
click_at "$x" "$y"
probe wait "Save As" 10 || fail "Save as... did not open the Save As dialog"
# A name typed without an extension gets .bmp.
type_text 30 "$OUT_WIN\\strip"
xdotool key Return
probe gone "Save As" 10 || fail "the Save As dialog did not close"
for _ in $(seq 50); do [ -s "$OUT/strip.bmp" ] && break; sleep 0.1; done
[ -s "$OUT/strip.bmp" ] || fail "nothing saved as $OUT/strip.bmp: $(ls "$OUT")"

# ImageMagick names the format by the header's version (BMP, BMP2, BMP3).
expect_eq "saved picture: format width height" "BMP 672 48" \
  "$(identify -format '%m %w %h' "$OUT/strip.bmp" | sed -E 's/^BMP[23]? /BMP /')"
colours() {  # geometry: the distinct colours of that part of the picture
  convert "$OUT/strip.bmp" -crop "$1" +repage -unique-colors txt:- |
    grep -o '#[0-9A-F]\{6\}' | sort | tr '\n' ' '
}
# Every key: a 4-pixel sunken frame (gray top and left, silver bottom and right) around a
# white face; a digit's key shows it in black, a letter's key adds the letter in red; the
# hyphen's key is empty.
expect_eq "frame of the first key, left and right edges" "srgb(128,128,128) srgb(192,192,192)" \
  "$(convert "$OUT/strip.bmp" -format '%[pixel:p{1,20}] %[pixel:p{46,20}]' info:)"
expect_eq "face of the key of 1" "#000000 #FFFFFF " "$(colours 40x40+4+4)"
expect_eq "face of the hyphen's key" "#FFFFFF " "$(colours 40x40+52+4)"
expect_eq "face of the key of D" "#000000 #FF0000 #FFFFFF " "$(colours 40x40+292+4)"
expect_eq "face of the last key (W)" "#000000 #FF0000 #FFFFFF " "$(colours 40x40+628+4)"

# The preview stays open after saving; OK closes it.
expect_eq "preview windows after saving" 1 "$(probe count "$TEXT")"
read -r x y < <(probe child "$TEXT" "OK") || fail "no OK button"
click_at "$x" "$y"
probe gone "$TEXT" 10 || fail "OK did not close the preview"
# Back in the main window, which answers its activation by toggling the mute key.
expect_soon "play key enabled after the preview closed" 1 5 flat_button_enabled play
echo "picture_save: passed"
