#!/usr/bin/env bash
# The font list over the main window: its size grip widens it by a drag and never changes
# its height, and a name too long for the field shows whole in a tooltip that goes away
# once the name fits again.
source "$(dirname "$0")/lib.sh"
set -u

FONTS="Select Font"
start "$WIN_DIR/velkari.exe"
probe wait "$MAIN" 20 || fail "Velkari did not show its window"
click_flat_button font
probe wait "$FONTS" 10 || fail "the font key did not open '$FONTS'"
shot font_dialog

# Drag the grip at the bottom-right corner of the client area.
read -r _ _ width height < <(probe rect "$FONTS")
read -r cx cy cw ch < <(probe client "$FONTS")
read -r ox oy < <(desktop_origin)
gx=$((ox + cx + cw - 5)) gy=$((oy + cy + ch - 5))
xdotool mousemove "$gx" "$gy" sleep 0.3 mousedown 1 sleep 0.2
for step in 1 2 3 4 5 6; do xdotool mousemove "$((gx + step * 20))" "$((gy + step * 8))" sleep 0.1; done
xdotool mouseup 1
sleep 0.5
read -r _ _ wider taller < <(probe rect "$FONTS")
[ "$wider" -ge $((width + 100)) ] || fail "the grip drag did not widen the list: $width -> $wider"
expect_eq "height after the grip drag" "$height" "$taller"
echo "ok: the grip widened the list from $width to $wider"
shot font_dialog_widened

# A rest on the field, coming from outside the dialog.
rest_on_field() {
  local x y
  read -r x y < <(probe at "$FONTS" Edit 0)
  xdotool mousemove "$((ox + x + 200))" "$((oy + y + 250))" sleep 0.5
  xdotool mousemove "$((ox + x))" "$((oy + y))" sleep 0.1 mousemove "$((ox + x + 1))" "$((oy + y))"
}

# The field has the focus; replace its text by a name far too long for it.
xdotool key ctrl+a
type_text 20 "$(printf 'm%.0s' $(seq 70))"
rest_on_field
tip=$(probe tip shown 5) || fail "no tooltip over a field whose text does not fit"
echo "ok: a tooltip shows the long name at $tip"
shot font_dialog_tooltip

xdotool key ctrl+a
type_text 20 "Arial"
rest_on_field
sleep 2
probe tip hidden 0 >/dev/null || fail "a tooltip still shows over a name that fits"
echo "ok: no tooltip once the name fits"

xdotool key Escape
probe gone "$FONTS" 10 || fail "Esc did not close the list"
echo "query_grip_tooltip: passed"
