#!/usr/bin/env bash
# Under a high-contrast scheme (white on black, set in a prefix of its own) every glyph,
# caption and the filling wheel stands out from the face behind it on the screen.
source "$(dirname "$0")/lib.sh"
set -u

start_in_upper_field
probe press "$MAIN" "Mute tones"  # raised, so that every glyph key shows its up face
sleep 1
read -r cx cy _ < <(probe client "$MAIN")
read -r ox oy < <(desktop_origin)

# Pixels of an element far from the colour at its inner top-left corner (the face).
ink() {  # screenshot name
  local line x y w h
  line=$(probe tree "$MAIN" | grep -F "] \"$2\" state=") || fail "no element '$2'"
  read -r x y w h <<<"$(awk '{ print $(NF-3), $(NF-2), $(NF-1), $NF }' <<<"$line")"
  convert "$SHOTS/$1.png" -crop "$((w - 4))x$((h - 4))+$((ox + cx + x + 2))+$((oy + cy + y + 2))" \
    +repage -fuzz 50% -fill black -opaque "$(convert "$SHOTS/$1.png" -format \
    "%[pixel:p{$((ox + cx + x + 2)),$((oy + cy + y + 2))}]" info:)" -fill white +opaque black \
    -format "%[fx:round(mean*w*h)]" info:
}
visible() {  # screenshot name least
  local n
  n=$(ink "$1" "$2")
  [ "$n" -ge "$3" ] || fail "'$2' shows $n pixels against its face, fewer than $3"
  echo "ok: '$2' shows $n pixels against its face"
}

shot high_contrast
face=$(convert "$SHOTS/high_contrast.png" -format \
  "%[pixel:p{$((ox + cx + 100)),$((oy + cy + 3))}]" info:)
case $face in
  black | "srgb(0,0,0)" | "rgb(0,0,0)") echo "ok: the window's face is black" ;;
  *) fail "the window's face is $face, not the scheme's black" ;;
esac
for glyph in "Stay on top" Font "Mute tones" "Play the number" "Keypad picture"; do
  visible high_contrast "$glyph" 20
done
for caption in "2 ABC" Q "Caps Lock" copy exit Clear; do visible high_contrast "$caption" 10; done

# The wheel fills while Esc is held; let go before it closes the window.
xdotool keydown Escape sleep 0.6
shot high_contrast_wheel
xdotool keyup Escape
visible high_contrast_wheel Closing 10
echo "high_contrast: passed"
