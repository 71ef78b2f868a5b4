#!/usr/bin/env bash
# F1 opens the About box, whose text starts with the window's caption; Enter closes it.
# Each time the box closes, the main window becomes active again and toggles the mute key,
# which the play key's enabled state shows.
source "$(dirname "$0")/lib.sh"
set -u

ABOUT="About Velkari"
start_in_upper_field
expect_soon "play key enabled at start (muted)" 0 5 flat_button_enabled play

open_and_close_about() {  # which time
  xdotool key F1
  probe wait "$ABOUT" 10 || fail "F1 did not open the About box ($1)"
  [ "$1" = first ] && shot about_f1
  # probe tree: depth, [role], "name" (line breaks as \r \n), state, ...
  local text
  text=$(probe tree "$ABOUT" | sed -nE 's/^[0-9]+ \[static text\] "(Velkari 2\.9\\r\\n.*)" state=.*$/\1/p' | head -1)
  [ -n "$text" ] || fail "the About box has no text whose first line is the caption ($1)"
  # Three lines: the caption, the author line, the rights line.
  [ "$(grep -o '\\r\\n' <<<"$text" | wc -l)" = 2 ] || fail "About text is not three lines: $text"
  echo "ok: About text: $text"
  xdotool key Return
  probe gone "$ABOUT" 10 || fail "Enter did not close the About box ($1)"
}

open_and_close_about first
expect_soon "play key enabled after the About box closed once" 1 5 flat_button_enabled play
open_and_close_about second
expect_soon "play key enabled after it closed twice" 0 5 flat_button_enabled play
echo "about_f1: passed"
